#include "Globals.h"
#include "ParkingProjection.h"
#include "PlanInputLoader.h"
#include "TestDb.h"
#include "cDao.h"

#include <QtTest>

class tst_PlanInputLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void parkingPlan();
    void apartmentPlan();
    void workRows();
    void missingPlan();
    void repaymentMethodCodes();

private:
    static void exec(const char *sql) { QVERIFY2(gDao().Execute(QString::fromUtf8(sql)) >= 0, sql); }

    TestDb m_db;
};

void tst_PlanInputLoader::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(m_db.connectGlobal());
    exec("INSERT INTO D_物件 VALUES (1, '物件', 200.0, 100, 1.4, 0.3)");
    exec("INSERT INTO D_駐車場 VALUES (1, 1, '駐車場', 25.0, 8, 5, 900, 45, 55, 1000, 10.0, 5, 2.0, 3, 10.0, 0)");
    exec("INSERT INTO D_借入金 VALUES (1, 1, 2, '信金', 3000, 0, 1, 20, 2.4, NULL, NULL, NULL, 20.0)");
    exec("INSERT INTO D_借入金 VALUES (1, 1, 1, '銀行', 1200, 1, 1, 5, 2.0, 6, 10, 3.0, 10.0)");
    exec("INSERT INTO W_借入金 VALUES (1, 1, 1, '作業中', 500, 1, 1, 5, 1.0, NULL, NULL, NULL, 5.0)");
    exec("INSERT INTO D_賃貸マンション (ID1, ID2, 名称, 建物3, 建物5, 減価1, 減価2, 減価6, 計画3, 火災保険) "
         "VALUES (1, 2, 'マンション', 20, 1200.5, NULL, 47, -1, 10, 10)");
    exec("INSERT INTO D_家賃 VALUES (1, 2, 'B', '2LDK', 60.0, 6, 6, 120, 5, 10, 240)");
    exec("INSERT INTO D_家賃 VALUES (1, 2, 'A', '1LDK', 40.0, 10, 10, 80, 5, 10, 160)");
}

void tst_PlanInputLoader::cleanupTestCase()
{
    releaseGlobals();
}

void tst_PlanInputLoader::parkingPlan()
{
    ParkingPlanInput in;
    QVERIFY(PlanInputLoader(gDao()).loadParking(1, 1, &in));
    QCOMPARE(in.numRyokin2.toInt(), 8);
    QCOMPARE(in.numRyokin3.toInt(), 5);
    QCOMPARE(in.numYosan4.toInt(), 1000);
    QCOMPARE(in.numKeikaku1.toDouble(), 10.0);
    QCOMPARE(in.numKeikaku5.toDouble(), 10.0);
    QCOMPARE(in.numSikiti1.toDouble(), 200.0);
    QCOMPARE(in.numSikiti4.toDouble(), 0.3);
    QCOMPARE(in.loans.size(), 2);
    QCOMPARE(in.loans[0].amount.toInt(), 1200); // 連番 order
    QCOMPARE(in.loans[0].end2.toInt(), 10);
    QVERIFY(in.loans[1].end2.isNull());

    // 8 cars at 5, 10 % vacant: 432; land 20000 taxed 1.7 %: 340.
    ParkingProjection p(in);
    Currency amount;
    p.GetInTyusya(1, amount);
    QCOMPARE(amount, Currency::fromInt(432));
    p.GetOutToti(1, amount);
    QCOMPARE(amount, Currency::fromInt(340));
}

void tst_PlanInputLoader::apartmentPlan()
{
    ApartmentPlanInput in;
    QVERIFY(PlanInputLoader(gDao()).loadApartment(1, 2, &in));
    QCOMPARE(in.numKaoku3.toInt(), 20);
    QCOMPARE(in.numKaoku5.toDouble(), 1200.5);
    QCOMPARE(in.numGenka2.toInt(), 47);
    QCOMPARE(in.cmbGenka1, 0); // NULL selects the first entry
    QCOMPARE(in.cmbGenka6, 0); // so does a negative index
    QCOMPARE(in.numKasai.toInt(), 10);
    QVERIFY(in.numKaoku6.isNull());
    QCOMPARE(in.rents.size(), 2);
    QCOMPARE(in.rents[0].rent.toInt(), 80); // タイプ order
    QCOMPARE(in.rents[1].households.toInt(), 6);
    QCOMPARE(in.numSikiti2.toInt(), 100);
    QVERIFY(in.loans.isEmpty());
}

void tst_PlanInputLoader::workRows()
{
    const QVector<LoanRow> loans = PlanInputLoader(gDao(), PlanInputLoader::Rows::Work).loans(1, 1);
    QCOMPARE(loans.size(), 1);
    QCOMPARE(loans[0].amount.toInt(), 500);
}

void tst_PlanInputLoader::missingPlan()
{
    ParkingPlanInput parking;
    parking.numRyokin2 = 3;
    QVERIFY(!PlanInputLoader(gDao()).loadParking(1, 9, &parking));
    QCOMPARE(parking.numRyokin2.toInt(), 3);
    ApartmentPlanInput apartment;
    QVERIFY(!PlanInputLoader(gDao()).loadApartment(1, 1, &apartment));
}

void tst_PlanInputLoader::repaymentMethodCodes()
{
    // The loan codes the projections know are the repayment methods of the master.
    QCOMPARE(gDao().Lookup(QStringLiteral("K_返済方式"), QStringLiteral("名称"),
                           QStringLiteral("ID = %1").arg(LoanRow::LevelPayment)),
             QVariant(QStringLiteral("元利均等")));
    QCOMPARE(gDao().Lookup(QStringLiteral("K_返済方式"), QStringLiteral("名称"),
                           QStringLiteral("ID = %1").arg(LoanRow::LevelPrincipal)),
             QVariant(QStringLiteral("元金均等")));
}

QTEST_GUILESS_MAIN(tst_PlanInputLoader)
#include "tst_PlanInputLoader.moc"
