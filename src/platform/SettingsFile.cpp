#include "SettingsFile.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// Qt's reason for a failed write, or the system's where Qt has none to give.
QString writeFailure(const QFileDevice &file, int error)
{
    const QString reason = file.errorString();
    if (error != 0 && (reason.isEmpty() || reason == QFile().errorString()))
        return RegularFile::systemError(error);
    return reason;
}

// The six letters Qt's save puts after the file's name: A to Z and a to z at random. A
// word a person would add (backup, BACKUP) is all of one case.
bool isSaveSuffix(const QString &suffix)
{
    const auto upper = [](QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); };
    const auto lower = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); };
    return suffix.size() == 6 &&
           std::all_of(suffix.begin(), suffix.end(), [&](QChar c) { return upper(c) || lower(c); }) &&
           std::any_of(suffix.begin(), suffix.end(), upper) && std::any_of(suffix.begin(), suffix.end(), lower);
}

} // namespace

std::optional<QByteArray> SettingsFile::read(const QString &path, QString *error)
{
    QString why;
    QFile in;
    if (!RegularFile::open(in, path, O_RDONLY, &why)) {
        if (why.isEmpty())
            return QByteArray(); // nothing there yet
        *error = why;
        return std::nullopt;
    }
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        return std::nullopt;
    }
    return data;
}

bool SettingsFile::replace(const QString &path, const QByteArray &data, bool directFallback, QString *error,
                           QString *folderError)
{
    folderError->clear();
    bool exists = true;
    if (const QString why = RegularFile::refusal(path, &exists); !why.isEmpty()) {
        *error = why;
        return false;
    }
    QSaveFile out(path);
    out.setDirectWriteFallback(directFallback);
    if (out.open(QIODevice::WriteOnly)) {
        // The write only fills Qt's buffer: a full disk shows in the flush, and a commit
        // after it would rename the cut file over the whole one.
        errno = 0;
        if (out.write(data) != data.size() || !out.flush()) {
            *error = writeFailure(out, errno);
            out.cancelWriting();
            return false;
        }
        // Qt's commit leaves a failed sync unsaid: a disk that lost the data would have it
        // renamed over the old file.
        if (!RegularFile::sync(out.handle(), error)) {
            out.cancelWriting();
            return false;
        }
        if (!out.commit()) {
            *error = writeFailure(out, errno);
            return false;
        }
        RegularFile::syncFolder(path, folderError);
        return true;
    }
    *error = out.errorString();
    if (!directFallback || !exists)
        return false;
    // No file can be added beside it (a folder whose files the user may change but
    // not add to): the file itself is written, as the profile functions always did.
    QFile direct(path);
    if (!direct.open(QIODevice::ReadWrite))
        return false;
    errno = 0;
    if (direct.write(data) != data.size() || !direct.resize(data.size()) || !direct.flush()) {
        *error = writeFailure(direct, errno);
        return false;
    }
    return RegularFile::sync(direct.handle(), error);
}

void SettingsFile::removeLeftovers(const QString &path)
{
    const QFileInfo file(path);
    const QString prefix = file.fileName() + QLatin1Char('.');
    const QDir folder = file.absoluteDir();
    const QStringList names = folder.entryList({prefix + QStringLiteral("??????")},
                                               QDir::AllEntries | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    for (const QString &name : names) {
        if (!name.startsWith(prefix) || !isSaveSuffix(name.mid(prefix.size())))
            continue;
        const QByteArray native = QFile::encodeName(folder.filePath(name));
        struct stat st {
        };
        // Never through a link, never a file with another name, never another user's.
        if (::lstat(native.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 &&
            st.st_uid == ::geteuid())
            ::unlink(native.constData());
    }
}
