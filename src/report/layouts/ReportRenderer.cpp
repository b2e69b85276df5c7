#include "ReportRenderer.h"

#include "PaperCodes.h"
#include "VbRuntime.h"

#include <algorithm>
#include <cmath>

const QString ReportRenderer::kNoDataMessage = QStringLiteral("印刷データがありません。");

namespace
{

// Texts keep a little room from the rules on either side.
constexpr double kTextPadding = 45;

const QColor kInk(0, 0, 0);

void addText(DrawList &list, const ReportControl &c, const QString &text, double dy)
{
    if (text.isEmpty())
        return;
    const QRectF box = c.rect.translated(0, dy).adjusted(kTextPadding, 0, -kTextPadding, 0);
    DrawItem &item = list.text(box, text, c.fore.isValid() ? c.fore : kInk, c.fontFace, c.fontPoints, c.align, c.bold);
    item.wrap = c.wrap || text.contains(QLatin1Char('\n'));
    item.fit = !item.wrap;
}

// Draws the section's fixed controls at offset y: fills first, so that the rules and frames
// drawn over them stay whole, then rules and frames, the picture, and the captions last.
void drawFixed(DrawList &list, const ReportSection &section, double y, const QSet<QString> &hidden,
               const DrawList &graph)
{
    for (const ReportControl &c : section.controls) {
        if (c.kind == ReportControl::Label && c.visible && c.back.isValid() && !hidden.contains(c.name))
            list.rect(c.rect.translated(0, y), QColor(), c.back);
    }
    for (const ReportControl &c : section.controls) {
        if (!c.visible)
            continue;
        if (c.kind == ReportControl::Box)
            list.rect(c.rect.translated(0, y), c.fore, QColor(), c.lineTwips);
        else if (c.kind == ReportControl::Line)
            list.line(c.line.p1() + QPointF(0, y), c.line.p2() + QPointF(0, y), c.fore, c.lineTwips);
    }
    for (const ReportControl &c : section.controls) {
        if (c.kind == ReportControl::Picture && c.visible && !graph.items.empty())
            list.embed(graph, c.rect.translated(0, y));
    }
    for (const ReportControl &c : section.controls) {
        if (c.kind == ReportControl::Label && c.visible && !hidden.contains(c.name))
            addText(list, c, c.text, y);
    }
}

} // namespace

bool ReportRenderer::hasNoData(const ReportLayout &layout, const ReportData &data)
{
    return layout.isRowLayout() && data.rows.isEmpty();
}

QSet<QString> ReportRenderer::hiddenLabels(const ReportLayout &layout, const ReportData &data)
{
    QSet<QString> hidden;
    for (const HideRule &rule : layout.hideRules) {
        if (data.field(rule.field).isEmpty()) {
            for (const QString &label : rule.labels)
                hidden.insert(label);
        }
    }
    return hidden;
}

QString ReportRenderer::rowText(const ReportControl &field, const ReportData &data, int row)
{
    const QString text = vb::trim(vb::cstr(data.value(row, field.column)));
    if (text.isEmpty() || field.format.isEmpty())
        return text;
    return vb::format(text, field.format);
}

std::vector<DrawList> ReportRenderer::renderContent(const ReportLayout &layout, const ReportData &data)
{
    std::vector<DrawList> pages;
    if (hasNoData(layout, data))
        return pages;

    // The page footer takes no room: its height is 0 whenever it is formatted.
    const double width = layout.rightEdge();
    const double height = layout.pageHeader.height + layout.detail.height;
    if (width <= 0 || height <= 0)
        return pages;

    const QSet<QString> hidden = hiddenLabels(layout, data);
    const int records = layout.isRowLayout() ? int(data.rows.size()) : 1;
    const int perPage = layout.isRowLayout() ? layout.rowsPerPage : 1;
    for (int first = 0; first < records; first += perPage) {
        DrawList content;
        content.size = QSizeF(width, height);
        drawFixed(content, layout.pageHeader, 0, hidden, data.graph);
        drawFixed(content, layout.detail, layout.pageHeader.height, hidden, data.graph);
        for (const ReportSection *section : {&layout.pageHeader, &layout.detail}) {
            const double y = section == &layout.detail ? layout.pageHeader.height : 0;
            for (const ReportControl &c : section->controls) {
                if (c.kind != ReportControl::Field || !c.visible)
                    continue;
                if (!layout.isRowLayout()) {
                    addText(content, c, data.field(c.name), y);
                    continue;
                }
                const int last = std::min(records, first + perPage);
                for (int row = first; row < last; ++row)
                    addText(content, c, rowText(c, data, row), y + (row - first) * layout.rowPitch);
            }
        }
        pages.push_back(std::move(content));
    }
    return pages;
}

double ReportRenderer::fitScale(const QSizeF &content, const QSizeF &room)
{
    if (content.isEmpty())
        return 0;
    return std::min({1.0, room.width() / content.width(), room.height() / content.height()});
}

double ReportRenderer::leastSideMargin()
{
    // A printer without a borderless mode loses what lies nearer the edge. Whole twips: the
    // centring rounds the free width to whole twips and must leave no less on either side.
    return std::ceil(PaperCodes::twipsFromMillimetres(5));
}

QSizeF ReportRenderer::room(const QSizeF &paper, double printerSide, double marginTop, double marginBottom)
{
    const double side = std::max(printerSide, leastSideMargin());
    return QSizeF(paper.width() - 2 * side, paper.height() - marginTop - marginBottom);
}
