#include "DepreciationRates.h"

#include "cBase.h"
#include "cDao.h"

void DepreciationRates::load(cDao &dao)
{
    const DaoRows rows = dao.query(QStringLiteral("SELECT 償却年数, 定率法, 定額法 FROM M_償却"));
    const cBase base;
    QHash<int, std::array<double, 2>> rates;
    for (int i = 0; i < rows.count(); ++i)
        rates.insert(base.CvtLng(rows.value(i, 0)), {base.CvtDbl(rows.value(i, 1)), base.CvtDbl(rows.value(i, 2))});
    m_rates = std::move(rates);
}

double DepreciationRates::rate(int method, int life) const
{
    if (method != 0 && method != 1)
        return 0;
    const auto it = m_rates.constFind(life);
    return it == m_rates.constEnd() ? 0.0 : (*it)[size_t(method)];
}

QString DepreciationRates::methodName(int method)
{
    switch (method) {
    case 0:
        return QStringLiteral("定率法");
    case 1:
        return QStringLiteral("定額法");
    default:
        return QString();
    }
}
