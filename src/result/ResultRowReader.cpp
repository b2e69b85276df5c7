#include "ResultRowReader.h"

#include "PlanTables.h"
#include "PlanType.h"
#include "cBase.h"
#include "cDao.h"

ResultRowReader::ResultRowReader(cDao &dao) : m_dao(dao) {}

QVector<ResultRow> ResultRowReader::rows(int id1, int id2, const YearView &view) const
{
    // An empty filter (no valid interval yet) makes the statement fail, as it should:
    // there are no display years to read.
    const DaoRows rs = m_dao.query(QStringLiteral("SELECT 年, TYPE, 収入, 支出, 収支累計 FROM T_収支 "
                                                  "WHERE ID1 = ? AND ID2 = ? AND (") +
                                       view.filter + QStringLiteral(") ORDER BY 年"),
                                   {id1, id2});
    const cBase base;
    QVector<ResultRow> rows;
    rows.reserve(rs.count());
    for (int i = 0; i < rs.count(); ++i) {
        ResultRow row;
        row.year = base.CvtLng(rs.value(i, 0));
        row.type = base.CvtLng(rs.value(i, 1));
        row.income = base.CvtLng(rs.value(i, 2));
        row.expense = base.CvtLng(rs.value(i, 3));
        row.balance = base.CvtLng(rs.value(i, 4));
        rows.append(row);
    }
    return rows;
}

ResultScales ResultRowReader::scales(int id1, const YearView &view) const
{
    // No plan number: the scales are common to every plan of the property.
    const DaoRows rs =
        m_dao.query(QStringLiteral("SELECT MAX(収支累計), MIN(収支累計), MAX(収入), MAX(支出) FROM T_収支 "
                                   "WHERE (") +
                        view.filter + QStringLiteral(") AND ID1 = ?"),
                    {id1});
    const cBase base;
    ResultScales s;
    if (!rs.isEmpty()) {
        s.maxBalance = base.CvtLng(rs.value(0, 0));
        s.minBalance = base.CvtLng(rs.value(0, 1));
        s.maxIncome = base.CvtLng(rs.value(0, 2));
        s.maxExpense = base.CvtLng(rs.value(0, 3));
    }
    return s;
}

bool ResultRowReader::hasPlanRow(const QString &table, int id1, int id2) const
{
    return !m_dao
                .query(QStringLiteral("SELECT ID2 FROM ") + table + QStringLiteral(" WHERE ID1 = ? AND ID2 = ?"),
                       {id1, id2})
                .isEmpty();
}

int ResultRowReader::tablePlanType(int id1, int id2) const
{
    // In this order a plan without result rows is looked for.
    for (PlanType type : {PlanType::Parking, PlanType::Apartment, PlanType::Store})
        if (hasPlanRow(planTable(type), id1, id2))
            return planTypeNumber(type);
    return 0;
}

QString ResultRowReader::planName(int id1, int id2, int type) const
{
    const std::optional<PlanType> planType = planTypeOf(type);
    if (!planType)
        return QString::number(id1) + QStringLiteral("データ");
    const DaoRows rs = m_dao.query(QStringLiteral("SELECT 名称 FROM ") + planTable(*planType) +
                                       QStringLiteral(" WHERE ID1 = ? AND ID2 = ?"),
                                   {id1, id2});
    return rs.isEmpty() ? QString() : cBase().CvtStr(rs.value(0, 0));
}

QString ResultRowReader::caption(const QString &planName)
{
    return QStringLiteral("計画名  [") + planName + QLatin1Char(']');
}
