#include "SingleInstance.h"

#include "RegularFile.h"
#include "cFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
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

std::function<uid_t()> &userHook()
{
    static std::function<uid_t()> hook;
    return hook;
}

uid_t thisUser()
{
    return userHook() ? userHook()() : ::geteuid();
}

QString notALockFile(const QString &path)
{
    return QStringLiteral("ロックファイル %1 は通常のファイルではありません。").arg(path);
}

enum class Check { Usable, Unnamed, Unusable };

// Whether the file open on fd can be a lock file: only a regular file that no other name
// leads to, so that holding it and writing the process number never touch a user's file;
// in the temporary folder, where anyone may put a file under the lock's name, also only
// one of this user (one this copy has just made is). A file with no name at all was
// removed by the copy that held it after this one opened it: it is opened again.
Check inspect(int fd, const QString &path, bool ownOnly, QString &why)
{
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        why = QStringLiteral("ロックファイル %1 を調べられません（%2）。").arg(path, RegularFile::systemError(errno));
    else if (!S_ISREG(st.st_mode))
        why = notALockFile(path);
    else if (st.st_nlink == 0)
        return Check::Unnamed;
    else if (st.st_nlink > 1)
        why = QStringLiteral("ロックファイル %1 には他の名前（ハードリンク）があります。").arg(path);
    else if (ownOnly && st.st_uid != thisUser())
        why = QStringLiteral("ロックファイル %1 は他のユーザーのファイルです。").arg(path);
    else
        return Check::Usable;
    return Check::Unusable;
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

SingleInstance::Outcome SingleInstance::tryPath(Lock &lock, const QString &path, bool temporary)
{
    const QByteArray native = QFile::encodeName(path);
    // Each repeat means a copy that quits removed the file in between, however often that
    // happens while copies come and go: no reason to give up. The time only guards against
    // a file that never stays.
    const QDeadlineTimer guard(2000);
    do {
        // Never through a link, and never waiting on a pipe or a device: what was opened is
        // looked at before it is used.
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | flags, temporary ? 0600 : 0644);
        const bool made = fd >= 0;
        int openError = errno;
        const bool found = !made && openError == EEXIST;
        if (found) {
            fd = ::open(native.constData(), O_RDWR | flags);
            openError = errno;
        }
        // A lock file that cannot be written can still be held or asked about.
        if (fd < 0 && openError != ENOENT && openError != ELOOP) {
            fd = ::open(native.constData(), O_RDONLY | flags);
            if (fd < 0 && found && errno == ENOENT)
                openError = ENOENT;
        }
        // There a moment ago: removed by a copy that quits.
        if (fd < 0 && found && openError == ENOENT)
            continue;
        if (fd < 0) {
            m_failures << (openError == ELOOP ? notALockFile(path)
                           : openError == EACCES || openError == EPERM || openError == EROFS
                               ? QStringLiteral("ロックファイル %1 を作成する権限がありません。").arg(path)
                               : QStringLiteral("ロックファイル %1 を作成できません（%2）。")
                                     .arg(path, RegularFile::systemError(openError)));
            return Outcome::Failed;
        }
        if (openedHook())
            openedHook()();
        QString why;
        const Check check = inspect(fd, path, temporary && !made, why);
        if (check != Check::Usable) {
            ::close(fd);
            if (check == Check::Unnamed)
                continue;
            m_failures << why;
            return Outcome::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int lockError = errno;
            ::close(fd);
            if (lockError == EWOULDBLOCK)
                return Outcome::Running;
            m_failures << QStringLiteral("ロックファイル %1 をロックできません（%2）。")
                              .arg(path, RegularFile::systemError(lockError));
            return Outcome::Failed;
        }
        if (!stillNamed(fd, native)) {
            ::close(fd);
            continue;
        }
        writeHolder(fd);
        lock.fd = fd;
        lock.path = path;
        return Outcome::Locked;
    } while (!guard.hasExpired());
    m_failures << QStringLiteral("ロックファイル %1 をロックできません。").arg(path);
    return Outcome::Failed;
}

bool SingleInstance::acquire(const QString &appFolder)
{
    release();
    m_failures.clear();
    m_otherCopyRuns = false;
    // A running copy may hold the DB folder's lock even where this one could not write it.
    Outcome db = Outcome::Failed;
    const QString dbFolder = QDir(appFolder).filePath(QStringLiteral("DB"));
    const QString dbLock = QDir(dbFolder).filePath(QStringLiteral("Vanrek.lock"));
    if (QFileInfo(dbFolder).isDir())
        db = tryPath(m_db, dbLock, false);
    else
        m_failures << QStringLiteral("フォルダ %1 がありません。").arg(dbFolder);
    if (db == Outcome::Running) {
        m_otherCopyRuns = true;
        m_path = dbLock;
        return false;
    }
    // Taken as well by a copy that holds the DB folder's lock: a copy that could not use
    // that one holds only this one. One per user and program folder: the name carries the
    // user, so no file of another user's copy lies in its place.
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(appFolder).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    const QString tempLock =
        QDir(cFile().TempDir()).filePath(QStringLiteral("vanrek-%1-%2.lock").arg(thisUser()).arg(QLatin1String(key)));
    const Outcome temp = tryPath(m_temp, tempLock, true);
    if (temp == Outcome::Running) {
        release();
        m_otherCopyRuns = true;
        m_path = tempLock;
        return false;
    }
    // A temporary lock that cannot be used is passed over where the DB folder's is held,
    // so that a file put there cannot keep the program from starting.
    m_path = db == Outcome::Locked ? m_db.path : m_temp.path;
    return db == Outcome::Locked || temp == Outcome::Locked;
}

void SingleInstance::setOpenedHook(std::function<void()> hook)
{
    openedHook() = std::move(hook);
}

void SingleInstance::setUserHook(std::function<uid_t()> hook)
{
    userHook() = std::move(hook);
}

void SingleInstance::let(Lock &lock)
{
    if (lock.fd >= 0) {
        // Removed while still held, so that no copy can take the old file's lock after this
        // one let go of it; a copy that opened it just before finds it unnamed and retries.
        ::unlink(QFile::encodeName(lock.path).constData());
        ::close(lock.fd);
    }
    lock = Lock();
}

void SingleInstance::release()
{
    // In the reverse order of taking: a copy that finds the temporary lock held while it
    // holds the DB folder's then meets a copy that runs, not one that is ending.
    let(m_temp);
    let(m_db);
    m_path.clear();
}
