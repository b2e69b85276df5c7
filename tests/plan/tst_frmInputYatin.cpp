#include "frmInputYatin.h"

#include "ApartmentFixture.h"
#include "ImNumber.h"
#include "ImText.h"
#include "RentGrid.h"
#include "RentGridModel.h"
#include "ShownBoxes.h"

using namespace EntryFixtures;

// The rent-row dialog: one row of W_家賃 loaded, saved in its own transaction,
// continuous entry by the row's letter, and the close question.
class tst_frmInputYatin : public QObject
{
    Q_OBJECT

private:
    Env m_env;
    std::unique_ptr<QWidget> m_owner;
    RentGrid *m_grid = nullptr;

    // The owner form: its rent grid shows the plan's work rows.
    void makeOwner()
    {
        m_owner = std::make_unique<QWidget>();
        m_grid = new RentGrid(m_owner.get());
        m_grid->DataYatin()->setPlan(&gDao(), 1, 1);
        m_grid->Requery();
    }
    std::unique_ptr<frmInputYatin> open(const QString &type)
    {
        auto d = std::make_unique<frmInputYatin>();
        d->setPro_ID1(1);
        d->setPro_ID2(1);
        d->setPro_Type(type);
        d->SetOwnerForm(m_owner.get());
        d->Form_Load();
        d->show();
        return d;
    }
    static QString workRows()
    {
        return queryRows(QStringLiteral(
            "SELECT タイプ, 間取り, 専有面積, 世帯数, 駐車台数, 月家賃, 月共益費, 月駐車料, 敷金 FROM W_家賃 "
            "WHERE ID1 = 1 AND ID2 = 1 ORDER BY タイプ"));
    }
    void setContinuous(bool on)
    {
        QByteArray ini = ApartmentFixture::defaultIni();
        m_env.writeIni(ini.replace("家賃=\"0\"", on ? "家賃=\"1\"" : "家賃=\"0\""));
    }

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp(ApartmentFixture::defaultIni())); }
    void cleanup()
    {
        m_owner.reset();
        m_env.tearDown();
    }

    void newRowShowsItsLetterAndStoresTypedValues()
    {
        makeOwner();
        auto d = open(QStringLiteral("C"));
        QCOMPARE(child<ImText>(d.get(), "txtType")->Text(), QStringLiteral("C"));
        QVERIFY(child<ImNumber>(d.get(), "numYatin")->isNull());
        // The letter is shown, not typed.
        QVERIFY(child<ImText>(d.get(), "txtType")->isReadOnly());
        type(d.get(), "txtMadori", QStringLiteral("2LDK"));
        type(d.get(), "numSenyu", QStringLiteral("55.5"));
        type(d.get(), "numSetai", QStringLiteral("6"));
        type(d.get(), "numTyusya", QStringLiteral("4"));
        type(d.get(), "numYatin", QStringLiteral("85"));
        type(d.get(), "numKyoeki", QStringLiteral("5"));
        type(d.get(), "numTyusyaryo", QStringLiteral("10"));
        type(d.get(), "numSikikin", QStringLiteral("170"));
        click(d.get(), "lbutAdd");
        QVERIFY(d->isHidden());
        QVERIFY(d->Pro_State());
        QCOMPARE(workRows(), QStringLiteral("C|2LDK|55.5|6|4|85|5|10|170"));
        // The owner's grid was read again and shows the row.
        QCOMPARE(m_grid->RecordCount(), 1);
        QVERIFY(shownBoxes().isEmpty());
    }

    void storedRowIsShownAndEmptyBoxesStoreNull()
    {
        QVERIFY(
            ApartmentFixture::addRent(QStringLiteral("'A', '1K', 25, 8, 2, 60, 3, 8, 120"), QStringLiteral("W_家賃")));
        makeOwner();
        auto d = open(QStringLiteral("A"));
        QCOMPARE(child<ImText>(d.get(), "txtMadori")->Text(), QStringLiteral("1K"));
        QCOMPARE(child<ImNumber>(d.get(), "numSetai")->Value().toDouble(), 8.0);
        QCOMPARE(child<ImNumber>(d.get(), "numSikikin")->Value().toDouble(), 120.0);
        child<ImText>(d.get(), "txtMadori")->setText(QString());
        child<ImNumber>(d.get(), "numTyusya")->setValue(QVariant());
        click(d.get(), "lbutAdd");
        QCOMPARE(workRows(), QStringLiteral("A|NULL|25|8|NULL|60|3|8|120"));
    }

    void unchangedRowIsNotSaved()
    {
        // A row whose every field is empty opens empty and closes without a save.
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL"),
                                          QStringLiteral("W_家賃")));
        QVERIFY(runSql(QStringLiteral(
            "CREATE TRIGGER no_write BEFORE INSERT ON W_家賃 BEGIN SELECT RAISE(ABORT, 'written'); END")));
        makeOwner();
        auto d = open(QStringLiteral("A"));
        click(d.get(), "lbutAdd");
        QVERIFY(d->isHidden());
        QVERIFY(!d->Pro_State());
        QCOMPARE(workRows(), QStringLiteral("A|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"));
        QVERIFY(shownBoxes().isEmpty());
    }

    void continuousEntryWalksTheLettersUpToFive()
    {
        setContinuous(true);
        makeOwner();
        auto d = open(QStringLiteral("A"));
        const QString letters = QStringLiteral("ABCDE");
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(d->isVisible(), qPrintable(letters.mid(i, 1)));
            QCOMPARE(child<ImText>(d.get(), "txtType")->Text(), letters.mid(i, 1));
            QVERIFY(child<ImNumber>(d.get(), "numSetai")->isNull());
            type(d.get(), "numSetai", QString::number(i + 1));
            click(d.get(), "lbutAdd");
            // The grid follows the row being entered.
            if (i < 4)
                QCOMPARE(m_grid->Row(), i + 1);
        }
        // Five rows stored: the dialog closes after the fifth.
        QVERIFY(d->isHidden());
        QCOMPARE(queryRows(QStringLiteral("SELECT group_concat(タイプ || 世帯数, ',') FROM "
                                     "(SELECT * FROM W_家賃 ORDER BY タイプ)")),
                 QStringLiteral("A1,B2,C3,D4,E5"));
    }

    void continuousEntryEndsOnAnEmptyNewRow()
    {
        setContinuous(true);
        makeOwner();
        auto d = open(QStringLiteral("A"));
        type(d.get(), "numYatin", QStringLiteral("70"));
        click(d.get(), "lbutAdd");
        QCOMPARE(child<ImText>(d.get(), "txtType")->Text(), QStringLiteral("B"));
        click(d.get(), "lbutAdd");
        QVERIFY(d->isHidden());
        QCOMPARE(workRows(), QStringLiteral("A|NULL|NULL|NULL|NULL|70|NULL|NULL|NULL"));
    }

    void continuousEntryOverStoredRowsShowsEach()
    {
        setContinuous(true);
        QVERIFY(
            ApartmentFixture::addRent(QStringLiteral("'A', '1K', 25, 8, 2, 60, 3, 8, 120"), QStringLiteral("W_家賃")));
        QVERIFY(
            ApartmentFixture::addRent(QStringLiteral("'B', '2DK', 40, 4, 4, 75, 4, 8, 150"), QStringLiteral("W_家賃")));
        makeOwner();
        auto d = open(QStringLiteral("A"));
        click(d.get(), "lbutAdd");
        QCOMPARE(child<ImText>(d.get(), "txtMadori")->Text(), QStringLiteral("2DK"));
        click(d.get(), "lbutAdd");
        // Past the last stored row: a new, empty row C.
        QCOMPARE(child<ImText>(d.get(), "txtType")->Text(), QStringLiteral("C"));
        QVERIFY(child<ImText>(d.get(), "txtMadori")->Text().isEmpty());
        click(d.get(), "lbutAdd");
        QVERIFY(d->isHidden());
        QVERIFY(!d->Pro_State());
    }

    void closeAsksBeforeDroppingTypedValues_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored");
        QTest::newRow("No: nothing stored") << int(MsgBox::No) << QString();
        QTest::newRow("Yes: the row stored")
            << int(MsgBox::Yes) << QStringLiteral("A|NULL|NULL|NULL|NULL|NULL|NULL|NULL|200");
    }
    void closeAsksBeforeDroppingTypedValues()
    {
        QFETCH(int, answer);
        QFETCH(QString, stored);
        makeOwner();
        auto d = open(QStringLiteral("A"));
        type(d.get(), "numSikikin", QStringLiteral("200"));
        MsgBox::setNextAnswer(answer);
        click(d.get(), "lbutClose");
        QVERIFY(d->isHidden());
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データが入力されていますが、登録しますか？"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("確認"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2));
        QCOMPARE(workRows(), stored);
        QCOMPARE(d->Pro_State(), answer == MsgBox::Yes);
    }

    void failedSaveKeepsTheDialogAndTheOldRow()
    {
        QVERIFY(
            ApartmentFixture::addRent(QStringLiteral("'A', '1K', 25, 8, 2, 60, 3, 8, 120"), QStringLiteral("W_家賃")));
        QVERIFY(runSql(QStringLiteral(
            "CREATE TRIGGER no_write BEFORE INSERT ON W_家賃 BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        makeOwner();
        auto d = open(QStringLiteral("A"));
        type(d.get(), "numYatin", QStringLiteral("9"));
        click(d.get(), "lbutAdd");
        QVERIFY(d->isVisible());
        QVERIFY(!d->Pro_State());
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データの登録中にエラーが発生しました。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("家賃設定"));
        // The delete before the insert was rolled back with it.
        QCOMPARE(workRows(), QStringLiteral("A|1K|25|8|2|60|3|8|120"));
    }

    void withoutOwnerGridTheDialogDoesNotOpen()
    {
        frmInputYatin d;
        QWidget stranger;
        d.SetOwnerForm(&stranger);
        d.showModal(); // returns at once: no grid TDBYatin to show the row
        QVERIFY(!d.isVisible());
    }
};

QTEST_MAIN(tst_frmInputYatin)
#include "tst_frmInputYatin.moc"
