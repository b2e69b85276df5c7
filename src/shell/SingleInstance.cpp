#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::tryPath(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // No time-out: a lock is stale only when its process is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_path = path;
        return true;
    }
    if (lock->error() == QLockFile::LockFailedError)
        m_path = path; // held by the running copy
    return false;
}

bool SingleInstance::acquire(const QString &appFolder)
{
    release();
    const QString dbFolder = QDir(appFolder).filePath(QStringLiteral("DB"));
    const QFileInfo info(dbFolder);
    if (info.isDir() && info.isWritable()) {
        if (tryPath(QDir(dbFolder).filePath(QStringLiteral("Vanrek.lock"))))
            return true;
        if (!m_path.isEmpty())
            return false;
    }
    // A read-only or missing DB folder: one lock per program folder in the temporary folder.
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(appFolder).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return tryPath(
        QDir::temp().filePath(QStringLiteral("vanrek-") + QString::fromLatin1(key) + QStringLiteral(".lock")));
}

void SingleInstance::release()
{
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    m_path.clear();
}
