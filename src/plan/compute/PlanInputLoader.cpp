#include "PlanInputLoader.h"

#include "PlanRows.h"
#include "cBase.h"
#include "cDao.h"

namespace
{

// The site data of the property; a missing property leaves the boxes empty.
template <class Input> void readSite(cDao &dao, int id1, Input &in)
{
    const DaoRows rows = dao.query(QStringLiteral("SELECT * FROM D_物件 WHERE ID1 = ?"), {id1});
    if (rows.isEmpty())
        return;
    in.numSikiti1 = rows.value(0, QStringLiteral("敷地面積"));
    in.numSikiti2 = rows.value(0, QStringLiteral("評価額"));
    in.numSikiti3 = rows.value(0, QStringLiteral("固定資産税税率"));
    in.numSikiti4 = rows.value(0, QStringLiteral("都市計画税税率"));
}

} // namespace

PlanInputLoader::PlanInputLoader(cDao &dao, Rows rows) : m_dao(dao), m_rows(rows) {}

QVector<LoanRow> PlanInputLoader::loans(int id1, int id2)
{
    const QString table = m_rows == Rows::Stored ? QStringLiteral("D_借入金") : QStringLiteral("W_借入金");
    QVector<LoanRow> rows;
    for (const LoanRecord &r : PlanRows::loans(m_dao, table, id1, id2))
        rows.append(r.toLoanRow());
    return rows;
}

QVector<RentRow> PlanInputLoader::rents(int id1, int id2)
{
    const QString table = m_rows == Rows::Stored ? QStringLiteral("D_家賃") : QStringLiteral("W_家賃");
    QVector<RentRow> rows;
    for (const RentRecord &r : PlanRows::rents(m_dao, table, id1, id2))
        rows.append(r.toRentRow());
    return rows;
}

bool PlanInputLoader::loadParking(int id1, int id2, ParkingPlanInput *input)
{
    const DaoRows rs = m_dao.query(QStringLiteral("SELECT * FROM D_駐車場 WHERE ID1 = ? AND ID2 = ?"), {id1, id2});
    if (rs.isEmpty())
        return false;
    ParkingPlanInput in;
    const auto f = [&](const char *name) { return rs.value(0, QString::fromUtf8(name)); };
    in.numRyokin2 = f("料金2");
    in.numRyokin3 = f("料金3");
    in.numYosan4 = f("予算4");
    in.numKeikaku1 = f("計画1");
    in.numKeikaku2 = f("計画2");
    in.numKeikaku3 = f("計画3");
    in.numKeikaku4 = f("計画4");
    in.numKeikaku5 = f("計画5");
    readSite(m_dao, id1, in);
    in.loans = loans(id1, id2);
    *input = std::move(in);
    return true;
}

bool PlanInputLoader::loadApartment(int id1, int id2, ApartmentPlanInput *input)
{
    const DaoRows rs =
        m_dao.query(QStringLiteral("SELECT * FROM D_賃貸マンション WHERE ID1 = ? AND ID2 = ?"), {id1, id2});
    if (rs.isEmpty())
        return false;
    const cBase base;
    ApartmentPlanInput in;
    const auto f = [&](const char *name) { return rs.value(0, QString::fromUtf8(name)); };
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
    readSite(m_dao, id1, in);
    in.rents = rents(id1, id2);
    in.loans = loans(id1, id2);
    *input = std::move(in);
    return true;
}
