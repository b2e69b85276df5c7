#include "SettingsFile.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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

// A save's own file beside the file it replaces: hidden, the file's name, ".saving." and
// sixteen hexadecimal digits at random, a name no person gives a file. The start removes
// files of this name alone.
const QLatin1String kSaving(".saving.");
constexpr int kRandomDigits = 16;

QString savingPrefix(const QString &fileName)
{
    return QLatin1Char('.') + fileName + kSaving;
}

bool isSavingName(const QString &name, const QString &fileName)
{
    const QString prefix = savingPrefix(fileName);
    return name.size() == prefix.size() + kRandomDigits && name.startsWith(prefix) &&
           std::all_of(name.begin() + prefix.size(), name.end(), [](QChar c) {
               return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                      (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
           });
}

SettingsFile::BeforeRename s_beforeRename = nullptr;

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
    // A link keeps pointing at its file, which is what is replaced.
    const QString target = RegularFile::linkedFile(path);
    const QFileInfo info(target);
    const QString saving = info.dir().filePath(
        savingPrefix(info.fileName()) +
        QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), kRandomDigits, 16, QLatin1Char('0')));
    QFile out;
    if (RegularFile::open(out, saving, O_WRONLY | O_CREAT | O_EXCL, error)) {
        if (exists)
            out.setPermissions(QFile::permissions(target));
        // Written, flushed (a full disk shows here) and synced before it replaces the old
        // file: a disk that cannot keep it keeps the old one.
        errno = 0;
        const bool written = out.write(data) == data.size() && out.flush();
        if (!written)
            *error = writeFailure(out, errno);
        if (!written || !RegularFile::sync(out.handle(), error)) {
            QFile::remove(saving);
            return false;
        }
        out.close();
        if (s_beforeRename && !s_beforeRename()) {
            *error = QStringLiteral("保存は置き換えの前に止められました。");
            return false;
        }
        if (::rename(QFile::encodeName(saving).constData(), QFile::encodeName(target).constData()) != 0) {
            *error = RegularFile::systemError(errno);
            QFile::remove(saving);
            return false;
        }
        RegularFile::syncFolder(path, folderError);
        return true;
    }
    // No file can be added beside it (a folder whose files the user may change but not
    // add to): the file itself is written, as the profile functions always did.
    if (!directFallback || !exists || (errno != EACCES && errno != EPERM))
        return false;
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

void SettingsFile::setBeforeRename(BeforeRename hook)
{
    s_beforeRename = hook;
}

void SettingsFile::removeLeftovers(const QString &path)
{
    const QFileInfo file(RegularFile::linkedFile(path));
    const QDir folder = file.absoluteDir();
    for (const QString &name : folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
        if (!isSavingName(name, file.fileName()))
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
