#include "PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

QPixmap PictureFile::picture(const QString &path, bool *ok)
{
    if (ok)
        *ok = true;
    const QString file = path.trimmed();
    if (file.isEmpty())
        return QPixmap();
    QPixmap pixmap;
    if (QFileInfo(file).isFile()) {
        QImageReader reader(file);
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (!image.isNull())
            pixmap = QPixmap::fromImage(image);
    }
    if (pixmap.isNull() && ok)
        *ok = false;
    return pixmap;
}

QIcon PictureFile::icon(const QString &path, bool *ok)
{
    const QPixmap pixmap = picture(path, ok);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}
