#include "PlanInputLoader.h"

#include "Recordset.h"
#include "cBase.h"
#include "cDao.h"

namespace
{

// The site data of the property; a missing property leaves the boxes empty.
template <class Input> bool readSite(cDao &dao, int id1, Input &in)
{
    const cBase base;
    auto rs = dao.OpenRecordset(QStringLiteral("SELECT * FROM D_物件 WHERE ID1 = ") + base.CvtSQL(id1, cBase::SqlLong));
    if (!rs)
        return false;
    if (!rs->isEOF()) {
        in.numSikiti1 = rs->Fields(QStringLiteral("敷地面積"));
        in.numSikiti2 = rs->Fields(QStringLiteral("評価額"));
        in.numSikiti3 = rs->Fields(QStringLiteral("固定資産税税率"));
        in.numSikiti4 = rs->Fields(QStringLiteral("都市計画税税率"));
    }
    return true;
}

} // namespace

PlanInputLoader::PlanInputLoader(cDao &dao, Rows rows) : m_dao(dao), m_rows(rows) {}

QString PlanInputLoader::planCondition(int id1, int id2) const
{
    const cBase base;
    return QStringLiteral(" WHERE ID1 = ") + base.CvtSQL(id1, cBase::SqlLong) + QStringLiteral(" AND ID2 = ") +
           base.CvtSQL(id2, cBase::SqlLong);
}

bool PlanInputLoader::loadLoans(int id1, int id2, QVector<LoanRow> *loans)
{
    const QString table = m_rows == Rows::Stored ? QStringLiteral("D_借入金") : QStringLiteral("W_借入金");
    auto rs = m_dao.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + planCondition(id1, id2) +
                                  QStringLiteral(" ORDER BY 連番"));
    if (!rs)
        return false;
    QVector<LoanRow> rows;
    for (; !rs->isEOF(); rs->MoveNext()) {
        LoanRow r;
        r.amount = rs->Fields(QStringLiteral("借入金額"));
        r.method = rs->Fields(QStringLiteral("返済方式"));
        r.end1 = rs->Fields(QStringLiteral("返済終了1"));
        r.rate1 = rs->Fields(QStringLiteral("金利1"));
        r.end2 = rs->Fields(QStringLiteral("返済終了2"));
        r.rate2 = rs->Fields(QStringLiteral("金利2"));
        r.term = rs->Fields(QStringLiteral("返済期間"));
        rows.append(r);
    }
    *loans = std::move(rows);
    return true;
}

bool PlanInputLoader::loadRents(int id1, int id2, QVector<RentRow> *rents)
{
    const QString table = m_rows == Rows::Stored ? QStringLiteral("D_家賃") : QStringLiteral("W_家賃");
    auto rs = m_dao.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + planCondition(id1, id2) +
                                  QStringLiteral(" ORDER BY タイプ"));
    if (!rs)
        return false;
    QVector<RentRow> rows;
    for (; !rs->isEOF(); rs->MoveNext()) {
        RentRow r;
        r.rent = rs->Fields(QStringLiteral("月家賃"));
        r.commonCharge = rs->Fields(QStringLiteral("月共益費"));
        r.households = rs->Fields(QStringLiteral("世帯数"));
        r.parkingFee = rs->Fields(QStringLiteral("月駐車料"));
        r.deposit = rs->Fields(QStringLiteral("敷金"));
        rows.append(r);
    }
    *rents = std::move(rows);
    return true;
}

bool PlanInputLoader::loadParking(int id1, int id2, ParkingPlanInput *input)
{
    auto rs = m_dao.OpenRecordset(QStringLiteral("SELECT * FROM D_駐車場") + planCondition(id1, id2));
    if (!rs || rs->isEOF())
        return false;
    ParkingPlanInput in;
    const auto f = [&](const char *name) { return rs->Fields(QString::fromUtf8(name)); };
    in.numRyokin2 = f("料金2");
    in.numRyokin3 = f("料金3");
    in.numYosan4 = f("予算4");
    in.numKeikaku1 = f("計画1");
    in.numKeikaku2 = f("計画2");
    in.numKeikaku3 = f("計画3");
    in.numKeikaku4 = f("計画4");
    in.numKeikaku5 = f("計画5");
    if (!readSite(m_dao, id1, in) || !loadLoans(id1, id2, &in.loans))
        return false;
    *input = std::move(in);
    return true;
}

bool PlanInputLoader::loadApartment(int id1, int id2, ApartmentPlanInput *input)
{
    auto rs = m_dao.OpenRecordset(QStringLiteral("SELECT * FROM D_賃貸マンション") + planCondition(id1, id2));
    if (!rs || rs->isEOF())
        return false;
    const cBase base;
    ApartmentPlanInput in;
    const auto f = [&](const char *name) { return rs->Fields(QString::fromUtf8(name)); };
    // A stored negative or empty list index selects the first entry, as the form does.
    const auto index = [&](const char *name) { return qMax(0, base.CvtLng(f(name))); };
    in.numKaoku3 = f("建物3");
    in.numKaoku4 = f("建物4");
    in.numKaoku5 = f("建物5");
    in.numKaoku6 = f("建物6");
    in.numKaoku7 = f("建物7");
    in.numKaoku8 = f("建物8");
    in.chkKaoku9 = f("建物9");
    in.numYosan3 = f("予算3");
    in.numYosan4 = f("予算4");
    in.numYosan5 = f("予算5");
    in.numYosan6 = f("予算6");
    in.numYosan7 = f("予算7");
    in.numYosan8 = f("予算8");
    in.numYosan9 = f("予算9");
    in.numYosan10 = f("予算10");
    in.numYosan11 = f("予算11");
    in.cmbGenka1 = index("減価1");
    in.numGenka2 = f("減価2");
    in.numGenka3 = f("減価3");
    in.numGenka4 = f("減価4");
    in.numGenka5 = f("減価5");
    in.cmbGenka6 = index("減価6");
    in.numKeikaku1 = f("計画1");
    in.numKeikaku2 = f("計画2");
    in.numKeikaku3 = f("計画3");
    in.numKeikaku4 = f("計画4");
    in.numKeikaku5 = f("計画5");
    in.numKeikaku6 = f("計画6");
    in.numKeikaku7 = f("計画7");
    in.numKeikaku8 = f("計画8");
    in.numKeikaku9 = f("計画9");
    in.numKasai = f("火災保険");
    if (!readSite(m_dao, id1, in) || !loadRents(id1, id2, &in.rents) || !loadLoans(id1, id2, &in.loans))
        return false;
    *input = std::move(in);
    return true;
}
