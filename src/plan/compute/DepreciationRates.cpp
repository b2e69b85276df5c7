#include "DepreciationRates.h"

#include "Recordset.h"
#include "cBase.h"
#include "cDao.h"

bool DepreciationRates::load(cDao &dao)
{
    auto rs = dao.OpenRecordset(QStringLiteral("SELECT 償却年数, 定率法, 定額法 FROM M_償却"));
    if (!rs)
        return false;
    const cBase base;
    QHash<int, std::array<double, 2>> rates;
    for (; !rs->isEOF(); rs->MoveNext())
        rates.insert(base.CvtLng(rs->Fields(0)), {base.CvtDbl(rs->Fields(1)), base.CvtDbl(rs->Fields(2))});
    m_rates = std::move(rates);
    return true;
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
