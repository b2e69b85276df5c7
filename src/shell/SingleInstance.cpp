#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace
{

// Whether the process a lock file names is a copy of the program that still runs.
bool holderRuns(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString app;
    if (!lock.getLockInfo(&pid, &host, &app) || pid <= 0)
        return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true; // a copy on another machine cannot be looked at
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    // A process id that another program took over is no copy of ours.
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return exe.isEmpty() || app.isEmpty() || QFileInfo(exe).fileName() == QFileInfo(app).fileName();
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    release();
}

SingleInstance::Outcome SingleInstance::tryPath(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // No time-out: a lock is stale only when its process is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_path = path;
        return Outcome::Locked;
    }
    switch (lock->error()) {
    case QLockFile::LockFailedError:
        if (holderRuns(*lock)) {
            m_path = path;
            return Outcome::Running;
        }
        // Removing a stale lock needs a helper file beside it and a writable lock file.
        m_failures << QStringLiteral("残っているロックファイル %1 を削除できません。").arg(path);
        break;
    case QLockFile::PermissionError:
        m_failures << QStringLiteral("ロックファイル %1 を作成する権限がありません。").arg(path);
        break;
    default:
        m_failures << QStringLiteral("ロックファイル %1 を作成できません。").arg(path);
        break;
    }
    return Outcome::Failed;
}

bool SingleInstance::acquire(const QString &appFolder)
{
    release();
    m_failures.clear();
    QStringList paths;
    // A running copy may hold the DB folder's lock even where this one could not write it.
    const QString dbFolder = QDir(appFolder).filePath(QStringLiteral("DB"));
    if (QFileInfo(dbFolder).isDir())
        paths << QDir(dbFolder).filePath(QStringLiteral("Vanrek.lock"));
    // Where the DB folder cannot hold a lock: one lock per program folder in the temporary folder.
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(appFolder).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    paths << QDir::temp().filePath(QStringLiteral("vanrek-") + QString::fromLatin1(key) + QStringLiteral(".lock"));
    for (const QString &path : paths) {
        switch (tryPath(path)) {
        case Outcome::Locked:
            return true;
        case Outcome::Running:
            return false;
        case Outcome::Failed:
            break;
        }
    }
    return true;
}

void SingleInstance::release()
{
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    m_path.clear();
}
