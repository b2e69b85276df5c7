#include "LayoutReport.h"

#include "ReportRenderer.h"

#include <cmath>

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

    // Twips from the page layout's points.
    const QRectF paper = page.fullRectPoints();
    const QMarginsF margins = page.margins(QPageLayout::Point);
    const double paperWidth = paper.width() * 20;
    const QSizeF content = pages.front().size;
    // Content narrower than the paper is centred on it, which replaces the side margins; wider
    // content keeps them and has to fit between them.
    const bool centred = std::nearbyint(paperWidth - content.width()) > 0;
    const double roomWidth = centred ? paperWidth : paperWidth - (margins.left() + margins.right()) * 20;
    const double roomHeight = (paper.height() - margins.top() - margins.bottom()) * 20;
    const double scale = ReportRenderer::fitScale(content, QSizeF(roomWidth, roomHeight));
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
