#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether the path still names the file open on fd: a copy that quits removes its lock
// file, and a lock taken on the removed file would keep nobody out.
bool stillNamed(int fd, const QByteArray &path)
{
    struct stat opened {
    };
    struct stat named {
    };
    return ::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// For whoever looks at the file: which process holds it. Not read by the program; a
// write that fails (a full disk) changes nothing about the lock.
void writeHolder(int fd)
{
    const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        const ssize_t written = ::write(fd, text.constData(), size_t(text.size()));
        (void)written;
    }
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    release();
}

SingleInstance::Outcome SingleInstance::tryPath(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    // A few rounds at most: each repeat means a copy removed the file in between.
    for (int round = 0; round < 5; ++round) {
        int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        const int openError = errno;
        // A lock file that cannot be written can still be held or asked about.
        if (fd < 0 && openError != ENOENT)
            fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            m_failures
                << (openError == EACCES || openError == EPERM || openError == EROFS
                        ? QStringLiteral("ロックファイル %1 を作成する権限がありません。").arg(path)
                        : QStringLiteral("ロックファイル %1 を作成できません（%2）。").arg(path, reason(openError)));
            return Outcome::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int lockError = errno;
            ::close(fd);
            if (lockError == EWOULDBLOCK) {
                m_path = path;
                return Outcome::Running;
            }
            m_failures << QStringLiteral("ロックファイル %1 をロックできません（%2）。").arg(path, reason(lockError));
            return Outcome::Failed;
        }
        if (!stillNamed(fd, native)) {
            ::close(fd);
            continue;
        }
        writeHolder(fd);
        m_fd = fd;
        m_path = path;
        return Outcome::Locked;
    }
    m_failures << QStringLiteral("ロックファイル %1 をロックできません。").arg(path);
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
    else
        m_failures << QStringLiteral("フォルダ %1 がありません。").arg(dbFolder);
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
    if (m_fd >= 0) {
        // Removed while still held, so that no copy can take the old file's lock after this
        // one let go of it; a copy that opened it just before finds it unnamed and retries.
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
        m_fd = -1;
    }
    m_path.clear();
}
