#pragma once

#include <QString>

class QFile;

/// The opening of a file that has to be a regular one (the settings files, the error
/// log): a regular file, also one reached through a link, or nothing yet. Anything else
/// in its place (a folder, a named pipe, a socket, a device) is refused before it is
/// opened, and looked at once more on the open file, in case the path changed in
/// between; the file is opened without waiting, so a pipe can never hold the program up.
class RegularFile
{
public:
    /// Why path cannot be used: empty for a regular file, or for nothing at all (then
    /// *exists is false).
    static QString refusal(const QString &path, bool *exists);
    /// The file a name stands for: the name itself, or the file a link names, followed link
    /// by link, whether that file is there or not.
    static QString linkedFile(const QString &path);
    /// A descriptor of path opened with the open(2) flags, or -1 with error saying why.
    /// A path that names nothing, opened without O_CREAT, gives -1 and an empty error. errno
    /// is the open's where it failed.
    static int open(const QString &path, int flags, QString *error);
    /// The same, opened into file (read-only, or write-only appending for O_WRONLY with
    /// O_APPEND); false with error saying why, empty for a path that names nothing.
    static bool open(QFile &file, const QString &path, int flags, QString *error);
    /// Has the system write what it holds of the open file to the disk, before the file
    /// takes an older one's place: a disk that cannot keep the data may tell so only
    /// here. False with error saying why.
    static bool sync(int fd, QString *error);
    /// After the file path names took another's place (a rename), has the system write the
    /// folder that holds it (through any link) to the disk as well, through the same call
    /// as sync(): the new name lives there, and a power cut could otherwise bring back the
    /// old file. A file system that keeps no folder to sync counts as synced. False with
    /// error saying why, for the error log: the file itself is on the disk.
    static bool syncFolder(const QString &path, QString *error);
    /// The call sync() and syncFolder() make (fsync); a test may put a failing one in its
    /// place, nullptr puts fsync back.
    using SyncCall = int (*)(int fd);
    static void setSyncCall(SyncCall call);
    /// The system's words for an errno value.
    static QString systemError(int error);
};
