#pragma once

#include <QByteArray>
#include <QString>

/// The whole content of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
/// Makes content the whole file; false when it cannot be written.
bool writeFileBytes(const QString &path, const QByteArray &content);
/// Makes a listening local socket at path, as a running program leaves one; false when it
/// cannot. It stays until the path is removed.
bool makeSocketFile(const QString &path);
/// True when path (following links) names a socket.
bool isSocketFile(const QString &path);
/// A sync call for RegularFile::setSyncCall, as on a disk that cannot keep a folder's
/// change: a file is synced, a folder's sync fails with EIO.
int syncFailingForFolders(int fd);
