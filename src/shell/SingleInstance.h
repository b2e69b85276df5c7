#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// Keeps a second copy of the program from running beside the first: a lock file in
/// the DB folder, or in the temporary folder (keyed by the program folder) when the
/// DB folder cannot hold it. The lock of a crashed run is taken over.
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();

    /// True when this process now holds the lock for the program folder.
    bool acquire(const QString &appFolder);
    void release();
    QString lockPath() const { return m_path; }

private:
    bool tryPath(const QString &path);

    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
};
