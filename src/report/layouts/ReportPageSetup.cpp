#include "ReportPageSetup.h"

#include <QPageLayout>
#include <QRectF>

#include <cmath>

ReportPageSetup ReportPageSetup::fromPageLayout(const QPageLayout &layout)
{
    ReportPageSetup setup;
    // Millimetres give the paper exactly (points are rounded to whole ones).
    const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
    setup.paper = QSizeF(std::round(mm.width() * 1440 / 25.4), std::round(mm.height() * 1440 / 25.4));
    return setup;
}
