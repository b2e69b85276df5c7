#pragma once

#include <QColor>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

/// One thing to draw, placed in twips (1/1440 inch) on its list's canvas.
struct DrawItem {
    enum Kind { Rect, Line, Polyline, Text };

    Kind kind = Rect;
    QRectF rect;         ///< Rect: the box; Text: the box the text is aligned in
    QLineF line;         ///< Line
    QPolygonF points;    ///< Polyline
    QColor pen;          ///< outline or text colour; invalid draws no outline
    double penTwips = 0; ///< line width in twips; 0 is the thinnest line the device draws
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor brush; ///< fill of a Rect; invalid leaves it unfilled
    QString text;
    QString fontFace; ///< the face as the forms name it ("ＭＳ ゴシック"); mapped to an installed font
    double fontPoints = 9;
    bool bold = false;
    int align = Qt::AlignLeft | Qt::AlignVCenter; ///< Qt::Alignment flags
    bool wrap = false;                            ///< Text: break at word boundaries inside rect
    bool clip = true;                             ///< Text: nothing drawn outside rect
    bool fit = false; ///< Text: a single line wider than rect is drawn in a smaller font that fits

    bool operator==(const DrawItem &other) const = default;
};

/// A device-independent drawing: a canvas size and items in twips. The plan window's
/// graph, the report pages and the graph on a report page are all draw lists, so one
/// painter puts them on the screen, a printer, a PDF file or an image.
struct DrawList {
    QSizeF size; ///< canvas in twips
    std::vector<DrawItem> items;

    void rect(const QRectF &r, const QColor &pen, const QColor &brush = QColor(), double penTwips = 0);
    void line(const QPointF &a, const QPointF &b, const QColor &pen, double penTwips = 0,
              Qt::PenStyle style = Qt::SolidLine);
    void polyline(const QPolygonF &points, const QColor &pen, double penTwips = 0);
    DrawItem &text(const QRectF &r, const QString &text, const QColor &pen, const QString &face, double points,
                   int align = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false);
    /// Appends another list scaled to fit target (in this list's twips), keeping the
    /// other list's proportions of lines and texts: texts scale with the picture.
    void embed(const DrawList &other, const QRectF &target);

    bool operator==(const DrawList &other) const = default;
};

/// Paints the list with its canvas mapped onto target (device coordinates of the
/// painter). Texts are sized so that a 9-point text keeps its share of the canvas:
/// the drawing looks the same on every device and at every scale.
void paintDrawList(QPainter &painter, const DrawList &list, const QRectF &target);
