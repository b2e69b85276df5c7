#pragma once

#include <QString>

#include <cstdint>

class QWidget;

/// Paths and files. Paths may come in the program's Windows form ("C:\app\db.mdb",
/// "\\server\share\f.txt") or as this system's paths ("/opt/app/db.mdb"): the
/// splitting members treat "\" and "/" alike as folder separators.
///
/// Members that touch the file system work on this system's paths. The shell's
/// copy and delete return 0 on success and a nonzero code on failure:
/// 2 source not found, 3 destination folder not found, 5 the copy or deletion failed.
/// The shell's confirmation questions are not shown.
///
/// Not available here: drive formatting (FD_Format does nothing) and the Windows
/// and system folders (WindowsDir and SystemDir are ""). GetExePath cannot ask for
/// the program a file is associated with: it reports "関連付けされていないファイルです。"
/// (or "ファイルが見つかりません。" for a missing file) and gives "".
class cFile
{
public:
    /// The folder and the file joined by one separator: "\" when the folder is in
    /// Windows form (holds "\" and no "/"), otherwise "/".
    QString MakeFullPath(const QString &folder, const QString &file) const;
    /// True for an existing file (even one that cannot be read); false for folders.
    bool IsFileExists(const QString &path) const;
    bool IsFile(const QString &path) const { return IsFileExists(path); }
    /// True for an existing folder or file.
    bool IsFolder(const QString &path) const;
    int32_t CopyFiles(QWidget *owner, const QString &source, const QString &target);
    /// Copies the file into the target folder, or to the target path; a file
    /// already there is replaced. True when the copy succeeded.
    bool WilCopyFile(const QString &source, const QString &target);
    /// With allowUndo the path goes to the trash; otherwise a file is removed, a
    /// folder with everything in it.
    int32_t DeleteFiles(QWidget *owner, const QString &path, bool noConfirm, bool allowUndo);
    bool WilDeleteFile(const QString &path);
    int32_t FileSize(const QString &path) const;

    /// Extension after the last "." of the path, then folder and name around the
    /// last separator; false (folder and name untouched) when there is no separator.
    bool SplitPath(QString path, QString &folder, QString &name, QString &extension) const;
    /// Drive ("C:", "\\server\share"), folder, base name and extension.
    void SplitPathEx(const QString &path, QString &drive, QString &folder, QString &base, QString &extension) const;
    QString DriveName(const QString &path) const;
    QString PathName(const QString &path) const;
    QString FolderName(const QString &path) const { return PathName(path); }
    /// Base and extension joined by "."; the base alone when there is no extension.
    QString FileName(const QString &path) const;
    QString FileBaseName(const QString &path) const;
    QString ExtName(const QString &path) const;

    QString WindowsDir() const;
    QString SystemDir() const;
    /// The temporary folder, never ending in a separator: TMPDIR's, or "/tmp" where it
    /// names no folder.
    QString TempDir() const;
    QString TempPath() const { return TempDir(); }
    /// Creates a new empty file with a unique name (the prefix's first three
    /// characters, then ".tmp") in the folder; its path, or "" when it failed.
    QString GetTempFile(const QString &folder, const QString &prefix) const;
    QString TempFile(const QString &folder, const QString &prefix) const { return GetTempFile(folder, prefix); }
    /// Creates the folder with every missing level above it; true when it exists afterwards.
    bool MakeDir(const QString &path) const;
    /// Drive formatting is not available on this system: does nothing.
    void FD_Format(const QString &drive, int option) {}
    QString GetExePath(const QString &file);
    /// Appends the text and CR LF, in UTF-8, creating the file and its folder when missing.
    bool AppendFile(const QString &file, const QString &text);
    bool IsFolderExist(const QString &path) const;
    /// Opens a file or an address with the desktop's program for it. Operation,
    /// parameters and show mode have no meaning here and are ignored.
    void FileExecute(QWidget *owner, const QString &operation, const QString &file, const QString &parameters,
                     const QString &folder, int show);

private:
    static int lastSeparator(const QString &text);
};
