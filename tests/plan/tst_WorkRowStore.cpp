#include "WorkRowStore.h"

#include "DaoTransaction.h"
#include "EntryFixtures.h"
#include "ErrorTrap.h"

using namespace EntryFixtures;

// The work copies of a plan's rows: loaded whole and without gaps, saved and deleted
// one row at a time, copied back; every failure leaves the rows as they were.
class tst_WorkRowStore : public QObject
{
    Q_OBJECT

private:
    Env m_env;
    static QString work()
    {
        return queryRows("SELECT ID1, ID2, 連番, 借入先名称 FROM W_借入金 ORDER BY ID1, ID2, 連番");
    }
    template <class F> static QString failure(F &&body)
    {
        try {
            body();
        } catch (const ProcedureError &e) {
            return e.procedure();
        }
        return QStringLiteral("no failure");
    }

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp()); }
    void cleanup() { m_env.tearDown(); }

    void loadReplacesTheWorkTableAndClosesGaps()
    {
        QVERIFY(addLoan("W_借入金", 2, 5, 1, "other plan", 1, 0, 1, 1));
        QVERIFY(addLoan("D_借入金", 1, 1, 3, "C", 300, 0, 10, 1));
        QVERIFY(addLoan("D_借入金", 1, 1, 1, "A", 100, 0, 10, 1));
        QVERIFY(addLoan("D_借入金", 1, 2, 1, "plan 2", 1, 0, 1, 1));
        WorkRowStore(gDao(), 1, 1).load(WorkRowStore::loans());
        QCOMPARE(work(), QStringLiteral("1|1|1|A;1|1|2|C"));
        QCOMPARE(count("D_借入金", "ID1 = 1 AND ID2 = 1 AND 連番 = 3"), 1); // the stored rows stay as they are
        QVector<LoanRecord> loans = WorkRowStore(gDao(), 1, 1).readLoans();
        QCOMPARE(loans.size(), 2);
        QCOMPARE(loans.at(1).amount.toInt(), 300);
        QVERIFY(loans.at(1).start2.isNull());
    }

    void rentRowsAreLettered()
    {
        QVERIFY(runSql("INSERT INTO D_家賃 (ID1, ID2, タイプ, 間取り) VALUES (1, 1, 'D', '3LDK'), (1, 1, 'B', '1K')"));
        WorkRowStore store(gDao(), 1, 1);
        store.load(WorkRowStore::rents());
        QCOMPARE(queryRows("SELECT タイプ, 間取り FROM W_家賃 ORDER BY タイプ"), QStringLiteral("A|1K;B|3LDK"));
        DaoTransaction tx(gDao());
        store.copyBack(WorkRowStore::rents());
        tx.commit();
        QCOMPARE(queryRows("SELECT タイプ, 間取り FROM D_家賃 ORDER BY タイプ"), QStringLiteral("A|1K;B|3LDK"));
    }

    void failedLoadKeepsBothTables()
    {
        QVERIFY(addLoan("W_借入金", 2, 5, 1, "other plan", 1, 0, 1, 1));
        QVERIFY(addLoan("D_借入金", 1, 1, 1, "A", 100, 0, 10, 1));
        QVERIFY(runSql("CREATE TRIGGER f BEFORE INSERT ON W_借入金 BEGIN SELECT RAISE(ABORT, 'x'); END"));
        QCOMPARE(failure([] { WorkRowStore(gDao(), 1, 1).load(WorkRowStore::loans()); }),
                 QStringLiteral("InitKariire"));
        QCOMPARE(work(), QStringLiteral("2|5|1|other plan"));
        QCOMPARE(count("D_借入金"), 1);
        QVERIFY(!gDao().inTransaction());
    }

    void copyBackReplacesOnlyThisPlan()
    {
        QVERIFY(addLoan("D_借入金", 1, 1, 1, "old", 100, 0, 10, 1));
        QVERIFY(addLoan("D_借入金", 1, 2, 1, "plan 2", 100, 0, 10, 1));
        QVERIFY(addLoan("W_借入金", 1, 1, 1, "new 1", 100, 0, 10, 1));
        QVERIFY(addLoan("W_借入金", 1, 1, 2, "new 2", 100, 0, 10, 1));
        WorkRowStore store(gDao(), 1, 1);
        // Outside a transaction a failure could leave the stored rows half replaced.
        QCOMPARE(failure([&] { store.copyBack(WorkRowStore::loans()); }), QStringLiteral("SaveKariireData"));
        DaoTransaction tx(gDao());
        store.copyBack(WorkRowStore::loans());
        tx.commit();
        QCOMPARE(queryRows("SELECT ID2, 連番, 借入先名称 FROM D_借入金 ORDER BY ID2, 連番"),
                 QStringLiteral("1|1|new 1;1|2|new 2;2|1|plan 2"));
    }

    void deleteRenumbersInOneTransaction()
    {
        for (int n = 1; n <= 3; ++n)
            QVERIFY(addLoan("W_借入金", 1, 1, n, QString(QChar('A' + n - 1)), 100, 0, 10, 1));
        QVERIFY(runSql("CREATE TRIGGER f BEFORE UPDATE ON W_借入金 WHEN NEW.連番 = 2 BEGIN SELECT RAISE(ABORT, 'x'); "
                       "END"));
        WorkRowStore store(gDao(), 1, 1);
        QCOMPARE(failure([&] { store.deleteRow(WorkRowStore::loans(), 1); }), QStringLiteral("SetRenban"));
        QCOMPARE(work(), QStringLiteral("1|1|1|A;1|1|2|B;1|1|3|C"));
        QVERIFY(runSql("DROP TRIGGER f"));
        store.deleteRow(WorkRowStore::loans(), 1);
        QCOMPARE(work(), QStringLiteral("1|1|1|B;1|1|2|C"));
    }

    void failedSaveKeepsTheOldRow()
    {
        QVERIFY(addLoan("W_借入金", 1, 1, 1, "old", 100, 0, 10, 1));
        QVERIFY(runSql("CREATE TRIGGER f BEFORE INSERT ON W_借入金 BEGIN SELECT RAISE(ABORT, 'x'); END"));
        LoanRecord r;
        r.id1 = r.id2 = r.renban = 1;
        r.lender = QStringLiteral("new");
        QCOMPARE(failure([&] { WorkRowStore(gDao(), 1, 1).saveLoan(r); }), QStringLiteral("SaveRecord"));
        QCOMPARE(work(), QStringLiteral("1|1|1|old"));
    }
};

QTEST_MAIN(tst_WorkRowStore)
#include "tst_WorkRowStore.moc"
