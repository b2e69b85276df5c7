#pragma once

#include <QSizeF>

class QPageLayout;

/// The paper a report is laid out on and the layout's own page margins, in twips. The report
/// is centred on the paper's width when it is narrower than the paper, so the left and right
/// margins then come from the centring.
struct ReportPageSetup {
    /// A4 portrait.
    QSizeF paper{11906, 16838};
    double marginLeft = 1440;
    double marginTop = 1440;
    double marginRight = 1440;
    double marginBottom = 1440;

    /// The paper (size and orientation) of a printer's or a PDF writer's page layout; the
    /// margins stay the report's own.
    static ReportPageSetup fromPageLayout(const QPageLayout &layout);
};
