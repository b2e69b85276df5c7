#include "PlanWindowGeometry.h"

#include <cmath>

int PlanWindowGeometry::effectiveSize(int dispSize)
{
    return dispSize >= 1 && dispSize <= 3 ? dispSize : 2;
}

double PlanWindowGeometry::factor(int dispSize)
{
    switch (effectiveSize(dispSize)) {
    case 1:
        return 1.45;
    case 3:
        return 1 / 1.45;
    default:
        return 1.0;
    }
}

QSize PlanWindowGeometry::plotSize(const QSizeF &picture)
{
    // std::rint rounds halves to even in the default rounding mode.
    return QSize(int(std::rint(picture.width() - 2660)), int(std::rint(picture.height() - 760)));
}

PlanWindowGeometry::PlanWindowGeometry(int dispSize, bool graphOnly, double frameAllowance)
    : m_factor(factor(dispSize)), m_graphOnly(graphOnly), m_frameAllowance(frameAllowance)
{
}

std::array<double, 4> PlanWindowGeometry::gridColumnWidths() const
{
    return {600 * m_factor - 130, 1600 * m_factor - 130, 1600 * m_factor - 130, 1670 * m_factor - 130};
}

QSizeF PlanWindowGeometry::windowSize() const
{
    double height = 7535 * m_factor + m_frameAllowance;
    if (m_graphOnly)
        height *= kGraphOnlyShare;
    return QSizeF(7410 * m_factor, height);
}

QRectF PlanWindowGeometry::scaled(double left, double top, double width, double height) const
{
    return QRectF(left * m_factor, top * m_factor, width * m_factor, height * m_factor);
}
