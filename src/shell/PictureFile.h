#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

/// Pictures and icons named in the settings. An empty path means no picture; a
/// path that is missing or not an image also gives none, and reports it.
class PictureFile
{
public:
    /// The picture, or a null one; *ok is false only when a non-empty path failed.
    static QPixmap picture(const QString &path, bool *ok = nullptr);
    static QIcon icon(const QString &path, bool *ok = nullptr);
};
