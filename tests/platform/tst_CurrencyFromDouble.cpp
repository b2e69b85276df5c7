#include "Currency.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>

// Currency::fromDouble rounds in integers for speed; it must take exactly the value
// of the runtime's definition: the 15-digit decimal form, then four places, halves to even.
namespace
{
Currency reference(double value)
{
    if (!std::isfinite(value))
        throw CurrencyOverflow();
    Currency c;
    if (std::fabs(value) < 9e14 && Currency::tryParse(QString::number(value, 'g', 15), &c))
        return c;
    const double scaled = std::nearbyint(value * Currency::Scale);
    if (std::fabs(scaled) >= 9.2233720368547758e18)
        throw CurrencyOverflow();
    return Currency::fromRaw(int64_t(scaled));
}
} // namespace

class tst_CurrencyFromDouble : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameAsTheRuntime_data();
    void sameAsTheRuntime();
    void sameOnRandomValues();
    void outOfRangeThrows();
};

void tst_CurrencyFromDouble::sameAsTheRuntime_data()
{
    QTest::addColumn<double>("value");
    const double values[] = {0.0,
                             -0.0,
                             0.00005,
                             0.00015,
                             0.0001,
                             0.0002,
                             0.00025,
                             1.00005,
                             2.5,
                             -2.5,
                             1234.56785,
                             2079.0000000000005,
                             9999.99999999999,
                             9.999999999999995e3,
                             123456789012345.5,
                             999999999999999.4,
                             8.99999999999999e14,
                             9e14,
                             std::nextafter(9e14, 0.0),
                             2147483647.5,
                             -2147483648.49995,
                             1e-300,
                             1e300};
    for (double v : values)
        QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
}

void tst_CurrencyFromDouble::sameAsTheRuntime()
{
    QFETCH(double, value);
    bool fastThrew = false, runtimeThrew = false;
    Currency fast, runtime;
    try {
        fast = Currency::fromDouble(value);
    } catch (const CurrencyOverflow &) {
        fastThrew = true;
    }
    try {
        runtime = reference(value);
    } catch (const CurrencyOverflow &) {
        runtimeThrew = true;
    }
    QCOMPARE(fastThrew, runtimeThrew);
    QCOMPARE(fast.raw(), runtime.raw());
}

void tst_CurrencyFromDouble::sameOnRandomValues()
{
    QRandomGenerator random(20240501);
    for (int i = 0; i < 200000; ++i) {
        // Magnitudes from 1e-6 to 8e14; every fourth one a sum of ten-thousandths with
        // the noise a computation leaves on it.
        const double magnitude = std::pow(10.0, random.bounded(20.9) - 6.0);
        double v = random.bounded(1.0) * magnitude;
        if (i % 4 == 0)
            v = std::round(v * 10000) / 10000 * (1 + (random.bounded(2.0) - 1) * 1e-15);
        if (i % 2)
            v = -v;
        const Currency fast = Currency::fromDouble(v);
        const Currency runtime = reference(v);
        if (fast.raw() != runtime.raw())
            QFAIL(
                qPrintable(QStringLiteral("%1: %2 != %3").arg(v, 0, 'g', 17).arg(fast.toString(), runtime.toString())));
    }
}

void tst_CurrencyFromDouble::outOfRangeThrows()
{
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromDouble(std::numeric_limits<double>::infinity()));
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromDouble(std::nan("")));
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromDouble(1e19));
}

QTEST_GUILESS_MAIN(tst_CurrencyFromDouble)
#include "tst_CurrencyFromDouble.moc"
