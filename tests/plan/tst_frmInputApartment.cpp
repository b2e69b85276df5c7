#include "frmInputApartment.h"

#include "ApartmentFixture.h"
#include "ImNumber.h"
#include "ImText.h"
#include "LoanGrid.h"
#include "RentGrid.h"
#include "RentGridModel.h"
#include "ShownBoxes.h"
#include "TestFiles.h"
#include "TestScreen.h"
#include "Twips.h"
#include "cBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSqlDatabase>

using namespace EntryFixtures;

// The apartment entry form driven as a user drives it: loading, the input rules,
// the rows and their dialogs, the checks, and the registration in one transaction.
class tst_frmInputApartment : public QObject
{
    Q_OBJECT

private:
    Env m_env;

    std::unique_ptr<frmInputApartment> open(int id1 = 1, int id2 = 1)
    {
        auto f = std::make_unique<frmInputApartment>();
        f->setPro_ID1(id1);
        f->setPro_ID2(id2);
        f->Form_Load();
        f->show();
        QApplication::setActiveWindow(f.get());
        [&] { QVERIFY2(QTest::qWaitForWindowActive(f.get()), "form not active"); }();
        return f;
    }
    template <class T = QWidget> static T *field(QWidget *f, const QString &name)
    {
        T *w = f->findChild<T *>(name);
        if (!w)
            qWarning("no control %s", qPrintable(name));
        return w;
    }
    static ImNumber *num(QWidget *f, const QString &name) { return field<ImNumber>(f, name); }
    static double value(QWidget *f, const QString &name) { return num(f, name)->Value().toDouble(); }
    /// Types over a box's content as a user does and leaves it for another control.
    static void enter(QWidget *f, const QString &name, const QString &text, const QString &next = "txtName")
    {
        QWidget *w = field(f, name);
        type(w, QString());
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->clear();
        type(w, text);
        if (!next.isEmpty()) {
            field(f, next)->setFocus();
            QApplication::processEvents();
        }
    }
    /// The plan's registration inputs, filled so that the funding matches the budget.
    static void fillPlan(QWidget *f)
    {
        field<ImText>(f, "txtName")->setText(QStringLiteral("駅前マンション"));
        enter(f, "numKaoku2", "1");
        enter(f, "numKaoku3", "5");
        enter(f, "numKaoku4", "5");
        enter(f, "numKaoku5", "300.5");
        enter(f, "numKaoku6", "150");
        field<QCheckBox>(f, "chkKaoku9")->setChecked(true);
        enter(f, "numYosan1", "200000"); // consumption tax 10,000
        enter(f, "numYosan3", "5300");
        enter(f, "numSikin1", "15300");
        enter(f, "numSikin2", "0");
        for (int i = 1; i <= 9; ++i)
            enter(f, QStringLiteral("numKeikaku%1").arg(i), QString::number(i == 1 ? 5 : i));
        enter(f, "numKasai", "10");
    }
    static QString planRow(const QString &columns)
    {
        return queryRows(QStringLiteral("SELECT %1 FROM D_賃貸マンション WHERE ID1 = 1 AND ID2 = 1").arg(columns));
    }
    static void seedTwoRents(const QString &table = QStringLiteral("D_家賃"))
    {
        // (100 + 10) x 3 + (200 + 0) x 2 = 730 a month; parking 5 x 3 = 15; deposits 300 x 3 + 400 x 2.
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', '1K', 25, 3, 3, 100, 10, 5, 300"), table));
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'B', '2DK', 40, 2, 0, 200, 0, 0, 400"), table));
    }
    static void seedLoan(int renban, int amount) { QVERIFY(ApartmentFixture::addLoan(renban, amount)); }

private Q_SLOTS:
    void init() { QVERIFY(m_env.setUp(ApartmentFixture::defaultIni())); }
    void cleanup() { m_env.tearDown(); }

    // ---- loading -----------------------------------------------------------

    void newPlanOpensWithDefaults()
    {
        auto f = open();
        QCOMPARE(f->windowTitle(), QStringLiteral("賃貸マンションデータ入力"));
        // Site from the property, building taxes from the settings.
        QCOMPARE(value(f.get(), "numSikiti1"), 1000.0);
        QCOMPARE(value(f.get(), "numSikiti2"), 100.0);
        QCOMPARE(value(f.get(), "numKaoku7"), 1.4);
        QCOMPARE(value(f.get(), "numKaoku8"), 0.3);
        // Structure 5 (default) gives 47 years; declining balance at 47 years is 4.8 %.
        QCOMPARE(field<QComboBox>(f.get(), "cmbKaoku1")->currentText(), QStringLiteral("鉄骨鉄筋コンクリート造"));
        QCOMPARE(value(f.get(), "numGenka2"), 47.0);
        QCOMPARE(value(f.get(), "numGenka3"), 4.8);
        QCOMPARE(field<QComboBox>(f.get(), "cmbGenka6")->currentIndex(), 1);
        QVERIFY(num(f.get(), "numGenka5")->isReadOnly());
        // Empty grids: footers 0, nothing to delete.
        auto *rents = field<RentGrid>(f.get(), "TDBYatin");
        QCOMPARE(rents->FooterText(RentGridModel::Kyoeki), QStringLiteral("0"));
        QCOMPARE(rents->FooterText(RentGridModel::Tyusya), QStringLiteral("合　計"));
        QVERIFY(!field(f.get(), "lbutLineDelYatin")->isEnabled());
        QVERIFY(!field(f.get(), "lbutLineDelKariire")->isEnabled());
        // The form fits a 1280 x 800 screen.
        QVERIFY(f->frameGeometry().width() <= 1280);
        QVERIFY(f->frameGeometry().height() <= 760);
    }

    // The form is laid out at 17940 x 8580 twips, 1196 x 572 pixels. A screen that holds
    // it shows it so; on a smaller one the window stays within the screen's available
    // area and scrolls to the controls at its right and lower edges.
    void formFitsTheScreen_data()
    {
        TestScreen::addColumns();
        QTest::addColumn<bool>("holds");
        QTest::newRow("1280 x 800") << QSize(1280, 800) << 1.0 << true;
        QTest::newRow("1024 x 768") << QSize(1024, 768) << 1.0 << false;
        QTest::newRow("1280 x 1024 at 1.5") << QSize(1280, 1024) << 1.5 << false; // 853 x 683
    }
    void formFitsTheScreen()
    {
        if (!TestScreen::onRowScreen())
            return;
        QFETCH(bool, holds);
        auto f = open();
        QVERIFY(f->screen()->availableGeometry().contains(f->frameGeometry()));
        if (holds) {
            QCOMPARE(f->size(), QSize(1196, 572));
            return;
        }
        auto *scroll = f->findChild<QScrollArea *>();
        QVERIFY(scroll);
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        for (const char *name : {"lbutLineDelYatin", "TDBKariire", "lbutClose"}) {
            QWidget *control = field(f.get(), QString::fromLatin1(name));
            const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
            QVERIFY2(scroll->viewport()->rect().contains(shown), name);
        }
    }

    void settingsDefaultsOutsideTheLists()
    {
        m_env.writeIni(ApartmentFixture::defaultIni()
                           .replace("構造=\"5\"", "構造=\"8\"")
                           .replace("減価方法=\"0\"", "減価方法=\"5\"")
                           .replace("割増償却=\"1\"", "割増償却=\"-1\""));
        auto f = open();
        // No structure: the check asks for it. Method and extra depreciation: the first entry.
        QCOMPARE(field<QComboBox>(f.get(), "cmbKaoku1")->currentIndex(), -1);
        QCOMPARE(field<QComboBox>(f.get(), "cmbGenka1")->currentIndex(), 0);
        QCOMPARE(field<QComboBox>(f.get(), "cmbGenka6")->currentIndex(), 0);
    }

    void storedIndexesOutsideTheListsLoadTheRest()
    {
        QVERIFY(
            runSql(QStringLiteral("INSERT INTO D_賃貸マンション (ID1, ID2, 名称, 建物1, 減価1, 減価6, 減価2, 火災保険) "
                                  "VALUES (1, 1, '古い計画', 9, -3, 7, 30, 15)")));
        auto f = open();
        QCOMPARE(field<QComboBox>(f.get(), "cmbKaoku1")->currentIndex(), 0);
        QCOMPARE(field<QComboBox>(f.get(), "cmbGenka1")->currentIndex(), 0);
        QCOMPARE(field<QComboBox>(f.get(), "cmbGenka6")->currentIndex(), 0);
        // The fields after them were still loaded; an empty field reads as 0.
        QCOMPARE(value(f.get(), "numGenka2"), 30.0);
        QCOMPARE(value(f.get(), "numKasai"), 15.0);
        QCOMPARE(num(f.get(), "numKaoku2")->Value().toDouble(), 0.0);
    }

    void valuesOutsideTheBoxRangesAreClamped_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("box");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("logged");
        QTest::newRow("settings: fixed-asset tax far below 0")
            << QByteArray("固定資産税=\"1.4\"") << QByteArray("固定資産税=\"-1e308\"") << QString() << "numKaoku7"
            << 0.0 << "値 -1e+308 は範囲[0]～[100]の外のため 0 にしました。";
        QTest::newRow("settings: city-planning tax past 100")
            << QByteArray("都市計画税=\"0.3\"") << QByteArray("都市計画税=\"99999999999999999999999\"") << QString()
            << "numKaoku8" << 100.0 << "値 1e+23 は範囲[0]～[100]の外のため 100 にしました。";
        QTest::newRow("stored row: site area below 0")
            << QByteArray() << QByteArray() << "UPDATE D_物件 SET 敷地面積 = -5"
            << "numSikiti1" << 0.0 << "値 -5 は範囲[0]～[99999.99]の外のため 0 にしました。";
    }
    void valuesOutsideTheBoxRangesAreClamped()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, sql);
        QFETCH(QString, box);
        QFETCH(QString, logged);
        if (!from.isEmpty())
            m_env.writeIni(ApartmentFixture::defaultIni().replace(from, to));
        if (!sql.isEmpty())
            execSql(sql);
        const ErrLogRecorder log;
        auto f = open();
        QTEST(value(f.get(), box), "expected");
        QCOMPARE(log.lines(), QStringList{QStringLiteral("frmInputApartment|") + box + QLatin1Char('|') + logged});
    }

    void workCopyClosesLetterGapsWithoutAChange()
    {
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', '1K', 25, 3, 3, 100, 10, 5, 300")));
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'C', '2K', 30, 1, 0, 90, 0, 0, 0")));
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'E', '3K', 35, 1, 0, 95, 0, 0, 0")));
        auto f = open();
        QCOMPARE(queryRows(QStringLiteral("SELECT group_concat(タイプ || 間取り, ',') FROM "
                                          "(SELECT * FROM W_家賃 ORDER BY タイプ)")),
                 QStringLiteral("A1K,B2K,C3K"));
        // Nothing changed: cancel asks nothing, and 新規 offers D.
        clearShownBoxes();
        click(f.get(), "lbutClose");
        QVERIFY(shownBoxes().isEmpty());
        QVERIFY(f->isHidden());
    }

    // ---- input rules -------------------------------------------------------

    void consumptionTaxAndTotals_data()
    {
        QTest::addColumn<QString>("contract");
        QTest::addColumn<double>("tax");
        // 12345 / 100 x 5 = 617.25 -> 617; 12350 / 100 x 5 = 617.5 -> 618 (halves away from zero).
        QTest::newRow("617.25") << "12345" << 617.0;
        QTest::newRow("617.5") << "12350" << 618.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("maximum") << "99999999" << 5000000.0; // 4,999,999.95
    }
    void consumptionTaxAndTotals()
    {
        QFETCH(QString, contract);
        QFETCH(double, tax);
        auto f = open();
        enter(f.get(), "numYosan3", "1000");
        enter(f.get(), "numYosan1", contract);
        QCOMPARE(value(f.get(), "numYosan2"), tax);
        const double base = cBase().CvtDbl(contract) + tax;
        QCOMPARE(value(f.get(), "numYosan12"), base + 1000);
        QCOMPARE(value(f.get(), "numGenka4"), base);
        // Items 3 to 11 change the total, not the depreciation base.
        enter(f.get(), "numYosan11", "250");
        QCOMPARE(value(f.get(), "numYosan12"), base + 1250);
        QCOMPARE(value(f.get(), "numGenka4"), base);
    }

    void typedTaxIsKept()
    {
        auto f = open();
        enter(f.get(), "numYosan1", "12345");
        enter(f.get(), "numYosan2", "700", "numYosan3");
        QCOMPARE(value(f.get(), "numYosan12"), 13045.0);
        QCOMPARE(value(f.get(), "numGenka4"), 13045.0);
        // Leaving another box recomputes nothing of the tax.
        enter(f.get(), "numYosan3", "5", "numKaoku2");
        QCOMPARE(value(f.get(), "numYosan2"), 700.0);
        QCOMPARE(value(f.get(), "numYosan12"), 13050.0);
    }

    void floorsEnableTheFireResistantBox()
    {
        auto f = open();
        auto *chk = field<QCheckBox>(f.get(), "chkKaoku9");
        chk->setChecked(true);
        enter(f.get(), "numKaoku4", "2");
        QVERIFY(!chk->isChecked());
        QVERIFY(!chk->isEnabled());
        enter(f.get(), "numKaoku4", "3");
        QVERIFY(chk->isEnabled());
        QVERIFY(!chk->isChecked());
    }

    void structureMethodAndLifeGiveTheRate_data()
    {
        QTest::addColumn<int>("structure");
        QTest::addColumn<int>("method");
        QTest::addColumn<double>("life");
        QTest::addColumn<double>("rate");
        // Rates of M_償却 x 100: 27 years 0.082 / 0.037, 47 years 0.048 / 0.022, 22 years 0.099.
        QTest::newRow("metal 3-4 mm, declining") << 3 << 0 << 27.0 << 8.2;
        QTest::newRow("metal 3-4 mm, straight") << 3 << 1 << 27.0 << 3.7;
        QTest::newRow("concrete, straight") << 5 << 1 << 47.0 << 2.2;
        QTest::newRow("wood, declining") << 0 << 0 << 22.0 << 9.9;
    }
    void structureMethodAndLifeGiveTheRate()
    {
        QFETCH(int, structure);
        QFETCH(int, method);
        QFETCH(double, life);
        QFETCH(double, rate);
        auto f = open();
        field<QComboBox>(f.get(), "cmbGenka1")->setCurrentIndex(method);
        field<QComboBox>(f.get(), "cmbKaoku1")->setCurrentIndex(structure == 5 ? 0 : structure);
        field<QComboBox>(f.get(), "cmbKaoku1")->setCurrentIndex(structure);
        QCOMPARE(value(f.get(), "numGenka2"), life);
        QCOMPARE(value(f.get(), "numGenka3"), rate);
    }

    void shippedSettingsGiveTheStatutoryLives_data()
    {
        QTest::addColumn<int>("structure");
        QTest::addColumn<double>("life");
        QTest::addColumn<double>("rate"); // declining balance of M_償却 x 100
        QTest::newRow("wood") << 0 << 22.0 << 9.9;
        QTest::newRow("wood and mortar") << 1 << 20.0 << 10.9;
        QTest::newRow("metal up to 3 mm") << 2 << 19.0 << 11.4;
        QTest::newRow("metal 3 to 4 mm") << 3 << 27.0 << 8.2;
        QTest::newRow("metal over 4 mm") << 4 << 34.0 << 6.6;
        QTest::newRow("reinforced concrete") << 5 << 47.0 << 4.8;
    }
    void shippedSettingsGiveTheStatutoryLives()
    {
        QFETCH(int, structure);
        const QByteArray shipped = fileBytes(QStringLiteral(VANREK_DB_SQL_DIR "/../data/Vanrek.ini"));
        QVERIFY(!shipped.isEmpty());
        m_env.writeIni(shipped);
        auto f = open();
        field<QComboBox>(f.get(), "cmbKaoku1")->setCurrentIndex(structure == 0 ? 1 : 0);
        field<QComboBox>(f.get(), "cmbKaoku1")->setCurrentIndex(structure);
        QTEST(value(f.get(), "numGenka2"), "life");
        QTEST(value(f.get(), "numGenka3"), "rate");
    }

    void lifeWithoutAKeyOrARowGivesRateZero()
    {
        QByteArray ini = ApartmentFixture::defaultIni();
        m_env.writeIni(ini.replace("耐用年数3=\"27\"\r\n", ""));
        auto f = open();
        field<QComboBox>(f.get(), "cmbKaoku1")->setCurrentIndex(3);
        QCOMPARE(value(f.get(), "numGenka2"), 0.0);
        QCOMPARE(value(f.get(), "numGenka3"), 0.0);
        // A life typed by the user: 10 years declining is 20.6 %; 1 year has no row.
        enter(f.get(), "numGenka2", "10");
        QCOMPARE(value(f.get(), "numGenka3"), 20.6);
        enter(f.get(), "numGenka2", "1");
        QCOMPARE(value(f.get(), "numGenka3"), 0.0);
        QVERIFY(shownBoxes().isEmpty());
    }

    void methodSwitchesTheResidualValue()
    {
        auto f = open();
        enter(f.get(), "numYosan1", "12345"); // base 12,962
        auto *method = field<QComboBox>(f.get(), "cmbGenka1");
        method->setCurrentIndex(1);
        // A tenth of 12,962 is 1,296.2: the residual takes the whole part and stays editable.
        QCOMPARE(value(f.get(), "numGenka5"), 1296.0);
        QVERIFY(!num(f.get(), "numGenka5")->isReadOnly());
        method->setCurrentIndex(0);
        QCOMPARE(value(f.get(), "numGenka5"), 0.0);
        QVERIFY(num(f.get(), "numGenka5")->isReadOnly());
        method->setCurrentIndex(1);
        enter(f.get(), "numYosan1", "12350"); // base 12,968: residual 1,296
        QCOMPARE(value(f.get(), "numGenka5"), 1296.0);
    }

    // A stored plan that mixes the declining-balance method with a residual value: the
    // next change of the contract amount sets the residual to 0.
    void decliningBalanceClearsAStoredResidual()
    {
        QVERIFY(runSql(QStringLiteral("INSERT INTO D_賃貸マンション (ID1, ID2, 名称, 減価1, 減価4, 減価5) "
                                      "VALUES (1, 1, '古い計画', 0, 5000, 500)")));
        auto f = open();
        QCOMPARE(value(f.get(), "numGenka5"), 500.0);
        enter(f.get(), "numYosan1", "1000");
        QCOMPARE(value(f.get(), "numGenka4"), 1050.0);
        QCOMPARE(value(f.get(), "numGenka5"), 0.0);
    }

    // ---- rows --------------------------------------------------------------

    void footersAndDeletionReletter()
    {
        seedTwoRents();
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'C', '3LDK', 70, 1, 1, 150, 5, 10, 500")));
        auto f = open();
        auto *grid = field<RentGrid>(f.get(), "TDBYatin");
        // 730 + (150 + 5) x 1 = 885; parking 15 + 10; deposits 900 + 800 + 500.
        QCOMPARE(grid->FooterText(RentGridModel::Kyoeki), QStringLiteral("885"));
        QCOMPARE(grid->FooterText(RentGridModel::Tyusyaryo), QStringLiteral("25"));
        QCOMPARE(grid->FooterText(RentGridModel::Sikikin), QStringLiteral("2,200"));
        grid->setRow(1);
        click(f.get(), "lbutLineDelYatin");
        QCOMPARE(queryRows(QStringLiteral("SELECT group_concat(タイプ || 間取り, ',') FROM "
                                          "(SELECT * FROM W_家賃 ORDER BY タイプ)")),
                 QStringLiteral("A1K,B3LDK"));
        QCOMPARE(grid->FooterText(RentGridModel::Kyoeki), QStringLiteral("485"));
        QVERIFY(grid->hasFocus());
        // The deletion is a change: cancel asks.
        MsgBox::setNextAnswer(MsgBox::No);
        click(f.get(), "lbutClose");
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt,
                 QStringLiteral("データが変更されていますが、キャンセルしてよろしいですか？"));
        QVERIFY(f->isVisible());
        // Stored rows stay as they were until a registration.
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_家賃")), 3);
    }

    void emptyStoredRentRowIsNotSavedAgain()
    {
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL")));
        auto f = open();
        auto *grid = field<RentGrid>(f.get(), "TDBYatin");
        QCOMPARE(grid->model()->index(0, RentGridModel::Type).data().toString(), QStringLiteral("A"));
        QCOMPARE(grid->model()->index(0, RentGridModel::Yatin).data().toString(), QString());
        // Opened and registered unchanged: nothing saved, so nothing changed.
        onModal([](QWidget *d) { click(d, "lbutAdd"); });
        click(f.get(), "lbutDetailYatin");
        click(f.get(), "lbutClose");
        QVERIFY(shownBoxes().isEmpty());
        QVERIFY(f->isHidden());
    }

    void gridShowsTheColumnsFormats()
    {
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', '3LDK', 70.5, 12, 1, 1500, 5, 10, 3000")));
        auto f = open();
        const QAbstractItemModel *m = field<RentGrid>(f.get(), "TDBYatin")->model();
        QStringList shown;
        for (int c = 0; c < RentGridModel::ColumnCount; ++c)
            shown << m->index(0, c).data().toString();
        QCOMPARE(shown.join(QLatin1Char('|')), QStringLiteral("A|3LDK|70.50|12|1|1,500|5|10|3,000"));
    }

    void failedDeletionKeepsEveryRow()
    {
        seedTwoRents();
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'C', '3LDK', 70, 1, 1, 150, 5, 10, 500")));
        auto f = open();
        // Re-lettering fails: the deletion before it is rolled back with it.
        QVERIFY(runSql(
            QStringLiteral("CREATE TRIGGER fail BEFORE UPDATE ON W_家賃 BEGIN SELECT RAISE(ABORT, 'injected'); END")));
        field<RentGrid>(f.get(), "TDBYatin")->setRow(1);
        click(f.get(), "lbutLineDelYatin");
        QCOMPARE(
            queryRows(QStringLiteral("SELECT group_concat(タイプ, ',') FROM (SELECT * FROM W_家賃 ORDER BY タイプ)")),
            QStringLiteral("A,B,C"));
        QCOMPARE(field<RentGrid>(f.get(), "TDBYatin")->RecordCount(), 3);
        // Nothing was deleted, so nothing changed.
        click(f.get(), "lbutClose");
        QVERIFY(shownBoxes().isEmpty());
    }

    void footerShowsThousands()
    {
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', NULL, NULL, 99, 0, 99999, 999, 999, 99999")));
        auto f = open();
        auto *grid = field<RentGrid>(f.get(), "TDBYatin");
        // (99,999 + 999) x 99 = 100,998 x 99 = 9,998,802.
        QCOMPARE(grid->FooterText(RentGridModel::Kyoeki), QStringLiteral("9,998,802"));
        QCOMPARE(grid->FooterText(RentGridModel::Sikikin), QStringLiteral("9,899,901"));
    }

    // Five rent rows at the dialog's maximums (99 households, rent 99,999, charge 999,
    // parking 999, deposit 99,999): each total shows whole in its column, which keeps
    // its width.
    void footerTotalsAtTheMaximumsShowEveryDigit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("twips");
        QTest::addColumn<QString>("total");
        // (99,999 + 999) x 99 x 5 = 100,998 x 495; 999 x 495; 99,999 x 495.
        QTest::newRow("rent") << int(RentGridModel::Kyoeki) << 1000 << "49,994,010";
        QTest::newRow("parking") << int(RentGridModel::Tyusyaryo) << 1000 << "494,505";
        QTest::newRow("deposit") << int(RentGridModel::Sikikin) << 880 << "49,499,505";
    }
    void footerTotalsAtTheMaximumsShowEveryDigit()
    {
        QFETCH(int, column);
        QFETCH(int, twips);
        QFETCH(QString, total);
        for (QChar t : QStringLiteral("ABCDE"))
            QVERIFY(
                ApartmentFixture::addRent(QStringLiteral("'%1', '1K', 999.99, 99, 99, 99999, 999, 999, 99999").arg(t)));
        auto f = open();
        auto *grid = field<RentGrid>(f.get(), "TDBYatin");
        QCOMPARE(grid->FooterText(column), total);
        QCOMPARE(grid->columnWidth(column), twipsToPixelsX(twips));
        QVERIFY(QFontMetrics(grid->footerFont(column)).horizontalAdvance(total) <= grid->footerCell(column).width());
    }

    void rentDialogFromTheButtons()
    {
        auto f = open();
        // No rows: the detail button opens type A.
        QString shown;
        onModal([&](QWidget *d) {
            shown = field<ImText>(d, "txtType")->Text();
            enter(d, "numYatin", "80", "numKyoeki");
            click(d, "lbutAdd");
        });
        click(f.get(), "lbutDetailYatin");
        QCOMPARE(shown, QStringLiteral("A"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("W_家賃")), 1);
        QCOMPARE(f->focusWidget(), field(f.get(), "numSikin1"));
        QVERIFY(field(f.get(), "lbutLineDelYatin")->isEnabled());
        // 新規 offers the next letter.
        onModal([&](QWidget *d) {
            shown = field<ImText>(d, "txtType")->Text();
            click(d, "lbutClose");
        });
        click(f.get(), "lbutNewYatin");
        QCOMPARE(shown, QStringLiteral("B"));
    }

    void rowLimits()
    {
        for (const char *t : {"A", "B", "C", "D"})
            QVERIFY(
                ApartmentFixture::addRent(QStringLiteral("'%1', NULL, NULL, 1, 0, 50, 0, 0, 0").arg(QLatin1String(t))));
        seedLoan(1, 100);
        seedLoan(2, 100);
        auto f = open();
        auto *rents = field<RentGrid>(f.get(), "TDBYatin");
        QVERIFY(field(f.get(), "lbutNewYatin")->isEnabled());
        QCOMPARE(rents->model()->rowCount(), 5); // four rows and the new-row line
        onModal([&](QWidget *d) {
            enter(d, "numSetai", "2", "numYatin");
            click(d, "lbutAdd");
        });
        click(f.get(), "lbutNewYatin");
        QCOMPARE(rents->RecordCount(), 5);
        QVERIFY(!field(f.get(), "lbutNewYatin")->isEnabled());
        QCOMPARE(rents->model()->rowCount(), 5); // no new-row line
        // Five rent rows: 新規 does nothing.
        click(f.get(), "lbutNewYatin");
        QVERIFY(!QApplication::activeModalWidget());

        auto *loans = field<LoanGrid>(f.get(), "TDBKariire");
        onModal([&](QWidget *d) {
            field<ImText>(d, "txtName")->setText(QStringLiteral("信金"));
            enter(d, "numKariire", "300", "numNen1");
            enter(d, "numNen1", "10", "numKinri1");
            click(d, "lbutAdd");
        });
        click(f.get(), "lbutNewKariire");
        QCOMPARE(loans->RecordCount(), 3);
        QVERIFY(!field(f.get(), "lbutNewKariire")->isEnabled());
        QCOMPARE(f->focusWidget(), field(f.get(), "numKeikaku1"));
        loans->setRow(0);
        click(f.get(), "lbutLineDelKariire");
        QVERIFY(field(f.get(), "lbutNewKariire")->isEnabled());
        QCOMPARE(queryRows(QStringLiteral("SELECT group_concat(連番 || 借入金額, ',') FROM "
                                          "(SELECT * FROM W_借入金 ORDER BY 連番)")),
                 QStringLiteral("1100,2300"));
    }

    // Every line the grid offers (five rows; below five, the new-row line) shows whole
    // above the "合　計" footer.
    void rentLinesStandAboveTheFooter_data()
    {
        QTest::addColumn<QString>("types");
        QTest::newRow("four rows and the new-row line") << "ABCD";
        QTest::newRow("five rows") << "ABCDE";
    }
    void rentLinesStandAboveTheFooter()
    {
        QFETCH(QString, types);
        for (QChar t : types)
            QVERIFY(ApartmentFixture::addRent(QStringLiteral("'%1', NULL, NULL, 1, 0, 50, 0, 0, 0").arg(t)));
        auto f = open();
        auto *rents = field<RentGrid>(f.get(), "TDBYatin");
        QWidget *footer = field(rents, "TDBYatinFooter");
        const int footerTop = footer->mapTo(rents, QPoint()).y();
        QCOMPARE(rents->model()->rowCount(), 5);
        // The column captions keep their place above the rows.
        QCOMPARE(rents->viewport()->y(), rents->frameWidth() + rents->horizontalHeader()->height());
        for (int row = 0; row < 5; ++row) {
            const QRect line = rents->visualRect(rents->model()->index(row, 0));
            QVERIFY2(rents->viewport()->rect().contains(line), qPrintable(QString::number(row)));
            QVERIFY2(rents->viewport()->mapTo(rents, line.bottomLeft()).y() < footerTop,
                     qPrintable(QString::number(row)));
        }
    }

    void gridKeysLeaveAtTheEdges()
    {
        seedTwoRents();
        seedLoan(1, 100);
        auto f = open();
        auto *rents = field<RentGrid>(f.get(), "TDBYatin");
        rents->setFocus();
        rents->setRow(1);
        QTest::keyClick(rents, Qt::Key_Up);
        QCOMPARE(rents->Row(), 0);
        QVERIFY(rents->hasFocus());
        QTest::keyClick(rents, Qt::Key_Up);
        QVERIFY(field(f.get(), "numKasai")->hasFocus());
        rents->setFocus();
        rents->setRow(2); // the new-row line
        QTest::keyClick(rents, Qt::Key_Down);
        QCOMPARE(f->focusWidget(), field(f.get(), "numSikin1"));

        auto *loans = field<LoanGrid>(f.get(), "TDBKariire");
        loans->setFocus();
        loans->setRow(0);
        QTest::keyClick(loans, Qt::Key_Up);
        QVERIFY(field(f.get(), "numSikin2")->hasFocus());
        loans->setFocus();
        loans->setRow(1);
        QTest::keyClick(loans, Qt::Key_Down);
        QVERIFY(field(f.get(), "numKeikaku1")->hasFocus());
    }

    void rowsChangedFlagIsNeverForgotten()
    {
        seedLoan(1, 100);
        seedLoan(2, 200);
        auto f = open();
        click(f.get(), "lbutLineDelKariire");
        // A dialog closed without saving does not clear the deletion.
        onModal([](QWidget *d) { click(d, "lbutClose"); });
        click(f.get(), "lbutDetailKariire");
        MsgBox::setNextAnswer(MsgBox::Yes);
        click(f.get(), "lbutClose");
        QCOMPARE(shownBoxes().size(), 1);
        QVERIFY(!f->Pro_State());
    }

    // ---- checks ------------------------------------------------------------

    void missingInputsInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("structure");
        QTest::addColumn<QStringList>("numbers"); // numKaoku2 .. numKaoku5
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("a new plan with only a name")
            << "計画" << false << QStringList{"", "", "", ""}
            << " [ 構造 ]  [ 棟数 ]  [ 戸数 ]  [ 階数 ]  [ 床面積 ] を入力して下さい。"
            << "cmbKaoku1";
        QTest::newRow("a name of blanks")
            << "   " << true << QStringList{"1", "5", "3", "200"} << " [ 計画名 ] を入力して下さい。"
            << "txtName";
        QTest::newRow("dwellings and floor area 0")
            << "計画" << true << QStringList{"1", "0", "3", "0"} << " [ 戸数 ]  [ 床面積 ] を入力して下さい。"
            << "numKaoku3";
    }
    void missingInputsInOrder()
    {
        QFETCH(QString, name);
        QFETCH(bool, structure);
        QFETCH(QStringList, numbers);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        if (!structure)
            m_env.writeIni(ApartmentFixture::defaultIni().replace("構造=\"5\"", "構造=\"6\""));
        auto f = open();
        field<ImText>(f.get(), "txtName")->setText(name);
        for (int i = 0; i < 4; ++i)
            enter(f.get(), QStringLiteral("numKaoku%1").arg(i + 2), numbers.at(i));
        click(f.get(), "lbutAdd");
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, message);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("確認"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        QVERIFY(f->isVisible());
        QVERIFY(field(f.get(), focus)->hasFocus());
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_賃貸マンション")), 0);
    }

    void residualAboveATenthIsRefused_data()
    {
        QTest::addColumn<QString>("residual");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a tenth of 1,000") << "100" << false;
        QTest::newRow("one more") << "101" << true;
    }
    void residualAboveATenthIsRefused()
    {
        QFETCH(QString, residual);
        QFETCH(bool, refused);
        seedLoan(1, 200000);
        auto f = open();
        fillPlan(f.get());
        field<QComboBox>(f.get(), "cmbGenka1")->setCurrentIndex(1);
        enter(f.get(), "numGenka4", "1000");
        enter(f.get(), "numGenka5", residual);
        click(f.get(), "lbutAdd");
        if (refused) {
            QCOMPARE(shownBoxes().size(), 1);
            QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("残存額が償却額の10%を超えています。"));
            QVERIFY(f->isVisible());
            QCOMPARE(ApartmentFixture::count(QStringLiteral("D_賃貸マンション")), 0);
        } else {
            QVERIFY(shownBoxes().isEmpty());
            QVERIFY(f->Pro_State());
            QCOMPARE(planRow("減価4, 減価5"), QStringLiteral("1000|100"));
        }
    }

    void budgetAndFundsQuestion_data()
    {
        QTest::addColumn<int>("loan");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("registered");
        // Budget 215,300 = own funds 15,300 + deposits 0 + loans.
        QTest::newRow("matching") << 200000 << 0 << false << true;
        QTest::newRow("short, No") << 199000 << int(MsgBox::No) << true << false;
        QTest::newRow("short, Yes") << 199000 << int(MsgBox::Yes) << true << true;
    }
    void budgetAndFundsQuestion()
    {
        QFETCH(int, loan);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, registered);
        seedLoan(1, loan);
        auto f = open();
        fillPlan(f.get());
        QCOMPARE(value(f.get(), "numYosan12"), 215300.0);
        if (answer)
            MsgBox::setNextAnswer(answer);
        click(f.get(), "lbutAdd");
        QCOMPARE(shownBoxes().size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(shownBoxes().at(0).prompt,
                     QStringLiteral("費用と予算が一致していませんが、データを登録しますか？"));
            QCOMPARE(shownBoxes().at(0).style, int(MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2));
        }
        QCOMPARE(f->isVisible(), !registered);
        QCOMPARE(f->Pro_State(), registered);
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_賃貸マンション")), registered ? 1 : 0);
    }

    // ---- registration ------------------------------------------------------

    void registerStoresEverythingAndReopensTheSame()
    {
        seedTwoRents();
        auto f = open();
        fillPlan(f.get());
        onModal([](QWidget *d) {
            field<ImText>(d, "txtName")->setText(QStringLiteral("みどり銀行"));
            enter(d, "numKariire", "200000", "numNen1");
            enter(d, "numNen1", "30", "numKinri1");
            enter(d, "numKinri1", "2.5", "numNen2");
            click(d, "lbutAdd");
        });
        click(f.get(), "lbutNewKariire");
        click(f.get(), "lbutAdd");
        QVERIFY(shownBoxes().isEmpty());
        QVERIFY(f->isHidden());
        QVERIFY(f->Pro_State());
        QCOMPARE(planRow("名称, 建物1, 建物2, 建物3, 建物4, 建物5, 建物6, 建物7, 建物8, 建物9"),
                 QStringLiteral("駅前マンション|5|1|5|5|300.5|150|1.4|0.3|1"));
        QCOMPARE(planRow("予算1, 予算2, 予算3, 予算4, 予算11, 予算12, 資金1, 資金2"),
                 QStringLiteral("200000|10000|5300|NULL|NULL|215300|15300|0"));
        QCOMPARE(planRow("減価1, 減価2, 減価3, 減価4, 減価5, 減価6"), QStringLiteral("0|47|4.8|210000|0|1"));
        QCOMPARE(planRow("計画1, 計画2, 計画3, 計画4, 計画5, 計画6, 計画7, 計画8, 計画9, 火災保険"),
                 QStringLiteral("5|2|3|4|5|6|7|8|9|10"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_家賃")), 2);
        QCOMPARE(queryRows(QStringLiteral("SELECT 連番, 借入先名称, 借入金額, 返済終了1, 金利1, 返済期間 "
                                          "FROM D_借入金")),
                 QStringLiteral("1|みどり銀行|200000|30|2.5|30"));
        for (const char *t : {"T_収支", "T_収支計画", "T_損益計算"})
            QCOMPARE(ApartmentFixture::count(QString::fromUtf8(t)), 75);
        QCOMPARE(queryRows(QStringLiteral("SELECT DISTINCT TYPE FROM T_収支")), QStringLiteral("2"));
        // Year 1: rents 730 x 12 = 8,760 and parking 15 x 12 = 180, both less 5 % vacancy.
        QCOMPARE(queryRows(QStringLiteral("SELECT 収入1, 収入2, 収入計 FROM T_収支計画 WHERE 年 = 1")),
                 QStringLiteral("8322|171|8493"));

        // Reopened, the form shows what was stored, and nothing counts as changed.
        auto again = open();
        QCOMPARE(field<ImText>(again.get(), "txtName")->Text(), QStringLiteral("駅前マンション"));
        QCOMPARE(field<QComboBox>(again.get(), "cmbKaoku1")->currentIndex(), 5);
        QCOMPARE(value(again.get(), "numKaoku5"), 300.5);
        QVERIFY(field<QCheckBox>(again.get(), "chkKaoku9")->isChecked());
        QCOMPARE(value(again.get(), "numYosan12"), 215300.0);
        QCOMPARE(value(again.get(), "numGenka3"), 4.8);
        QCOMPARE(value(again.get(), "numGenka4"), 210000.0);
        QCOMPARE(value(again.get(), "numKeikaku7"), 7.0);
        QCOMPARE(value(again.get(), "numKasai"), 10.0);
        QCOMPARE(field<RentGrid>(again.get(), "TDBYatin")->FooterText(RentGridModel::Kyoeki), QStringLiteral("730"));
        QCOMPARE(field<LoanGrid>(again.get(), "TDBKariire")->RecordCount(), 1);
        click(again.get(), "lbutAdd");
        QVERIFY(again->isHidden());
        QVERIFY(!again->Pro_State()); // nothing changed: not registered again

        // Changed and registered again: the record is updated in place.
        auto third = open();
        field<ImText>(third.get(), "txtName")->setText(QStringLiteral("駅前マンション２"));
        click(third.get(), "lbutAdd");
        QVERIFY(third->Pro_State());
        QCOMPARE(planRow("COUNT(*), 名称"), QStringLiteral("1|駅前マンション２"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支")), 75);
    }

    void focusedBoxRuleRunsBeforeRegistration()
    {
        seedLoan(1, 200000);
        auto f = open();
        fillPlan(f.get());
        // Typed and not left: the click takes the focus, so the box's own rule runs first.
        enter(f.get(), "numYosan1", "200100", QString());
        click(f.get(), "lbutAdd");
        QCOMPARE(prompts(), QStringList{QStringLiteral("費用と予算が一致していませんが、データを登録しますか？")});
        // 200,100 x 5 % = 10,005; the total 215,405 is no longer the funds.
        QCOMPARE(value(f.get(), "numYosan2"), 10005.0);
        QCOMPARE(value(f.get(), "numYosan12"), 215405.0);
        QVERIFY(f->isVisible());
    }

    void everyBoxAtItsMaximum()
    {
        QVERIFY(ApartmentFixture::addRent(QStringLiteral("'A', '1K', 999.99, 99, 99, 99999, 999, 999, 99999")));
        auto f = open();
        field<ImText>(f.get(), "txtName")->setText(QStringLiteral("最大"));
        // Typed past the maximum, each box holds its maximum once left.
        const QStringList boxes = {"numKaoku2",   "numKaoku3",   "numKaoku4",   "numKaoku5",   "numKaoku6",
                                   "numYosan1",   "numYosan3",   "numYosan11",  "numSikin1",   "numSikin2",
                                   "numKeikaku1", "numKeikaku2", "numKeikaku3", "numKeikaku4", "numKeikaku5",
                                   "numKeikaku6", "numKeikaku7", "numKeikaku8", "numKeikaku9", "numKasai"};
        for (const QString &b : boxes)
            enter(f.get(), b, "9999999999");
        QCOMPARE(value(f.get(), "numKaoku5"), 99999.99);
        QCOMPARE(value(f.get(), "numYosan1"), 99999999.0);
        QCOMPARE(value(f.get(), "numYosan2"), 5000000.0);
        QCOMPARE(value(f.get(), "numKeikaku1"), 100.0);
        // Below the minimum of 0, the range rule turns the sign round.
        enter(f.get(), "numSikin2", "-5");
        QCOMPARE(value(f.get(), "numSikin2"), 5.0);
        MsgBox::setNextAnswer(MsgBox::Yes);
        click(f.get(), "lbutAdd");
        // The running balance leaves the 32-bit column: refused, never stored cut; the
        // form stays open for a correction.
        QVERIFY(f->isVisible());
        QVERIFY(!f->Pro_State());
        QCOMPARE(prompts().constLast(), QStringLiteral("データの登録中にエラーが発生しました。"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_賃貸マンション")), 0);
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支")), 0);
    }

    void registerWithoutChangesWritesNothing()
    {
        auto f = open();
        click(f.get(), "lbutAdd");
        QVERIFY(f->isHidden());
        QVERIFY(!f->Pro_State());
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_賃貸マンション")), 0);
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支")), 0);
    }

    void aSavedRentRowAloneIsAChange()
    {
        QVERIFY(runSql(
            QStringLiteral("INSERT INTO D_賃貸マンション (ID1, ID2, 名称, 建物1, 建物2, 建物3, 建物4, 建物5, 予算12) "
                           "VALUES (1, 1, '計画', 5, 1, 4, 3, 200, 0)")));
        auto f = open();
        onModal([](QWidget *d) {
            enter(d, "numYatin", "90", "numKyoeki");
            click(d, "lbutAdd");
        });
        click(f.get(), "lbutNewYatin");
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QCOMPARE(queryRows(QStringLiteral("SELECT タイプ, 月家賃 FROM D_家賃")), QStringLiteral("A|90"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支")), 75);
    }

    void emptyBoxesAreStoredAsNull()
    {
        auto f = open();
        field<ImText>(f.get(), "txtName")->setText(QStringLiteral("It's 計画"));
        for (const char *n : {"numKaoku2", "numKaoku3", "numKaoku4", "numKaoku5"})
            enter(f.get(), QString::fromLatin1(n), "1");
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QCOMPARE(planRow("名称, 建物6, 予算1, 予算2, 資金1, 計画1, 火災保険"),
                 QStringLiteral("It's 計画|NULL|NULL|NULL|NULL|NULL|NULL"));
    }

    void failuresRollEverythingBack_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("a result row") << "BEFORE INSERT ON T_損益計算 WHEN NEW.年 = 40";
        QTest::newRow("the rent rows' copy") << "BEFORE INSERT ON D_家賃";
        QTest::newRow("the loan rows' copy") << "BEFORE INSERT ON D_借入金";
        QTest::newRow("the plan record's update") << "BEFORE UPDATE ON D_賃貸マンション";
    }
    void failuresRollEverythingBack()
    {
        QFETCH(QString, trigger);
        // A stored plan with results: a failed registration must leave all of it.
        QVERIFY(
            runSql(QStringLiteral("INSERT INTO D_賃貸マンション (ID1, ID2, 名称, 建物1, 建物2, 建物3, 建物4, 建物5) "
                                  "VALUES (1, 1, '元の計画', 5, 1, 4, 3, 200)")));
        seedTwoRents();
        seedLoan(1, 100);
        QVERIFY(runSql(QStringLiteral("INSERT INTO T_収支 VALUES (1, 1, 1, 2, 10, 5, 5)")));
        QVERIFY(
            runSql(QStringLiteral("CREATE TRIGGER fail %1 BEGIN SELECT RAISE(ABORT, 'injected'); END").arg(trigger)));
        auto f = open();
        field<ImText>(f.get(), "txtName")->setText(QStringLiteral("新しい計画"));
        MsgBox::setNextAnswer(MsgBox::Yes); // budget and funds differ
        click(f.get(), "lbutAdd");
        // The form stays open with what was typed.
        QVERIFY(f->isVisible());
        QCOMPARE(field<ImText>(f.get(), "txtName")->Text(), QStringLiteral("新しい計画"));
        QVERIFY(field(f.get(), "lbutAdd")->isEnabled());
        QVERIFY(field(f.get(), "lbutClose")->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!f->Pro_State());
        const MsgBox::Shown &last = shownBoxes().constLast();
        QCOMPARE(last.prompt, QStringLiteral("データの登録中にエラーが発生しました。"));
        QCOMPARE(last.title, QStringLiteral("賃貸マンションデータ入力"));
        QCOMPARE(last.style, int(MsgBox::Exclamation));
        QCOMPARE(planRow("COUNT(*), 名称"), QStringLiteral("1|元の計画"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_家賃")), 2);
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_借入金")), 1);
        QCOMPARE(queryRows(QStringLiteral("SELECT 年, 収入 FROM T_収支")), QStringLiteral("1|10"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支計画")), 0);
    }

    void failedCommitRollsBack()
    {
        auto f = open();
        fillPlan(f.get());
        MsgBox::setNextAnswer(MsgBox::Yes);
        // A reader on a second connection keeps the file from being written at the commit.
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
            other.setDatabaseName(m_env.db().path());
            QVERIFY(other.open());
            QSqlQuery hold(other);
            QVERIFY(hold.exec(QStringLiteral("BEGIN")));
            QVERIFY(hold.exec(QStringLiteral("SELECT * FROM D_物件")));
            QVERIFY(hold.next());
            click(f.get(), "lbutAdd");
            hold.finish();
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
        QVERIFY(!f->Pro_State());
        QCOMPARE(shownBoxes().constLast().prompt, QStringLiteral("データの登録中にエラーが発生しました。"));
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_賃貸マンション")), 0);
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支")), 0);
    }

    void unreadDataKeepsTheFormClosed_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("rent work copy refused")
            << "CREATE TRIGGER fail BEFORE INSERT ON W_家賃 BEGIN SELECT RAISE(ABORT, 'injected'); END";
        QTest::newRow("depreciation rates") << "ALTER TABLE M_償却 RENAME TO M_gone";
        QTest::newRow("plan record") << "ALTER TABLE D_賃貸マンション RENAME TO D_gone";
    }
    void unreadDataKeepsTheFormClosed()
    {
        QFETCH(QString, sql);
        seedTwoRents();
        QVERIFY(runSql(sql));
        frmInputApartment f;
        f.setPro_ID1(1);
        f.setPro_ID2(1);
        bool shown = false;
        QTimer::singleShot(0, &f, [&] { shown = true, f.reject(); });
        f.showModal();
        QVERIFY(!shown);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データの読み込みに失敗しました。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("賃貸マンションデータ入力"));
        QVERIFY(!f.Pro_State());
        // The stored rent rows were neither deleted nor overwritten.
        QCOMPARE(ApartmentFixture::count(QStringLiteral("D_家賃")), 2);
    }

    void propertyNumbersBeyondSixteenBits()
    {
        QVERIFY(runSql(QStringLiteral("INSERT INTO D_物件 VALUES (40000, '郊外', 500, 80, 1.4, 0.3)")));
        auto f = open(40000, 3);
        QCOMPARE(value(f.get(), "numSikiti1"), 500.0);
        field<ImText>(f.get(), "txtName")->setText(QStringLiteral("計画"));
        for (const char *n : {"numKaoku2", "numKaoku3", "numKaoku4", "numKaoku5"})
            enter(f.get(), QString::fromLatin1(n), "1");
        click(f.get(), "lbutAdd");
        QVERIFY(f->Pro_State());
        QCOMPARE(ApartmentFixture::count(QStringLiteral("T_収支"), 40000, 3), 75);
    }

    void cancelAndCloseBox()
    {
        auto f = open();
        click(f.get(), "lbutClose");
        QVERIFY(f->isHidden());
        QVERIFY(shownBoxes().isEmpty());
        auto g = open();
        enter(g.get(), "numKaoku2", "3");
        MsgBox::setNextAnswer(MsgBox::No);
        g->close();
        QVERIFY(g->isVisible());
        MsgBox::setNextAnswer(MsgBox::Yes);
        g->close();
        QVERIFY(g->isHidden());
        QVERIFY(!g->Pro_State());
    }

    void installOpensTheFormForApartments()
    {
        frmInputApartment::install();
        auto form = ShellHooks::createEntryForm(PlanType::Apartment, nullptr);
        QVERIFY(dynamic_cast<frmInputApartment *>(form.get()));
        ShellHooks::reset();
    }
};

QTEST_MAIN(tst_frmInputApartment)
#include "tst_frmInputApartment.moc"
