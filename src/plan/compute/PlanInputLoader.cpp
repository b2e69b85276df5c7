#include "PlanInputLoader.h"

#include "ApartmentPlanRecord.h"
#include "ParkingPlanRecord.h"
#include "PlanRows.h"
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

void PlanInputLoader::loadRows(int id1, int id2, ParkingPlanInput &input)
{
    input.loans = loans(id1, id2);
}

void PlanInputLoader::loadRows(int id1, int id2, ApartmentPlanInput &input)
{
    input.rents = rents(id1, id2);
    input.loans = loans(id1, id2);
}

template <class Input, class Record> bool PlanInputLoader::load(const Record &record, int id1, int id2, Input *input)
{
    std::optional<QVector<QVariant>> values = record.read(m_dao, id1, id2);
    if (!values)
        return false;
    // A stored negative or empty list index selects the first entry, as the form does.
    for (int i = 0; i < record.fields().size(); ++i)
        if (record.fields().at(i).controlKind == PlanRecord::ControlKind::Combo)
            (*values)[i] = PlanRecord::shownValue(record.fields().at(i), values->at(i));
    Input in;
    record.fill(in, *values);
    readSite(m_dao, id1, in);
    loadRows(id1, id2, in);
    *input = std::move(in);
    return true;
}

bool PlanInputLoader::loadParking(int id1, int id2, ParkingPlanInput *input)
{
    return load(ParkingPlanRecord::description(), id1, id2, input);
}

bool PlanInputLoader::loadApartment(int id1, int id2, ApartmentPlanInput *input)
{
    return load(ApartmentPlanRecord::description(), id1, id2, input);
}
