#include "SingleInstance.h"

#include "RegularFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::function<void()> &openedHook()
{
    static std::function<void()> hook;
    return hook;
}

QString notALockFile(const QString &path)
{
    return QStringLiteral("ロックファイル %1 は通常のファイルではありません。").arg(path);
}

// Why the file open on fd cannot be a lock file: only a regular file that no other name
// leads to, so that holding it and writing the process number never touch a user's file.
QString unusable(int fd, const QString &path)
{
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return QStringLiteral("ロックファイル %1 を調べられません（%2）。").arg(path, RegularFile::systemError(errno));
    if (!S_ISREG(st.st_mode))
        return notALockFile(path);
    if (st.st_nlink != 1)
        return QStringLiteral("ロックファイル %1 には他の名前（ハードリンク）があります。").arg(path);
    return QString();
}

// Whether the path still names the file open on fd: a copy that quits removes its lock
// file, and a lock taken on the removed file would keep nobody out.
bool stillNamed(int fd, const QByteArray &path)
{
    struct stat opened {
    };
    struct stat named {
    };
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
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
        // Never through a link, and never waiting on a pipe or a device: what was opened is
        // looked at before it is used.
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(native.constData(), O_RDWR | O_CREAT | flags, 0644);
        const int openError = errno;
        // A lock file that cannot be written can still be held or asked about.
        if (fd < 0 && openError != ENOENT && openError != ELOOP)
            fd = ::open(native.constData(), O_RDONLY | flags);
        if (fd < 0) {
            m_failures << (openError == ELOOP ? notALockFile(path)
                           : openError == EACCES || openError == EPERM || openError == EROFS
                               ? QStringLiteral("ロックファイル %1 を作成する権限がありません。").arg(path)
                               : QStringLiteral("ロックファイル %1 を作成できません（%2）。")
                                     .arg(path, RegularFile::systemError(openError)));
            return Outcome::Failed;
        }
        if (const QString why = unusable(fd, path); !why.isEmpty()) {
            ::close(fd);
            m_failures << why;
            return Outcome::Failed;
        }
        if (openedHook())
            openedHook()();
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int lockError = errno;
            ::close(fd);
            if (lockError == EWOULDBLOCK) {
                m_path = path;
                return Outcome::Running;
            }
            m_failures << QStringLiteral("ロックファイル %1 をロックできません（%2）。")
                              .arg(path, RegularFile::systemError(lockError));
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

void SingleInstance::setOpenedHook(std::function<void()> hook)
{
    openedHook() = std::move(hook);
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
