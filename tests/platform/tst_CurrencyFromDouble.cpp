#include "Currency.h"

#include <QtTest>

#include <cmath>
#include <limits>

// A computed double becomes money as the runtime converts it: the double times 10,000
// in double arithmetic, rounded to a whole number of ten-thousandths, halves to even.
// Text goes its own way (tst_Currency, parse): the decimal digits as written.
class tst_CurrencyFromDouble : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scaledInDoubleThenRounded_data();
    void scaledInDoubleThenRounded();
    void outOfRangeThrows_data();
    void outOfRangeThrows();
};

void tst_CurrencyFromDouble::scaledInDoubleThenRounded_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");
    // The exact decimal value of each double and of its product with 10,000 in double
    // are given where they decide the result.
    QTest::newRow("exact") << 1.5 << qint64(15000);
    QTest::newRow("negative half to even") << -2.5 << qint64(-25000);
    // 1230.97 ㎡ x 755 taxed 1.4 % and 0.3 %: 15799.49994999999762.. x 10,000 is the
    // double 157994999.49999997..: below the half, so 15799.4999 (not 15799.5).
    QTest::newRow("land tax 1230.97 x 755")
        << 1.4 * (1230.97 * 755) / 100 + 0.3 * (1230.97 * 755) / 100 << qint64(157994999);
    // 0.00014999999999999998686 x 10,000 = 1.49999999999999977796: 1, where the
    // 15-digit text 0.00015 would round to 2.
    QTest::newRow("0.00015 is below the half") << 0.00015 << qint64(1);
    // 0.0000500000000000000024 x 10,000 rounds to the double 0.5: a half, to even 0.
    QTest::newRow("0.00005 is a half") << 0.00005 << qint64(0);
    // 0.00025000000000000000520 x 10,000 = 2.5 in double: to even 2.
    QTest::newRow("0.00025 is a half") << 0.00025 << qint64(2);
    // 1.00005000000000010552 x 10,000 = 10000.500000000001819: up.
    QTest::newRow("1.00005 is above the half") << 1.00005 << qint64(10001);
    // 2.00004999999999988347 x 10,000 rounds to the double 20000.5: to even 20000.
    QTest::newRow("2.00005 rounds to a half") << 2.00005 << qint64(20000);
    // 1234.56784999999990760 x 10,000 rounds to the double 12345678.5: to even.
    QTest::newRow("1234.56785") << 1234.56785 << qint64(12345678);
    QTest::newRow("negative zero") << -0.0 << qint64(0);
    // 900000000000000 x 10,000 = 9e18 is exact and inside the 64-bit range.
    QTest::newRow("nine hundred trillion") << 9e14 << qint64(9000000000000000000);
    // -922337203685477.625 (the nearest double) x 10,000 rounds to the double -2^63.
    QTest::newRow("lowest value") << -922337203685477.5808 << std::numeric_limits<qint64>::min();
}

void tst_CurrencyFromDouble::scaledInDoubleThenRounded()
{
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QCOMPARE(Currency::fromDouble(value).raw(), raw);
}

void tst_CurrencyFromDouble::outOfRangeThrows_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("not a number") << std::nan("");
    QTest::newRow("1e19") << 1e19;
    // The double nearest 922337203685477.5807 is 922337203685477.625: past the range.
    QTest::newRow("nearest double to the highest") << 922337203685477.5807;
    QTest::newRow("1e300, whose product is infinite") << 1e300;
}

void tst_CurrencyFromDouble::outOfRangeThrows()
{
    QFETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromDouble(value));
}

QTEST_GUILESS_MAIN(tst_CurrencyFromDouble)
#include "tst_CurrencyFromDouble.moc"
