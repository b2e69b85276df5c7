#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

/// Keeps a second copy of the program from running beside the first. A copy holds an
/// exclusive flock on the lock file in the DB folder and on the one in the temporary
/// folder (cFile::TempDir; keyed by the user and the program folder) from the moment it
/// opens each until it releases it or ends, so whether a copy runs is told by the locks
/// alone, never by what a file holds: a file nobody holds (a dead copy's, a zombie's, an
/// empty one left by a kill) is simply taken over. Every copy that can use a lock takes
/// it, so a copy that could not use the DB folder's lock and holds only the temporary one
/// still keeps the others out. A file removed by a copy that quits while this one opens it
/// is opened again, for as long as copies keep quitting (two seconds at most). A lock file
/// is opened without following a link and without waiting, and used only when it is a
/// regular file with no other name (the temporary one also only when it is this user's or
/// this copy made it): anything else in its place is left as it is, never written, and
/// counts as a lock that cannot be used, with the reason in failures().
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    /// True when this copy may run: it holds a lock for the program folder. False when a
    /// running copy holds one (otherCopyRuns()) or when neither lock could be used.
    bool acquire(const QString &appFolder);
    void release();
    /// Whether the last acquire found a running copy of the program folder.
    bool otherCopyRuns() const { return m_otherCopyRuns; }
    /// The lock held (the DB folder's where both are), or the one of the running copy
    /// that refused this one.
    QString lockPath() const { return m_path; }
    /// Why a lock could not be used at the places tried, for the error log; empty when
    /// nothing failed.
    QString failures() const { return m_failures.join(QLatin1Char(' ')); }
    /// For tests: called each time a lock file has just been opened.
    static void setOpenedHook(std::function<void()> hook);
    /// For tests: the user this copy runs as, named in the temporary lock's name and
    /// owning the files that count as this copy's (otherwise the effective user).
    static void setUserHook(std::function<uid_t()> hook);

private:
    enum class Outcome { Locked, Running, Failed };
    struct Lock {
        int fd = -1;
        QString path;
    };
    Outcome tryPath(Lock &lock, const QString &path, bool temporary);
    static void let(Lock &lock);

    Lock m_db;
    Lock m_temp;
    QString m_path;
    bool m_otherCopyRuns = false;
    QStringList m_failures;
};
