#include "ApartmentPlanRecord.h"
#include "DbSchema.h"
#include "Globals.h"
#include "ParkingPlanRecord.h"
#include "TestDb.h"
#include "cDao.h"

#include <QtTest>

Q_DECLARE_METATYPE(const PlanRecord *)

// The description of each plan record: its table's columns in order, written and
// read back by their kinds, and the projection's input filled from the values.
class tst_PlanRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
        QVERIFY(m_db.connectGlobal());
    }
    void cleanupTestCase() { releaseGlobals(); }

    void describesItsTableInOrder_data()
    {
        QTest::addColumn<const PlanRecord *>("record");
        QTest::newRow("parking") << static_cast<const PlanRecord *>(&ParkingPlanRecord::description());
        QTest::newRow("apartment") << static_cast<const PlanRecord *>(&ApartmentPlanRecord::description());
    }
    void describesItsTableInOrder()
    {
        QFETCH(const PlanRecord *, record);
        QStringList names = {QStringLiteral("ID1"), QStringLiteral("ID2")};
        for (const PlanRecord::Field &f : record->fields())
            names << f.name;
        QStringList columns;
        for (const DbSchema::Table &t : DbSchema::tables())
            if (t.name == record->table())
                columns = t.columns;
        QCOMPARE(names, columns);
    }

    void storedValuesFillTheInput()
    {
        const PlanRecordFor<ParkingPlanInput> &record = ParkingPlanRecord::description();
        QVector<QVariant> values(record.fields().size());
        values[0] = QStringLiteral(" 駐車場 ");
        values[1] = 25.5;  // 料金1, a double
        values[2] = 8.5;   // 料金2, a whole number: halves to even
        values[12] = 2.25; // 計画5
        record.write(gDao(), 1, 1, values);
        values[3] = 7; // 料金3: the second write updates the record
        record.write(gDao(), 1, 1, values);
        QCOMPARE(gDao().query(QStringLiteral("SELECT COUNT(*) FROM D_駐車場")).value(0, 0).toInt(), 1);
        const auto stored = record.read(gDao(), 1, 1);
        QVERIFY(stored.has_value());
        QCOMPARE(stored->at(0).toString(), QStringLiteral("駐車場"));
        QCOMPARE(stored->at(1).toDouble(), 25.5);
        QVERIFY(stored->at(4).isNull()); // 予算1, left empty
        ParkingPlanInput in;
        record.fill(in, *stored);
        QCOMPARE(in.numRyokin2.toInt(), 8);
        QCOMPARE(in.numRyokin3.toInt(), 7);
        QCOMPARE(in.numKeikaku5.toDouble(), 2.25);
        QVERIFY(in.numYosan4.isNull());
        QVERIFY(!record.read(gDao(), 1, 2).has_value());
    }

private:
    TestDb m_db;
};

QTEST_GUILESS_MAIN(tst_PlanRecord)
#include "tst_PlanRecord.moc"
