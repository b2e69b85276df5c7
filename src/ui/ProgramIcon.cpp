#include "ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace
{

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0); // drawn on a 64 × 64 grid

    // The plot: a tile of sky over green ground.
    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(0x3f, 0x8f, 0xd8));
    sky.setColorAt(1, QColor(0x1f, 0x5f, 0xa8));
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.fillPath(tile, sky);
    p.setClipPath(tile);
    p.fillRect(QRectF(0, 50, 64, 14), QColor(0x3c, 0x9a, 0x3c));
    p.setClipping(false);

    // Three buildings, each taller than the one before, with rows of windows.
    const QRectF buildings[] = {{10, 34, 12, 17}, {26, 24, 12, 27}, {42, 14, 12, 37}};
    for (const QRectF &b : buildings) {
        p.fillRect(b, QColor(0xf5, 0xf5, 0xf0));
        for (double y = b.top() + 3; y + 3 < b.bottom(); y += 6) {
            p.fillRect(QRectF(b.left() + 2.5, y, 2.5, 2.5), QColor(0x2a, 0x4a, 0x70));
            p.fillRect(QRectF(b.right() - 5, y, 2.5, 2.5), QColor(0x2a, 0x4a, 0x70));
        }
    }

    // The balance line rising over them, ending in a dot.
    QPen line(QColor(0xff, 0xc1, 0x07), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    const QPointF points[] = {{8, 30}, {22, 22}, {36, 16}, {52, 8}};
    p.drawPolyline(points, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc1, 0x07));
    p.drawEllipse(QPointF(52, 8), 4, 4);
    p.end();
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawIcon(size));
    return icon;
}
