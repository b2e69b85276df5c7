#include "DepreciationRates.h"
#include "Globals.h"
#include "TestDb.h"
#include "cDao.h"

#include <QtTest>

// The rates are those delivered in the master M_償却 (the old statutory table).
class tst_DepreciationRates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void rates_data();
    void rates();
    void methodNames();
    void unreadableMasterKeepsRates();

private:
    TestDb m_db;
    DepreciationRates m_rates;
};

void tst_DepreciationRates::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(m_db.connectGlobal());
    m_rates.load(gDao());
}

void tst_DepreciationRates::cleanupTestCase()
{
    releaseGlobals();
}

void tst_DepreciationRates::rates_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("life");
    QTest::addColumn<double>("rate");
    QTest::newRow("declining balance, 47 years") << 0 << 47 << 0.048;
    QTest::newRow("straight line, 47 years") << 1 << 47 << 0.022;
    QTest::newRow("declining balance, 20 years") << 0 << 20 << 0.109;
    QTest::newRow("straight line, 10 years") << 1 << 10 << 0.1;
    QTest::newRow("no row for 1 year") << 0 << 1 << 0.0;
    QTest::newRow("no row for 0 years") << 1 << 0 << 0.0;
    QTest::newRow("no method chosen") << -1 << 47 << 0.0;
}

void tst_DepreciationRates::rates()
{
    QFETCH(int, method);
    QFETCH(int, life);
    QFETCH(double, rate);
    QCOMPARE(m_rates.rate(method, life), rate);
    QCOMPARE(m_rates.percent(method, life), rate * 100);
}

void tst_DepreciationRates::methodNames()
{
    QCOMPARE(DepreciationRates::methodName(0), QStringLiteral("定率法"));
    QCOMPARE(DepreciationRates::methodName(1), QStringLiteral("定額法"));
    QCOMPARE(DepreciationRates::methodName(2), QString());
}

void tst_DepreciationRates::unreadableMasterKeepsRates()
{
    cDao closed;
    DepreciationRates rates = m_rates;
    QVERIFY_THROWS_EXCEPTION(DaoError, rates.load(closed));
    QCOMPARE(rates.rate(1, 47), 0.022);
}

QTEST_GUILESS_MAIN(tst_DepreciationRates)
#include "tst_DepreciationRates.moc"
