#include "PlanRegistration.h"

#include "EntryFixtures.h"
#include "ErrorTrap.h"
#include "ParkingPlanRecord.h"
#include "ParkingProjection.h"
#include "PlanInputLoader.h"

using namespace EntryFixtures;

// A registration refused as a whole when a value does not fit its column; the
// projection made from the work rows read inside the transaction.
class tst_PlanRegistration : public QObject
{
    Q_OBJECT

private:
    Env m_env;

    // A parking plan of ten cars at 5 whose own funds are the given value.
    static PlanRegistration::Record parkingRecord(const QVariant &ownFunds)
    {
        const PlanRecord &record = ParkingPlanRecord::description();
        QVector<QVariant> values(record.fields().size());
        values[0] = QStringLiteral("P");
        values[2] = 10;
        values[3] = 5;
        values.last() = ownFunds; // 資金1
        return {&record, values};
    }

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp()); }
    void cleanup() { m_env.tearDown(); }

    void valueBeyondItsColumnRefusesTheWholeRegistration()
    {
        ParkingPlanInput in;
        in.numRyokin2 = 10;
        in.numRyokin3 = 5;
        QString failed;
        try {
            PlanRegistration(gDao(), 1, 1)
                .Register(parkingRecord(1e12), {&WorkRowStore::loans()},
                          [&](PlanInputLoader &) { return std::make_unique<ParkingProjection>(in); });
        } catch (const ProcedureError &e) {
            failed = e.procedure();
        }
        QCOMPARE(failed, QStringLiteral("SaveParkingData"));
        QCOMPARE(count("D_駐車場") + count("T_収支") + count("T_収支計画") + count("T_損益計算"), 0);
        QVERIFY(!gDao().inTransaction());
    }

    void projectionReadsTheWorkRowsInsideTheTransaction()
    {
        QVERIFY(addLoan("D_借入金", 1, 1, 1, "stored", 900, 0, 10, 1));
        QVERIFY(addLoan("W_借入金", 1, 1, 1, "work", 500, 0, 10, 1));
        bool inTransaction = false;
        QVector<LoanRow> loans;
        PlanRegistration(gDao(), 1, 1)
            .Register(parkingRecord(0), {&WorkRowStore::loans()}, [&](PlanInputLoader &workRows) {
                inTransaction = gDao().inTransaction();
                ParkingPlanInput in;
                workRows.loadRows(1, 1, in);
                loans = in.loans;
                return std::make_unique<ParkingProjection>(in);
            });
        QVERIFY(inTransaction);
        QCOMPARE(loans.size(), 1);
        QCOMPARE(loans[0].amount.toInt(), 500);
        QCOMPARE(queryRows("SELECT 借入先名称, 借入金額 FROM D_借入金"), QStringLiteral("work|500"));
        QCOMPARE(queryRows("SELECT 名称, 料金2, 資金1 FROM D_駐車場"), QStringLiteral("P|10|0"));
        QCOMPARE(count("T_収支"), 75);
    }
};

QTEST_MAIN(tst_PlanRegistration)
#include "tst_PlanRegistration.moc"
