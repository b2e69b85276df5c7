#include "frmInputKariire.h"

#include "EntryFixtures.h"
#include "ImText.h"
#include "LoanGrid.h"
#include "LoanGridModel.h"
#include "ShownBoxes.h"

#include <QComboBox>

using namespace EntryFixtures;

// The loan-row dialog: its checks, the row it saves, single and continuous entry.
class tst_frmInputKariire : public QObject
{
    Q_OBJECT

private:
    Env m_env;
    std::unique_ptr<QWidget> m_owner;
    LoanGrid *m_grid = nullptr;

    // The owner a plan form would be: its loan grid over plan (1, 1).
    void makeOwner()
    {
        m_owner = std::make_unique<QWidget>();
        m_grid = new LoanGrid(m_owner.get());
        m_grid->DataKariire()->setPlan(&gDao(), 1, 1);
        m_grid->Requery();
    }
    std::unique_ptr<frmInputKariire> open(int renban)
    {
        auto d = std::make_unique<frmInputKariire>(m_owner.get());
        d->setPro_ID1(1);
        d->setPro_ID2(1);
        d->setPro_Renban(renban);
        d->SetOwnerForm(m_owner.get());
        d->Form_Load();
        d->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(d.get())); }();
        return d;
    }
    static void fill(QWidget *d, const QString &lender, const QString &amount, const QString &term,
                     const QString &rate1, const QString &start2 = QString(), const QString &rate2 = QString())
    {
        type(d, "txtName", lender);
        type(d, "numKariire", amount);
        type(d, "numNen1", term);
        type(d, "numKinri1", rate1);
        if (!start2.isEmpty()) {
            type(d, "numNen2", start2);
            type(d, "numKinri2", rate2);
        }
    }
    static QString workRows()
    {
        return queryRows(
            QStringLiteral("SELECT 連番,借入先名称,借入金額,返済方式,返済開始1,返済終了1,金利1,返済開始2,返済終了2,"
                           "金利2,返済期間 FROM W_借入金 ORDER BY 連番"));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_env.setUp("[SETTING]\r\n借入金=\"0\"\r\n[DEFAULT]\r\n返済方式=\"0\"\r\n"));
        makeOwner();
    }
    void cleanup()
    {
        m_owner.reset();
        m_env.tearDown();
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QString>("lender");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("start2");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("lender and term") << ""
                                         << "1000"
                                         << ""
                                         << ""
                                         << " [ 借入先名称 ]  [ 返済期間 ] を入力して下さい。"
                                         << "txtName";
        QTest::newRow("lender of blanks") << "  "
                                          << "1000"
                                          << "10"
                                          << ""
                                          << " [ 借入先名称 ] を入力して下さい。"
                                          << "txtName";
        QTest::newRow("amount") << "銀行"
                                << "0"
                                << "10"
                                << ""
                                << " [ 借入金額 ] を入力して下さい。"
                                << "numKariire";
        QTest::newRow("second rate at the term") << "銀行"
                                                 << "1000"
                                                 << "10"
                                                 << "10"
                                                 << "返済期間の設定が正しくありません。"
                                                 << "numNen1";
        QTest::newRow("second rate after the term") << "銀行"
                                                    << "1000"
                                                    << "10"
                                                    << "12"
                                                    << "返済期間の設定が正しくありません。"
                                                    << "numNen1";
    }
    void checksInOrder()
    {
        QFETCH(QString, lender);
        QFETCH(QString, amount);
        QFETCH(QString, term);
        QFETCH(QString, start2);
        auto d = open(1);
        fill(d.get(), lender, amount, term, "2", start2, "3");
        click(d.get(), "lbutAdd");
        QCOMPARE(shownBoxes().size(), 1);
        QTEST(shownBoxes().at(0).prompt, "message");
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("確認"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        QTEST(focusName(d.get()), "focus");
        QVERIFY(d->isVisible());
        QCOMPARE(workRows(), QString());
        QVERIFY(!d->Pro_State());
    }

    void methodOutsideTheListIsMissing()
    {
        m_env.writeIni("[DEFAULT]\r\n返済方式=\"5\"\r\n");
        auto d = open(1);
        QCOMPARE(child<QComboBox>(d.get(), "cmbHensai")->currentIndex(), -1);
        fill(d.get(), "銀行", "1000", "10", "2");
        click(d.get(), "lbutAdd");
        QCOMPARE(prompts(), QStringList{" [ 返済方式 ] を入力して下さい。"});
    }

    void savedRow_data()
    {
        QTest::addColumn<QString>("start2");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shownStart2");
        QTest::newRow("one rate") << ""
                                  << "1|みずほ銀行|5000|1|1|20|2.5|NULL|NULL|NULL|20"
                                  << "0";
        QTest::newRow("second rate from year 10") << "10"
                                                  << "1|みずほ銀行|5000|1|1|9|2.5|10|20|3.1|20"
                                                  << "10";
        QTest::newRow("second rate from year 1") << "1"
                                                 << "1|みずほ銀行|5000|1|1|0|2.5|1|20|3.1|20"
                                                 << "1";
    }
    void savedRow()
    {
        QFETCH(QString, start2);
        m_env.writeIni("[DEFAULT]\r\n返済方式=\"1\"\r\n");
        {
            auto d = open(1);
            QCOMPARE(child<QComboBox>(d.get(), "cmbHensai")->currentIndex(), 1);
            fill(d.get(), QStringLiteral("みずほ銀行"), "5000", "20", "2.5", start2, "3.1");
            click(d.get(), "lbutAdd");
            QVERIFY(!d->isVisible());
            QVERIFY(d->Pro_State());
        }
        QTEST(workRows(), "stored");
        QCOMPARE(m_grid->RecordCount(), 1);
        // Loading the row again shows what was typed; saving it again gives the same row.
        auto d = open(1);
        QCOMPARE(child<ImText>(d.get(), "txtName")->Text(), QStringLiteral("みずほ銀行"));
        QCOMPARE(child<ImNumber>(d.get(), "numNen2")->Value().toString(), start2.isEmpty() ? "0" : start2);
        type(d.get(), "numKariire", "5000");
        click(d.get(), "lbutAdd");
        QTEST(workRows(), "stored");
    }

    void registerWithoutChangesSavesNothing()
    {
        auto d = open(1);
        click(d.get(), "lbutAdd");
        QVERIFY(!d->isVisible());
        QVERIFY(!d->Pro_State());
        QCOMPARE(workRows(), QString());
    }

    void continuousEntryWalksTheLoans()
    {
        m_env.writeIni("[SETTING]\r\n借入金=\"1\"\r\n");
        m_grid->setRow(0);
        auto d = open(1);
        fill(d.get(), "A銀行", "100", "10", "1");
        click(d.get(), "lbutAdd");
        QVERIFY(d->isVisible());
        QCOMPARE(d->Pro_Renban().toInt(), 2);
        QCOMPARE(m_grid->Row(), 1);
        QCOMPARE(focusName(d.get()), QStringLiteral("txtName"));
        QCOMPARE(child<ImText>(d.get(), "txtName")->Text(), QString());
        fill(d.get(), "B銀行", "200", "15", "2");
        click(d.get(), "lbutAdd");
        QCOMPARE(d->Pro_Renban().toInt(), 3);
        fill(d.get(), "C銀行", "300", "20", "3");
        click(d.get(), "lbutAdd");
        QVERIFY(!d->isVisible());
        QCOMPARE(queryRows("SELECT 連番, 借入先名称 FROM W_借入金 ORDER BY 連番"),
                 QStringLiteral("1|A銀行;2|B銀行;3|C銀行"));
    }

    void continuousEntryStopsOnAnEmptyNewRow()
    {
        m_env.writeIni("[SETTING]\r\n借入金=\"1\"\r\n");
        QVERIFY(addLoan("W_借入金", 1, 1, 1, "A銀行", 100, 0, 10, 1));
        m_grid->Requery();
        auto d = open(1);
        click(d.get(), "lbutAdd"); // nothing changed on loan 1: on to loan 2
        QCOMPARE(d->Pro_Renban().toInt(), 2);
        click(d.get(), "lbutAdd"); // nothing entered on the new row: closes
        QVERIFY(!d->isVisible());
        QCOMPARE(count("W_借入金"), 1);
    }

    void closeAsksWhenSomethingWasEntered()
    {
        auto d = open(1);
        click(d.get(), "lbutClose");
        QVERIFY(shownBoxes().isEmpty());
        QVERIFY(!d->isVisible());

        d = open(1);
        fill(d.get(), "銀行", "100", "", "1");
        MsgBox::setNextAnswer(MsgBox::Yes);
        d->close(); // the close box takes the same way
        QCOMPARE(prompts(),
                 (QStringList{"データが入力されていますが、登録しますか？", " [ 返済期間 ] を入力して下さい。"}));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2));
        QVERIFY(d->isVisible());
        MsgBox::setNextAnswer(MsgBox::No);
        click(d.get(), "lbutClose");
        QVERIFY(!d->isVisible());
        QCOMPARE(workRows(), QString());
    }

    void failedSaveKeepsTheRowTyped()
    {
        QVERIFY(runSql("CREATE TRIGGER block BEFORE INSERT ON W_借入金 BEGIN SELECT RAISE(ABORT, 'no'); END"));
        auto d = open(1);
        fill(d.get(), "銀行", "100", "10", "1");
        click(d.get(), "lbutAdd");
        QCOMPARE(prompts(), QStringList{"データの登録中にエラーが発生しました。"});
        QVERIFY(d->isVisible());
        QVERIFY(!d->Pro_State());
        QCOMPARE(child<ImText>(d.get(), "txtName")->Text(), QStringLiteral("銀行"));
        QVERIFY(!gDao().inTransaction());
    }

    void withoutOwnerTheDialogDoesNotOpen()
    {
        frmInputKariire d;
        d.setPro_Renban(1);
        d.showModal(); // returns at once instead of waiting
        QVERIFY(!d.isVisible());
    }
};

QTEST_MAIN(tst_frmInputKariire)
#include "tst_frmInputKariire.moc"
