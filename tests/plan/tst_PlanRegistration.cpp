#include "PlanRegistration.h"

#include "EntryFixtures.h"
#include "ErrorTrap.h"
#include "ParkingProjection.h"
#include "cBase.h"

using namespace EntryFixtures;

// A registration refused as a whole when a value does not fit its column.
class tst_PlanRegistration : public QObject
{
    Q_OBJECT

private:
    Env m_env;

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp()); }
    void cleanup() { m_env.tearDown(); }

    void valueBeyondItsColumnRefusesTheWholeRegistration()
    {
        ParkingPlanInput in;
        in.numRyokin2 = 10;
        in.numRyokin3 = 5;
        ParkingProjection projection(in);
        PlanRegistration::Record record{QStringLiteral("D_駐車場"), QStringLiteral("SaveParkingData"), {}};
        record.fields = {{QStringLiteral("名称"), QStringLiteral("P"), cBase::SqlText},
                         {QStringLiteral("資金1"), 1e12, cBase::SqlLong}};
        QString failed;
        try {
            PlanRegistration(gDao(), 1, 1).Register(projection, {&WorkRowStore::loans()}, record);
        } catch (const ProcedureError &e) {
            failed = e.procedure();
        }
        QCOMPARE(failed, QStringLiteral("SaveParkingData"));
        QCOMPARE(count("D_駐車場") + count("T_収支") + count("T_収支計画") + count("T_損益計算"), 0);
        QVERIFY(!gDao().inTransaction());
    }
};

QTEST_MAIN(tst_PlanRegistration)
#include "tst_PlanRegistration.moc"
