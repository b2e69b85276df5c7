#include "frmInputParking.h"

#include "EntryFixtures.h"
#include "ImText.h"
#include "LoanGrid.h"
#include "LoanGridModel.h"
#include "ShellHooks.h"
#include "ShownBoxes.h"
#include "WriteLock.h"
#include "frmInputKariire.h"
#include "frmType.h"

#include <QComboBox>
#include <QPushButton>
#include <QSqlDatabase>

#include <optional>

using namespace EntryFixtures;

namespace
{

const QString kFailed = QStringLiteral("データの登録中にエラーが発生しました。");

// The yearly rows of plan (1, 1) in one table, for some years, as "年|columns...".
QString years(const QString &table, const QString &columns, const QString &which)
{
    return queryRows(QStringLiteral("SELECT 年,%1 FROM %2 WHERE ID1 = 1 AND ID2 = 1 AND 年 IN (%3) ORDER BY 年")
                         .arg(columns, table, which));
}

} // namespace

// The parking entry form: its rules, checks, loan list and the registration of a
// plan with its 75 years of results in one transaction.
class tst_frmInputParking : public QObject
{
    Q_OBJECT

private:
    Env m_env;

    static std::unique_ptr<frmInputParking> open(int id2 = 1)
    {
        auto f = std::make_unique<frmInputParking>();
        f->setPro_ID1(1);
        f->setPro_ID2(id2);
        f->Form_Load();
        f->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f.get())); }();
        return f;
    }
    static LoanGrid *grid(QWidget *f) { return child<LoanGrid>(f, "TDBKariire"); }
    static double value(QWidget *f, const char *name) { return child<ImNumber>(f, name)->Value().toDouble(); }

    // The plan worked by hand below: 40 cars (1000 ㎡ at 25 ㎡ each) at 5 a month, 10 %
    // vacant; paving 1000 with 5 % tax; own funds 50 and one loan of 1000.
    static void fillPlan(QWidget *f)
    {
        type(f, "txtName", QStringLiteral("駅前駐車場"));
        type(f, "numRyokin1", "25");
        type(f, "numRyokin3", "5");
        type(f, "numYosan1", "1000");
        type(f, "numKeikaku1", "10");
        type(f, "numSikin1", "50");
    }
    // A loan of 1000 in equal principal over 10 years at 2 %, through the dialog.
    static void addLoanByDialog(QWidget *f)
    {
        onModal([](QWidget *d) {
            type(d, "txtName", QStringLiteral("みずほ銀行"));
            type(d, "numKariire", "1000");
            child<QComboBox>(d, "cmbHensai")->setCurrentIndex(1);
            type(d, "numNen1", "10");
            type(d, "numKinri1", "2");
            click(d, "lbutAdd");
        });
        click(f, "lbutNewKariire");
    }
    static void registerNewPlan()
    {
        auto f = open();
        fillPlan(f.get());
        addLoanByDialog(f.get());
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QVERIFY(shownBoxes().isEmpty());
    }
    // What must survive a failed registration of the plan stored by registerNewPlan.
    static QString storedPlan()
    {
        return queryRows("SELECT 名称,料金3 FROM D_駐車場") + "/" + queryRows("SELECT 連番,借入先名称 FROM D_借入金") +
               "/" + years("T_収支", "収入,支出,収支累計", "1,75") + "/" + QString::number(count("T_損益計算"));
    }

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp("[SETTING]\r\n借入金=\"0\"\r\n[DEFAULT]\r\n返済方式=\"0\"\r\n")); }
    void cleanup() { m_env.tearDown(); }

    void newPlanIsStoredWithItsResults()
    {
        registerNewPlan();
        QCOMPARE(queryRows("SELECT * FROM D_駐車場"),
                 QStringLiteral("1|1|駅前駐車場|25|40|5|1000|50|NULL|1050|10|NULL|NULL|NULL|NULL|50"));
        QCOMPARE(queryRows("SELECT * FROM D_借入金"),
                 QStringLiteral("1|1|1|みずほ銀行|1000|1|1|10|2|NULL|NULL|NULL|10"));
        for (const char *table : {"T_収支", "T_収支計画", "T_損益計算"})
            QCOMPARE(count(table, "ID1 = 1 AND ID2 = 1"), 75);
        QCOMPARE(count("T_収支", "TYPE = 1"), 75);
        // Income 40 x 5 x 12 x 0.9 = 2160; land tax 100 x 1000 x 1.7 % = 1700; principal
        // 100 a year for 10 years with 2 % on the balance (20 in year 1, 2 in year 10);
        // the budget 1050 is a cost of year 1 outside the cash flow.
        QCOMPARE(years("T_収支", "収入,支出,収支累計", "1,2,10,11,75"),
                 QStringLiteral("1|2160|1820|340;2|2160|1818|682;10|2160|1802|3490;11|2160|1700|3950;"
                                "75|2160|1700|33390"));
        QCOMPARE(years("T_収支計画", "収入1,収入計,支出1,支出2,支出3,支出計,累計", "1,2"),
                 QStringLiteral("1|2160|2160|120|1700|1050|1820|340;2|2160|2160|118|1700|0|1818|682"));
        QCOMPARE(years("T_損益計算", "収入1,収入計,支出1,支出2,支出3,支出計", "1,11"),
                 QStringLiteral("1|2160|2160|20|1700|1050|2770;11|2160|2160|0|1700|0|1700"));
    }

    void secondRegistrationUpdatesThePlan()
    {
        registerNewPlan();
        auto f = open();
        QCOMPARE(child<ImText>(f.get(), "txtName")->Text(), QStringLiteral("駅前駐車場"));
        QCOMPARE(value(f.get(), "numRyokin2"), 40.0);
        QCOMPARE(value(f.get(), "numYosan4"), 1050.0);
        QCOMPARE(grid(f.get())->RecordCount(), 1);
        type(f.get(), "numRyokin3", "6");
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QCOMPARE(count("D_駐車場"), 1);
        QCOMPARE(queryRows("SELECT 料金3 FROM D_駐車場"), QStringLiteral("6"));
        QCOMPARE(count("D_借入金"), 1);
        for (const char *table : {"T_収支", "T_収支計画", "T_損益計算"})
            QCOMPARE(count(table), 75);
        // 40 x 6 x 12 x 0.9 = 2592.
        QCOMPARE(years("T_収支", "収入,支出,収支累計", "1"), QStringLiteral("1|2592|1820|772"));
    }

    void rulesBetweenBoxes_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("perCar");
        QTest::addColumn<double>("cars");
        QTest::newRow("1000.4 at 25") << "1000.4"
                                      << "25" << 40.0;
        QTest::newRow("no area per car") << "50"
                                         << "0" << 7.0;
        QTest::newRow("more cars than the box holds") << "99999.99"
                                                      << "1" << 99999.0;
    }
    void rulesBetweenBoxes()
    {
        QFETCH(QString, site);
        QFETCH(QString, perCar);
        QVERIFY(runSql("UPDATE D_物件 SET 敷地面積 = " + site));
        auto f = open();
        child<ImNumber>(f.get(), "numRyokin2")->setValue(7);
        type(f.get(), "numRyokin1", perCar);
        type(f.get(), "numRyokin3", "1");
        QTEST(value(f.get(), "numRyokin2"), "cars");
    }

    void budgetRules()
    {
        auto f = open();
        type(f.get(), "numYosan1", "1010");
        type(f.get(), "numYosan3", "7");
        // 1010 x 5 % = 50.5, a half rounded up.
        QCOMPARE(value(f.get(), "numYosan2"), 51.0);
        type(f.get(), "numYosan2", "40"); // the tax typed over is kept...
        type(f.get(), "numSikin1", "1");
        QCOMPARE(value(f.get(), "numYosan4"), 1057.0);
        type(f.get(), "numYosan3", "8"); // ...when other boxes are left
        type(f.get(), "numSikin1", "2");
        QCOMPARE(value(f.get(), "numYosan2"), 40.0);
        QCOMPARE(value(f.get(), "numYosan4"), 1058.0);
    }

    void focusedBoxRuleRunsBeforeTheRegistration_data()
    {
        QTest::addColumn<bool>("inactive");
        QTest::newRow("active window") << false;
        QTest::newRow("another window active") << true;
    }
    void focusedBoxRuleRunsBeforeTheRegistration()
    {
        QFETCH(bool, inactive);
        auto f = open();
        type(f.get(), "txtName", "P");
        type(f.get(), "numYosan1", "1000");
        QWidget other;
        if (inactive) {
            other.show();
            QApplication::setActiveWindow(&other);
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        MsgBox::setNextAnswer(MsgBox::No); // the budget 1050 is not covered
        click(f.get(), "lbutAdd");
        QCOMPARE(value(f.get(), "numYosan2"), 50.0);
        QCOMPARE(value(f.get(), "numYosan4"), 1050.0);
        QCOMPARE(prompts(), QStringList{"費用と予算が一致していませんが、データを登録しますか？"});
    }

    void checksInOrder()
    {
        QVERIFY(runSql("UPDATE D_物件 SET 敷地面積 = 30"));
        auto f = open();
        type(f.get(), "txtName", "   ");
        type(f.get(), "numRyokin1", "35");
        click(f.get(), "lbutAdd");
        QCOMPARE(prompts(), QStringList{" [ 計画名 ] を入力して下さい。"});
        QCOMPARE(focusName(f.get()), QStringLiteral("txtName"));
        type(f.get(), "txtName", "P");
        click(f.get(), "lbutAdd");
        QCOMPARE(shownBoxes().at(1).prompt, QStringLiteral("１車両必要敷地面積が敷地面積を超えています。"));
        QCOMPARE(shownBoxes().at(1).style, int(MsgBox::Critical));
        QCOMPARE(focusName(f.get()), QStringLiteral("numRyokin1"));
        type(f.get(), "numRyokin1", "10");
        type(f.get(), "numYosan1", "100"); // budget 105, no funds: the question
        MsgBox::setNextAnswer(MsgBox::No);
        click(f.get(), "lbutAdd");
        QCOMPARE(shownBoxes().at(2).prompt, QStringLiteral("費用と予算が一致していませんが、データを登録しますか？"));
        QCOMPARE(shownBoxes().at(2).style, int(MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2));
        QVERIFY(f->isVisible());
        QCOMPARE(count("D_駐車場"), 0);
        MsgBox::setNextAnswer(MsgBox::Yes);
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QCOMPARE(count("T_収支"), 75);
    }

    void registerWithoutChangesWritesNothing()
    {
        auto f = open();
        QWidget *add = child(f.get(), "lbutAdd");
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return); // Enter on the focused button clicks it
        QVERIFY(!f->isVisible());
        QVERIFY(!f->Pro_State());
        QCOMPARE(count("D_駐車場") + count("T_収支"), 0);
    }

    void cancel()
    {
        auto f = open();
        click(f.get(), "lbutClose");
        QVERIFY(shownBoxes().isEmpty());
        QVERIFY(!f->isVisible());

        f = open();
        type(f.get(), "numRyokin3", "5");
        MsgBox::setNextAnswer(MsgBox::No);
        f->close(); // the close box mid-edit asks as the cancel button does
        QCOMPARE(prompts(), QStringList{"データが変更されていますが、キャンセルしてよろしいですか？"});
        QVERIFY(f->isVisible());
        MsgBox::setNextAnswer(MsgBox::Yes);
        click(f.get(), "lbutClose");
        QVERIFY(!f->isVisible());
        QVERIFY(!f->Pro_State());
        QCOMPARE(count("D_駐車場"), 0);
    }

    void loanListAndItsKeys()
    {
        for (int n = 1; n <= 3; ++n)
            QVERIFY(addLoan("D_借入金", 1, 1, n, QStringLiteral("銀行%1").arg(n), 100 * n, 0, 10, 1));
        auto f = open();
        LoanGrid *g = grid(f.get());
        QCOMPARE(g->DataKariire()->rowCount(), 3); // no new-row line at three loans
        QVERIFY(!child(f.get(), "lbutNewKariire")->isEnabled());
        g->setFocus();
        g->setRow(0);
        QTest::keyClick(g, Qt::Key_Up);
        QCOMPARE(focusName(f.get()), QStringLiteral("numKeikaku5"));
        // Enter opens the current loan; the focus then goes to the register button.
        g->setFocus();
        g->setRow(1);
        int renban = 0;
        onModal([&renban](QWidget *d) {
            renban = static_cast<frmInputKariire *>(d)->Pro_Renban().toInt();
            click(d, "lbutClose");
        });
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(renban, 2);
        QCOMPARE(focusName(f.get()), QStringLiteral("lbutAdd"));
        // Deleting the first loan renumbers the rest and counts as a change.
        g->setRow(0);
        click(f.get(), "lbutLineDelKariire");
        QCOMPARE(queryRows("SELECT 連番, 借入先名称 FROM W_借入金 ORDER BY 連番"), QStringLiteral("1|銀行2;2|銀行3"));
        QVERIFY(child(f.get(), "lbutNewKariire")->isEnabled());
        QCOMPARE(g->DataKariire()->rowCount(), 3);
        QCOMPARE(focusName(f.get()), QStringLiteral("TDBKariire"));
        g->setRow(2);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(focusName(f.get()), QStringLiteral("lbutAdd"));
        // A dialog closed without saving does not forget the deletion.
        onModal([](QWidget *d) { click(d, "lbutClose"); });
        click(f.get(), "lbutDetailKariire");
        MsgBox::setNextAnswer(MsgBox::No);
        click(f.get(), "lbutClose");
        QCOMPARE(prompts(), QStringList{"データが変更されていますが、キャンセルしてよろしいですか？"});
    }

    void gapsInStoredLoansAreClosedWithoutAChange()
    {
        QVERIFY(addLoan("D_借入金", 1, 1, 1, "A", 100, 0, 10, 1));
        QVERIFY(addLoan("D_借入金", 1, 1, 3, "C", 300, 0, 10, 1));
        auto f = open();
        QCOMPARE(queryRows("SELECT 連番, 借入先名称 FROM W_借入金"), QStringLiteral("1|A;2|C"));
        int renban = 0;
        onModal([&renban](QWidget *d) {
            renban = static_cast<frmInputKariire *>(d)->Pro_Renban().toInt();
            click(d, "lbutClose");
        });
        click(f.get(), "lbutNewKariire");
        QCOMPARE(renban, 3);
        QCOMPARE(grid(f.get())->Row(), 2);
        click(f.get(), "lbutClose"); // nothing changed: no question
        QVERIFY(shownBoxes().isEmpty());
    }

    void badInputInBoxes()
    {
        auto f = open();
        auto *fee = child<ImNumber>(f.get(), "numRyokin3");
        type(fee, "12");
        fee->selectAll();
        fee->insert(QStringLiteral("abc")); // letters pasted are refused
        QCOMPARE(fee->Value().toDouble(), 12.0);
        type(f.get(), "numKeikaku1", "150"); // above the vacancy's maximum of 100
        type(f.get(), "numKeikaku2", "");
        type(f.get(), "txtName", "P");
        QCOMPARE(value(f.get(), "numKeikaku1"), 100.0);
        type(f.get(), "numYosan1", "999999");
        type(f.get(), "numYosan3", "999999");
        type(f.get(), "numSikin1", "0");
        MsgBox::setNextAnswer(MsgBox::Yes);
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        // 999999 x 5 % = 49999.95 rounds to 50000; empty boxes are stored as NULL.
        QCOMPARE(queryRows("SELECT 料金3,予算2,予算4,計画1,計画2,資金1 FROM D_駐車場"),
                 QStringLiteral("12|50000|2049998|100|NULL|0"));
    }

    void registerTwiceQuickly()
    {
        auto f = open();
        fillPlan(f.get());
        QWidget *add = child(f.get(), "lbutAdd");
        MsgBox::setNextAnswer(MsgBox::Yes);
        FormButtons::click(add);
        FormButtons::click(add);
        QVERIFY(f->Pro_State());
        QCOMPARE(shownBoxes().size(), 1); // the budget question, once
        QCOMPARE(count("D_駐車場"), 1);
        QCOMPARE(count("T_収支計画"), 75);
    }

    void failureLeavesTheStoredPlan_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("lock");
        QTest::addColumn<int>("fee");
        QTest::newRow("result row of year 40")
            << "CREATE TRIGGER f BEFORE INSERT ON T_収支計画 WHEN NEW.年 = 40 BEGIN SELECT RAISE(ABORT, 'x'); END"
            << "" << 6;
        QTest::newRow("loan copy") << "CREATE TRIGGER f BEFORE INSERT ON D_借入金 BEGIN SELECT RAISE(ABORT, 'x'); END"
                                   << "" << 6;
        QTest::newRow("plan update") << "CREATE TRIGGER f BEFORE UPDATE ON D_駐車場 BEGIN SELECT RAISE(ABORT, 'x'); END"
                                     << "" << 6;
        QTest::newRow("commit against a reader") << ""
                                                 << "BEGIN;SELECT COUNT(*) FROM D_物件" << 6;
        QTest::newRow("write lock held") << ""
                                         << "BEGIN IMMEDIATE" << 6;
        // 40 cars at 999,999 a month, 10 % vacant: 431,999,568 a year, so the running
        // balance passes the 32-bit column in year 5.
        QTest::newRow("balance too large") << ""
                                           << "" << 999999;
    }
    void failureLeavesTheStoredPlan()
    {
        QFETCH(QString, sql);
        QFETCH(QString, lock);
        QFETCH(int, fee);
        registerNewPlan();
        const QString before = storedPlan();
        auto f = open();
        type(f.get(), "numRyokin3", QString::number(fee));
        type(f.get(), "txtName", QStringLiteral("変更後"));
        if (!sql.isEmpty())
            QVERIFY(runSql(sql));
        {
            // A second connection, as another program on the same file would hold it.
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(m_env.db().path());
            QVERIFY(other.open());
            QSqlQuery q(other);
            for (const QString &s : lock.split(';', Qt::SkipEmptyParts))
                QVERIFY2(q.exec(s) && (q.next() || true), qPrintable(s));
            click(f.get(), "lbutAdd");
            q.finish();
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QCOMPARE(prompts(), QStringList{kFailed});
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("駐車場データ入力"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        QVERIFY(!f->Pro_State());
        QVERIFY(!gDao().inTransaction());
        QCOMPARE(storedPlan(), before);
        // The form stays open with what was typed, ready to be corrected and registered again.
        QVERIFY(f->isVisible());
        QCOMPARE(child<ImText>(f.get(), "txtName")->Text(), QStringLiteral("変更後"));
        QVERIFY(child(f.get(), "lbutAdd")->isEnabled());
        QVERIFY(child(f.get(), "lbutClose")->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        if (!sql.isEmpty())
            QVERIFY(runSql("DROP TRIGGER f"));
        type(f.get(), "numRyokin3", "6");
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QVERIFY(!f->isVisible());
        QCOMPARE(queryRows("SELECT 名称 FROM D_駐車場"), QStringLiteral("変更後"));
    }

    void chooserOpensTheFormForTheNewPlan()
    {
        frmInputParking::install();
        frmType chooser;
        chooser.setPro_ID1(1);
        chooser.setPro_ID2(3);
        onModal([](QWidget *form) {
            QCOMPARE(form->objectName(), QStringLiteral("frmInputParking"));
            type(form, "txtName", "P");
            click(form, "lbutAdd");
        });
        QPushButton *parking = nullptr;
        for (QPushButton *b : chooser.findChildren<QPushButton *>(QStringLiteral("butType")))
            if (b->property("index").toInt() == 1)
                parking = b;
        parking->click();
        QCOMPARE(chooser.Pro_State(), -1);
        QCOMPARE(queryRows("SELECT ID1, ID2, 名称 FROM D_駐車場"), QStringLiteral("1|3|P"));
        ShellHooks::reset();
    }

    void unreadRowsKeepTheFormClosed_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("work copy refused") << false;
        QTest::newRow("write lock held") << true;
    }
    void unreadRowsKeepTheFormClosed()
    {
        QFETCH(bool, locked);
        registerNewPlan();
        const QString before = storedPlan() + "/" + queryRows("SELECT * FROM W_借入金");
        if (!locked)
            QVERIFY(runSql("CREATE TRIGGER f BEFORE INSERT ON W_借入金 BEGIN SELECT RAISE(ABORT, 'x'); END"));
        frmInputParking f;
        f.setPro_ID1(1);
        f.setPro_ID2(1);
        bool shown = false;
        QTimer::singleShot(0, &f, [&] { shown = true, f.reject(); });
        {
            std::optional<WriteLock> lock;
            if (locked)
                lock.emplace(m_env.db().path());
            f.showModal();
        }
        QVERIFY(!shown);
        QCOMPARE(prompts(), QStringList{QStringLiteral("データの読み込みに失敗しました。")});
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("駐車場データ入力"));
        QVERIFY(!f.Pro_State());
        QCOMPARE(storedPlan() + "/" + queryRows("SELECT * FROM W_借入金"), before);
    }
};

QTEST_MAIN(tst_frmInputParking)
#include "tst_frmInputParking.moc"
