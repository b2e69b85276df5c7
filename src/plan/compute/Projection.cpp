#include "Projection.h"

std::optional<QVector<YearResult>> Projection::computeAll()
{
    QVector<YearResult> rows;
    rows.reserve(Years);
    m_balance = Currency();
    for (int year = 1; year <= Years; ++year) {
        if (!Compute(year))
            return std::nullopt;
        rows.append(m_result);
    }
    return rows;
}

void Projection::fail(const char *procedure, const QString &message) noexcept
{
    if (m_errorProcedure.isEmpty()) {
        m_errorProcedure = QString::fromUtf8(procedure);
        m_errorMessage = message;
    }
}
