#include "ParkingProjection.h"
#include "ProjectionChecks.h"

#include <QtTest>

using namespace ProjectionChecks;

Q_DECLARE_METATYPE(ParkingPlanInput)
Q_DECLARE_METATYPE(LoanRow)

// Expected figures are worked out by hand from the rules of the parking projection
// (fees and land values rising by compound steps, vacancy, land taxes, loans), the
// annuity parts with the closed-form formula, independently of this code.
class tst_ParkingProjection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void income_data();
    void income();
    void landTax_data();
    void landTax();
    void planWithoutLoans_data();
    void planWithoutLoans();
    void planWithLoans_data();
    void planWithLoans();
    void levelPrincipalLoan();
    void levelPaymentYearIsTwelvePayments();
    void loanRows_data();
    void loanRows();
    void rateNeverCarriesIntoTheNextRow();
    void extremeRateComputes();
    void overflowFails_data();
    void overflowFails();
    void yearsOutsideThePlan();
};

namespace
{

ParkingPlanInput feePlan(int cars, int fee, double vacancy, int interval, double rise)
{
    ParkingPlanInput in;
    in.numRyokin2 = cars;
    in.numRyokin3 = fee;
    in.numKeikaku1 = vacancy;
    in.numKeikaku4 = interval;
    in.numKeikaku5 = rise;
    return in;
}

// 200 square metres at 100 a square metre, taxed 1.4 % and 0.3 %; 10 cars at 5 a
// month, 10 % vacant; fees +10 % every 3 years, land +2 % every 5 years; budget 1000.
ParkingPlanInput planWithoutLoansInput()
{
    ParkingPlanInput in = feePlan(10, 5, 10, 3, 10);
    in.numSikiti1 = 200.0;
    in.numSikiti2 = 100;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    in.numKeikaku2 = 5;
    in.numKeikaku3 = 2.0;
    in.numYosan4 = 1000;
    return in;
}

// 20 cars at 8, no vacancy, no rises: income 1920 a year; land 300 x 50, tax 255;
// budget 5000. Loans: 1200 level principal over 10 years at 2 %, 3 % from year 6;
// 3000 level payment over 20 years at 2.4 %, 3.6 % from year 11; a loan of 0.
ParkingPlanInput planWithLoansInput()
{
    ParkingPlanInput in = feePlan(20, 8, 0, 0, 5);
    in.numSikiti1 = 300.0;
    in.numSikiti2 = 50;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    in.numKeikaku3 = 3.0;
    in.numYosan4 = 5000;
    in.loans = {loan(1200, LoanRow::LevelPrincipal, 10, 2.0, 6, 3.0),
                loan(3000, LoanRow::LevelPayment, 20, 2.4, 11, 3.6), loan(0, LoanRow::LevelPayment, 15, 2.0)};
    return in;
}

QVector<YearResult> computeAll(ParkingProjection &p)
{
    return p.computeAll();
}

} // namespace

void tst_ParkingProjection::income_data()
{
    QTest::addColumn<ParkingPlanInput>("input");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("income");
    QTest::newRow("10 cars at 5, vacancy 10, year 1") << feePlan(10, 5, 10, 0, 0) << 1 << "540";
    QTest::newRow("no rise interval, year 75") << feePlan(10, 5, 10, 0, 50) << 75 << "540";
    QTest::newRow("every 3 years +10 %, year 3") << feePlan(10, 5, 0, 3, 10) << 3 << "600";
    QTest::newRow("every 3 years +10 %, year 4") << feePlan(10, 5, 0, 3, 10) << 4 << "660";
    QTest::newRow("every 3 years +10 %, year 6") << feePlan(10, 5, 0, 3, 10) << 6 << "660";
    QTest::newRow("every 3 years +10 %, year 7") << feePlan(10, 5, 0, 3, 10) << 7 << "726";
    QTest::newRow("interval 1 rises every year, year 2") << feePlan(10, 5, 0, 1, 10) << 2 << "660";
    QTest::newRow("interval 1 rises every year, year 3") << feePlan(10, 5, 0, 1, 10) << 3 << "726";
    QTest::newRow("vacancy 100") << feePlan(10, 5, 100, 3, 10) << 7 << "0";
    QTest::newRow("no cars") << feePlan(0, 5, 0, 3, 10) << 7 << "0";
    QTest::newRow("empty boxes") << ParkingPlanInput() << 1 << "0";
}

void tst_ParkingProjection::income()
{
    QFETCH(ParkingPlanInput, input);
    QFETCH(int, year);
    QFETCH(QString, income);
    ParkingProjection p(input);
    Currency amount;
    p.GetInTyusya(year, amount);
    QCOMPARE(amount, money(income.toLatin1()));
}

void tst_ParkingProjection::landTax_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<double>("rise");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("tax");
    // 100 x 200 = 20000 taxed 1.4 % + 0.3 % = 340.
    QTest::newRow("no rise, year 1") << 0 << 0.0 << 1 << "340";
    QTest::newRow("interval 0 keeps the value") << 0 << 50.0 << 75 << "340";
    QTest::newRow("every 5 years +2 %, year 5") << 5 << 2.0 << 5 << "340";
    QTest::newRow("every 5 years +2 %, year 6") << 5 << 2.0 << 6 << "346.8";
    QTest::newRow("interval 1, year 2") << 1 << 2.0 << 2 << "346.8";
}

void tst_ParkingProjection::landTax()
{
    QFETCH(int, interval);
    QFETCH(double, rise);
    QFETCH(int, year);
    QFETCH(QString, tax);
    ParkingPlanInput in;
    in.numSikiti1 = 200.0;
    in.numSikiti2 = 100;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    in.numKeikaku2 = interval;
    in.numKeikaku3 = rise;
    ParkingProjection p(in);
    Currency amount;
    p.GetOutToti(year, amount);
    QCOMPARE(amount, money(tax.toLatin1()));
}

void tst_ParkingProjection::planWithoutLoans_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("plExpense");
    QTest::addColumn<QString>("balance");
    // The budget is a profit-and-loss expense of year 1 only, outside the balance.
    QTest::newRow("year 1") << 1 << "540"
                            << "340"
                            << "1340"
                            << "200";
    QTest::newRow("year 3, last before the fee rises") << 3 << "540"
                                                       << "340"
                                                       << "340"
                                                       << "600";
    QTest::newRow("year 4, fee rise") << 4 << "594"
                                      << "340"
                                      << "340"
                                      << "854";
    QTest::newRow("year 6, land rise: 346.8 makes 347") << 6 << "594"
                                                        << "347"
                                                        << "347"
                                                        << "1355";
    QTest::newRow("year 7, balance keeps decimals") << 7 << "653.4"
                                                    << "347"
                                                    << "347"
                                                    << "1661.4";
    // 600 x 1.1^24 x 0.9 and 20000 x 1.02^14 x 1.7 %; the balance is their sum over the years.
    QTest::newRow("year 75") << 75 << "5318.8556"
                             << "449"
                             << "449"
                             << "129922.2363";
}

void tst_ParkingProjection::planWithoutLoans()
{
    QFETCH(int, year);
    QFETCH(QString, income);
    QFETCH(QString, expense);
    QFETCH(QString, plExpense);
    QFETCH(QString, balance);
    ParkingProjection p(planWithoutLoansInput());
    const QVector<YearResult> rows = computeAll(p);
    QCOMPARE(rows.size(), 75);
    QCOMPARE(brokenIdentity(rows), QString());
    const YearResult &r = rows[year - 1];
    QCOMPARE(r.year, year);
    QCOMPARE(r.type, PlanType::Parking);
    QCOMPARE(r.summary.income, money(income.toLatin1()));
    QCOMPARE(r.summary.expense, money(expense.toLatin1()));
    QCOMPARE(r.profitLoss.outTotal, money(plExpense.toLatin1()));
    QCOMPARE(r.summary.balance, money(balance.toLatin1()));
    QCOMPARE(r.cashFlow.out1, Currency());
    QCOMPARE(r.cashFlow.out3, year == 1 ? money("1000") : Currency());
    QCOMPARE(r.profitLoss.out3, r.cashFlow.out3);
    QVERIFY(!r.cashFlow.income2 && !r.cashFlow.out4);
    QVERIFY(!r.profitLoss.income2 && !r.profitLoss.out4 && !r.profitLoss.out5 && !r.profitLoss.out6);
}

void tst_ParkingProjection::planWithLoans_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("principal");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("plExpense");
    QTest::addColumn<QString>("balance");
    QTest::newRow("year 1") << 1 << "238.3119"
                            << "94.7042"
                            << "588"
                            << "5350"
                            << "1332";
    QTest::newRow("year 5, last at 2 %") << 5 << "250.2204"
                                         << "73.1957"
                                         << "578"
                                         << "328"
                                         << "6684";
    QTest::newRow("year 6, 3 % on the first loan") << 6 << "253.3803"
                                                   << "73.6358"
                                                   << "582"
                                                   << "329"
                                                   << "8022";
    QTest::newRow("year 10, last of the first loan") << 10 << "266.8055"
                                                     << "45.8106"
                                                     << "568"
                                                     << "301"
                                                     << "13410";
    QTest::newRow("year 11, second loan re-amortised") << 11 << "142.0622"
                                                       << "58.1139"
                                                       << "455"
                                                       << "313"
                                                       << "14875";
    QTest::newRow("year 20, last loan year") << 20 << "196.3267"
                                             << "3.8494"
                                             << "455"
                                             << "259"
                                             << "28060";
    QTest::newRow("year 21, loans repaid") << 21 << "0"
                                           << "0"
                                           << "255"
                                           << "255"
                                           << "29725";
    QTest::newRow("year 75") << 75 << "0"
                             << "0"
                             << "255"
                             << "255"
                             << "119635";
}

void tst_ParkingProjection::planWithLoans()
{
    QFETCH(int, year);
    QFETCH(QString, principal);
    QFETCH(QString, interest);
    QFETCH(QString, expense);
    QFETCH(QString, plExpense);
    QFETCH(QString, balance);
    ParkingProjection p(planWithLoansInput());
    const QVector<YearResult> rows = computeAll(p);
    QCOMPARE(rows.size(), 75);
    QCOMPARE(brokenIdentity(rows), QString());
    Currency principalSum;
    for (const YearResult &r : rows)
        principalSum += r.cashFlow.out1 - r.profitLoss.out1; // principal + interest, less interest
    QVERIFY2((principalSum - money("4200")).toDouble() < 0.01 && (money("4200") - principalSum).toDouble() < 0.01,
             qPrintable(principalSum.toString()));

    const YearResult &r = rows[year - 1];
    QCOMPARE(r.profitLoss.out1, money(interest.toLatin1()));
    QCOMPARE(r.cashFlow.out1, money(principal.toLatin1()) + money(interest.toLatin1()));
    QCOMPARE(r.summary.income, money("1920"));
    QCOMPARE(r.cashFlow.out2, money("255"));
    QCOMPARE(r.summary.expense, money(expense.toLatin1()));
    QCOMPARE(r.profitLoss.outTotal, money(plExpense.toLatin1()));
    QCOMPARE(r.summary.balance, money(balance.toLatin1()));
}

void tst_ParkingProjection::levelPrincipalLoan()
{
    // 1200 over 10 years at 2 %: 120 a year; interest on the balance at the year's start.
    ParkingPlanInput in;
    in.loans = {loan(1200, LoanRow::LevelPrincipal, 10, 2.0)};
    ParkingProjection p(in);
    Currency principal, interest;
    p.GetOutGankin(1, principal);
    p.GetOutKinri(1, interest);
    QCOMPARE(principal, money("120"));
    QCOMPARE(interest, money("24"));
    p.GetOutGankin(10, principal);
    p.GetOutKinri(10, interest);
    QCOMPARE(principal, money("120"));
    QCOMPARE(interest, money("2.4"));
    p.GetOutGankin(11, principal);
    p.GetOutKinri(11, interest);
    QCOMPARE(principal, Currency());
    QCOMPARE(interest, Currency());
}

void tst_ParkingProjection::levelPaymentYearIsTwelvePayments()
{
    // 3000 over 10 years at 3 %: the monthly payment is 3000 i / (1 - (1 + i)^-120)
    // with i = 0.0025, 28.96822..., so 347.6187 a year.
    ParkingPlanInput in;
    in.loans = {loan(3000, LoanRow::LevelPayment, 10, 3.0)};
    ParkingProjection p(in);
    Currency sum;
    for (int year = 1; year <= 11; ++year) {
        Currency principal, interest;
        p.GetOutGankin(year, principal);
        p.GetOutKinri(year, interest);
        if (year <= 10) {
            QVERIFY2(qAbs((principal + interest).toDouble() - 347.618680914) < 0.00011,
                     qPrintable((principal + interest).toString()));
            QVERIFY(interest > Currency());
        } else {
            QCOMPARE(principal + interest, Currency());
        }
        sum += principal;
    }
    QVERIFY(qAbs(sum.toDouble() - 3000) < 0.001);
}

void tst_ParkingProjection::loanRows_data()
{
    QTest::addColumn<LoanRow>("row");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("principal");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<QString>("principalOverTerm");
    QTest::newRow("amount 0") << loan(0, LoanRow::LevelPayment, 10, 2.0) << 1 << "0"
                              << "0"
                              << "0";
    QTest::newRow("term 0") << loan(1000, LoanRow::LevelPrincipal, 0, 2.0) << 1 << "0"
                            << "0"
                            << "0";
    QTest::newRow("unknown method") << loan(1000, 7, 10, 2.0) << 1 << "0"
                                    << "0"
                                    << "0";
    // End of period 1 at 11, past the term of 10: one rate throughout.
    QTest::newRow("second period after the term")
        << loan(1000, LoanRow::LevelPrincipal, 10, 2.0, 12, 9.0) << 10 << "100"
        << "2"
        << "1000";
    // 5000 over 10 years, 2 % then 4 % in year 10 alone: the balance left after 108
    // months is repaid over the last 12 at the new rate.
    QTest::newRow("second period in the last year")
        << loan(5000, LoanRow::LevelPayment, 10, 2.0, 10, 4.0) << 10 << "546.1461"
        << "11.9054"
        << "5000";
    QTest::newRow("second period in the last year, year 9")
        << loan(5000, LoanRow::LevelPayment, 10, 2.0, 10, 4.0) << 9 << "535.3406"
        << "16.7402"
        << "5000";
    // A term past the plan: 80000 over 80 years at 1 %; 72915.6940 repaid by year 75.
    QTest::newRow("term past year 75") << loan(80000, LoanRow::LevelPayment, 80, 1.0) << 75 << "1374.8664"
                                       << ""
                                       << "72915.694";
}

void tst_ParkingProjection::loanRows()
{
    QFETCH(LoanRow, row);
    QFETCH(int, year);
    QFETCH(QString, principal);
    QFETCH(QString, interest);
    QFETCH(QString, principalOverTerm);
    ParkingPlanInput in;
    in.loans = {row};
    ParkingProjection p(in);
    Currency amount;
    p.GetOutGankin(year, amount);
    QCOMPARE(amount, money(principal.toLatin1()));
    if (!interest.isEmpty()) {
        p.GetOutKinri(year, amount);
        QCOMPARE(amount, money(interest.toLatin1()));
    }
    Currency sum;
    for (int y = 1; y <= 75; ++y) {
        p.GetOutGankin(y, amount);
        sum += amount;
    }
    QVERIFY2(qAbs((sum - money(principalOverTerm.toLatin1())).toDouble()) < 0.01, qPrintable(sum.toString()));
}

void tst_ParkingProjection::rateNeverCarriesIntoTheNextRow()
{
    // The first loan ends at 9 % in its second period; the second has one period that
    // ends at year 3 of its 8 (not as the dialog stores it): its later years keep
    // its own 2 %, so year 5 is 800 / 8 x 4 x 2 % = 8.
    LoanRow first = loan(1000, LoanRow::LevelPrincipal, 10, 1.0, 2, 9.0);
    LoanRow second = loan(800, LoanRow::LevelPrincipal, 8, 2.0);
    second.end1 = 3;
    ParkingPlanInput in;
    in.loans = {first, second};
    ParkingProjection both(in);
    in.loans = {first};
    ParkingProjection firstOnly(in);
    Currency all, one;
    both.GetOutKinri(5, all);
    firstOnly.GetOutKinri(5, one);
    QCOMPARE(all - one, money("8"));
}

void tst_ParkingProjection::extremeRateComputes()
{
    // 999.99 % a year over 99 years: every month's interest is 30000 x 0.8333250,
    // the principal parts stay below a ten-thousandth.
    ParkingPlanInput in;
    in.loans = {loan(30000, LoanRow::LevelPayment, 99, 999.99)};
    ParkingProjection p(in);
    const QVector<YearResult> rows = computeAll(p);
    QCOMPARE(rows.size(), 75);
    QCOMPARE(rows[0].profitLoss.out1, money("299997"));
    QCOMPARE(rows[74].profitLoss.out1, money("299997"));
    QCOMPARE(rows[74].cashFlow.out1, money("299997"));
}

void tst_ParkingProjection::overflowFails_data()
{
    QTest::addColumn<ParkingPlanInput>("input");
    QTest::addColumn<QString>("yearOne"); // empty: year 1 fails
    QTest::addColumn<bool>("computes");   // all 75 years
    // Cars x fee x 12 is a 32-bit product: 2147483647 / 12 = 178956970.6.
    QTest::newRow("99999 cars at 1800: 2,159,978,400") << feePlan(99999, 1800, 10, 0, 0) << "" << false;
    QTest::newRow("30000 cars at 6000: 2,160,000,000") << feePlan(30000, 6000, 0, 0, 0) << "" << false;
    QTest::newRow("negative, past the range") << feePlan(-99999, 1800, 0, 0, 0) << "" << false;
    // 99999 x 1789 x 12 = 2,146,778,532 just fits.
    QTest::newRow("99999 cars at 1789 fits") << feePlan(99999, 1789, 0, 0, 0) << "2146778532" << true;
    // One car at 1 rising 999.99 % a year passes the money range within 75 years.
    QTest::newRow("rises past the money range") << feePlan(1, 1, 0, 1, 999.99) << "12" << false;
}

void tst_ParkingProjection::overflowFails()
{
    QFETCH(ParkingPlanInput, input);
    QFETCH(QString, yearOne);
    QFETCH(bool, computes);
    ParkingProjection p(input);
    const QString overflow = QStringLiteral("GetInTyusya|オーバーフローしました。");
    QCOMPARE(failedStep([&] { p.Compute(1); }), yearOne.isEmpty() ? overflow : QString());
    if (!yearOne.isEmpty())
        QCOMPARE(p.figures().income, money(yearOne.toLatin1()));
    ParkingProjection all(input);
    QCOMPARE(failedStep([&] { all.computeAll(); }), computes ? QString() : overflow);
}

void tst_ParkingProjection::yearsOutsideThePlan()
{
    ParkingProjection p(planWithoutLoansInput());
    QVERIFY_THROWS_EXCEPTION(ProcedureError, p.Compute(0));
    QVERIFY_THROWS_EXCEPTION(ProcedureError, p.Compute(76));
    Currency amount;
    QVERIFY_THROWS_EXCEPTION(ProcedureError, p.GetOutKinri(76, amount));
}

QTEST_GUILESS_MAIN(tst_ParkingProjection)
#include "tst_ParkingProjection.moc"
