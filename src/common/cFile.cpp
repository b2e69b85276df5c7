#include "cFile.h"

#include "ErrorTrap.h"
#include "MsgBox.h"
#include "RegularFile.h"
#include "cBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QUrl>

#include <limits>

namespace
{

enum ShellResult : int32_t { Done = 0, SourceNotFound = 2, PathNotFound = 3, Failed = 5 };

QString trimmedText(const QString &text)
{
    return cBase().CvtStr(text);
}

// Copies through a temporary file renamed into place, so the destination is never half written.
bool copyReplacing(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0 || (n > 0 && out.write(buffer, n) != n)) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
    }
    // The last blocks may still be in Qt's buffer: a full disk shows in their flush, and a
    // commit after it would put the cut copy in place. A disk that cannot keep the copy
    // tells so only in the sync, which Qt's commit does not report.
    QString error;
    if (!out.flush() || !RegularFile::sync(out.handle(), &error)) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return false;
    QFile::setPermissions(destination, in.permissions());
    // The copy is made all the same: only a power cut now could lose its name.
    if (!RegularFile::syncFolder(destination, &error))
        writeErrLog(error, QStringLiteral("cFile"), QStringLiteral("CopyFiles"));
    return true;
}

} // namespace

QString cFile::MakeFullPath(const QString &folder, const QString &file) const
{
    const QString f = trimmedText(folder);
    const QString name = trimmedText(file);
    if (f.isEmpty())
        return name;
    if (name.isEmpty())
        return f;
    if (f.endsWith(QLatin1Char('\\')) || f.endsWith(QLatin1Char('/')))
        return f + name;
    const bool windowsForm = f.contains(QLatin1Char('\\')) && !f.contains(QLatin1Char('/'));
    return f + (windowsForm ? QLatin1Char('\\') : QLatin1Char('/')) + name;
}

bool cFile::IsFileExists(const QString &path) const
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool cFile::IsFolder(const QString &path) const
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

int32_t cFile::CopyFiles(QWidget *, const QString &source, const QString &target)
{
    const QFileInfo src(source);
    if (!src.isFile())
        return SourceNotFound;
    QString destination = target;
    if (QFileInfo(target).isDir())
        destination = QDir(target).filePath(src.fileName());
    if (!QFileInfo(destination).absoluteDir().exists())
        return PathNotFound;
    return copyReplacing(source, destination) ? Done : Failed;
}

bool cFile::WilCopyFile(const QString &source, const QString &target)
{
    if (!IsFileExists(source))
        return false;
    // Only a real folder takes the file under its own name; an existing file is replaced.
    const QString destination = IsFolderExist(target) ? MakeFullPath(target, FileName(source)) : target;
    const QString folder = QFileInfo(destination).absolutePath();
    if (!IsFolder(folder))
        MakeDir(folder);
    if (IsFileExists(destination) && !WilDeleteFile(destination))
        return false;
    return CopyFiles(nullptr, source, destination) == Done;
}

int32_t cFile::DeleteFiles(QWidget *, const QString &path, bool, bool allowUndo)
{
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return SourceNotFound;
    bool ok = false;
    if (allowUndo)
        ok = QFile::moveToTrash(path);
    else if (info.isDir() && !info.isSymLink())
        ok = QDir(path).removeRecursively();
    else
        ok = QFile::remove(path);
    return ok ? Done : Failed;
}

bool cFile::WilDeleteFile(const QString &path)
{
    return IsFileExists(path) && QFile::remove(path);
}

int32_t cFile::FileSize(const QString &path) const
{
    if (!IsFileExists(path))
        return 0;
    return int32_t(std::min<qint64>(QFileInfo(path).size(), std::numeric_limits<int32_t>::max()));
}

bool cFile::SplitPath(QString path, QString &folder, QString &name, QString &extension) const
{
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    if (dot >= 0) {
        extension = path.mid(dot + 1);
        path.truncate(dot);
    }
    const int sep = lastSeparator(path);
    if (sep < 0)
        return false;
    name = path.mid(sep + 1);
    folder = path.left(sep);
    return true;
}

void cFile::SplitPathEx(const QString &path, QString &drive, QString &folder, QString &base, QString &extension) const
{
    drive.clear();
    folder.clear();
    base.clear();
    extension.clear();
    QString rest = trimmedText(path);

    // A ":" makes a drive only before the first separator: this system's names may hold ":".
    const int colon = int(rest.indexOf(QLatin1Char(':')));
    if (colon >= 0 && lastSeparator(rest.left(colon)) < 0) {
        drive = rest.left(colon + 1);
        rest = rest.mid(colon + 1);
    } else if (rest.contains(QLatin1String("\\\\"))) {
        const int p = int(rest.indexOf(QLatin1Char('\\'), 2));
        if (p < 0) {
            drive = rest;
            rest.clear();
        } else {
            const int q = int(rest.indexOf(QLatin1Char('\\'), p + 1));
            const int cut = q >= 0 ? q : p;
            drive = rest.left(cut);
            rest = rest.mid(cut + 1);
        }
    }
    const int sep = lastSeparator(rest);
    if (sep >= 0) {
        folder = rest.left(sep);
        rest = rest.mid(sep + 1);
    }
    const int dot = int(rest.lastIndexOf(QLatin1Char('.')));
    base = dot >= 0 ? rest.left(dot) : rest;
    if (dot >= 0)
        extension = rest.mid(dot + 1);

    drive = trimmedText(drive);
    folder = trimmedText(folder);
    base = trimmedText(base);
    extension = trimmedText(extension);
}

QString cFile::DriveName(const QString &path) const
{
    QString drive, folder, base, ext;
    SplitPathEx(path, drive, folder, base, ext);
    return drive;
}

QString cFile::PathName(const QString &path) const
{
    QString drive, folder, base, ext;
    SplitPathEx(path, drive, folder, base, ext);
    return folder;
}

QString cFile::FileName(const QString &path) const
{
    QString drive, folder, base, ext;
    SplitPathEx(path, drive, folder, base, ext);
    return ext.isEmpty() ? base : base + QLatin1Char('.') + ext;
}

QString cFile::FileBaseName(const QString &path) const
{
    QString drive, folder, base, ext;
    SplitPathEx(path, drive, folder, base, ext);
    return base;
}

QString cFile::ExtName(const QString &path) const
{
    QString drive, folder, base, ext;
    SplitPathEx(path, drive, folder, base, ext);
    return ext;
}

// This system has no Windows or system folder.
QString cFile::WindowsDir() const
{
    return QString();
}

QString cFile::SystemDir() const
{
    return QString();
}

QString cFile::TempDir() const
{
    // Qt gives no folder, which would be the current one, where TMPDIR names none.
    QString dir = QDir::tempPath();
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QStringLiteral("/tmp");
    if (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    return dir;
}

QString cFile::GetTempFile(const QString &folder, const QString &prefix) const
{
    const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    QTemporaryFile file(dir.filePath(prefix.left(3) + QStringLiteral("XXXXXX.tmp")));
    file.setAutoRemove(false);
    return file.open() ? file.fileName() : QString();
}

bool cFile::MakeDir(const QString &path) const
{
    if (path.isEmpty())
        return false;
    QDir().mkpath(path);
    return QFileInfo(path).isDir();
}

QString cFile::GetExePath(const QString &file)
{
    const QString message = IsFileExists(file) ? QStringLiteral("関連付けされていないファイルです。")
                                               : QStringLiteral("ファイルが見つかりません。");
    MsgBox::show(message, MsgBox::Critical, QStringLiteral("GetExePath"));
    return QString();
}

bool cFile::AppendFile(const QString &file, const QString &text)
{
    if (file.isEmpty())
        return false;
    const QString folder = QFileInfo(file).absolutePath();
    if (!IsFolderExist(folder))
        MakeDir(folder);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray line = (text + QLatin1String("\r\n")).toUtf8();
    const bool written = out.write(line) == line.size();
    out.close();
    return written && out.error() == QFileDevice::NoError;
}

bool cFile::IsFolderExist(const QString &path) const
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void cFile::FileExecute(QWidget *, const QString &, const QString &file, const QString &, const QString &folder, int)
{
    const QUrl asUrl(file);
    // A scheme of one letter is a Windows drive, not an address.
    if (asUrl.isValid() && asUrl.scheme().size() > 1) {
        Desktop::openUrl(asUrl);
        return;
    }
    const QFileInfo info(folder.isEmpty() ? QDir::current() : QDir(folder), file);
    Desktop::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

int cFile::lastSeparator(const QString &text)
{
    return int(std::max(text.lastIndexOf(QLatin1Char('\\')), text.lastIndexOf(QLatin1Char('/'))));
}
