#include "DaoTransaction.h"
#include "Globals.h"
#include "TestDb.h"
#include "cDao.h"

#include <QtTest>

#include <stdexcept>

class tst_DaoTransaction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void commitKeepsTheWork();
    void leavingWithoutCommitRollsBack();
    void exceptionRollsBack();
    void explicitRollback();
    void innerTransactionRollsBackOnlyItsOwnWork();

private:
    static int rows() { return gDao().Lookup(QStringLiteral("D_物件"), QStringLiteral("count(*)")).toInt(); }
    static bool insert(int id)
    {
        return gDao().Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (%1, 'x')").arg(id)) == 1;
    }

    TestDb m_db;
};

void tst_DaoTransaction::initTestCase()
{
    QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
    QVERIFY(m_db.connectGlobal());
}

void tst_DaoTransaction::init()
{
    gDao().Execute(QStringLiteral("DELETE FROM D_物件"));
}

void tst_DaoTransaction::cleanupTestCase()
{
    releaseGlobals();
}

void tst_DaoTransaction::commitKeepsTheWork()
{
    {
        DaoTransaction tx(gDao());
        QVERIFY(tx.isActive());
        QVERIFY(gDao().inTransaction());
        QVERIFY(insert(1));
        tx.commit();
        QVERIFY(!tx.isActive());
    }
    QVERIFY(!gDao().inTransaction());
    QCOMPARE(rows(), 1);
}

void tst_DaoTransaction::leavingWithoutCommitRollsBack()
{
    {
        DaoTransaction tx(gDao());
        QVERIFY(insert(1));
        QVERIFY(insert(2));
    }
    QVERIFY(!gDao().inTransaction());
    QCOMPARE(rows(), 0);
}

void tst_DaoTransaction::exceptionRollsBack()
{
    try {
        DaoTransaction tx(gDao());
        QVERIFY(insert(1));
        throw std::runtime_error("failed");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(!gDao().inTransaction());
    QCOMPARE(rows(), 0);
}

void tst_DaoTransaction::explicitRollback()
{
    DaoTransaction tx(gDao());
    QVERIFY(insert(1));
    tx.rollback();
    QVERIFY(!tx.isActive());
    QVERIFY(!gDao().inTransaction());
    QCOMPARE(rows(), 0);
}

void tst_DaoTransaction::innerTransactionRollsBackOnlyItsOwnWork()
{
    {
        DaoTransaction outer(gDao());
        QVERIFY(insert(1));
        {
            DaoTransaction inner(gDao());
            QVERIFY(insert(2));
        }
        QVERIFY(gDao().inTransaction());
        outer.commit();
    }
    QCOMPARE(rows(), 1);
}

QTEST_GUILESS_MAIN(tst_DaoTransaction)
#include "tst_DaoTransaction.moc"
