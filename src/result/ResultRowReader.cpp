#include "ResultRowReader.h"

#include "PlanQuery.h"
#include "PlanType.h"
#include "cBase.h"
#include "cDao.h"

using PlanQuery::open;
using PlanQuery::planCondition;

namespace
{

// The plan table of each plan type, in the order a plan without result rows is looked for.
const std::pair<PlanType, QString> kPlanTables[] = {{PlanType::Parking, QStringLiteral("D_駐車場")},
                                                    {PlanType::Apartment, QStringLiteral("D_賃貸マンション")},
                                                    {PlanType::Store, QStringLiteral("D_店舗")}};

QString planTable(PlanType type)
{
    for (const auto &[t, table] : kPlanTables)
        if (t == type)
            return table;
    return QString();
}

} // namespace

ResultRowReader::ResultRowReader(cDao &dao) : m_dao(dao) {}

QVector<ResultRow> ResultRowReader::rows(int id1, int id2, const YearView &view) const
{
    // An empty filter (no valid interval yet) makes the statement fail, as it should:
    // there are no display years to read.
    const auto rs = open(m_dao, QStringLiteral("SELECT 年, TYPE, 収入, 支出, 収支累計 FROM T_収支 WHERE ") +
                                    planCondition(id1, id2) + QStringLiteral(" AND (") + view.filter +
                                    QStringLiteral(") ORDER BY 年"));
    const cBase base;
    QVector<ResultRow> rows;
    rows.reserve(rs->RecordCount());
    for (rs->MoveFirst(); !rs->isEOF(); rs->MoveNext()) {
        ResultRow row;
        row.year = base.CvtLng(rs->Fields(0));
        row.type = base.CvtLng(rs->Fields(1));
        row.income = base.CvtLng(rs->Fields(2));
        row.expense = base.CvtLng(rs->Fields(3));
        row.balance = base.CvtLng(rs->Fields(4));
        rows.append(row);
    }
    return rows;
}

ResultScales ResultRowReader::scales(int id1, const YearView &view) const
{
    // No plan number: the scales are common to every plan of the property.
    const auto rs = open(m_dao, QStringLiteral("SELECT MAX(収支累計), MIN(収支累計), MAX(収入), MAX(支出) FROM T_収支 "
                                               "WHERE (") +
                                    view.filter + QStringLiteral(") AND ID1 = ") + PlanQuery::number(id1));
    const cBase base;
    ResultScales s;
    if (!rs->isEOF()) {
        s.maxBalance = base.CvtLng(rs->Fields(0));
        s.minBalance = base.CvtLng(rs->Fields(1));
        s.maxIncome = base.CvtLng(rs->Fields(2));
        s.maxExpense = base.CvtLng(rs->Fields(3));
    }
    return s;
}

bool ResultRowReader::hasPlanRow(const QString &table, int id1, int id2) const
{
    return !open(m_dao,
                 QStringLiteral("SELECT ID2 FROM ") + table + QStringLiteral(" WHERE ") + planCondition(id1, id2))
                ->isEOF();
}

int ResultRowReader::tablePlanType(int id1, int id2) const
{
    for (const auto &[type, table] : kPlanTables)
        if (hasPlanRow(table, id1, id2))
            return planTypeNumber(type);
    return 0;
}

QString ResultRowReader::planName(int id1, int id2, int type) const
{
    const std::optional<PlanType> planType = planTypeOf(type);
    if (!planType)
        return PlanQuery::number(id1) + QStringLiteral("データ");
    const auto rs = open(m_dao, QStringLiteral("SELECT 名称 FROM ") + planTable(*planType) + QStringLiteral(" WHERE ") +
                                    planCondition(id1, id2));
    return rs->isEOF() ? QString() : cBase().CvtStr(rs->Fields(0));
}

QString ResultRowReader::caption(const QString &planName)
{
    return QStringLiteral("計画名  [") + planName + QLatin1Char(']');
}
