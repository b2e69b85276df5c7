#include "Globals.h"
#include "TestDb.h"
#include "VbRuntime.h"
#include "cDao.h"

#include <QtTest>

#include <memory>

// The program's own statements: bound values, rows read by column name, one error.
class tst_DaoQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<TestDb>();
        QVERIFY(m_db->connectGlobal());
    }
    void cleanup()
    {
        releaseGlobals();
        m_db.reset();
    }

    void unknownColumnThrows()
    {
        gDao().exec(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, 'x')"));
        const DaoRows rows = gDao().query(QStringLiteral("SELECT * FROM D_物件"));
        QCOMPARE(rows.value(0, QStringLiteral("物件名")).toString(), QStringLiteral("x"));
        QCOMPARE(rows.value(0, QStringLiteral("id1")).toInt(), 1); // without regard to case
        try {
            rows.value(0, QStringLiteral("料金2"));
            QFAIL("an unknown column was read");
        } catch (const DaoError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("料金2")), qPrintable(e.text()));
        }
        QVERIFY_THROWS_EXCEPTION(DaoError, rows.value(1, QStringLiteral("物件名")));
        QVERIFY_THROWS_EXCEPTION(DaoError, rows.value(0, 9));
    }

    void valuesAreBound()
    {
        const QString quoted = QStringLiteral("It's");
        QCOMPARE(gDao().exec(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名, 敷地面積) VALUES (?, ?, ?)"),
                             {7, quoted, vb::null()}),
                 1);
        const DaoRows rows = gDao().query(
            QStringLiteral("SELECT 物件名, 敷地面積 FROM D_物件 WHERE ID1 = ? AND 物件名 = ?"), {7, quoted});
        QCOMPARE(rows.count(), 1);
        QCOMPARE(rows.value(0, 0).toString(), quoted);
        QVERIFY(vb::isNull(rows.value(0, 1)));
        QCOMPARE(gDao().exec(QStringLiteral("UPDATE D_物件 SET 物件名 = ? WHERE ID1 = ?"), {QVariant(), 99}), 0);
    }

    void failuresThrowDaoError()
    {
        QVERIFY_THROWS_EXCEPTION(DaoError, gDao().query(QStringLiteral("SELECT * FROM nosuchtable")));
        QVERIFY2(gDao().lastEngineError().contains(QStringLiteral("nosuchtable")),
                 qPrintable(gDao().lastEngineError()));
        gDao().exec(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)"));
        QVERIFY_THROWS_EXCEPTION(DaoError, gDao().exec(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (?)"), {1}));
        QVERIFY_THROWS_EXCEPTION(DaoError, gDao().prepare(QStringLiteral("INSERT INTO nosuchtable VALUES (?)")));
        cDao closed;
        QVERIFY_THROWS_EXCEPTION(DaoError, closed.query(QStringLiteral("SELECT 1")));
    }

    void preparedStatementRunsAgain()
    {
        DaoStatement insert =
            gDao().prepare(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名, 評価額) VALUES (?, ?, ?)"));
        for (int id = 1; id <= 3; ++id)
            QCOMPARE(insert.exec({id, QStringLiteral("物件%1").arg(id), id == 2 ? QVariant() : QVariant(id * 1.5)}), 1);
        QVERIFY_THROWS_EXCEPTION(DaoError, insert.exec({2, QStringLiteral("重複"), 0}));
        QCOMPARE(insert.exec({4, QStringLiteral("次"), 0}), 1); // the statement runs on after a failure
        const DaoRows rows = gDao().query(QStringLiteral("SELECT 物件名, 評価額 FROM D_物件 ORDER BY ID1"));
        QCOMPARE(rows.count(), 4);
        QCOMPARE(rows.value(2, 0).toString(), QStringLiteral("物件3"));
        QCOMPARE(rows.value(2, 1).toDouble(), 4.5);
        QVERIFY(vb::isNull(rows.value(1, 1)));
        DaoStatement none = gDao().prepare(QStringLiteral("DELETE FROM D_物件 WHERE ID1 = ?"));
        QCOMPARE(none.exec({99}), 0);
        QCOMPARE(none.exec({4}), 1);
    }

private:
    std::unique_ptr<TestDb> m_db;
};

QTEST_GUILESS_MAIN(tst_DaoQuery)
#include "tst_DaoQuery.moc"
