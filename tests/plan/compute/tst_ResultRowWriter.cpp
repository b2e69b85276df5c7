#include "ApartmentProjection.h"
#include "DaoTransaction.h"
#include "DbFixture.h"
#include "ErrorTrap.h"
#include "Globals.h"
#include "ParkingProjection.h"
#include "ResultRowWriter.h"
#include "TestDb.h"
#include "cDao.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

// The stored rows of a registration: 75 per table, the plan type, whole numbers
// rounded halves to even, and nothing half-written when a step fails.
class tst_ResultRowWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void seventyFiveRowsPerTable_data();
    void seventyFiveRowsPerTable();
    void parkingColumns();
    void landTaxStoredAsTheRuntimeRoundsIt();
    void storedValues_data();
    void storedValues();
    void failureAtYear40KeepsOldRows_data();
    void failureAtYear40KeepsOldRows();
    void computationFailureKeepsOldRows();
    void refusedOutsideATransaction();
    void onlyResultTablesAreDeleted();

private:
    bool registerPlan(Projection &projection, int id2, const QString &object);

    TestDb m_db;
    ErrLogRecorder m_log;
};

namespace
{

// 10 cars at 5, 10 % vacant, fee +10 % every 3 years; land 200 x 100 taxed 1.7 %,
// +2 % every 5 years; budget 1000: year 1 is 540 in, 340 out, balance 200.
ParkingPlanInput parkingPlan(int fee = 5)
{
    ParkingPlanInput in;
    in.numRyokin2 = 10;
    in.numRyokin3 = fee;
    in.numKeikaku1 = 10.0;
    in.numKeikaku4 = 3;
    in.numKeikaku5 = 10.0;
    in.numKeikaku2 = 5;
    in.numKeikaku3 = 2.0;
    in.numSikiti1 = 200.0;
    in.numSikiti2 = 100;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    in.numYosan4 = 1000;
    return in;
}

ApartmentPlanInput apartmentPlan()
{
    ApartmentPlanInput in;
    RentRow r;
    r.rent = 100;
    r.commonCharge = 10;
    r.households = 4;
    r.parkingFee = 5;
    in.rents = {r};
    in.numKaoku3 = 4;
    in.numKaoku5 = 240.0;
    return in;
}

QVariant scalar(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return q.value(0);
}

int count(const QString &table, int id2, const QString &condition = QString())
{
    return scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE ID1 = 1 AND ID2 = %2 %3")
                      .arg(table)
                      .arg(id2)
                      .arg(condition))
        .toInt();
}

} // namespace

void tst_ResultRowWriter::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(m_db.connectGlobal());
}

void tst_ResultRowWriter::init()
{
    m_log.clear();
}

void tst_ResultRowWriter::cleanupTestCase()
{
    releaseGlobals();
}

bool tst_ResultRowWriter::registerPlan(Projection &projection, int id2, const QString &object)
{
    // The form's edge: the writer throws, the form logs and the transaction rolls back.
    return trapErrors(object, QStringLiteral("lbutAdd_Click"), [&] {
        DaoTransaction tx(gDao());
        ResultRowWriter writer(gDao(), 1, id2);
        writer.ReplaceResults(projection);
        tx.commit();
    });
}

void tst_ResultRowWriter::seventyFiveRowsPerTable_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("parking") << 1;
    QTest::newRow("apartment") << 2;
}

void tst_ResultRowWriter::seventyFiveRowsPerTable()
{
    QFETCH(int, type);
    const int id2 = 10 + type;
    for (int round = 0; round < 2; ++round) { // registering again replaces the rows
        std::unique_ptr<Projection> p;
        if (type == 1)
            p = std::make_unique<ParkingProjection>(parkingPlan());
        else
            p = std::make_unique<ApartmentProjection>(apartmentPlan(), ProjectionSettings());
        QVERIFY(registerPlan(*p, id2, QStringLiteral("frm")));
    }
    for (const QString &table : ResultRowWriter::resultTables()) {
        QCOMPARE(count(table, id2), 75);
        QCOMPARE(scalar(QStringLiteral("SELECT count(DISTINCT 年) FROM %1 WHERE ID2 = %2 AND 年 BETWEEN 1 AND 75")
                            .arg(table)
                            .arg(id2))
                     .toInt(),
                 75);
    }
    QCOMPARE(count(QStringLiteral("T_収支"), id2, QStringLiteral("AND TYPE = %1").arg(type)), 75);
    QVERIFY(m_log.lines().isEmpty());
}

void tst_ResultRowWriter::parkingColumns()
{
    ParkingProjection p(parkingPlan());
    QVERIFY(registerPlan(p, 1, QStringLiteral("frmInputParking")));
    const auto row = [](const QString &table, const QString &columns, int year) {
        QSqlQuery q(gDao().CurrentDB());
        q.exec(QStringLiteral("SELECT %1 FROM %2 WHERE ID1 = 1 AND ID2 = 1 AND 年 = %3").arg(columns, table).arg(year));
        QStringList values;
        if (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                values << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        return values.join(QLatin1Char(' '));
    };
    QCOMPARE(row(QStringLiteral("T_収支"), QStringLiteral("TYPE,収入,支出,収支累計"), 1),
             QStringLiteral("1 540 340 200"));
    // The budget is 支出3 of year 1, outside the cash expenditure 支出計.
    QCOMPARE(
        row(QStringLiteral("T_収支計画"), QStringLiteral("収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出計,累計"), 1),
        QStringLiteral("540 NULL 540 0 340 1000 NULL 340 200"));
    QCOMPARE(row(QStringLiteral("T_損益計算"),
                 QStringLiteral("収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出5,支出6,支出計"), 1),
             QStringLiteral("540 NULL 540 0 340 1000 NULL NULL NULL 1340"));
    QCOMPARE(row(QStringLiteral("T_収支計画"), QStringLiteral("支出3,支出計"), 2), QStringLiteral("0 340"));
    // Year 7: income 653.4 is stored as 653, the balance 1661.4 as 1661.
    QCOMPARE(row(QStringLiteral("T_収支"), QStringLiteral("収入,支出,収支累計"), 7), QStringLiteral("653 347 1661"));
}

void tst_ResultRowWriter::landTaxStoredAsTheRuntimeRoundsIt()
{
    // 755 x 1230.97 = 929382.35, taxed 1.4 % and 0.3 %: 15799.49995, computed as the
    // double 15799.49994999999762..; times 10,000 that is 157994999.49999997, so the
    // money is 15799.4999 and the stored figure 15799 (15800 only by way of 15-digit text).
    ParkingPlanInput in;
    in.numSikiti1 = 1230.97;
    in.numSikiti2 = 755;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    ParkingProjection p(in);
    QVERIFY(registerPlan(p, 7, QStringLiteral("frmInputParking")));
    QCOMPARE(scalar(QStringLiteral("SELECT 支出2 FROM T_収支計画 WHERE ID1 = 1 AND ID2 = 7 AND 年 = 1")).toInt(),
             15799);
    QCOMPARE(scalar(QStringLiteral("SELECT 支出2 FROM T_損益計算 WHERE ID1 = 1 AND ID2 = 7 AND 年 = 1")).toInt(),
             15799);
}

void tst_ResultRowWriter::storedValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored"); // empty: refused
    QTest::newRow("1234.5 makes 1234") << "1234.5"
                                       << "1234";
    QTest::newRow("1235.5 makes 1236") << "1235.5"
                                       << "1236";
    QTest::newRow("-2.5 makes -2") << "-2.5"
                                   << "-2";
    QTest::newRow("1234.4999 makes 1234") << "1234.4999"
                                          << "1234";
    QTest::newRow("largest 32-bit value") << "2147483647.4"
                                          << "2147483647";
    QTest::newRow("one past the column") << "2147483647.5"
                                         << "";
    QTest::newRow("far past the column") << "5000000000"
                                         << "";
    QTest::newRow("smallest 32-bit value") << "-2147483648"
                                           << "-2147483648";
    QTest::newRow("below the column") << "-2147483648.6"
                                      << "";
}

void tst_ResultRowWriter::storedValues()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    YearResult r;
    r.year = 1;
    r.type = PlanType::Apartment;
    QVERIFY(Currency::tryParse(value, &r.summary.balance));
    DaoTransaction tx(gDao());
    ResultRowWriter writer(gDao(), 1, 19);
    QCOMPARE(trapErrors(QStringLiteral("frm"), QStringLiteral("lbutAdd_Click"), [&] { writer.SaveSSData(r); }),
             !stored.isEmpty());
    if (stored.isEmpty()) {
        QCOMPARE(count(QStringLiteral("T_収支"), 19), 0);
        QCOMPARE(m_log.lines(), QStringList{QStringLiteral("frm|SaveSSData|オーバーフローしました。")});
    } else {
        QCOMPARE(scalar(QStringLiteral("SELECT 収支累計 FROM T_収支 WHERE ID2 = 19")).toString(), stored);
    }
}

void tst_ResultRowWriter::failureAtYear40KeepsOldRows_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("procedure");
    QTest::newRow("T_収支") << "T_収支"
                            << "SaveSSData";
    QTest::newRow("T_収支計画") << "T_収支計画"
                                << "SaveSKData";
    QTest::newRow("T_損益計算") << "T_損益計算"
                                << "SaveSEData";
}

void tst_ResultRowWriter::failureAtYear40KeepsOldRows()
{
    QFETCH(QString, table);
    QFETCH(QString, procedure);
    ParkingProjection old(parkingPlan(5));
    QVERIFY(registerPlan(old, 2, QStringLiteral("frmInputParking")));
    QVERIFY(gDao().Execute(QStringLiteral("CREATE TRIGGER fail40 BEFORE INSERT ON %1 WHEN NEW.年 = 40 "
                                          "BEGIN SELECT RAISE(ABORT, 'injected'); END")
                               .arg(table)) >= 0);
    ParkingProjection changed(parkingPlan(6));
    const bool ok = registerPlan(changed, 2, QStringLiteral("frmInputParking"));
    gDao().Execute(QStringLiteral("DROP TRIGGER fail40"));
    QVERIFY(!ok);
    QVERIFY(!gDao().inTransaction());
    QCOMPARE(m_log.lines().size(), 1);
    QVERIFY2(m_log.lines()[0].startsWith(QStringLiteral("frmInputParking|") + procedure + QLatin1Char('|')),
             qPrintable(m_log.lines()[0]));
    QVERIFY(m_log.lines()[0].contains(QStringLiteral("injected")));
    for (const QString &t : ResultRowWriter::resultTables())
        QCOMPARE(count(t, 2), 75);
    QCOMPARE(scalar(QStringLiteral("SELECT 収入 FROM T_収支 WHERE ID1 = 1 AND ID2 = 2 AND 年 = 1")).toInt(), 540);
    QCOMPARE(scalar(QStringLiteral("SELECT 収入 FROM T_収支 WHERE ID1 = 1 AND ID2 = 2 AND 年 = 39")).toInt(),
             scalar(QStringLiteral("SELECT 収入計 FROM T_損益計算 WHERE ID1 = 1 AND ID2 = 2 AND 年 = 39")).toInt());
}

void tst_ResultRowWriter::computationFailureKeepsOldRows()
{
    ParkingProjection old(parkingPlan(5));
    QVERIFY(registerPlan(old, 3, QStringLiteral("frmInputParking")));

    // 99999 cars at 1800 a month make 2,159,978,400 a year, past the 32-bit Long
    // product: the income fails at year 1, though its 90 % (1,943,980,560) would fit
    // the stored column.
    ParkingPlanInput huge = parkingPlan(1800);
    huge.numRyokin2 = 99999;
    ParkingProjection tooLarge(huge);
    QVERIFY(!registerPlan(tooLarge, 3, QStringLiteral("frmInputParking")));
    QCOMPARE(m_log.lines(), QStringList{QStringLiteral("frmInputParking|GetInTyusya|オーバーフローしました。")});

    // A computation failure is logged under the failing term.
    m_log.clear();
    ApartmentPlanInput broken;
    RentRow r;
    r.rent = 2000000000;
    r.commonCharge = 2000000000;
    r.households = 2000000000;
    broken.rents = QVector<RentRow>(5, r);
    ApartmentProjection failing(broken, ProjectionSettings());
    QVERIFY(!registerPlan(failing, 3, QStringLiteral("frmInputApartment")));
    QCOMPARE(m_log.lines(), QStringList{QStringLiteral("frmInputApartment|GetInYatin|オーバーフローしました。")});

    QCOMPARE(count(QStringLiteral("T_収支"), 3), 75);
    QCOMPARE(count(QStringLiteral("T_収支"), 3, QStringLiteral("AND 年 = 1 AND 収入 = 540 AND TYPE = 1")), 1);
}

void tst_ResultRowWriter::refusedOutsideATransaction()
{
    ParkingProjection p(parkingPlan());
    ResultRowWriter writer(gDao(), 1, 4);
    QVERIFY_THROWS_EXCEPTION(ProcedureError, writer.ReplaceResults(p));
    QCOMPARE(count(QStringLiteral("T_収支"), 4), 0);
    QVERIFY(m_log.lines().isEmpty()); // the writer itself logs nothing
}

void tst_ResultRowWriter::onlyResultTablesAreDeleted()
{
    QCOMPARE(gDao().Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, 'A')")), 1);
    ParkingProjection p(parkingPlan());
    QVERIFY(registerPlan(p, 5, QStringLiteral("frm")));
    QVERIFY(registerPlan(p, 6, QStringLiteral("frm")));
    {
        DaoTransaction tx(gDao());
        ResultRowWriter writer(gDao(), 1, 5);
        QVERIFY_THROWS_EXCEPTION(ProcedureError, writer.DeleteData(QStringLiteral("D_物件")));
        writer.DeleteData(QStringLiteral("T_収支"));
        tx.commit();
    }
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM D_物件")).toInt(), 1);
    QCOMPARE(count(QStringLiteral("T_収支"), 5), 0);
    QCOMPARE(count(QStringLiteral("T_収支計画"), 5), 75);
    QCOMPARE(count(QStringLiteral("T_収支"), 6), 75); // another plan keeps its rows
}

QTEST_GUILESS_MAIN(tst_ResultRowWriter)
#include "tst_ResultRowWriter.moc"
