#include "PlanBuilders.h"

#include "ApartmentProjection.h"
#include "DaoTransaction.h"
#include "ErrorTrap.h"
#include "ParkingProjection.h"
#include "PlanInputLoader.h"
#include "ResultRowWriter.h"
#include "cDao.h"

#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>
#include <utility>
#include <vector>

namespace
{

using Columns = std::vector<std::pair<QString, QVariant>>;

[[noreturn]] void fail(const QString &what)
{
    throw std::runtime_error(what.toStdString());
}

/// One row with bound values; an invalid variant becomes NULL.
void insert(cDao &dao, const QString &table, const Columns &columns)
{
    QStringList names, marks;
    for (const auto &c : columns) {
        names << c.first;
        marks << QStringLiteral("?");
    }
    QSqlQuery q(dao.CurrentDB());
    if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        fail(table + QStringLiteral(": ") + q.lastError().text());
    for (const auto &c : columns)
        q.addBindValue(c.second);
    if (!q.exec())
        fail(table + QStringLiteral(": ") + q.lastError().text());
}

Columns planKey(int id1, int id2)
{
    return {{QStringLiteral("ID1"), id1}, {QStringLiteral("ID2"), id2}};
}

void addNumbered(Columns &columns, const char *prefix, const QVariant *values, int count)
{
    for (int i = 0; i < count; ++i)
        columns.emplace_back(QString::fromUtf8(prefix) + QString::number(i + 1), values[i]);
}

void insertLoans(cDao &dao, int id1, int id2, const QVector<SampleLoan> &loans)
{
    for (int i = 0; i < loans.size(); ++i) {
        const SampleLoan &l = loans.at(i);
        Columns c = planKey(id1, id2);
        c.insert(c.end(), {{QStringLiteral("連番"), l.number.isValid() ? l.number : QVariant(i + 1)},
                           {QStringLiteral("借入先名称"), l.lender},
                           {QStringLiteral("借入金額"), l.amount},
                           {QStringLiteral("返済方式"), l.method},
                           {QStringLiteral("返済開始1"), l.start1},
                           {QStringLiteral("返済終了1"), l.end1},
                           {QStringLiteral("金利1"), l.rate1},
                           {QStringLiteral("返済開始2"), l.start2},
                           {QStringLiteral("返済終了2"), l.end2},
                           {QStringLiteral("金利2"), l.rate2},
                           {QStringLiteral("返済期間"), l.term}});
        insert(dao, QStringLiteral("D_借入金"), c);
    }
}

void insertRents(cDao &dao, int id1, int id2, const QVector<SampleRent> &rents)
{
    for (int i = 0; i < rents.size(); ++i) {
        const SampleRent &r = rents.at(i);
        Columns c = planKey(id1, id2);
        c.insert(c.end(), {{QStringLiteral("タイプ"), r.type.isValid() ? r.type : QVariant(QString(QChar('A' + i)))},
                           {QStringLiteral("間取り"), r.layout},
                           {QStringLiteral("専有面積"), r.area},
                           {QStringLiteral("世帯数"), r.households},
                           {QStringLiteral("駐車台数"), r.parking},
                           {QStringLiteral("月家賃"), r.rent},
                           {QStringLiteral("月共益費"), r.commonCharge},
                           {QStringLiteral("月駐車料"), r.parkingFee},
                           {QStringLiteral("敷金"), r.deposit}});
        insert(dao, QStringLiteral("D_家賃"), c);
    }
}

/// The 75 result years of the stored plan, computed from what was just stored.
void storeResults(cDao &dao, int id1, int id2, Projection &projection)
{
    ResultRowWriter writer(dao, id1, id2);
    try {
        writer.ReplaceResults(projection);
    } catch (const ProcedureError &e) {
        fail(QStringLiteral("result rows of plan %1/%2: %3 %4").arg(id1).arg(id2).arg(e.procedure(), e.message()));
    }
}

} // namespace

template <class Sample> Sample numbered(int id1, int id2, bool withResults)
{
    Sample sample;
    sample.id1 = id1;
    sample.id2 = id2;
    sample.withResults = withResults;
    return sample;
}

SampleParking sampleParking(int id1, int id2, bool withResults)
{
    return numbered<SampleParking>(id1, id2, withResults);
}

SampleApartment sampleApartment(int id1, int id2, bool withResults)
{
    return numbered<SampleApartment>(id1, id2, withResults);
}

void addProperty(const SampleProperty &sample, cDao &dao)
{
    DaoTransaction tx(dao);
    insert(dao, QStringLiteral("D_物件"),
           {{QStringLiteral("ID1"), sample.id1},
            {QStringLiteral("物件名"), sample.name},
            {QStringLiteral("敷地面積"), sample.siteArea},
            {QStringLiteral("評価額"), sample.landValue},
            {QStringLiteral("固定資産税税率"), sample.landTaxRate},
            {QStringLiteral("都市計画税税率"), sample.cityTaxRate}});
    tx.commit();
}

void addProperty(int id1, cDao &dao)
{
    SampleProperty sample;
    sample.id1 = id1;
    addProperty(sample, dao);
}

void addParkingPlan(const SampleParking &sample, cDao &dao)
{
    DaoTransaction tx(dao);
    Columns c = planKey(sample.id1, sample.id2);
    c.insert(c.end(), {{QStringLiteral("名称"), sample.name},
                       {QStringLiteral("料金1"), sample.ryokin1},
                       {QStringLiteral("料金2"), sample.ryokin2},
                       {QStringLiteral("料金3"), sample.ryokin3}});
    addNumbered(c, "予算", sample.yosan, 4);
    c.emplace_back(QStringLiteral("資金1"), sample.sikin1);
    addNumbered(c, "計画", sample.keikaku, 5);
    insert(dao, QStringLiteral("D_駐車場"), c);
    insertLoans(dao, sample.id1, sample.id2, sample.loans);
    if (sample.withResults) {
        ParkingPlanInput input;
        if (!PlanInputLoader(dao).loadParking(sample.id1, sample.id2, &input))
            fail(QStringLiteral("parking plan %1/%2 could not be read back").arg(sample.id1).arg(sample.id2));
        ParkingProjection projection(input);
        storeResults(dao, sample.id1, sample.id2, projection);
    }
    tx.commit();
}

void addApartmentPlan(const SampleApartment &sample, const ProjectionSettings &settings, cDao &dao)
{
    DaoTransaction tx(dao);
    Columns c = planKey(sample.id1, sample.id2);
    c.emplace_back(QStringLiteral("名称"), sample.name);
    addNumbered(c, "建物", sample.kaoku, 9);
    addNumbered(c, "予算", sample.yosan, 12);
    addNumbered(c, "資金", sample.sikin, 2);
    addNumbered(c, "減価", sample.genka, 6);
    addNumbered(c, "計画", sample.keikaku, 9);
    c.emplace_back(QStringLiteral("火災保険"), sample.kasai);
    insert(dao, QStringLiteral("D_賃貸マンション"), c);
    insertRents(dao, sample.id1, sample.id2, sample.rents);
    insertLoans(dao, sample.id1, sample.id2, sample.loans);
    if (sample.withResults) {
        ApartmentPlanInput input;
        if (!PlanInputLoader(dao).loadApartment(sample.id1, sample.id2, &input))
            fail(QStringLiteral("apartment plan %1/%2 could not be read back").arg(sample.id1).arg(sample.id2));
        ApartmentProjection projection(input, settings);
        storeResults(dao, sample.id1, sample.id2, projection);
    }
    tx.commit();
}

void addStorePlan(int id1, int id2, const QString &name, cDao &dao)
{
    DaoTransaction tx(dao);
    Columns c = planKey(id1, id2);
    c.emplace_back(QStringLiteral("名称"), name);
    insert(dao, QStringLiteral("D_店舗"), c);
    tx.commit();
}

void addSummaryRows(int id1, int id2, int type, const QVector<StoredYear> &rows, cDao &dao)
{
    DaoTransaction tx(dao);
    for (const StoredYear &y : rows) {
        Columns c = planKey(id1, id2);
        c.insert(c.end(), {{QStringLiteral("年"), y.year},
                           {QStringLiteral("TYPE"), type},
                           {QStringLiteral("収入"), y.income},
                           {QStringLiteral("支出"), y.expense},
                           {QStringLiteral("収支累計"), y.balance}});
        insert(dao, QStringLiteral("T_収支"), c);
    }
    tx.commit();
}
