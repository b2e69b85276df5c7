#include "DbFixture.h"
#include "PlanBuilders.h"
#include "PlanReportFiller.h"
#include "Recordset.h"
#include "TestDb.h"
#include "YearViews.h"
#include "cDao.h"

#include <QtTest>

// The data of both proposal reports against stored plans: every value field of the
// two conditions sheets as text (values worked out by hand from the stored inputs)
// and the yearly record set of the display years.
class tst_PlanReportFiller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void stepsOfEachPlanType();
    void parkingSheet();
    void loansInNumberOrderAtMostThree();
    void clearedBetweenPrints();
    void missingRowsStopTheChain_data();
    void missingRowsStopTheChain();
    void apartmentSheet();
    void rentRowsAndTotals();
    void noRentRows();
    void codesAndComposedText_data();
    void codesAndComposedText();
    void storePlanHasNoRentRows();
    void yearlyColumns();
    void yearlyYearsOfEachInterval_data();
    void yearlyYearsOfEachInterval();
    void yearlyValuesOfTheParkingPlan();
    void yearlyEdgeTables_data();
    void yearlyEdgeTables();
    void yearlyWithoutIntervalFails();

private:
    /// The sheet chain of the type for the plan; false at a failed step.
    static bool fill(PlanType type, int id1, int id2, ReportData &data);
    const char *logText() const
    {
        m_logText = m_log.lines().join(QLatin1Char('\n')).toUtf8();
        return m_logText.constData();
    }
    static void exec(const QString &sql);

    TestDb m_db;
    ErrLogRecorder m_log;
    mutable QByteArray m_logText;
};

namespace
{

SampleLoan loan(int number, const QString &lender, int amount, int method, int end1, double rate1)
{
    SampleLoan l;
    l.number = number;
    l.lender = lender;
    l.amount = amount;
    l.method = method;
    l.end1 = end1;
    l.rate1 = rate1;
    l.term = end1;
    return l;
}

SampleRent rent(const char *type, const char *layout, double area, QVariant households, QVariant parking,
                QVariant monthly, QVariant charge, QVariant parkingFee, QVariant deposit)
{
    SampleRent r;
    r.type = QString::fromUtf8(type);
    r.layout = QString::fromUtf8(layout);
    r.area = area;
    r.households = households;
    r.parking = parking;
    r.rent = monthly;
    r.commonCharge = charge;
    r.parkingFee = parkingFee;
    r.deposit = deposit;
    return r;
}

} // namespace

void tst_PlanReportFiller::exec(const QString &sql)
{
    QVERIFY2(gDao().Execute(sql) >= 0, qPrintable(gDao().lastError()));
}

bool tst_PlanReportFiller::fill(PlanType type, int id1, int id2, ReportData &data)
{
    return PlanReportFiller(gDao(), id1, id2).fillSheet(type, data, QStringLiteral("frmGraph"));
}

void tst_PlanReportFiller::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(m_db.connectGlobal());

    SampleProperty property;
    property.name = QStringLiteral("山田様土地");
    property.siteArea = 1230.97;
    property.landValue = 123456;
    addProperty(property);

    // Parking plan 1: three loans stored out of number order, one of them with a
    // method the code list does not know and one with two rate periods.
    SampleParking parking;
    parking.name = QStringLiteral("駅前駐車場");
    parking.ryokin1 = 12.5;
    parking.ryokin2 = 99;
    parking.ryokin3 = 1800;
    parking.yosan[0] = 15000;
    parking.yosan[1] = 750;
    parking.yosan[2] = 250;
    parking.yosan[3] = 16000;
    parking.sikin1 = 6000;
    parking.keikaku[0] = 0.4;
    parking.keikaku[1] = 5;
    parking.keikaku[2] = QVariant();
    parking.keikaku[3] = 3;
    parking.keikaku[4] = 2.5;
    SampleLoan twoPeriods = loan(1, QStringLiteral("A銀行"), 123456, 0, 10, 1.5);
    twoPeriods.start2 = 11;
    twoPeriods.end2 = 35;
    twoPeriods.rate2 = 2.25;
    twoPeriods.term = 35;
    parking.loans = {loan(3, QStringLiteral("C信金"), 1000, 7, 5, 0.256), twoPeriods,
                     loan(2, QStringLiteral("B銀行"), 5000, 1, 20, 2.0)};
    parking.withResults = false;
    addParkingPlan(parking);
    // Parking plan 3: one loan.
    parking.id2 = 3;
    parking.loans = {loan(1, QStringLiteral("Z銀行"), 700, 0, 7, 1.0)};
    addParkingPlan(parking);

    // Apartment plan 2: seven rent rows stored out of letter order, some boxes
    // empty, and four loans.
    SampleApartment apartment;
    apartment.name = QStringLiteral("レジデンス");
    const QVariant kaoku[9] = {5, 1, 18, 3, 1234.5, 12345678, 1.4, 0.3, 1};
    std::copy(std::begin(kaoku), std::end(kaoku), apartment.kaoku);
    const QVariant yosan[12] = {120000, 6000, 500, 300, 60, 800, 400, 350, 600, 900, 1000, 130910};
    std::copy(std::begin(yosan), std::end(yosan), apartment.yosan);
    apartment.sikin[0] = 20000;
    apartment.sikin[1] = 1500;
    const QVariant genka[6] = {0, 47, 2.2, 100000, 10000, 0};
    std::copy(std::begin(genka), std::end(genka), apartment.genka);
    const QVariant keikaku[9] = {5, 10.5, 20, 2, 3, 5, 1.25, 1200, 5};
    std::copy(std::begin(keikaku), std::end(keikaku), apartment.keikaku);
    apartment.kasai = 10;
    const QVariant null;
    apartment.rents = {
        rent("G", "4LDK", 90, 1, 2, 150, 15, 10, 300),
        rent("B", "2LDK", 60, 2, 2, 50, null, 10, 100),
        rent("A", "1LDK", 45.25, 4, 2, 80, 5, 10, 160),
        rent("D", "2DK", 50, 3, null, null, 8, null, 0),
        rent("C", "3LDK", 75.5, null, 1, 120, 10, 10, 240),
        rent("F", "1R", 20, 2, 0, 30, 2, 5, 60),
        rent("E", "1K", 25, 5, 0, 40, 3, 5, 80),
    };
    apartment.loans = {
        loan(4, QStringLiteral("D銀行"), 4000, 0, 10, 1.0), loan(2, QStringLiteral("B銀行"), 2000, 1, 10, 1.0),
        loan(1, QStringLiteral("A銀行"), 1000, 0, 10, 1.0), loan(3, QStringLiteral("C銀行"), 3000, 0, 10, 1.0)};
    apartment.withResults = false;
    addApartmentPlan(apartment);
    // Apartment plan 4: no rent rows.
    apartment.id2 = 4;
    apartment.rents.clear();
    addApartmentPlan(apartment);

    // Property 3: the default parking plan with its results (plan 1) beside the
    // default apartment plan (plan 2).
    addProperty(3);
    addParkingPlan(sampleParking(3, 1));
    addApartmentPlan(sampleApartment(3, 2));
    addProperty(40000);
}

void tst_PlanReportFiller::init()
{
    m_log.clear();
}

void tst_PlanReportFiller::cleanupTestCase()
{
    releaseGlobals();
}

void tst_PlanReportFiller::stepsOfEachPlanType()
{
    QCOMPARE(PlanReportFiller::sheetSteps(PlanType::Parking),
             (QStringList{QStringLiteral("ClearActiveReportParking"), QStringLiteral("SetPrintThingData"),
                          QStringLiteral("SetPrintKariireData"), QStringLiteral("SetPrintParkingData")}));
    QCOMPARE(PlanReportFiller::sheetSteps(PlanType::Apartment),
             (QStringList{QStringLiteral("ClearActiveReportApartment"), QStringLiteral("SetPrintThingData"),
                          QStringLiteral("SetPrintMadoriData"), QStringLiteral("SetPrintKariireData"),
                          QStringLiteral("SetPrintApartmentData")}));
    QCOMPARE(PlanReportFiller::sheetSteps(PlanType::Store),
             (QStringList{QStringLiteral("ClearActiveReportApartment"), QStringLiteral("SetPrintThingData"),
                          QStringLiteral("SetPrintKariireData"), QStringLiteral("SetPrintApartmentData")}));
    QVERIFY(PlanReportFiller::sheetSteps(static_cast<PlanType>(0)).isEmpty());
    QVERIFY(PlanReportFiller::sheetSteps(static_cast<PlanType>(4)).isEmpty());
    // A type without a chain fills and logs nothing.
    ReportData data;
    QVERIFY(!fill(static_cast<PlanType>(4), 1, 1, data));
    QVERIFY(data.fields.isEmpty());
    QVERIFY(m_log.lines().isEmpty());
}

void tst_PlanReportFiller::parkingSheet()
{
    ReportData data;
    QVERIFY2(fill(PlanType::Parking, 1, 1, data), logText());
    QVERIFY(m_log.lines().isEmpty());
    QCOMPARE(data.fields.size(), 44);
    QCOMPARE(PlanReportFiller::parkingFields().size(), 44);
    for (const QString &name : PlanReportFiller::parkingFields())
        QVERIFY2(data.fields.contains(name), qPrintable(name));
    const QList<std::pair<const char *, const char *>> expected = {
        {"fldBuken", "山田様土地"},
        {"fldSikiti1", "1230.97"},
        {"fldSikiti2", "123,456"},
        {"fldName", "駅前駐車場"},
        // The area per car prints in whole square metres, a half rounded up: 12.5 gives 13.
        {"fldRyokin1", "13"},
        {"fldRyokin2", "99"},
        {"fldRyokin3", "1,800"},
        {"fldYosan1", "15,000"},
        {"fldYosan2", "750"},
        {"fldYosan3", "250"},
        {"fldYosan4", "16,000"},
        {"fldSikin1", "6,000"},
        // A 0.4 % vacancy keeps its decimals; an empty rate stays empty.
        {"fldKeikaku1", "0.40"},
        {"fldKeikaku2", "5"},
        {"fldKeikaku3", ""},
        {"fldKeikaku4", "3"},
        {"fldKeikaku5", "2.50"},
    };
    for (const auto &[name, text] : expected)
        QCOMPARE(data.field(QString::fromUtf8(name)), QString::fromUtf8(text));
}

void tst_PlanReportFiller::loansInNumberOrderAtMostThree()
{
    const QStringList row1 = {"A銀行", "123,456", "元利均等", "1", "10", "1.50", "11", "35", "2.25"};
    const QStringList row2 = {"B銀行", "5,000", "元金均等", "1", "20", "2.00", "", "", ""};
    // A method without a code row prints no name; 0.256 % rounds to 0.26.
    const QStringList row3 = {"C信金", "1,000", "", "1", "5", "0.26", "", "", ""};
    ReportData parking;
    QVERIFY2(fill(PlanType::Parking, 1, 1, parking), logText());
    for (int c = 1; c <= 9; ++c) {
        QCOMPARE(parking.field(QStringLiteral("fldKariire1%1").arg(c)), row1.at(c - 1));
        QCOMPARE(parking.field(QStringLiteral("fldKariire2%1").arg(c)), row2.at(c - 1));
        QCOMPARE(parking.field(QStringLiteral("fldKariire3%1").arg(c)), row3.at(c - 1));
    }
    // The apartment plan's fourth loan is left out.
    ReportData apartment;
    QVERIFY2(fill(PlanType::Apartment, 1, 2, apartment), logText());
    QCOMPARE(apartment.field(QStringLiteral("fldKariire11")), QStringLiteral("A銀行"));
    QCOMPARE(apartment.field(QStringLiteral("fldKariire21")), QStringLiteral("B銀行"));
    QCOMPARE(apartment.field(QStringLiteral("fldKariire31")), QStringLiteral("C銀行"));
    QVERIFY(!apartment.fields.values().contains(QStringLiteral("D銀行")));
    QVERIFY(!apartment.fields.values().contains(QStringLiteral("4,000")));
}

void tst_PlanReportFiller::clearedBetweenPrints()
{
    // After a plan with three loans, a plan with one shows empty loan rows 2 and 3.
    ReportData data;
    QVERIFY(fill(PlanType::Parking, 1, 1, data));
    QVERIFY(fill(PlanType::Parking, 1, 3, data));
    QCOMPARE(data.fields.size(), 44);
    QCOMPARE(data.field(QStringLiteral("fldKariire11")), QStringLiteral("Z銀行"));
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 9; ++c)
            QCOMPARE(data.field(QStringLiteral("fldKariire%1%2").arg(r).arg(c)), QString());
}

void tst_PlanReportFiller::missingRowsStopTheChain_data()
{
    QTest::addColumn<PlanType>("type");
    QTest::addColumn<int>("id1");
    QTest::addColumn<int>("id2");
    QTest::addColumn<QString>("failedStep");
    QTest::addColumn<QString>("propertyName");
    QTest::addColumn<QString>("unreadable"); // a table that cannot be read during the fill
    QTest::newRow("no property row") << PlanType::Parking << 2 << 1 << QStringLiteral("SetPrintThingData") << QString()
                                     << QString();
    QTest::newRow("no parking row") << PlanType::Parking << 1 << 9 << QStringLiteral("SetPrintParkingData")
                                    << QStringLiteral("山田様土地") << QString();
    QTest::newRow("no apartment row") << PlanType::Apartment << 1 << 9 << QStringLiteral("SetPrintApartmentData")
                                      << QStringLiteral("山田様土地") << QString();
    QTest::newRow("store without apartment row") << PlanType::Store << 1 << 9 << QStringLiteral("SetPrintApartmentData")
                                                 << QStringLiteral("山田様土地") << QString();
    // A name that could not be read is no name: the sheet is not printed without it.
    QTest::newRow("repayment names unreadable") << PlanType::Parking << 1 << 1 << QStringLiteral("SetPrintKariireData")
                                                << QStringLiteral("山田様土地") << QStringLiteral("K_返済方式");
}

void tst_PlanReportFiller::missingRowsStopTheChain()
{
    QFETCH(PlanType, type);
    QFETCH(int, id1);
    QFETCH(int, id2);
    QFETCH(QString, failedStep);
    QFETCH(QString, propertyName);
    QFETCH(QString, unreadable);
    ReportData data;
    if (!unreadable.isEmpty())
        exec(QStringLiteral("ALTER TABLE %1 RENAME TO hidden").arg(unreadable));
    const bool filled = fill(type, id1, id2, data);
    if (!unreadable.isEmpty())
        exec(QStringLiteral("ALTER TABLE hidden RENAME TO %1").arg(unreadable));
    QVERIFY(!filled);
    // One log line names the step; the blocks before it were written.
    QCOMPARE(m_log.lines().size(), 1);
    QVERIFY2(m_log.lines().at(0).startsWith(QStringLiteral("frmGraph|") + failedStep + QLatin1Char('|')),
             qPrintable(m_log.lines().at(0)));
    QCOMPARE(data.fields.size(), type == PlanType::Parking ? 44 : 108);
    QCOMPARE(data.field(QStringLiteral("fldBuken")), propertyName);
    QCOMPARE(data.field(QStringLiteral("fldName")), QString());
}

void tst_PlanReportFiller::apartmentSheet()
{
    ReportData data;
    QVERIFY2(fill(PlanType::Apartment, 1, 2, data), logText());
    QVERIFY(m_log.lines().isEmpty());
    QCOMPARE(data.fields.size(), 108);
    QCOMPARE(PlanReportFiller::apartmentFields().size(), 108);
    for (const QString &name : PlanReportFiller::apartmentFields())
        QVERIFY2(data.fields.contains(name), qPrintable(name));
    const QList<std::pair<const char *, const char *>> expected = {
        {"fldBuken", "山田様土地"},
        {"fldSikiti1", "1230.97"},
        {"fldSikiti2", "123,456"},
        {"fldName", "レジデンス"},
        {"fldKaoku11", "鉄骨鉄筋コンクリート造"},
        {"fldKaoku12", "1棟 18戸 3階建て"},
        {"fldKaoku2", "1234.5"},
        // Without separators, unlike the property's value.
        {"fldKaoku3", "12345678"},
        {"fldYosan1", "120,000"},
        {"fldYosan2", "6,000"},
        {"fldYosan3", "500"},
        {"fldYosan4", "300"},
        {"fldYosan5", "60"},
        {"fldYosan6", "800"},
        {"fldYosan7", "400"},
        {"fldYosan8", "350"},
        {"fldYosan9", "600"},
        {"fldYosan10", "900"},
        {"fldYosan11", "1,000"},
        {"fldYosan12", "130,910"},
        {"fldKasai", "10"},
        {"fldSikin1", "20,000"},
        {"fldSikin2", "1,500"},
        {"fldGenka1", "定率法"},
        {"fldGenka2", "47"},
        {"fldGenka3", "2.20"},
        {"fldGenka4", "100,000"},
        {"fldGenka5", "10,000"},
        {"fldGenka6", "行う"},
        {"fldKeikaku1", "5.00"},
        {"fldKeikaku2", "10.50"},
        {"fldKeikaku3", "20"},
        {"fldKeikaku4", "2"},
        {"fldKeikaku5", "3.00"},
        {"fldKeikaku6", "5"},
        {"fldKeikaku7", "1.25"},
        {"fldKeikaku8", "1,200"},
        {"fldKeikaku9", "5.00"},
    };
    for (const auto &[name, text] : expected)
        QCOMPARE(data.field(QString::fromUtf8(name)), QString::fromUtf8(text));
}

void tst_PlanReportFiller::rentRowsAndTotals()
{
    ReportData data;
    QVERIFY2(fill(PlanType::Apartment, 1, 2, data), logText());
    // Columns A to E in letter order; F and G are not shown.
    const QList<QStringList> columns = {
        {"1LDK", "45.25", "4", "2", "80", "5", "10", "160"},  {"2LDK", "60.00", "2", "2", "50", "", "10", "100"},
        {"3LDK", "75.50", "", "1", "120", "10", "10", "240"}, {"2DK", "50.00", "3", "", "", "8", "", "0"},
        {"1K", "25.00", "5", "0", "40", "3", "5", "80"},
    };
    for (int k = 1; k <= 5; ++k)
        for (int c = 1; c <= 8; ++c)
            QCOMPARE(data.field(QStringLiteral("fldYatin%1%2").arg(k).arg(c)), columns.at(k - 1).at(c - 1));
    // Over all seven rows, an empty box counting 0:
    // rent and charges 4*85 + 2*50 + 0 + 3*8 + 5*43 + 2*32 + 1*165 = 908;
    // parking 40 + 20 + 0 + 0 + 25 + 10 + 10 = 105; deposits 640 + 200 + 0 + 0 + 400 + 120 + 300 = 1660.
    QCOMPARE(data.field(QStringLiteral("fldYatin61")), QStringLiteral("908"));
    QCOMPARE(data.field(QStringLiteral("fldYatin62")), QStringLiteral("105"));
    QCOMPARE(data.field(QStringLiteral("fldYatin63")), QStringLiteral("1,660"));
}

void tst_PlanReportFiller::noRentRows()
{
    ReportData data;
    QVERIFY2(fill(PlanType::Apartment, 1, 4, data), logText());
    QVERIFY(m_log.lines().isEmpty());
    for (int k = 1; k <= 6; ++k)
        for (int c = 1; c <= 8; ++c)
            QCOMPARE(data.field(QStringLiteral("fldYatin%1%2").arg(k).arg(c)), QString());
    QCOMPARE(data.field(QStringLiteral("fldName")), QStringLiteral("レジデンス"));
}

void tst_PlanReportFiller::codesAndComposedText_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("buildings");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("extra");
    QTest::newRow("codes 1") << QStringLiteral("建物1 = 1, 減価1 = 1, 減価6 = 1") << QStringLiteral("木骨モルタル造")
                             << QStringLiteral("1棟 18戸 3階建て") << QStringLiteral("定額法")
                             << QStringLiteral("行わない");
    QTest::newRow("null codes are the first entries")
        << QStringLiteral("建物1 = NULL, 減価1 = NULL, 減価6 = NULL") << QStringLiteral("木造")
        << QStringLiteral("1棟 18戸 3階建て") << QStringLiteral("定率法") << QStringLiteral("行う");
    QTest::newRow("codes outside the lists") << QStringLiteral("建物1 = 7, 減価1 = -1, 減価6 = 2") << QString()
                                             << QStringLiteral("1棟 18戸 3階建て") << QString() << QString();
    QTest::newRow("金属造 4") << QStringLiteral("建物1 = 4") << QStringLiteral("金属造(骨格材の肉厚４㎜超)")
                              << QStringLiteral("1棟 18戸 3階建て") << QStringLiteral("定率法")
                              << QStringLiteral("行う");
    QTest::newRow("no dwellings") << QStringLiteral("建物3 = NULL") << QStringLiteral("鉄骨鉄筋コンクリート造")
                                  << QStringLiteral("1棟 戸 3階建て") << QStringLiteral("定率法")
                                  << QStringLiteral("行う");
}

void tst_PlanReportFiller::codesAndComposedText()
{
    QFETCH(QString, assignments);
    exec(QStringLiteral("UPDATE D_賃貸マンション SET %1 WHERE ID1 = 1 AND ID2 = 4").arg(assignments));
    ReportData data;
    PlanReportFiller(gDao(), 1, 4).SetPrintApartmentData(data);
    exec(QStringLiteral("UPDATE D_賃貸マンション SET 建物1 = 5, 建物3 = 18, 減価1 = 0, 減価6 = 0 "
                        "WHERE ID1 = 1 AND ID2 = 4"));
    QTEST(data.field(QStringLiteral("fldKaoku11")), "structure");
    QTEST(data.field(QStringLiteral("fldKaoku12")), "buildings");
    QTEST(data.field(QStringLiteral("fldGenka1")), "method");
    QTEST(data.field(QStringLiteral("fldGenka6")), "extra");
}

void tst_PlanReportFiller::storePlanHasNoRentRows()
{
    ReportData data;
    QVERIFY2(fill(PlanType::Store, 1, 2, data), logText());
    QVERIFY(m_log.lines().isEmpty());
    QCOMPARE(data.fields.size(), 108);
    for (int k = 1; k <= 6; ++k)
        for (int c = 1; c <= 8; ++c)
            QCOMPARE(data.field(QStringLiteral("fldYatin%1%2").arg(k).arg(c)), QString());
    QCOMPARE(data.field(QStringLiteral("fldKariire11")), QStringLiteral("A銀行"));
    QCOMPARE(data.field(QStringLiteral("fldName")), QStringLiteral("レジデンス"));
}

void tst_PlanReportFiller::yearlyColumns()
{
    QStringList expected = {QStringLiteral("SK年")};
    const auto items = [&expected](const QString &prefix) {
        for (int i = 1; i <= 9; ++i)
            expected << prefix + QString::number(i);
        expected << prefix + QStringLiteral("計");
    };
    items(QStringLiteral("SK収入"));
    items(QStringLiteral("SK支出"));
    expected << QStringLiteral("SK残") << QStringLiteral("SK累計") << QStringLiteral("SE年");
    items(QStringLiteral("SE収入"));
    items(QStringLiteral("SE支出"));
    expected << QStringLiteral("SE課税");
    QCOMPARE(expected.size(), 45);
    ReportData data;
    PlanReportFiller(gDao(), 3, 1).MakePrintSkSeData(data, yearView(1));
    QCOMPARE(data.columns, expected);
}

void tst_PlanReportFiller::yearlyYearsOfEachInterval_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<QList<int>>("years");
    QList<int> every, second, fifth;
    for (int i = 1; i <= 15; ++i)
        every << i, second << 2 * i, fifth << 5 * i;
    QTest::newRow("every year") << 1 << every;
    QTest::newRow("every 2 years") << 2 << second;
    QTest::newRow("every 5 years") << 3 << fifth;
    QTest::newRow("automatic") << 4 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 35};
}

void tst_PlanReportFiller::yearlyYearsOfEachInterval()
{
    QFETCH(int, interval);
    QFETCH(QList<int>, years);
    for (int id2 : {1, 2}) {
        ReportData data;
        PlanReportFiller(gDao(), 3, id2).MakePrintSkSeData(data, yearView(interval));
        QList<int> got;
        for (int r = 0; r < data.rows.size(); ++r) {
            got << data.value(r, QStringLiteral("SK年")).toInt();
            QCOMPARE(data.value(r, QStringLiteral("SE年")), data.value(r, QStringLiteral("SK年")));
            // The two differences, every year.
            QCOMPARE(data.value(r, QStringLiteral("SK残")).toLongLong(),
                     data.value(r, QStringLiteral("SK収入計")).toLongLong() -
                         data.value(r, QStringLiteral("SK支出計")).toLongLong());
            QCOMPARE(data.value(r, QStringLiteral("SE課税")).toLongLong(),
                     data.value(r, QStringLiteral("SE収入計")).toLongLong() -
                         data.value(r, QStringLiteral("SE支出計")).toLongLong());
        }
        QCOMPARE(got, years);
    }
}

void tst_PlanReportFiller::yearlyValuesOfTheParkingPlan()
{
    // Year 1 of the default parking plan: 10 cars x 5 x 12 less 10 % = 540;
    // land taxes 200 x 100 x 1.7 % = 340; the budget of 1000 is a cost of year 1
    // outside the cash total. Fees rise 10 % in year 4: 594 a year.
    ReportData data;
    PlanReportFiller(gDao(), 3, 1).MakePrintSkSeData(data, yearView(1));
    QCOMPARE(data.rows.size(), 15);
    const QList<std::pair<const char *, int>> year1 = {
        {"SK収入1", 540},  {"SK収入計", 540}, {"SK支出1", 0},    {"SK支出2", 340},   {"SK支出3", 1000},
        {"SK支出計", 340}, {"SK残", 200},     {"SK累計", 200},   {"SE収入1", 540},   {"SE収入計", 540},
        {"SE支出1", 0},    {"SE支出2", 340},  {"SE支出3", 1000}, {"SE支出計", 1340}, {"SE課税", -800},
    };
    for (const auto &[column, value] : year1)
        QCOMPARE(data.value(0, QString::fromUtf8(column)).toInt(), value);
    // Columns a parking plan does not write stay empty.
    for (const char *column : {"SK収入2", "SK支出4", "SK収入9", "SE収入2", "SE支出4", "SE支出9"})
        QVERIFY2(data.value(0, QString::fromUtf8(column)).isNull(), column);
    QCOMPARE(data.value(1, QStringLiteral("SK支出3")).toInt(), 0);
    QCOMPARE(data.value(1, QStringLiteral("SE課税")).toInt(), 200);
    QCOMPARE(data.value(3, QStringLiteral("SK収入計")).toInt(), 594);
    QCOMPARE(data.value(3, QStringLiteral("SK累計")).toInt(), 200 + 200 + 200 + 254);
}

void tst_PlanReportFiller::yearlyEdgeTables_data()
{
    QTest::addColumn<int>("id2");
    QTest::addColumn<QString>("deleted");     ///< years deleted from T_損益計算
    QTest::addColumn<bool>("fromBothTables"); ///< ... and from T_収支計画
    QTest::addColumn<int>("interval");
    QTest::addColumn<QList<int>>("years");
    QTest::newRow("only year 1 stored") << 11 << QStringLiteral("年 > 1") << true << 1 << QList<int>{1};
    QTest::newRow("only year 1, every 2 years") << 12 << QStringLiteral("年 > 1") << true << 2 << QList<int>{};
    QTest::newRow("75 years stored, every 5 years")
        << 13 << QStringLiteral("0") << true << 3
        << QList<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75};
    QTest::newRow("year 3 missing from one table")
        << 14 << QStringLiteral("年 = 3") << false << 1 << QList<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    QTest::newRow("no result rows") << 15 << QStringLiteral("1") << true << 4 << QList<int>{};
}

void tst_PlanReportFiller::yearlyEdgeTables()
{
    QFETCH(int, id2);
    QFETCH(QString, deleted);
    QFETCH(bool, fromBothTables);
    QFETCH(int, interval);
    QFETCH(QList<int>, years);
    // A plan of property 40000: numbers beyond 16 bits reach the query whole.
    addParkingPlan(sampleParking(40000, id2));
    const QString where = QStringLiteral(" WHERE ID1 = 40000 AND ID2 = %1 AND (%2)").arg(id2).arg(deleted);
    exec(QStringLiteral("DELETE FROM T_損益計算") + where);
    if (fromBothTables)
        exec(QStringLiteral("DELETE FROM T_収支計画") + where);
    ReportData data;
    PlanReportFiller(gDao(), 40000, id2).MakePrintSkSeData(data, yearView(interval));
    QCOMPARE(data.columns.size(), 45);
    QList<int> got;
    for (int r = 0; r < data.rows.size(); ++r)
        got << data.value(r, QStringLiteral("SE年")).toInt();
    QCOMPARE(got, years);
}

void tst_PlanReportFiller::yearlyWithoutIntervalFails()
{
    ReportData data;
    QVERIFY_THROWS_EXCEPTION(DaoError, PlanReportFiller(gDao(), 3, 1).MakePrintSkSeData(data, YearView()));
}

QTEST_GUILESS_MAIN(tst_PlanReportFiller)
#include "tst_PlanReportFiller.moc"
