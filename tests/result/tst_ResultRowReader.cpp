#include "PlanBuilders.h"
#include "Recordset.h"
#include "ResultRowReader.h"
#include "TestDb.h"
#include "YearViews.h"
#include "cDao.h"

#include <QtTest>

// The rows and scales a plan window reads, on hand-made T_収支 rows: plan 1 of
// property 1 has income 100y, expenditure 60y and balance 20y(y+1) in year y;
// plan 2 has income 5, expenditure 70y and balance -1000y; property 2 holds far
// larger values that no look-up of property 1 may see.
class tst_ResultRowReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void rowsUpToTheLastDisplayYear_data();
    void rowsUpToTheLastDisplayYear();
    void scalesOverAllPlansOfTheProperty_data();
    void scalesOverAllPlansOfTheProperty();
    void propertyWithoutRowsHasZeroScales();
    void extremeAmounts();
    void noValidIntervalFails();
    void planTypeFromThePlanTable();
    void planNameAndCaption();

private:
    TestDb m_db;
};

void tst_ResultRowReader::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(m_db.connectGlobal());
    QVector<StoredYear> plan1, plan2, other;
    for (int y = 1; y <= 75; ++y) {
        plan1.append({y, 100 * y, 60 * y, 20 * y * (y + 1)});
        plan2.append({y, 5, 70 * y, -1000 * y});
        other.append({y, 900000000, 900000000, -900000000});
    }
    addSummaryRows(1, 1, 1, plan1);
    addSummaryRows(1, 2, 2, plan2);
    addSummaryRows(2, 1, 1, other);
    // A property number beyond the 16-bit range.
    addSummaryRows(40000, 1, 2, plan1);
}

void tst_ResultRowReader::cleanupTestCase()
{
    releaseGlobals();
}

void tst_ResultRowReader::rowsUpToTheLastDisplayYear_data()
{
    QTest::addColumn<int>("id1");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("lastYear");
    QTest::newRow("every year") << 1 << 1 << 15;
    QTest::newRow("every 2 years") << 1 << 2 << 30;
    QTest::newRow("every 5 years") << 1 << 3 << 75;
    QTest::newRow("automatic") << 1 << 4 << 35;
    QTest::newRow("property 40000") << 40000 << 2 << 30;
}

void tst_ResultRowReader::rowsUpToTheLastDisplayYear()
{
    QFETCH(int, id1);
    QFETCH(int, interval);
    QFETCH(int, lastYear);
    const YearView view = yearView(interval);
    QCOMPARE(view.lastYear(), lastYear);
    const QVector<ResultRow> rows = ResultRowReader(gDao()).rows(id1, 1, view);
    // Every year up to the last display year, not only the display years.
    QCOMPARE(rows.size(), lastYear);
    for (int i = 0; i < rows.size(); ++i) {
        const int y = i + 1;
        QCOMPARE(rows[i].year, y);
        QCOMPARE(rows[i].type, id1 == 1 ? 1 : 2);
        QCOMPARE(rows[i].income, 100 * y);
        QCOMPARE(rows[i].expense, 60 * y);
        QCOMPARE(rows[i].balance, 20 * y * (y + 1));
    }
}

void tst_ResultRowReader::scalesOverAllPlansOfTheProperty_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("maxBalance");
    QTest::addColumn<int>("minBalance");
    QTest::addColumn<int>("maxIncome");
    QTest::addColumn<int>("maxExpense");
    // Plan 1 gives the largest balance and income, plan 2 the smallest balance and
    // the largest expenditure, each at the last year of the range.
    QTest::newRow("years 1-15") << 1 << 20 * 15 * 16 << -15000 << 1500 << 70 * 15;
    QTest::newRow("years 1-30") << 2 << 20 * 30 * 31 << -30000 << 3000 << 70 * 30;
    QTest::newRow("years 1-75") << 3 << 20 * 75 * 76 << -75000 << 7500 << 70 * 75;
    QTest::newRow("years 1-35") << 4 << 20 * 35 * 36 << -35000 << 3500 << 70 * 35;
}

void tst_ResultRowReader::scalesOverAllPlansOfTheProperty()
{
    QFETCH(int, interval);
    const ResultScales s = ResultRowReader(gDao()).scales(1, yearView(interval));
    QTEST(s.maxBalance, "maxBalance");
    QTEST(s.minBalance, "minBalance");
    QTEST(s.maxIncome, "maxIncome");
    QTEST(s.maxExpense, "maxExpense");
}

void tst_ResultRowReader::propertyWithoutRowsHasZeroScales()
{
    const ResultScales s = ResultRowReader(gDao()).scales(3, yearView(1));
    QCOMPARE(s.maxBalance, 0);
    QCOMPARE(s.minBalance, 0);
    QCOMPARE(s.maxIncome, 0);
    QCOMPARE(s.maxExpense, 0);
    QVERIFY(ResultRowReader(gDao()).rows(3, 1, yearView(1)).isEmpty());
}

void tst_ResultRowReader::extremeAmounts()
{
    // The 32-bit limits come back as stored; a value beyond them reads as the limit.
    addSummaryRows(5, 1, 1, {{1, 2147483647, 3000000000LL, -2147483647}, {2, 0, 0, -3000000000LL}});
    const QVector<ResultRow> rows = ResultRowReader(gDao()).rows(5, 1, yearView(1));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].income, 2147483647);
    QCOMPARE(rows[0].expense, 2147483647);
    QCOMPARE(rows[0].balance, -2147483647);
    QCOMPARE(rows[1].balance, -2147483647);
    const ResultScales s = ResultRowReader(gDao()).scales(5, yearView(1));
    QCOMPARE(s.maxIncome, 2147483647);
    QCOMPARE(s.minBalance, -2147483647);
}

void tst_ResultRowReader::noValidIntervalFails()
{
    // Before the first valid interval there are no display years to read.
    QVERIFY_THROWS_EXCEPTION(DaoError, ResultRowReader(gDao()).rows(1, 1, YearView()));
    QVERIFY_THROWS_EXCEPTION(DaoError, ResultRowReader(gDao()).scales(1, YearView()));
}

void tst_ResultRowReader::planTypeFromThePlanTable()
{
    addProperty(7);
    addParkingPlan(sampleParking(7, 3, false));
    addApartmentPlan(sampleApartment(7, 4, false));
    addStorePlan(7, 5, QStringLiteral("店舗"));
    const ResultRowReader reader(gDao());
    QCOMPARE(reader.tablePlanType(7, 3), 1);
    QCOMPARE(reader.tablePlanType(7, 4), 2);
    QCOMPARE(reader.tablePlanType(7, 5), 3);
    QCOMPARE(reader.tablePlanType(7, 6), 0);
    QCOMPARE(reader.tablePlanType(8, 3), 0);
}

void tst_ResultRowReader::planNameAndCaption()
{
    addProperty(9);
    SampleParking parking = sampleParking(9, 1, false);
    parking.name = QStringLiteral("駅前'駐車場");
    addParkingPlan(parking);
    addStorePlan(9, 2, QStringLiteral("角の店舗"));
    const ResultRowReader reader(gDao());
    QCOMPARE(reader.planName(9, 1, 1), QStringLiteral("駅前'駐車場"));
    QCOMPARE(reader.planName(9, 2, 3), QStringLiteral("角の店舗"));
    QCOMPARE(reader.planName(9, 1, 2), QString()); // no apartment row
    QCOMPARE(reader.planName(9, 1, 0), QStringLiteral("9データ"));
    QCOMPARE(reader.planName(40000, 1, 7), QStringLiteral("40000データ"));
    QCOMPARE(ResultRowReader::caption(QStringLiteral("駅前")), QStringLiteral("計画名  [駅前]"));
}

QTEST_GUILESS_MAIN(tst_ResultRowReader)
#include "tst_ResultRowReader.moc"
