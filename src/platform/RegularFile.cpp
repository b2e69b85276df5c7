#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

RegularFile::SyncCall s_syncCall = ::fsync;

QString notARegularFile(const QString &path)
{
    return QStringLiteral("%1 は通常のファイルではありません。").arg(path);
}

} // namespace

QString RegularFile::systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool RegularFile::sync(int fd, QString *error)
{
    if (s_syncCall(fd) == 0)
        return true;
    *error = systemError(errno);
    return false;
}

bool RegularFile::syncFolder(const QString &path, QString *error)
{
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.exists() ? file.canonicalFilePath() : file.absoluteFilePath()).path();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    int failure = fd < 0 ? errno : 0;
    if (fd >= 0) {
        // EINVAL: the file system has no folder of its own to write.
        if (s_syncCall(fd) != 0 && errno != EINVAL)
            failure = errno;
        ::close(fd);
    }
    if (failure == 0)
        return true;
    *error = QStringLiteral("%1 を保存しましたが、フォルダ %2 をディスクに書き込めません（%3）。")
                 .arg(path, folder, systemError(failure));
    return false;
}

void RegularFile::setSyncCall(SyncCall call)
{
    s_syncCall = call ? call : ::fsync;
}

QString RegularFile::linkedFile(const QString &path)
{
    QString file = path;
    // The system gives up on a chain of links as long as this; so does this.
    for (int link = 0; link < 40; ++link) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(QFile::encodeName(file).constData(), target, sizeof target);
        if (length <= 0 || size_t(length) >= sizeof target)
            break;
        const QString named = QFile::decodeName(QByteArray(target, length));
        // A relative link names its file from the link's own folder.
        file = QDir::isAbsolutePath(named) ? named : QFileInfo(file).path() + QLatin1Char('/') + named;
    }
    return file;
}

QString RegularFile::refusal(const QString &path, bool *exists)
{
    struct stat st {
    };
    *exists = true;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        const int error = errno;
        *exists = false;
        return error == ENOENT ? QString() : systemError(error);
    }
    return S_ISREG(st.st_mode) ? QString() : notARegularFile(path);
}

int RegularFile::open(const QString &path, int flags, QString *error)
{
    bool exists = true;
    if (const QString why = refusal(path, &exists); !why.isEmpty()) {
        *error = why;
        return -1;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int openError = errno;
        *error = openError == ENOENT && !(flags & O_CREAT) ? QString() : systemError(openError);
        errno = openError;
        return -1;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *error = notARegularFile(path);
        return -1;
    }
    error->clear();
    return fd;
}

bool RegularFile::open(QFile &file, const QString &path, int flags, QString *error)
{
    const int fd = open(path, flags, error);
    if (fd < 0)
        return false;
    const QIODevice::OpenMode mode = (flags & O_ACCMODE) == O_RDONLY ? QIODevice::ReadOnly
                                     : (flags & O_APPEND)            ? QIODevice::WriteOnly | QIODevice::Append
                                                                     : QIODevice::WriteOnly;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return false;
    }
    return true;
}
