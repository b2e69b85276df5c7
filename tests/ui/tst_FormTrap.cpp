#include "FormTrap.h"

#include "DaoTransaction.h"
#include "DbFixture.h"
#include "Globals.h"
#include "MsgBox.h"
#include "ShownBoxes.h"
#include "TestDb.h"
#include "cDao.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

// The one error convention of the forms: a handler's exception is logged with the
// form and handler names and never reaches Qt; a failed write rolls back and tells the user.
class tst_FormTrap : public QObject
{
    Q_OBJECT

    ErrLogRecorder m_log;
    TestDb m_db;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_db.connectGlobal()); }
    void init()
    {
        m_log.clear();
        clearShownBoxes();
        MsgBox::setAutoAnswer(true);
    }
    void cleanupTestCase() { releaseGlobals(); }

    void exceptionInASlotIsLoggedAndStopsThere_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("logged");
        QTest::newRow("runtime error") << 0 << "frmTest|lbutAdd_Click|壊れました";
        QTest::newRow("named step") << 1 << "frmTest|SaveSSData|オーバーフローしました。";
        QTest::newRow("anything else") << 2 << "frmTest|lbutAdd_Click|不明なエラー";
        // The user's words for the database's failure, the engine's own in brackets.
        QTest::newRow("database failure in a named step")
            << 3
            << "frmTest|SaveSSData|データベースの処理中にエラーが発生しました。 "
               "(no such table: nosuchtable Unable to execute statement)";
    }
    void exceptionInASlotIsLoggedAndStopsThere()
    {
        QFETCH(int, kind);
        QFETCH(QString, logged);
        const FormTrap trap(QStringLiteral("frmTest"));
        QPushButton button;
        int reached = 0;
        QObject::connect(&button, &QPushButton::clicked, trap.handler("lbutAdd_Click", [&] {
            ++reached;
            if (kind == 0)
                throw std::runtime_error("壊れました");
            if (kind == 1)
                throw ProcedureError(QStringLiteral("SaveSSData"), QStringLiteral("オーバーフローしました。"));
            if (kind == 3)
                asStep("SaveSSData", [] { gDao().query(QStringLiteral("SELECT * FROM nosuchtable")); });
            throw 42;
            ++reached; // never
        }));
        button.click(); // returns normally: nothing escapes into the event loop
        button.click();
        QCOMPARE(reached, 2);
        QCOMPARE(m_log.lines(), (QStringList{logged, logged}));
        QVERIFY(shownBoxes().isEmpty()); // a trapped handler shows nothing
    }

    void failedWriteRollsBackAndTellsTheUser()
    {
        const FormTrap trap(QStringLiteral("frmTest"));
        const bool ok =
            trap.report("lbutAdd_Click", nullptr, {QStringLiteral("データの登録中にエラーが発生しました。")}, [] {
                DaoTransaction tx(gDao());
                QCOMPARE(gDao().Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (7, 'a')")), 1);
                throw DaoError(QStringLiteral("disk full"));
            });
        QVERIFY(!ok);
        QCOMPARE(gDao().Lookup(QStringLiteral("D_物件"), QStringLiteral("COUNT(*)"), QStringLiteral("ID1 = 7")).toInt(),
                 0);
        QVERIFY(!gDao().inTransaction());
        QCOMPARE(m_log.lines(), QStringList{QStringLiteral("frmTest|lbutAdd_Click|disk full")});
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データの登録中にエラーが発生しました。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("確認"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
    }

    void successfulWriteShowsNothing()
    {
        const FormTrap trap(QStringLiteral("frmTest"));
        QVERIFY(trap.report("lbutAdd_Click", nullptr, {QStringLiteral("失敗")}, [] {
            DaoTransaction tx(gDao());
            gDao().Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (8, 'b')"));
            tx.commit();
        }));
        QCOMPARE(gDao().Lookup(QStringLiteral("D_物件"), QStringLiteral("COUNT(*)"), QStringLiteral("ID1 = 8")).toInt(),
                 1);
        QVERIFY(m_log.lines().isEmpty());
        QVERIFY(shownBoxes().isEmpty());
    }
};

QTEST_MAIN(tst_FormTrap)
#include "tst_FormTrap.moc"
