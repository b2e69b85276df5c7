#include "LayoutReport.h"

#include "PaperCodes.h"
#include "ReportRenderer.h"

#include <algorithm>

LayoutReport::LayoutReport(ReportLayout layout, ReportData data) : m_layout(std::move(layout)), m_data(std::move(data))
{
}

ReportData LayoutReport::runData() const
{
    ReportData data = m_data;
    if (const auto &bound = DAODataControl1().Recordset()) {
        data.columns = bound->columns;
        data.rows = bound->rows;
    }
    return data;
}

bool LayoutReport::hasData() const
{
    return !ReportRenderer::hasNoData(m_layout, runData());
}

std::vector<DrawList> LayoutReport::renderPages(const QPageLayout &page) const
{
    std::vector<DrawList> pages = ReportRenderer::renderContent(m_layout, runData());
    if (pages.empty())
        return pages;

    // Twips from the page layout's points; the width as the centring measures it.
    const QSizeF paper(PaperCodes::paperWidthTwips(page.pageSize(), page.orientation()),
                       page.fullRectPoints().height() * 20);
    const QMarginsF margins = page.margins(QPageLayout::Point) * 20;
    QPageLayout inPoints = page;
    inPoints.setUnits(QPageLayout::Point);
    const QMarginsF printer = inPoints.minimumMargins() * 20;
    const QSizeF room =
        ReportRenderer::room(paper, std::max(printer.left(), printer.right()), margins.top(), margins.bottom());
    double scale = ReportRenderer::fitScale(pages.front().size, room);
    // What the pages draw must also fit the height the printer prints on: the engine then
    // moves them out of its top or bottom margin.
    const QRectF drawn = drawnBounds(pages);
    if (drawn.height() > 0)
        scale = std::min(scale, (paper.height() - printer.top() - printer.bottom()) / drawn.height());
    if (scale <= 0)
        return {};
    if (scale >= 1)
        return pages;
    for (DrawList &full : pages) {
        DrawList small;
        small.size = full.size * scale;
        small.embed(full, QRectF(QPointF(0, 0), small.size));
        full = std::move(small);
    }
    return pages;
}

double LayoutReport::layoutRightEdge(const std::vector<DrawList> &pages) const
{
    const double width = m_layout.pageHeader.height + m_layout.detail.height > 0 ? m_layout.rightEdge() : 0;
    if (pages.empty() || width <= 0)
        return rightEdge(pages);
    // Pages drawn smaller than the layout carry its scale in their width.
    return width * std::min(1.0, pages.front().size.width() / width);
}
