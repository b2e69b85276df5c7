#include "PlanSql.h"

#include "ErrorTrap.h"
#include "Globals.h"
#include "TestDb.h"
#include "cDao.h"

#include <QtTest>

// The rows of a plan form's query, read by column name.
class tst_PlanSql : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { releaseGlobals(); }

    void unknownColumnThrows()
    {
        TestDb db;
        QVERIFY(db.connectGlobal());
        PlanSql::exec(gDao(), QStringLiteral("test"),
                      QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, 'x')"));
        const PlanSql::Rows rows =
            PlanSql::select(gDao(), QStringLiteral("SetThingData"), QStringLiteral("SELECT * FROM D_物件"));
        QCOMPARE(rows.value(0, QStringLiteral("物件名")).toString(), QStringLiteral("x"));
        try {
            rows.value(0, QStringLiteral("料金2"));
            QFAIL("an unknown column was read");
        } catch (const ProcedureError &e) {
            QCOMPARE(e.procedure(), QStringLiteral("SetThingData"));
            QVERIFY2(e.message().contains(QStringLiteral("料金2")), qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(ProcedureError, rows.value(1, QStringLiteral("物件名")));
    }
};

QTEST_GUILESS_MAIN(tst_PlanSql)
#include "tst_PlanSql.moc"
