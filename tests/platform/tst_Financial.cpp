#include "Financial.h"

#include <QtTest>

#include <cmath>
#include <stdexcept>

// Expected parts are from the closed-form annuity formula evaluated independently
// with 1200-digit decimals: P = pv r q^N / (q^N - 1), B = pv q^(p-1) - P (q^(p-1) - 1) / r.
class tst_Financial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parts_data();
    void parts();
    void zeroRate();
    void wholeScheduleRepaysTheAmount();
    void invalidPeriods_data();
    void invalidPeriods();
};

namespace
{
bool close(double actual, double expected, double scale)
{
    return std::fabs(actual - expected) <= 1e-9 * std::max(std::fabs(expected), std::fabs(scale));
}
} // namespace

void tst_Financial::parts_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("per");
    QTest::addColumn<int>("nper");
    QTest::addColumn<double>("pv");
    QTest::addColumn<double>("ipmt");
    QTest::addColumn<double>("ppmt");
    QTest::newRow("monthly 3% 10y, first") << 0.0025 << 1 << 120 << 1000000.0 << -2500.0 << -7156.074469838952;
    QTest::newRow("monthly 3% 10y, middle")
        << 0.0025 << 60 << 120 << 1000000.0 << -1364.187991809837 << -8291.886478029115;
    QTest::newRow("monthly 3% 10y, last")
        << 0.0025 << 120 << 120 << 1000000.0 << -24.079986209074693 << -9631.994483629876;
    QTest::newRow("yearly 5% 3y") << 0.05 << 2 << 3 << 1000.0 << -34.13957176843775 << -333.0689928628073;
    QTest::newRow("tiny rate") << 0.000001 << 7 << 12 << 5000.0 << -0.00250000749999625 << -416.6668749974653;
    QTest::newRow("huge rate long term") << 0.83325 << 1000 << 1188 << 30000.0 << -24997.5 << -4.456526300302172e-46;
    QTest::newRow("negative pv") << 0.01 << 3 << 5 << -2000.0 << 12.119200055441624 << 399.9603991763184;
}

void tst_Financial::parts()
{
    QFETCH(double, rate);
    QFETCH(int, per);
    QFETCH(int, nper);
    QFETCH(double, pv);
    QFETCH(double, ipmt);
    QFETCH(double, ppmt);
    const double i = vb::IPMT(rate, per, nper, pv);
    const double p = vb::PPMT(rate, per, nper, pv);
    QVERIFY2(close(i, ipmt, pv), qPrintable(QString::number(i, 'g', 17)));
    QVERIFY2(close(p, ppmt, pv), qPrintable(QString::number(p, 'g', 17)));
}

void tst_Financial::zeroRate()
{
    QCOMPARE(vb::IPMT(0, 5, 12, 1200), 0.0);
    QVERIFY(!std::signbit(vb::IPMT(0, 5, 12, 1200))); // never shown as "-0"
    QCOMPARE(vb::PPMT(0, 5, 12, 1200), -100.0);
    QCOMPARE(vb::PPMT(0, 12, 12, 1200), -100.0);
}

void tst_Financial::wholeScheduleRepaysTheAmount()
{
    // 35 years monthly at 2.4 % a year: the principal parts add up to the amount and
    // every payment (interest + principal) is the same.
    const double rate = 0.024 / 12;
    double principal = 0;
    const double first = vb::IPMT(rate, 1, 420, 50000) + vb::PPMT(rate, 1, 420, 50000);
    for (int p = 1; p <= 420; ++p) {
        principal += vb::PPMT(rate, p, 420, 50000);
        QVERIFY(close(vb::IPMT(rate, p, 420, 50000) + vb::PPMT(rate, p, 420, 50000), first, 50000));
    }
    QVERIFY(close(principal, -50000, 50000));
}

void tst_Financial::invalidPeriods_data()
{
    QTest::addColumn<int>("per");
    QTest::addColumn<int>("nper");
    QTest::newRow("period 0") << 0 << 12;
    QTest::newRow("period past the term") << 13 << 12;
    QTest::newRow("no periods") << 1 << 0;
}

void tst_Financial::invalidPeriods()
{
    QFETCH(int, per);
    QFETCH(int, nper);
    QVERIFY_THROWS_EXCEPTION(std::domain_error, vb::IPMT(0.01, per, nper, 1000));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, vb::PPMT(0.01, per, nper, 1000));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, vb::PPMT(0, per, nper, 1000));
}

QTEST_GUILESS_MAIN(tst_Financial)
#include "tst_Financial.moc"
