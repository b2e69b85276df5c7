#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

/// Keeps a second copy of the program from running beside the first: a lock file in
/// the DB folder, or in the temporary folder (keyed by the program folder) when the
/// DB folder cannot hold it. The lock of a crashed run is taken over. Only a copy that
/// is alive keeps another from starting: a lock that cannot be taken for any other
/// reason (a crashed run's lock that cannot be removed, a full disk) lets this copy go
/// on, with the reason in failures().
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();

    /// False when a running copy of the program holds the lock for the program folder;
    /// otherwise true, holding the lock when one could be taken.
    bool acquire(const QString &appFolder);
    void release();
    /// The lock held, or the one of the running copy that refused this one.
    QString lockPath() const { return m_path; }
    /// Why no lock could be taken at the places tried, for the error log; empty when
    /// nothing failed.
    QString failures() const { return m_failures.join(QLatin1Char(' ')); }

private:
    enum class Outcome { Locked, Running, Failed };
    Outcome tryPath(const QString &path);

    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    QStringList m_failures;
};
