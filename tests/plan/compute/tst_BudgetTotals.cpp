#include "BudgetTotals.h"
#include "ProjectionChecks.h"

#include <QtTest>

using namespace ProjectionChecks;

Q_DECLARE_METATYPE(BudgetTotals::Items)

// The budget total and the depreciation base and residual value that the apartment
// entry form fills in from its budget boxes.
class tst_BudgetTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void yosanTotal_data();
    void yosanTotal();
    void yosanTotalOutOfRange();
    void genkaTotal_data();
    void genkaTotal();
};

void tst_BudgetTotals::yosanTotal_data()
{
    QTest::addColumn<BudgetTotals::Items>("items");
    QTest::addColumn<QString>("total");
    QTest::newRow("every box empty") << BudgetTotals::Items{} << "0";
    // 100000 + 5000 + 1500 + 300 + 60 + 900 + 450 + 800 + 1200 + 2000 + 790.
    QTest::newRow("a plan's budget") << BudgetTotals::Items{100000, 5000, 1500, 300, 60, 900, 450, 800, 1200, 2000, 790}
                                     << "113000";
    // 99,999,999 + 9,999,999 + 9 x 999,999 = 118,999,989.
    QTest::newRow("every box at its maximum") << BudgetTotals::Items{99999999, 9999999, 999999, 999999, 999999, 999999,
                                                                     999999,   999999,  999999, 999999, 999999}
                                              << "118999989";
    // Grouped text counts as its number; text that is no number, NULL and empty as 0.
    QTest::newRow("text, NULL and empty boxes")
        << BudgetTotals::Items{QStringLiteral("1,000"), QStringLiteral("abc"), QVariant::fromValue(nullptr), 25}
        << "1025";
}

void tst_BudgetTotals::yosanTotal()
{
    QFETCH(BudgetTotals::Items, items);
    QFETCH(QString, total);
    QCOMPARE(BudgetTotals::YosanTotal(items), money(total.toLatin1()));
}

void tst_BudgetTotals::yosanTotalOutOfRange()
{
    // 900 trillion twice is past the money range (about 922 trillion).
    const BudgetTotals::Items items{9e14, 9e14};
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, BudgetTotals::YosanTotal(items));
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, BudgetTotals::GenkaTotal(9e14, 9e14, 1));
}

void tst_BudgetTotals::genkaTotal_data()
{
    QTest::addColumn<QVariant>("contract");
    QTest::addColumn<QVariant>("tax");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("residual");
    // The residual is the whole part of a tenth of the base with the straight line.
    QTest::newRow("straight line, a tenth of 12962 is 1296.2") << QVariant(12345) << QVariant(617) << 1 << "12962"
                                                               << "1296";
    QTest::newRow("straight line, a tenth of 12968 is 1296.8") << QVariant(12350) << QVariant(618) << 1 << "12968"
                                                               << "1296";
    QTest::newRow("straight line, a tenth of 12345 is 1234.5") << QVariant(12345) << QVariant(0) << 1 << "12345"
                                                               << "1234";
    QTest::newRow("straight line, an exact tenth") << QVariant(10000) << QVariant(500) << 1 << "10500"
                                                   << "1050";
    // 99,999,999 + 9,999,999 = 109,999,998; a tenth is 10,999,999.8.
    QTest::newRow("straight line, both boxes at their maximum")
        << QVariant(99999999) << QVariant(9999999) << 1 << "109999998"
        << "10999999";
    QTest::newRow("straight line, grouped text")
        << QVariant(QStringLiteral("1,000")) << QVariant(QStringLiteral("50")) << 1 << "1050"
        << "105";
    QTest::newRow("straight line, empty boxes") << QVariant() << QVariant() << 1 << "0"
                                                << "0";
    QTest::newRow("declining balance") << QVariant(12345) << QVariant(617) << 0 << "12962"
                                       << "0";
    QTest::newRow("no method chosen") << QVariant(12345) << QVariant(617) << -1 << "12962"
                                      << "0";
}

void tst_BudgetTotals::genkaTotal()
{
    QFETCH(QVariant, contract);
    QFETCH(QVariant, tax);
    QFETCH(int, method);
    QFETCH(QString, base);
    QFETCH(QString, residual);
    const BudgetTotals::Genka g = BudgetTotals::GenkaTotal(contract, tax, method);
    QCOMPARE(g.base, money(base.toLatin1()));
    QCOMPARE(g.residual, money(residual.toLatin1()));
    // Switching the method on the same base fills the residual by the same rule.
    QCOMPARE(BudgetTotals::Residual(g.base, method), g.residual);
    QVERIFY(g.residual.toDouble() <= g.base.toDouble() / 10);
}

QTEST_GUILESS_MAIN(tst_BudgetTotals)
#include "tst_BudgetTotals.moc"
