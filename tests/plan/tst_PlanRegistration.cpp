#include "PlanRegistration.h"

#include "EntryFixtures.h"
#include "ErrorTrap.h"
#include "ParkingProjection.h"
#include "PlanSql.h"
#include "VbRuntime.h"
#include "cBase.h"

using namespace EntryFixtures;

// The stored form of a plan field, and a registration refused as a whole when a
// value does not fit its column.
class tst_PlanRegistration : public QObject
{
    Q_OBJECT

private:
    Env m_env;

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp()); }
    void cleanup() { m_env.tearDown(); }

    void storedValues_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("stored"); // invalid: the value is refused
        QTest::newRow("text trimmed") << QVariant(" 駅前 ") << int(cBase::SqlText) << QVariant("駅前");
        QTest::newRow("blank text") << QVariant("   ") << int(cBase::SqlText) << vb::null();
        QTest::newRow("empty box") << vb::null() << int(cBase::SqlLong) << vb::null();
        QTest::newRow("half to even, down") << QVariant(2.5) << int(cBase::SqlLong) << QVariant(2);
        QTest::newRow("half to even, up") << QVariant(3.5) << int(cBase::SqlLong) << QVariant(4);
        QTest::newRow("largest long") << QVariant(2147483647.0) << int(cBase::SqlLong) << QVariant(2147483647);
        QTest::newRow("beyond a long") << QVariant(2147483648.0) << int(cBase::SqlLong) << QVariant();
        QTest::newRow("double") << QVariant(12.25) << int(cBase::SqlDouble) << QVariant(12.25);
    }
    void storedValues()
    {
        QFETCH(QVariant, value);
        QFETCH(int, kind);
        QFETCH(QVariant, stored);
        QVariant result;
        QString procedure;
        try {
            result = PlanSql::stored(value, kind, QStringLiteral("SaveParkingData"));
        } catch (const ProcedureError &e) {
            procedure = e.procedure();
        }
        if (!stored.isValid()) {
            QCOMPARE(procedure, QStringLiteral("SaveParkingData"));
            return;
        }
        QCOMPARE(vb::isNull(result), vb::isNull(stored));
        if (!vb::isNull(stored))
            QCOMPARE(result, stored);
    }

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
