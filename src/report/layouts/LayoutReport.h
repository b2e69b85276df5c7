#pragma once

#include "ActiveReport.h"
#include "ReportData.h"
#include "ReportLayout.h"

/// A report layout held as data (ReportLayouts) run by the report engine: the layout's
/// fields, graph and rows come from its ReportData, and the rows bound to the data control
/// (DAODataControl1, as the print job binds its record set) take the place of the data's own.
///
/// Its pages are the layout's content at the margin corner, not whole sheets: the engine
/// centres them on the paper by their right edge (CenterLayout), so the page is centred
/// once. A layout wider than the paper less a side margin on each side (the printer's own, the
/// page layout's minimum margins, and at least 5 mm), or taller than the room between the top
/// and bottom margins, is drawn smaller until it fits (ReportRenderer::room) and then centred
/// with that margin; the side margins, which the centring of an earlier run set, never count.
/// What the pages draw is also drawn smaller where it is taller than the height the printer
/// prints on (the paper less its top and bottom minimum margins), for the engine to place it
/// there (ActiveReport::placedTop).
class LayoutReport : public ActiveReport
{
public:
    LayoutReport(ReportLayout layout, ReportData data);

    const ReportLayout &layout() const { return m_layout; }
    const ReportData &data() const { return m_data; }
    /// The data a run prints: the fields and graph of data(), the rows of the bound record
    /// set when one is bound, else those of data().
    ReportData runData() const;

    std::vector<DrawList> renderPages(const QPageLayout &page) const override;
    bool hasData() const override;
    /// The right edge of every control of the layout, hidden ones included, at the scale
    /// the pages were drawn at: the rule the sheets were designed to be centred by.
    double layoutRightEdge(const std::vector<DrawList> &pages) const override;

private:
    ReportLayout m_layout;
    ReportData m_data;
};
