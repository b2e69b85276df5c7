#include "Projection.h"

QVector<YearResult> Projection::computeAll()
{
    QVector<YearResult> rows;
    rows.reserve(Years);
    m_balance = Currency();
    for (int year = 1; year <= Years; ++year) {
        Compute(year);
        rows.append(m_result);
    }
    return rows;
}
