#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/// The whole-file read and the replacement of a settings file ("Vanrek.ini",
/// "Vanrek.reg"). Only a regular file, also one reached through a link, is read or
/// replaced. A path that resolves to anything else (a folder, a named pipe, a socket, a
/// device) is refused before it is opened: nothing is read from it, so a pipe cannot
/// hold up the start, and nothing is written or renamed over it, so a save never turns
/// it into a file. A path that names nothing yet reads as empty; a write creates it.
class SettingsFile
{
public:
    /// The file's bytes (empty when there is no file yet), or nothing when it cannot be
    /// read; error then says why.
    static std::optional<QByteArray> read(const QString &path, QString *error);
    /// Replaces the file with data in one step, so a crash never leaves it half written,
    /// and only once all of data was written and synced to the disk: a full disk, or one
    /// that cannot keep the data, keeps the old file. The new file is made beside the one
    /// it replaces (through a link, beside the file the link leads to) under a name of the
    /// save's own, with that file's permissions; its folder is synced after the rename; a
    /// folder that cannot be leaves the file replaced, with folderError saying why (empty
    /// otherwise). With directFallback, a file whose folder takes no new file beside it is
    /// written in place instead (that write cannot keep the old file). False, with error
    /// saying why (the system's reason where Qt gives none), when it could not be written.
    static bool replace(const QString &path, const QByteArray &data, bool directFallback, QString *error,
                        QString *folderError);
    /// Removes the new files of replace() that a kill or a crash left beside path (or the
    /// file it links to) before they took the file's place: regular files of this user
    /// with no other name, under the save's own name. A file of any other name is left,
    /// whatever it is called. Only while no other copy of the program can be saving.
    static void removeLeftovers(const QString &path);
    /// Called by replace() once the new file is written and synced, just before it takes
    /// the old one's place; a test puts one there that returns false, which stops the save
    /// as a kill there would (the new file left, the old one kept). nullptr: none.
    using BeforeRename = bool (*)();
    static void setBeforeRename(BeforeRename hook);
};
