#pragma once

#include <QString>
#include <QStringList>

#include <functional>

/// Keeps a second copy of the program from running beside the first: a lock file in
/// the DB folder, or in the temporary folder (keyed by the program folder) when the
/// DB folder's lock cannot be taken. A copy holds an exclusive flock on its lock file
/// from the moment it opens it until it releases it or ends, so whether a copy runs is
/// told by the lock alone, never by what the file holds: a file nobody holds (a dead
/// copy's, a zombie's, an empty one left by a kill) is simply taken over. Only a held
/// lock keeps this copy from starting; a lock that cannot be taken for another reason
/// (no permission, no DB folder, a full disk) moves on to the next place, with the
/// reason in failures(). A lock file is opened without following a link and without
/// waiting, and used only when it is a regular file with no other name: a link, a pipe
/// or a device in its place is left as it is and counts as a lock that cannot be taken.
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    /// False when a running copy of the program holds the lock for the program folder;
    /// otherwise true, holding the lock when one could be taken.
    bool acquire(const QString &appFolder);
    void release();
    /// The lock held, or the one of the running copy that refused this one.
    QString lockPath() const { return m_path; }
    /// Why no lock could be taken at the places tried, for the error log; empty when
    /// nothing failed.
    QString failures() const { return m_failures.join(QLatin1Char(' ')); }
    /// For tests: called each time a lock file has been opened and before it is locked.
    static void setOpenedHook(std::function<void()> hook);

private:
    enum class Outcome { Locked, Running, Failed };
    Outcome tryPath(const QString &path);

    int m_fd = -1;
    QString m_path;
    QStringList m_failures;
};
