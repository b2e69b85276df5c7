#include "PropertyStore.h"

#include "Globals.h"
#include "MsgBox.h"
#include "TestDb.h"
#include "cDao.h"

#include <QSqlQuery>
#include <QtTest>

// Deleting a property with every plan row it owns, in one transaction.
class tst_PropertyStore : public QObject
{
    Q_OBJECT

private:
    static void exec(const QString &sql)
    {
        QSqlQuery q(gDao().CurrentDB());
        QVERIFY2(q.exec(sql), qPrintable(sql));
    }
    static int count(const QString &table, int id1)
    {
        QSqlQuery q(gDao().CurrentDB());
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID1 = %2").arg(table).arg(id1)) || !q.next())
            return -1;
        return q.value(0).toInt();
    }
    // Property id1 with two plans (a parking plan 1, an apartment plan 2), each with
    // a rent row, a loan row and three years of results; work rows as well.
    static void addProperty(int id1)
    {
        exec(QStringLiteral("INSERT INTO D_物件 VALUES (%1, '物件%1', 100.5, 200, 1.4, 0.3)").arg(id1));
        exec(QStringLiteral("INSERT INTO D_駐車場 (ID1, ID2, 名称) VALUES (%1, 1, 'P')").arg(id1));
        exec(QStringLiteral("INSERT INTO D_賃貸マンション (ID1, ID2, 名称) VALUES (%1, 2, 'A')").arg(id1));
        exec(QStringLiteral("INSERT INTO D_家賃 (ID1, ID2, タイプ) VALUES (%1, 2, 'A')").arg(id1));
        exec(QStringLiteral("INSERT INTO D_借入金 (ID1, ID2, 連番) VALUES (%1, 1, 1)").arg(id1));
        exec(QStringLiteral("INSERT INTO W_家賃 (ID1, ID2, タイプ) VALUES (%1, 2, 'A')").arg(id1));
        exec(QStringLiteral("INSERT INTO W_借入金 (ID1, ID2, 連番) VALUES (%1, 1, 1)").arg(id1));
        for (int plan = 1; plan <= 2; ++plan)
            for (int year = 1; year <= 3; ++year)
                for (const char *t : {"T_収支", "T_収支計画", "T_損益計算"})
                    exec(QStringLiteral("INSERT INTO %1 (ID1, ID2, 年) VALUES (%2, %3, %4)")
                             .arg(QString::fromUtf8(t))
                             .arg(id1)
                             .arg(plan)
                             .arg(year));
    }
    // Rows per table for the property, in the order of the delete.
    static QList<int> counts(int id1)
    {
        QList<int> out;
        for (const QString &t : PropertyStore::deleteTables())
            out << count(t, id1);
        return out;
    }

    std::unique_ptr<TestDb> m_db;

private Q_SLOTS:
    void init()
    {
        MsgBox::setAutoAnswer(true);
        m_db = std::make_unique<TestDb>();
        QVERIFY2(m_db->isValid(), qPrintable(m_db->error()));
        QVERIFY(m_db->connectGlobal());
        addProperty(1);
        addProperty(2);
    }
    void cleanup()
    {
        gDao().Disconnect();
        m_db.reset();
    }

    void deletesEveryPlanTableOfTheProperty()
    {
        const QList<int> before = {1, 1, 1, 1, 6, 6, 6, 1};
        QCOMPARE(counts(1), before);
        PropertyStore::deleteProperty(1);
        QCOMPARE(counts(1), QList<int>({0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(counts(2), before);
        // The work copies belong to the entry form that fills them, not to the property.
        QCOMPARE(count(QStringLiteral("W_家賃"), 1), 1);
        QCOMPARE(count(QStringLiteral("W_借入金"), 1), 1);
        QVERIFY(!gDao().inTransaction());
    }

    void failedDeleteLeavesEveryTableIntact_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("first plan table") << "D_駐車場";
        QTest::newRow("a result table") << "T_損益計算";
        QTest::newRow("the property itself") << "D_物件";
    }
    void failedDeleteLeavesEveryTableIntact()
    {
        QFETCH(QString, table);
        exec(QStringLiteral("CREATE TRIGGER block BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'blocked'); END")
                 .arg(table));
        const QList<int> before = counts(1);
        QString error;
        QString engine;
        try {
            PropertyStore::deleteProperty(1);
        } catch (const DaoError &e) {
            error = e.text();
            engine = e.engineText();
        }
        // The table in front; the engine's words (the trigger's) stay with the error.
        QCOMPARE(error, table + QStringLiteral(": データベースの制約に違反するため、処理できません。"));
        QVERIFY2(engine.contains(QStringLiteral("blocked")), qPrintable(engine));
        QCOMPARE(counts(1), before);
        QCOMPARE(counts(2), before);
        QVERIFY(!gDao().inTransaction());
        // The connection is usable afterwards.
        exec(QStringLiteral("DROP TRIGGER block"));
        PropertyStore::deleteProperty(1);
        QCOMPARE(count(QStringLiteral("D_物件"), 1), 0);
    }

    void unknownPropertyDeletesNothing()
    {
        PropertyStore::deleteProperty(99);
        QCOMPARE(counts(1).last(), 1);
        QCOMPARE(counts(2).last(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_PropertyStore)
#include "tst_PropertyStore.moc"
