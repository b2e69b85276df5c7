#include "DrawList.h"

#include "VbFont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

void DrawList::rect(const QRectF &r, const QColor &pen, const QColor &brush, double penTwips)
{
    DrawItem item;
    item.kind = DrawItem::Rect;
    item.rect = r;
    item.pen = pen;
    item.brush = brush;
    item.penTwips = penTwips;
    items.push_back(std::move(item));
}

void DrawList::line(const QPointF &a, const QPointF &b, const QColor &pen, double penTwips, Qt::PenStyle style)
{
    DrawItem item;
    item.kind = DrawItem::Line;
    item.line = QLineF(a, b);
    item.pen = pen;
    item.penTwips = penTwips;
    item.penStyle = style;
    items.push_back(std::move(item));
}

void DrawList::polyline(const QPolygonF &points, const QColor &pen, double penTwips)
{
    DrawItem item;
    item.kind = DrawItem::Polyline;
    item.points = points;
    item.pen = pen;
    item.penTwips = penTwips;
    items.push_back(std::move(item));
}

DrawItem &DrawList::text(const QRectF &r, const QString &text, const QColor &pen, const QString &face, double points,
                         int align, bool bold)
{
    DrawItem item;
    item.kind = DrawItem::Text;
    item.rect = r;
    item.text = text;
    item.pen = pen;
    item.fontFace = face;
    item.fontPoints = points;
    item.align = align;
    item.bold = bold;
    items.push_back(std::move(item));
    return items.back();
}

void DrawList::embed(const DrawList &other, const QRectF &target)
{
    if (other.size.width() <= 0 || other.size.height() <= 0)
        return;
    const double sx = target.width() / other.size.width();
    const double sy = target.height() / other.size.height();
    const auto map = [&](const QPointF &p) { return QPointF(target.left() + p.x() * sx, target.top() + p.y() * sy); };
    const auto mapRect = [&](const QRectF &r) { return QRectF(map(r.topLeft()), map(r.bottomRight())); };
    for (DrawItem item : other.items) {
        item.rect = mapRect(item.rect);
        item.line = QLineF(map(item.line.p1()), map(item.line.p2()));
        for (QPointF &p : item.points)
            p = map(p);
        item.penTwips *= std::min(sx, sy);
        item.fontPoints *= std::min(sx, sy);
        items.push_back(std::move(item));
    }
}

namespace
{

// minWidth: the thinnest line in the list's units; 0 leaves a thinner pen as it is.
QPen penFor(const DrawItem &item, double minWidth)
{
    if (!item.pen.isValid())
        return Qt::NoPen;
    QPen pen(item.pen);
    pen.setWidthF(std::max(item.penTwips, minWidth)); // 0 is a cosmetic one-pixel line
    pen.setStyle(item.penStyle);
    return pen;
}

// A line of one device dot nearly vanishes on paper (0.02 mm at 1200 dots per inch): no line
// is drawn thinner than half a point. On the screen half a point is less than a pixel, and
// the thinnest line stays one pixel wide.
double thinnestLine(const QPainter &painter)
{
    const double halfPoint = painter.device() ? painter.device()->logicalDpiY() / 144.0 : 0; // in dots
    const double dotsPerUnit = std::sqrt(std::abs(painter.combinedTransform().determinant()));
    return halfPoint > 1 && dotsPerUnit > 0 ? halfPoint / dotsPerUnit : 0;
}

} // namespace

void paintDrawList(QPainter &painter, const DrawList &list, const QRectF &target)
{
    if (list.size.width() <= 0 || list.size.height() <= 0 || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(target.topLeft());
    painter.scale(target.width() / list.size.width(), target.height() / list.size.height());
    const double minWidth = thinnestLine(painter);
    for (const DrawItem &item : list.items) {
        painter.setPen(penFor(item, minWidth));
        switch (item.kind) {
        case DrawItem::Rect:
            painter.setBrush(item.brush.isValid() ? QBrush(item.brush) : QBrush(Qt::NoBrush));
            painter.drawRect(item.rect);
            break;
        case DrawItem::Line:
            painter.drawLine(item.line);
            break;
        case DrawItem::Polyline:
            painter.drawPolyline(item.points);
            break;
        case DrawItem::Text: {
            // The canvas is in twips, so a font of n points is 20 n units high.
            QFont font = VbFont::make(item.fontFace, 9, item.bold);
            int pixels = std::max(1, int(std::lround(item.fontPoints * 20)));
            font.setPixelSize(pixels);
            if (item.fit && !item.wrap) {
                const double width = QFontMetricsF(font).horizontalAdvance(item.text);
                if (width > item.rect.width() && item.rect.width() > 0) {
                    pixels = std::max(1, int(std::floor(pixels * item.rect.width() / width)));
                    font.setPixelSize(pixels);
                }
            }
            painter.setFont(font);
            int flags = item.align;
            if (item.wrap)
                flags |= Qt::TextWordWrap;
            if (!item.clip)
                flags |= Qt::TextDontClip;
            painter.drawText(item.rect, flags, item.text);
            break;
        }
        }
    }
    painter.restore();
}
