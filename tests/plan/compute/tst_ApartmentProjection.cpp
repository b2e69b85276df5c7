#include "ApartmentProjection.h"
#include "ProjectionChecks.h"

#include <QtTest>

using namespace ProjectionChecks;

// Expected figures are worked out by hand from the rules of the apartment projection
// (footers of the rent rows, rises, vacancy, depreciation, taxes with their
// reductions, other costs) and the closed-form annuity formula, independently of
// this code.
class tst_ApartmentProjection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void footers();
    void income_data();
    void income();
    void depreciation_data();
    void depreciation();
    void buildingTax_data();
    void buildingTax();
    void landTax_data();
    void landTax();
    void otherCostsAndRepairs_data();
    void otherCostsAndRepairs();
    void straightLinePlan_data();
    void straightLinePlan();
    void decliningBalancePlan_data();
    void decliningBalancePlan();
    void totalsRoundHalvesToEven_data();
    void totalsRoundHalvesToEven();
    void emptyPlanComputesZeros();
    void noDwellingsWithAFloorArea();
    void loanYearOutsideBothPeriods_data();
    void loanYearOutsideBothPeriods();
    void levelPaymentOutsideBothPeriodsKeepsTheSecondRate();
    void overflowFails();
    void longProductsOverflow_data();
    void longProductsOverflow();
};

namespace
{

RentRow rent(int monthly, int common, int households, int parking, int deposit = 0)
{
    RentRow r;
    r.rent = monthly;
    r.commonCharge = common;
    r.households = households;
    r.parkingFee = parking;
    r.deposit = deposit;
    return r;
}

ApartmentPlanInput incomePlan(int until, int interval, double percent, double vacancy)
{
    ApartmentPlanInput in;
    in.rents = {rent(1000, 0, 1, 100)}; // 12000 and 1200 a year
    in.numKeikaku1 = vacancy;
    in.numKeikaku3 = until;
    in.numKeikaku4 = interval;
    in.numKeikaku5 = percent;
    return in;
}

struct Depreciation {
    int method;
    int life;
    double rate;
    int base;
    int residual;
    bool extra;
    QVariant validYears;
    QVariant factor1; // for a life below 35 (基準年)
};

ApartmentProjection depreciationPlan(const Depreciation &d)
{
    ApartmentPlanInput in;
    in.cmbGenka1 = d.method;
    in.numGenka2 = d.life;
    in.numGenka3 = d.rate;
    in.numGenka4 = d.base;
    in.numGenka5 = d.residual;
    in.cmbGenka6 = d.extra ? 0 : 1;
    ProjectionSettings s;
    s.validYears = d.validYears;
    s.baseYear = QStringLiteral("35");
    s.extraRate1 = d.factor1;
    s.extraRate2 = QStringLiteral("1.1");
    return ApartmentProjection(in, s);
}

ApartmentPlanInput buildingPlan(int dwellings, double floorArea, int floors, int fireResistant)
{
    ApartmentPlanInput in;
    in.numKaoku3 = dwellings;
    in.numKaoku4 = floors;
    in.numKaoku5 = floorArea;
    in.numKaoku6 = 100;
    in.numKaoku7 = 1.4;
    in.numKaoku8 = 0.3;
    in.chkKaoku9 = fireResistant;
    in.numSikiti1 = 500.0;
    in.numSikiti2 = 200;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    return in;
}

// Three dwelling types (footers 1840 and 160 a month), 20 dwellings on 1200 square
// metres in 4 fire-resistant floors, 5 % vacant, rents +3 % every 2 years up to year
// 10, land +2 % every 3 years; straight line over 47 years at 2.2 % of 94500 with
// 10 % extra in years 1 to 5; three loans, two of them with two periods.
ApartmentPlanInput straightLineInput()
{
    ApartmentPlanInput in = buildingPlan(20, 1200, 4, 1);
    in.rents = {rent(80, 5, 10, 10, 160), rent(120, 5, 6, 10, 240), rent(60, 0, 4, 0, 120)};
    in.numKeikaku1 = 5.0;
    in.numKeikaku2 = 20.0;
    in.numKeikaku3 = 10;
    in.numKeikaku4 = 2;
    in.numKeikaku5 = 3.0;
    in.numKeikaku6 = 3;
    in.numKeikaku7 = 2.0;
    in.numKeikaku8 = 150;
    in.numKeikaku9 = 5.0;
    in.numYosan3 = 1500;
    in.numYosan4 = 750;
    in.numYosan5 = 60;
    in.numYosan6 = 900;
    in.numYosan7 = 600;
    in.numYosan8 = 400;
    in.numYosan9 = 300;
    in.numYosan10 = 200;
    in.numYosan11 = 100;
    in.numKasai = 10;
    in.cmbGenka1 = 1;
    in.numGenka2 = 47;
    in.numGenka3 = 2.2;
    in.numGenka4 = 105000;
    in.numGenka5 = 10500;
    in.cmbGenka6 = 0;
    in.loans = {loan(50000, LoanRow::LevelPayment, 30, 2.0, 11, 3.5),
                loan(30000, LoanRow::LevelPayment, 20, 1.5, 6, 2.5), loan(10000, LoanRow::LevelPrincipal, 10, 2.0)};
    return in;
}

ProjectionSettings settings(const char *validYears, const char *factor1, const char *factor2)
{
    ProjectionSettings s;
    s.validYears = QString::fromLatin1(validYears);
    s.baseYear = QStringLiteral("35");
    s.extraRate1 = QString::fromLatin1(factor1);
    s.extraRate2 = QString::fromLatin1(factor2);
    return s;
}

// One dwelling type of 10 (footers 1600 and 200), 10 dwellings on 3000 square
// metres (300 each), rents +2 % every year up to year 5, no vacancy; declining
// balance over 20 years at 10.9 % of 105000, 25 % extra in years 1 to 3; one loan
// at 2 % from year 1 (its second period is the whole term).
ApartmentPlanInput decliningInput()
{
    ApartmentPlanInput in = buildingPlan(10, 3000, 5, 1);
    in.numKaoku6 = 150;
    in.numSikiti1 = 1000.0;
    in.numSikiti2 = 100;
    in.rents = {rent(150, 10, 10, 20)};
    in.numKeikaku2 = 10.0;
    in.numKeikaku3 = 5;
    in.numKeikaku4 = 1;
    in.numKeikaku5 = 2.0;
    in.numKeikaku6 = 0;
    in.numKeikaku7 = 5.0;
    in.numKeikaku8 = 100;
    in.numKeikaku9 = 3.0;
    in.cmbGenka1 = 0;
    in.numGenka2 = 20;
    in.numGenka3 = 10.9;
    in.numGenka4 = 105000;
    in.cmbGenka6 = 0;
    in.loans = {loan(40000, LoanRow::LevelPayment, 25, 0.0, 1, 2.0)};
    return in;
}

void addPlanColumns()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("figures");
}

// The figures in the order InYatin, InTyusya, InTotal, OutGenka, OutGankin, OutKinri,
// OutIji, OutSyuzen, OutKaoku, OutToti, OutSyokei, OutTotal, PlOutTotal, Balance.
void checkPlan(const ApartmentPlanInput &in, const ProjectionSettings &s, int year, const QStringList &figures,
               const char *principalSum)
{
    ApartmentProjection p(in, s);
    const QVector<YearResult> rows = p.computeAll();
    QCOMPARE(rows.size(), 75);
    QCOMPARE(brokenIdentity(rows), QString());
    Currency principal;
    for (const YearResult &r : rows)
        principal += r.cashFlow.out1 - r.profitLoss.out2;
    QVERIFY2(qAbs((principal - money(principalSum)).toDouble()) < 0.01, qPrintable(principal.toString()));

    ApartmentProjection q(in, s);
    for (int y = 1; y <= year; ++y)
        q.Compute(y);
    const YearFigures &f = q.figures();
    const Currency got[] = {f.InYatin,   f.InTyusya, f.InTotal, f.OutGenka,  f.OutGankin, f.OutKinri,   f.OutIji,
                            f.OutSyuzen, f.OutKaoku, f.OutToti, f.OutSyokei, f.OutTotal,  f.PlOutTotal, q.balance()};
    for (int i = 0; i < figures.size(); ++i)
        QCOMPARE(got[i], money(figures[i].toLatin1()));

    // The rows carry the figures into their columns.
    const YearResult &r = q.result();
    QCOMPARE(r.type, PlanType::Apartment);
    QCOMPARE(r.cashFlow.income1, f.InYatin);
    QCOMPARE(*r.cashFlow.income2, f.InTyusya);
    QCOMPARE(r.cashFlow.out1, f.OutGankin + f.OutKinri);
    QCOMPARE(r.cashFlow.out2, f.OutSyuzen + f.OutIji);
    QCOMPARE(r.cashFlow.out3, f.OutKaoku);
    QCOMPARE(*r.cashFlow.out4, f.OutToti);
    QCOMPARE(r.profitLoss.out1, f.OutGenka);
    QCOMPARE(r.profitLoss.out2, f.OutKinri);
    QCOMPARE(r.profitLoss.out3, f.OutSyuzen + f.OutIji);
    QCOMPARE(*r.profitLoss.out4, f.OutKaoku);
    QCOMPARE(*r.profitLoss.out5, f.OutToti);
    QCOMPARE(*r.profitLoss.out6, f.OutSyokei);
    QCOMPARE(r.profitLoss.outTotal, f.PlOutTotal);
}

} // namespace

Q_DECLARE_METATYPE(ApartmentPlanInput)
Q_DECLARE_METATYPE(Depreciation)
Q_DECLARE_METATYPE(LoanRow)

// One term of the projection in the given years, against the amounts worked out by hand.
void checkTerm(ApartmentProjection &p, void (ApartmentProjection::*term)(int, Currency &), const QList<int> &years,
               const QStringList &amounts)
{
    for (int i = 0; i < years.size(); ++i) {
        Currency amount;
        (p.*term)(years[i], amount);
        QCOMPARE(amount, money(amounts[i].toLatin1()));
    }
}

void tst_ApartmentProjection::footers()
{
    // (100 + 10) x 3 + (200 + 0) x 2 = 730; parking 5 x 3 + 0; deposits 50 x 3 + 60 x 2.
    const RentFooters f = RentFooters::fromRows({rent(100, 10, 3, 5, 50), rent(200, 0, 2, 0, 60)});
    QCOMPARE(f.rent, int64_t(730));
    QCOMPARE(f.parking, int64_t(15));
    QCOMPARE(f.deposit, int64_t(270));
    QCOMPARE(RentFooters::fromRows({}).rent, int64_t(0));
    // Stored text with a thousands separator reads as its number.
    QCOMPARE(RentFooters::fromRows({rent(0, 0, 1, 0)}).rent, int64_t(0));
    RentRow grouped;
    grouped.rent = QStringLiteral("1,000");
    grouped.households = 2;
    QCOMPARE(RentFooters::fromRows({grouped}).rent, int64_t(2000));
}

void tst_ApartmentProjection::income_data()
{
    QTest::addColumn<ApartmentPlanInput>("input");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("rent");
    QTest::addColumn<QString>("parking");
    QTest::newRow("year 1, 5 % vacant") << incomePlan(10, 2, 3, 5) << 1 << "11400"
                                        << "1140";
    QTest::newRow("rise years 3, 5, 7, 9: year 2") << incomePlan(10, 2, 3, 0) << 2 << "12000"
                                                   << "1200";
    QTest::newRow("rise years 3, 5, 7, 9: year 3") << incomePlan(10, 2, 3, 0) << 3 << "12360"
                                                   << "1236";
    QTest::newRow("rise years 3, 5, 7, 9: year 5") << incomePlan(10, 2, 3, 0) << 5 << "12730.8"
                                                   << "1273.08";
    QTest::newRow("rise years 3, 5, 7, 9: year 9") << incomePlan(10, 2, 3, 0) << 9 << "13506.1057"
                                                   << "1350.6106";
    QTest::newRow("level kept after year 10") << incomePlan(10, 2, 3, 0) << 75 << "13506.1057"
                                              << "1350.6106";
    QTest::newRow("no last year never rises") << incomePlan(0, 2, 3, 0) << 75 << "12000"
                                              << "1200";
    QTest::newRow("interval 0 never rises") << incomePlan(10, 0, 3, 0) << 75 << "12000"
                                            << "1200";
    QTest::newRow("interval 1 rises every year: year 2") << incomePlan(3, 1, 3, 0) << 2 << "12360"
                                                         << "1236";
    QTest::newRow("interval 1 rises every year: year 4") << incomePlan(3, 1, 3, 0) << 4 << "12730.8"
                                                         << "1273.08";
    QTest::newRow("vacancy 100") << incomePlan(10, 2, 3, 100) << 9 << "0"
                                 << "0";
}

void tst_ApartmentProjection::income()
{
    QFETCH(ApartmentPlanInput, input);
    QFETCH(int, year);
    QFETCH(QString, rent);
    QFETCH(QString, parking);
    input.numKeikaku9 = 5.0;
    ApartmentProjection p(input, ProjectionSettings());
    for (int y = 1; y <= year; ++y)
        p.Compute(y);
    QCOMPARE(p.figures().InYatin, money(rent.toLatin1()));
    QCOMPARE(p.figures().InTyusya, money(parking.toLatin1()));
    // Upkeep is 5 % of the whole income.
    QCOMPARE(p.figures().OutIji, Currency::fromDouble(double(p.figures().InTotal.roundToInt()) * 5 / 100));
}

void tst_ApartmentProjection::depreciation_data()
{
    QTest::addColumn<Depreciation>("plan");
    QTest::addColumn<QList<int>>("years");
    QTest::addColumn<QStringList>("amounts");
    const Depreciation straight{1, 10, 10, 1000, 100, false, 5, "1.3"};
    QTest::newRow("straight line, no extra") << straight << QList<int>{1, 10, 11} << QStringList{"90", "90", "0"};
    const Depreciation straightExtra{1, 12, 10, 1000, 100, true, 5, "1.3"};
    QTest::newRow("straight line, extra until year 5, capped at 900")
        << straightExtra << QList<int>{1, 5, 6, 8, 9, 10, 12, 13}
        << QStringList{"117", "117", "90", "90", "45", "0", "0", "0"};
    const Depreciation exact{1, 10, 20, 1000, 0, true, 1, "2"};
    QTest::newRow("straight line reaching the amount exactly")
        << exact << QList<int>{1, 2, 4, 5} << QStringList{"400", "200", "200", "0"};
    // 2.2 % of 94500 is 2079; 45 years would pass 94500, year 46 takes the rest.
    const Depreciation overshoot{1, 47, 2.2, 105000, 10500, false, 5, "1.3"};
    QTest::newRow("straight line never passes the amount")
        << overshoot << QList<int>{45, 46, 47} << QStringList{"2079", "945", "0"};
    const Depreciation declining{0, 10, 20, 1000, 0, false, 2, "1.5"};
    QTest::newRow("declining balance") << declining << QList<int>{1, 2, 3, 11} << QStringList{"200", "160", "128", "0"};
    const Depreciation decliningExtra{0, 10, 20, 1000, 0, true, 2, "1.5"};
    QTest::newRow("declining balance with extra")
        << decliningExtra << QList<int>{1, 2, 3} << QStringList{"300", "210", "98"};
    const Depreciation whole{0, 10, 100, 1000, 0, false, 0, ""};
    QTest::newRow("declining balance at 100 %") << whole << QList<int>{1, 2, 3} << QStringList{"1000", "0", "0"};
    const Depreciation beyond{0, 10, 60, 1000, 0, true, 1, "2"};
    QTest::newRow("declining balance never passes the book value")
        << beyond << QList<int>{1, 2} << QStringList{"1000", "0"};
    const Depreciation missingFactor{0, 10, 20, 1000, 0, true, 2, ""};
    QTest::newRow("missing factor means no extra") << missingFactor << QList<int>{1, 2} << QStringList{"200", "160"};
    const Depreciation zeroFactor{0, 10, 20, 1000, 0, true, 2, "0"};
    QTest::newRow("factor 0 means no extra") << zeroFactor << QList<int>{1, 2} << QStringList{"200", "160"};
    const Depreciation negativeFactor{0, 10, 20, 1000, 0, true, 2, "-2"};
    QTest::newRow("negative factor means no extra") << negativeFactor << QList<int>{1} << QStringList{"200"};
    // A life of 40 is not below 35: the second factor, 1.1.
    const Depreciation secondFactor{0, 40, 20, 1000, 0, true, 2, "1.5"};
    QTest::newRow("long life takes the second factor") << secondFactor << QList<int>{1} << QStringList{"220"};
    const Depreciation noRate{0, 10, 0, 1000, 0, false, 0, ""};
    QTest::newRow("rate 0") << noRate << QList<int>{1} << QStringList{"0"};
    const Depreciation noMethod{-1, 10, 20, 1000, 0, false, 0, ""};
    QTest::newRow("no method chosen") << noMethod << QList<int>{1} << QStringList{"0"};
    const Depreciation residualTooLarge{1, 10, 10, 1000, 1200, false, 0, ""};
    QTest::newRow("residual above the base") << residualTooLarge << QList<int>{1} << QStringList{"0"};
}

void tst_ApartmentProjection::depreciation()
{
    QFETCH(Depreciation, plan);
    QFETCH(QList<int>, years);
    QFETCH(QStringList, amounts);
    ApartmentProjection p = depreciationPlan(plan);
    checkTerm(p, &ApartmentProjection::GetOutGenka, years, amounts);
}

void tst_ApartmentProjection::buildingTax_data()
{
    QTest::addColumn<ApartmentPlanInput>("input");
    QTest::addColumn<QList<int>>("years");
    QTest::addColumn<QStringList>("amounts");
    ApartmentPlanInput noValue = buildingPlan(10, 600, 3, 1);
    noValue.numKaoku6 = 0;
    QTest::newRow("no building value") << noValue << QList<int>{1} << QStringList{"0"};
    // 30 square metres a dwelling: 300 x 100 = 30000 taxed in full, 420 + 90.
    QTest::newRow("below 35 square metres") << buildingPlan(10, 300, 3, 1) << QList<int>{1} << QStringList{"510"};
    // 60 a dwelling: 60000; the fixed-asset part 840 is halved in the reduction years, 180 city part.
    QTest::newRow("60 square metres, not fire-resistant")
        << buildingPlan(10, 600, 4, 0) << QList<int>{1, 3, 4} << QStringList{"600", "600", "1020"};
    QTest::newRow("60 square metres, fire-resistant, 3 floors")
        << buildingPlan(10, 600, 3, 1) << QList<int>{5, 6} << QStringList{"600", "1020"};
    QTest::newRow("60 square metres, fire-resistant, 2 floors")
        << buildingPlan(10, 600, 2, 1) << QList<int>{3, 4} << QStringList{"600", "1020"};
    QTest::newRow("exactly 120 square metres") << buildingPlan(10, 1200, 2, 0) << QList<int>{1} << QStringList{"1200"};
    // 240 a dwelling: 240000, full fixed-asset part 3360; half of it is on the first
    // 120 square metres and halved: 840 + 1680, and the city part 720.
    QTest::newRow("240 square metres: reduction on the first 120")
        << buildingPlan(10, 2400, 2, 0) << QList<int>{1, 4} << QStringList{"3240", "4080"};
}

void tst_ApartmentProjection::buildingTax()
{
    QFETCH(ApartmentPlanInput, input);
    QFETCH(QList<int>, years);
    QFETCH(QStringList, amounts);
    ApartmentProjection p(input, ProjectionSettings());
    checkTerm(p, &ApartmentProjection::GetOutKaoku, years, amounts);
}

void tst_ApartmentProjection::landTax_data()
{
    QTest::addColumn<ApartmentPlanInput>("input");
    QTest::addColumn<QList<int>>("years");
    QTest::addColumn<QStringList>("amounts");
    // 500 x 200 = 100000: 1400 / 6 + 300 / 3.
    QTest::newRow("small residential land")
        << buildingPlan(10, 600, 3, 1) << QList<int>{1, 75} << QStringList{"333.3333", "333.3333"};
    QTest::newRow("exactly 200 square metres a dwelling")
        << buildingPlan(10, 2000, 3, 1) << QList<int>{1} << QStringList{"333.3333"};
    // 10 dwellings on 2500: 2000 small, 500 rest: 0.2 x 1400 / 3 + 0.8 x 1400 / 6
    // and 0.2 x 300 x 2 / 3 + 0.8 x 300 / 3.
    QTest::newRow("10 dwellings on 2500 square metres")
        << buildingPlan(10, 2500, 3, 1) << QList<int>{1} << QStringList{"400"};
    ApartmentPlanInput rising = buildingPlan(10, 600, 3, 1);
    rising.numKeikaku6 = 3;
    rising.numKeikaku7 = 2.0;
    QTest::newRow("land +2 % every 3 years")
        << rising << QList<int>{3, 4, 7} << QStringList{"333.3333", "340", "346.8"};
    ApartmentPlanInput never = rising;
    never.numKeikaku6 = 0;
    QTest::newRow("interval 0 never rises") << never << QList<int>{75} << QStringList{"333.3333"};
    // No dwellings: no residential reduction, 1400 + 300.
    QTest::newRow("no dwellings, taxed in full") << buildingPlan(0, 600, 3, 1) << QList<int>{1} << QStringList{"1700"};
}

void tst_ApartmentProjection::landTax()
{
    QFETCH(ApartmentPlanInput, input);
    QFETCH(QList<int>, years);
    QFETCH(QStringList, amounts);
    ApartmentProjection p(input, ProjectionSettings());
    checkTerm(p, &ApartmentProjection::GetOutToti, years, amounts);
}

void tst_ApartmentProjection::otherCostsAndRepairs_data()
{
    QTest::addColumn<ApartmentPlanInput>("input");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("otherCosts");
    QTest::addColumn<QString>("repairs");
    const ApartmentPlanInput plan = straightLineInput();
    // Year 1: 60 + 900 + 400 + 300 + 200 + 100, 1500 / 15 + 750 / 15, 600 / 10.
    QTest::newRow("year 1") << plan << 1 << "2170"
                            << "0";
    // 20 dwellings x 20 % = 400 turnovers per 100, x 150.
    QTest::newRow("year 2") << plan << 2 << "210"
                            << "600";
    QTest::newRow("year 10, last insured year") << plan << 10 << "210"
                                                << "600";
    QTest::newRow("year 15, last spread year") << plan << 15 << "150"
                                               << "600";
    QTest::newRow("year 16") << plan << 16 << "0"
                             << "600";
    ApartmentPlanInput uninsured = plan;
    uninsured.numKasai = 0;
    QTest::newRow("no insurance period") << uninsured << 2 << "150"
                                         << "600";
    ApartmentPlanInput rare = plan;
    rare.numKeikaku2 = 0.4; // rounds to no turnover
    QTest::newRow("turnover rounding to 0") << rare << 2 << "210"
                                            << "0";
}

void tst_ApartmentProjection::otherCostsAndRepairs()
{
    QFETCH(ApartmentPlanInput, input);
    QFETCH(int, year);
    QFETCH(QString, otherCosts);
    QFETCH(QString, repairs);
    ApartmentProjection p(input, ProjectionSettings());
    Currency amount;
    p.GetOutSyokei(year, amount);
    QCOMPARE(amount, money(otherCosts.toLatin1()));
    p.GetOutSyuzen(year, amount);
    QCOMPARE(amount, money(repairs.toLatin1()));
}

void tst_ApartmentProjection::straightLinePlan_data()
{
    addPlanColumns();
    QTest::newRow("year 1") << 1
                            << QStringList{"20976", "1824", "22800",    "2286.9", "3524.9912", "1629.8891", "1140",
                                           "0",     "1200", "333.3333", "2170",   "7828",      "8760",      "14972"};
    QTest::newRow("year 2, repairs start")
        << 2 << QStringList{"20976", "1824", "22800",    "2286.9", "3569.3715", "1565.5088", "1140",
                            "600",   "1200", "333.3333", "210",    "8408",      "7336",      "29364"};
    QTest::newRow("year 3, rent rise") << 3 << QStringList{"21605.28",  "1878.72", "23484", "2286.9", "3614.5482",
                                                           "1500.3321", "1174.2",  "600",   "1200",   "333.3333",
                                                           "210",       "8422",    "7305",  "44426"};
    QTest::newRow("year 5, last extra and reduced year")
        << 5 << QStringList{"22253.4384", "1935.0816", "24189", "2286.9", "3707.3491", "1367.5312", "1209.45",
                            "600",        "1200",      "340",   "210",    "8424",      "7214",      "75266"};
    QTest::newRow("year 6, second loan at 2.5 %")
        << 6 << QStringList{"22253.4384", "1935.0816", "24189", "2079", "3655.8801", "1527.8615", "1209.45",
                            "600",        "2040",      "340",   "210",  "9373",      "8006",      "90082"};
    QTest::newRow("year 10, last of the third loan")
        << 10 << QStringList{"23608.6728", "2052.9281", "25662",   "2079", "3905.2344", "1198.5072", "1283.1",
                             "600",        "2040",      "353.736", "210",  "9381",      "7764",      "153687"};
    QTest::newRow("year 11, first loan at 3.5 %")
        << 11 << QStringList{"23608.6728", "2052.9281", "25662",   "2079", "2754.718", "1653.7634", "1283.1",
                             "600",        "2040",      "353.736", "150",  "8685",     "8160",      "170664"};
    QTest::newRow("year 16, spreads end")
        << 16 << QStringList{"23608.6728", "2052.9281", "25662",    "2079", "3195.5135", "1212.9679", "1283.1",
                             "600",        "2040",      "368.0269", "0",    "8700",      "7583",      "255513"};
    QTest::newRow("year 20, last of the second loan")
        << 20 << QStringList{"23608.6728", "2052.9281", "25662",    "2079", "3600.025", "808.4563", "1283.1",
                             "600",        "2040",      "375.3875", "0",    "8707",     "7186",     "323347"};
    QTest::newRow("year 30, last of the first loan")
        << 30 << QStringList{"23608.6728", "2052.9281", "25662",    "2079", "2494.9048", "47.5518", "1283.1",
                             "600",        "2040",      "398.3642", "0",    "6864",      "6448",    "511422"};
    QTest::newRow("year 31") << 31
                             << QStringList{"23608.6728", "2052.9281", "25662",    "2079", "0",    "0",    "1283.1",
                                            "600",        "2040",      "406.3315", "0",    "4329", "6408", "532755"};
    QTest::newRow("year 45, rest of the depreciable amount")
        << 45 << QStringList{"23608.6728", "2052.9281", "25662",    "1984.5", "0",    "0",    "1283.1",
                             "600",        "2040",      "439.8263", "0",      "4363", "6347", "831162"};
    QTest::newRow("year 46, fully depreciated")
        << 46 << QStringList{"23608.6728", "2052.9281", "25662",    "0", "0",    "0",    "1283.1",
                             "600",        "2040",      "448.6228", "0", "4372", "4372", "852452"};
    QTest::newRow("year 75") << 75
                             << QStringList{"23608.6728", "2052.9281", "25662",    "0", "0",    "0",    "1283.1",
                                            "600",        "2040",      "536.1457", "0", "4459", "4459", "1468593"};
}

void tst_ApartmentProjection::straightLinePlan()
{
    QFETCH(int, year);
    QFETCH(QStringList, figures);
    checkPlan(straightLineInput(), settings("5", "1.3", "1.1"), year, figures, "90000");
}

void tst_ApartmentProjection::decliningBalancePlan_data()
{
    addPlanColumns();
    // Building: 450000; a dwelling has 300 square metres, so the fixed-asset part
    // 6300 is reduced to 1260 + 3780 in years 1 to 5, plus 1350. Land: 1400 and 300
    // split 1000 : 2000 between the general and the small-residential share.
    QTest::newRow("year 1") << 1
                            << QStringList{"19200", "2400", "21600",    "14306.25", "1245.8802", "788.6206", "648",
                                           "0",     "6390", "444.4444", "0",        "9517",      "22577",    "12083"};
    QTest::newRow("year 2") << 2
                            << QStringList{"19584", "2448", "22032",    "12357.0234", "1271.0275", "763.4733", "660.96",
                                           "100",   "6390", "444.4444", "0",          "9630",      "20716",    "24485"};
    QTest::newRow("year 3, last extra year")
        << 3 << QStringList{"19975.68", "2496.96", "22473",    "10673.379", "1296.6823", "737.8185", "674.19",
                            "100",      "6390",    "444.4444", "0",         "9643",      "19020",    "37315"};
    QTest::newRow("year 4") << 4 << QStringList{"20375.1936", "2546.8992", "22922", "7375.3049", "1322.855",
                                                "711.6458",   "687.66",    "100",   "6390",      "444.4444",
                                                "0",          "9657",      "15709", "50580"};
    QTest::newRow("year 6, full building tax")
        << 6 << QStringList{"20782.6975", "2597.8372", "23381",    "5855.1144", "1376.7959", "657.7049", "701.43",
                            "100",        "7650",      "444.4444", "0",         "10930",     "15409",    "76742"};
    QTest::newRow("year 20, end of the useful life")
        << 20 << QStringList{"20782.6975", "2597.8372", "23381",    "1163.6523", "1821.2552", "213.2456", "701.43",
                             "100",        "7650",      "444.4444", "0",         "10930",     "10273",    "251056"};
    QTest::newRow("year 21") << 21 << QStringList{"20782.6975", "2597.8372", "23381", "0",     "1858.0161",
                                                  "176.4847",   "701.43",    "100",   "7650",  "444.4444",
                                                  "0",          "10930",     "9072",  "263507"};
    QTest::newRow("year 25, last loan year")
        << 25 << QStringList{"20782.6975", "2597.8372", "23381",    "0", "2012.6308", "21.8701", "701.43",
                             "100",        "7650",      "444.4444", "0", "10930",     "8918",    "313311"};
    QTest::newRow("year 75") << 75
                             << QStringList{"20782.6975", "2597.8372", "23381",    "0", "0",    "0",    "701.43",
                                            "100",        "7650",      "444.4444", "0", "8896", "8896", "1037561"};
}

void tst_ApartmentProjection::decliningBalancePlan()
{
    QFETCH(int, year);
    QFETCH(QStringList, figures);
    checkPlan(decliningInput(), settings("3", "1.25", "1.1"), year, figures, "40000");
}

void tst_ApartmentProjection::totalsRoundHalvesToEven_data()
{
    QTest::addColumn<double>("upkeep");
    QTest::addColumn<QString>("expense");
    // Income 125 x 12 = 1500; upkeep 1.5 or 4.5 is the only expense.
    QTest::newRow("1.5 makes 2") << 0.1 << "2";
    QTest::newRow("4.5 makes 4") << 0.3 << "4";
}

void tst_ApartmentProjection::totalsRoundHalvesToEven()
{
    QFETCH(double, upkeep);
    QFETCH(QString, expense);
    ApartmentPlanInput in;
    in.rents = {rent(125, 0, 1, 0)};
    in.numKeikaku9 = upkeep;
    ApartmentProjection p(in, ProjectionSettings());
    p.Compute(1);
    QCOMPARE(p.figures().OutTotal, money(expense.toLatin1()));
    QCOMPARE(p.figures().PlOutTotal, money(expense.toLatin1()));
    QCOMPARE(p.balance(), money("1500") - money(expense.toLatin1()));
}

void tst_ApartmentProjection::emptyPlanComputesZeros()
{
    // Every box empty, no rows: nothing divides by zero dwellings or insurance years.
    ApartmentProjection p{ApartmentPlanInput(), ProjectionSettings()};
    for (const YearResult &r : p.computeAll()) {
        QCOMPARE(r.summary.income, Currency());
        QCOMPARE(r.summary.expense, Currency());
        QCOMPARE(r.profitLoss.outTotal, Currency());
    }
}

void tst_ApartmentProjection::noDwellingsWithAFloorArea()
{
    // 600 square metres but no dwellings: there is no area per dwelling, so neither
    // tax is reduced and nothing is divided by the 0 dwellings. Building 600 x 100:
    // 840 + 180; land 500 x 200: 1400 + 300. Repairs at 10 % turnover: 0 dwellings.
    ApartmentPlanInput in = buildingPlan(0, 600, 3, 1);
    in.numKeikaku2 = 10;
    in.numKeikaku8 = 50;
    ApartmentProjection p(in, ProjectionSettings());
    QCOMPARE(failedStep([&] { p.computeAll(); }), QString());
    ApartmentProjection q(in, ProjectionSettings());
    for (int year = 1; year <= 6; ++year) { // the reduction years of a fire-resistant building, and after
        q.Compute(year);
        QCOMPARE(q.figures().OutKaoku, money("1020"));
        QCOMPARE(q.figures().OutToti, money("1700"));
        QCOMPARE(q.figures().OutSyuzen, Currency());
        QCOMPARE(q.figures().OutTotal, money("2720"));
    }
}

void tst_ApartmentProjection::loanYearOutsideBothPeriods_data()
{
    QTest::addColumn<LoanRow>("row");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("interest");
    // 1000 over 10 years, equal principal (100 a year): a year's interest is
    // 100 x (10 - year + 1) x the rate of the year.
    LoanRow twoPeriods = loan(1000, LoanRow::LevelPrincipal, 10, 2.0, 4, 4.0);
    twoPeriods.end2 = 6; // the second period ends at year 6 of the 10
    QTest::newRow("first period, year 2: 100 x 9 x 2 %") << twoPeriods << 2 << "18";
    QTest::newRow("second period, year 5: 100 x 6 x 4 %") << twoPeriods << 5 << "24";
    QTest::newRow("after both, year 7: 100 x 4 x 4 %") << twoPeriods << 7 << "16";
    QTest::newRow("after both, year 10: 100 x 1 x 4 %") << twoPeriods << 10 << "4";
    QTest::newRow("past the term") << twoPeriods << 11 << "0";
    LoanRow onePeriod = loan(1000, LoanRow::LevelPrincipal, 10, 3.0);
    onePeriod.end1 = 3; // one period, ending at year 3 of the 10
    QTest::newRow("one period ended, year 8: 100 x 3 x 3 %") << onePeriod << 8 << "9";
}

void tst_ApartmentProjection::loanYearOutsideBothPeriods()
{
    QFETCH(LoanRow, row);
    QFETCH(int, year);
    QFETCH(QString, interest);
    // A first row that ends at 9 % must not lend its rate to the row after it.
    ApartmentPlanInput in;
    in.loans = {loan(500, LoanRow::LevelPrincipal, 20, 9.0, 2, 9.0), row};
    ApartmentProjection both(in, ProjectionSettings());
    in.loans = {in.loans.first()};
    ApartmentProjection firstOnly(in, ProjectionSettings());
    Currency all, first;
    both.GetOutKinri(year, all);
    firstOnly.GetOutKinri(year, first);
    QCOMPARE(all - first, money(interest.toLatin1()));
}

void tst_ApartmentProjection::levelPaymentOutsideBothPeriodsKeepsTheSecondRate()
{
    // An annuity whose second period ends at year 6 of 10 pays in years 7 to 10 what
    // the same loan pays when its second period runs to the end of the term.
    LoanRow shortSecond = loan(12000, LoanRow::LevelPayment, 10, 2.0, 4, 5.0);
    shortSecond.end2 = 6;
    ApartmentPlanInput a;
    a.loans = {shortSecond};
    ApartmentPlanInput b;
    b.loans = {loan(12000, LoanRow::LevelPayment, 10, 2.0, 4, 5.0)};
    ApartmentProjection p(a, ProjectionSettings());
    ApartmentProjection q(b, ProjectionSettings());
    Currency totalPrincipal;
    for (int year = 1; year <= 10; ++year) {
        Currency ip, iq, pp, pq;
        p.GetOutKinri(year, ip);
        q.GetOutKinri(year, iq);
        p.GetOutGankin(year, pp);
        q.GetOutGankin(year, pq);
        QCOMPARE(ip, iq);
        QCOMPARE(pp, pq);
        QVERIFY(ip > Currency());
        totalPrincipal += pp;
    }
    QVERIFY2(qAbs((totalPrincipal - money("12000")).toDouble()) < 0.01, qPrintable(totalPrincipal.toString()));
}

void tst_ApartmentProjection::overflowFails()
{
    ApartmentPlanInput in = incomePlan(75, 1, 999.99, 0);
    ApartmentProjection p(in, ProjectionSettings());
    QCOMPARE(failedStep([&] { p.computeAll(); }), QStringLiteral("GetInYatin|オーバーフローしました。"));

    // Footer totals beyond 64 bits fail the income, not the program.
    ApartmentPlanInput huge;
    huge.rents = QVector<RentRow>(5, rent(2000000000, 2000000000, 2000000000, 0));
    ApartmentProjection q(huge, ProjectionSettings());
    QVERIFY(failedStep([&] { q.Compute(1); }).startsWith(QStringLiteral("GetInYatin|")));
}

void tst_ApartmentProjection::longProductsOverflow_data()
{
    QTest::addColumn<ApartmentPlanInput>("input");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("procedure"); // empty: the year computes
    // A footer times 12 is a 32-bit product: 2147483647 / 12 = 178956970.6.
    ApartmentPlanInput rentFits;
    rentFits.rents = {rent(178956970, 0, 1, 0)};
    QTest::newRow("rent footer 178956970 fits") << rentFits << 1 << "";
    ApartmentPlanInput rentPast;
    rentPast.rents = {rent(178956971, 0, 1, 0)};
    QTest::newRow("rent footer 178956971") << rentPast << 1 << "GetInYatin";
    ApartmentPlanInput parkingPast;
    parkingPast.rents = {rent(100, 0, 2, 89478486)}; // 2 x 89478486 = 178956972
    QTest::newRow("parking footer 178956972") << parkingPast << 1 << "GetInTyusya";
    // Dwellings times turnover percent: 50000 x 50000 = 2,500,000,000.
    ApartmentPlanInput turnover;
    turnover.numKaoku3 = 50000;
    turnover.numKeikaku2 = 50000;
    turnover.numKeikaku8 = 1;
    QTest::newRow("dwellings x turnover, year 1 has no repairs") << turnover << 1 << "";
    QTest::newRow("dwellings x turnover, year 2") << turnover << 2 << "GetOutSyuzen";
}

void tst_ApartmentProjection::longProductsOverflow()
{
    QFETCH(ApartmentPlanInput, input);
    QFETCH(int, year);
    QFETCH(QString, procedure);
    ApartmentProjection p(input, ProjectionSettings());
    for (int y = 1; y < year; ++y)
        p.Compute(y);
    QCOMPARE(failedStep([&] { p.Compute(year); }),
             procedure.isEmpty() ? QString() : procedure + QStringLiteral("|オーバーフローしました。"));
}

QTEST_GUILESS_MAIN(tst_ApartmentProjection)
#include "tst_ApartmentProjection.moc"
