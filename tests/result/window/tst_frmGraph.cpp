#include "frmGraph.h"

#include "FormButtons.h"
#include "GraphPicture.h"
#include "MDIForm1.h"
#include "PlanBuilders.h"
#include "PlanDeleter.h"
#include "PlanGraph.h"
#include "PlanWindowFixture.h"
#include "ProgramIcon.h"
#include "ShownBoxes.h"
#include "Twips.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QTableView>

namespace
{

// Fifteen years with the extremes the graph's scales are worked from: balances from
// −30000 (year 1) to 120000 (year 2), income up to 5000 (year 3), expenditure up to 8400
// (year 4).
QVector<StoredYear> scaleYears()
{
    QVector<StoredYear> rows;
    for (int y = 1; y <= 15; ++y)
        rows.append({y, y == 3 ? 5000 : 1000, y == 4 ? 8400 : 500, y == 1 ? -30000 : y == 2 ? 120000 : 1000 * y});
    return rows;
}

// An entry form that renames the plan while it is open and reports the registration or not.
class RenamingEntryForm : public PlanEntryForm
{
public:
    static inline bool registers = true;
    static inline int opened = 0;
    void setPro_ID1(const QVariant &id1) override { m_id1 = id1.toInt(); }
    void setPro_ID2(const QVariant &id2) override { m_id2 = id2.toInt(); }
    void showModal() override
    {
        ++opened;
        runSql(QStringLiteral("UPDATE D_駐車場 SET 名称 = '北口駐車場' WHERE ID1 = %1 AND ID2 = %2")
                   .arg(m_id1)
                   .arg(m_id2));
    }
    bool Pro_State() const override { return registers; }

private:
    int m_id1 = 0;
    int m_id2 = 0;
};

} // namespace

// The plan window: caption, colour and type, its sizes, the yearly table and graph of the
// stored rows, discarding its plan, reopening the entry form, and the workspace driving it.
class tst_frmGraph : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void captionColourAndType_data();
    void captionColourAndType();
    void unreadablePictureIsKept();
    void sizes_data();
    void sizes();
    void sizesDoNotDrift();
    void smallButtonsKeepTheirHeight();
    void tableListsEveryYearUpToTheLast();
    void graphScalesOverThePropertysPlans();
    void discardDeletesThePlan();
    void discardFailureKeepsEverything_data();
    void discardFailureKeepsEverything();
    void answeringNoKeepsEverything();
    void discardReloadsTheOtherWindows();
    void workspaceReopensAndRedraws();
    void workspaceClosesWithoutAsking();
    void damagedRowsAreToldOncePerWorkspace();
    void entryFormReloadsOnRegistration_data();
    void entryFormReloadsOnRegistration();
    void registrationReloadsTheOtherWindows_data();
    void registrationReloadsTheOtherWindows();
    void keyboardReachesEveryButton();

private:
    PlanWindowFixture f;
};

void tst_frmGraph::initTestCase()
{
    // Every pixel figure below is worked at 15 twips to the pixel.
    QCOMPARE(twipsPerPixelX(), 15.0);
    QCOMPARE(twipsPerPixelY(), 15.0);
    QApplication::setWindowIcon(programIcon()); // as the program's start-up sets it
}

void tst_frmGraph::init()
{
    QVERIFY(f.setUp());
    addProperty();
}

void tst_frmGraph::cleanup()
{
    f.tearDown();
}

void tst_frmGraph::captionColourAndType_data()
{
    QTest::addColumn<int>("id2");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("type");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("rows");
    QTest::newRow("parking plan 1") << 1 << QStringLiteral("計画名  [第一駐車場]") << 1 << QColor(255, 224, 224) << 15;
    QTest::newRow("apartment plan 2") << 2 << QStringLiteral("計画名  [テストマンション]") << 2 << QColor(255, 192, 255)
                                      << 15;
    QTest::newRow("parking plan 5 without results")
        << 5 << QStringLiteral("計画名  [第一駐車場]") << 1 << QColor(255, 255, 192) << 0;
    QTest::newRow("store plan 8") << 8 << QStringLiteral("計画名  [駅前店舗]") << 3 << QColor(224, 224, 255) << 15;
    QTest::newRow("unknown type 7 on plan 14")
        << 14 << QStringLiteral("計画名  [1データ]") << 7 << QColor(192, 255, 255) << 15;
}

void tst_frmGraph::captionColourAndType()
{
    QFETCH(int, id2);
    QFETCH(QString, caption);
    QFETCH(int, type);
    QFETCH(QColor, colour);
    QFETCH(int, rows);
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    addParkingPlan(sampleParking(1, 5, false));
    addStorePlan(1, 8, QStringLiteral("駅前店舗"));
    addSummaryRows(1, 8, 3, scaleYears());
    addSummaryRows(1, 14, 7, scaleYears());

    frmGraph *w = f.open(1, id2);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->Pro_Type().toInt(), type);
    QCOMPARE(w->widget()->palette().color(QPalette::Window), colour);
    QCOMPARE(int(w->rows().size()), rows);
    QCOMPARE(w->findChild<QTableView *>(QStringLiteral("TDBGrid"))->model()->rowCount(), rows);
    // Without rows the picture stays empty: no frame, no labels; the layout is the same.
    QCOMPARE(w->graph().items.empty(), rows == 0);
    QCOMPARE(w->width(), 494); // 7410 twips
    // No icon configured: the program's own, not the toolkit's.
    QCOMPARE(w->windowIcon().pixmap(16).toImage(), programIcon().pixmap(16).toImage());
    QStringList captions;
    for (const char *name : {"lbutInput", "lbutPrint", "lbutDelete"})
        captions << w->findChild<QWidget *>(QLatin1String(name))->property("Caption").toString();
    QCOMPARE(captions, (QStringList{QStringLiteral("データ"), QStringLiteral("印　刷"), QStringLiteral("破　棄")}));
}

void tst_frmGraph::unreadablePictureIsKept()
{
    addParkingPlan();
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    gImage1 = QDir(f.folder()).filePath(QStringLiteral("p1.png"));
    QVERIFY(red.save(gImage1));
    frmGraph *w = f.open(1, 1);
    auto *image = w->findChild<QLabel *>(QStringLiteral("imgImage"));
    QCOMPARE(image->pixmap().size(), QSize(8, 8));
    gImage1 = QDir(f.folder()).filePath(QStringLiteral("gone.png"));
    w->ApplyPlanType(1); // as after a registration through データ
    QCOMPARE(image->pixmap().size(), QSize(8, 8));
    QVERIFY(f.errorLog().contains(QStringLiteral("ApplyPlanType")));
    gImage1.clear();
}

void tst_frmGraph::sizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("graphOnly");
    QTest::addColumn<QRect>("picture"); // pixels: twips × factor / 15, to the nearest pixel
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<QSize>("plot"); // the picture's twips − (2660, 760)
    // 120 × 1.45 = 174 → 12; 10295 → 686.3 → 686 (10290 twips); 7068.75 → 471.25 → 471 (7065).
    QTest::newRow("large") << 1 << false << QRect(12, 12, 686, 471) << 716 << QSize(7630, 6305);
    // 120 → 8; 7100 → 473.3 → 473 (7095 twips); 4875 → 325.
    QTest::newRow("middle") << 2 << false << QRect(8, 8, 473, 325) << 494 << QSize(4435, 4115);
    // 120 / 1.45 = 82.8 → 6; 4896.6 → 326.4 → 326 (4890); 3362.1 → 224.1 → 224 (3360).
    QTest::newRow("small") << 3 << false << QRect(6, 6, 326, 224) << 341 << QSize(2230, 2600);
    QTest::newRow("middle, graph only") << 2 << true << QRect(8, 8, 473, 325) << 494 << QSize(4435, 4115);
    QTest::newRow("size 0 counts as middle") << 0 << false << QRect(8, 8, 473, 325) << 494 << QSize(4435, 4115);
}

void tst_frmGraph::sizes()
{
    QFETCH(int, size);
    QFETCH(bool, graphOnly);
    QFETCH(QRect, picture);
    QFETCH(int, windowWidth);
    QFETCH(QSize, plot);
    addParkingPlan();
    gDispSize = int16_t(size);
    gGraphOnly = graphOnly;
    frmGraph *w = f.open(1, 1);
    auto *pic = w->findChild<GraphPicture *>(QStringLiteral("picGraph"));
    QCOMPARE(pic->geometry(), picture);
    QCOMPARE(w->width(), windowWidth);
    QCOMPARE(w->plotSize(), plot);
    // The graph is drawn over the whole picture.
    QCOMPARE(w->graph().size, QSizeF(picture.width() * 15.0, picture.height() * 15.0));
    if (graphOnly) {
        // The window keeps 0.695 of its height (to the pixel).
        const int cut = w->height();
        PlanView whole = PlanView::current();
        whole.graphOnly = false;
        w->Resize(whole);
        QVERIFY2(std::abs(cut - w->height() * 0.695) <= 1,
                 qPrintable(QStringLiteral("%1 of %2").arg(cut).arg(w->height())));
    } else {
        QVERIFY(w->widget()->height() > w->findChild<QWidget *>(QStringLiteral("lbutDelete"))->geometry().bottom());
    }
}

void tst_frmGraph::sizesDoNotDrift()
{
    addParkingPlan();
    frmGraph *w = f.open(1, 1);
    PlanView view = PlanView::current();
    const QRect before = w->geometry();
    const QRect grid = w->findChild<QTableView *>(QStringLiteral("TDBGrid"))->geometry();
    for (int size : {1, 3, 1, 3, 2}) {
        view.dispSize = size;
        w->Resize(view);
        w->ReDraw(view);
    }
    QCOMPARE(w->geometry(), before);
    QCOMPARE(w->findChild<QTableView *>(QStringLiteral("TDBGrid"))->geometry(), grid);
}

// At the small size the buttons are 375 / 1.45 = 258.6 twips (17 pixels) high at tops of
// 6120, 6600 and 7080 / 1.45 twips (281, 303 and 326 pixels): gaps show between them.
void tst_frmGraph::smallButtonsKeepTheirHeight()
{
    addParkingPlan();
    gDispSize = 3;
    frmGraph *w = f.open(1, 1);
    QList<QRect> buttons;
    for (const char *name : {"lbutInput", "lbutPrint", "lbutDelete"})
        buttons << w->findChild<QWidget *>(QLatin1String(name))->geometry();
    QCOMPARE(buttons, (QList<QRect>{QRect(276, 281, 56, 17), QRect(276, 303, 56, 17), QRect(276, 326, 56, 17)}));
}

// Every second year: the table lists all 30 years up to the last display year while the
// graph labels 2, 4, ..., 30.
void tst_frmGraph::tableListsEveryYearUpToTheLast()
{
    QVector<StoredYear> rows;
    for (int y = 1; y <= 75; ++y)
        rows.append({y, y == 1 ? 2147483647 : 100 * y, 50 * y, y == 1 ? -2147483647 : 50 * y});
    addSummaryRows(1, 1, 1, rows);
    gDispInterval = 2;
    BuildYearFilter();
    frmGraph *w = f.open(1, 1);
    const QAbstractItemModel *model = w->findChild<QTableView *>(QStringLiteral("TDBGrid"))->model();
    QCOMPARE(model->rowCount(), 30);
    const auto text = [model](int row, int column) { return model->index(row, column).data().toString(); };
    QCOMPARE(text(0, 0), QStringLiteral("1"));
    QCOMPARE(text(0, 1), QStringLiteral("2,147,483,647"));
    QCOMPARE(text(0, 3), QStringLiteral("-2,147,483,647"));
    QCOMPARE(text(29, 0), QStringLiteral("30"));
    QCOMPARE(text(29, 1), QStringLiteral("3,000"));
    QCOMPARE(text(29, 2), QStringLiteral("1,500"));
    QCOMPARE(model->index(5, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QStringList headings;
    for (int c = 0; c < 4; ++c)
        headings << model->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{QStringLiteral("年"), QStringLiteral("収入"), QStringLiteral("支出"),
                                    QStringLiteral("累計")}));
    const QStringList labels = f.texts(w->graph(), Qt::black);
    for (int y = 2; y <= 30; y += 2)
        QVERIFY2(labels.contains(QString::number(y)), qPrintable(QString::number(y)));
    QVERIFY(!labels.contains(QStringLiteral("29")));
}

// Balances from −30000 to 120000 give the balance axis 2 × 100,000 each way; the largest
// expenditure 8400 against income 5000 gives the bar axis 9,000 per grid line. A larger plan
// of the same property changes both scales at the next reload.
void tst_frmGraph::graphScalesOverThePropertysPlans()
{
    addSummaryRows(1, 1, 1, scaleYears());
    frmGraph *w = f.open(1, 1);
    QCOMPARE(f.texts(w->graph(), PlanGraph::kExpenditure),
             (QStringList{QStringLiteral("-200,000"), QStringLiteral("-100,000"), QStringLiteral("-18,000"),
                          QStringLiteral("-9,000")}));
    const QStringList black = f.texts(w->graph(), Qt::black);
    for (const char *label : {"100,000", "200,000", "9,000", "18,000"})
        QVERIFY2(black.contains(QLatin1String(label)), label);

    // Plan 2: balance 500000 → top 600000, step 300000; expenditure 25000 → top 30000, 15000
    // per bar step, labelled twice over.
    QVector<StoredYear> big = scaleYears();
    big[4].balance = 500000;
    big[5].expense = 25000;
    addSummaryRows(1, 2, 1, big);
    w->Init();
    w->ReDraw();
    QCOMPARE(f.texts(w->graph(), PlanGraph::kExpenditure),
             (QStringList{QStringLiteral("-600,000"), QStringLiteral("-300,000"), QStringLiteral("-60,000"),
                          QStringLiteral("-30,000")}));
}

void tst_frmGraph::discardDeletesThePlan()
{
    addApartmentPlan(sampleApartment(1, 2));
    frmGraph *w = f.open(1, 2);
    QPointer<frmGraph> alive(w);
    MsgBox::setNextAnswer(MsgBox::Yes);
    QVERIFY(w->close());
    QCOMPARE(shownBoxes().size(), 1);
    QCOMPARE(shownBoxes().first().prompt, QStringLiteral("破棄してよろしいですか?"));
    QCOMPARE(shownBoxes().first().title, QStringLiteral("確認"));
    QCOMPARE(shownBoxes().first().style, 324); // Yes/No, information, No the default
    for (const QString &table : PlanDeleter::tables())
        QCOMPARE(f.count(table, 1, 2), 0);
    QSqlQuery q(gDao().CurrentDB());
    QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM D_物件 WHERE ID1 = 1")) && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QTRY_VERIFY(alive.isNull());
}

void tst_frmGraph::discardFailureKeepsEverything_data()
{
    QTest::addColumn<QString>("table");
    for (const QString &table : PlanDeleter::tables())
        QTest::newRow(qPrintable(table)) << table;
}

// One DELETE aborted by a trigger: the plan keeps its rows in all seven tables, the window
// stays open and the user is told.
void tst_frmGraph::discardFailureKeepsEverything()
{
    QFETCH(QString, table);
    addParkingPlan();
    addApartmentPlan(sampleApartment(1, 1, false)); // rows in both plan tables and D_家賃
    QVERIFY(runSql(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 "
                                  "BEGIN SELECT RAISE(ABORT, 'locked'); END")
                       .arg(table)));
    QVector<int> before;
    for (const QString &t : PlanDeleter::tables())
        before << f.count(t, 1, 1);
    QCOMPARE(before, (QVector<int>{1, 1, 1, 1, 75, 75, 75}));

    frmGraph *w = f.open(1, 1);
    MsgBox::setNextAnswer(MsgBox::Yes);
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QVector<int> after;
    for (const QString &t : PlanDeleter::tables())
        after << f.count(t, 1, 1);
    QCOMPARE(after, before);
    QCOMPARE(shownBoxes().size(), 2);
    QCOMPARE(shownBoxes().last().prompt, QStringLiteral("データの削除に失敗しました。"));
    QVERIFY(f.errorLog().contains(QStringLiteral("Form_Unload")));
    QVERIFY(!gDao().inTransaction());
    QCOMPARE(int(w->rows().size()), 15);
}

void tst_frmGraph::answeringNoKeepsEverything()
{
    addParkingPlan();
    frmGraph *w = f.open(1, 1);
    MsgBox::setNextAnswer(MsgBox::No);
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QCOMPARE(f.count(QStringLiteral("D_駐車場"), 1, 1), 1);
    QCOMPARE(f.count(QStringLiteral("T_収支"), 1, 1), 75);
}

// Discarding plan 1 frees its number, and the remaining window reloads: its scales no
// longer include plan 1's larger balance.
void tst_frmGraph::discardReloadsTheOtherWindows()
{
    QVector<StoredYear> big = scaleYears();
    big[4].balance = 500000;
    addParkingPlan(sampleParking(1, 1, false));
    addSummaryRows(1, 1, 1, big);
    addApartmentPlan(sampleApartment(1, 2, false));
    addSummaryRows(1, 2, 2, scaleYears());

    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->show();
    QCOMPARE(ws->planWindows().size(), 2);
    auto *plan2 = qobject_cast<frmGraph *>(ws->planWindows().at(1));
    QVERIFY(f.texts(plan2->graph()).contains(QStringLiteral("600,000")));

    MsgBox::setNextAnswer(MsgBox::Yes);
    QVERIFY(ws->planWindows().at(0)->close());
    QVERIFY(!ws->isSlotUsed(1));
    QVERIFY(ws->isSlotUsed(2));
    QVERIFY(f.texts(plan2->graph()).contains(QStringLiteral("200,000")));
    QVERIFY(!f.texts(plan2->graph()).contains(QStringLiteral("600,000")));
    QTRY_COMPARE(ws->planWindows().size(), 1);
}

// Parking plans 3 and 1, apartment plan 2: reopened 1, 3, 2. The Window menu's interval,
// size and graph-only items reload, lay out and redraw every window.
void tst_frmGraph::workspaceReopensAndRedraws()
{
    addParkingPlan(sampleParking(1, 3));
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->show();
    QList<int> numbers;
    QList<int> types;
    for (PlanWindow *w : ws->planWindows()) {
        numbers << w->Pro_ID2().toInt();
        types << w->Pro_Type().toInt();
        QCOMPARE(int(qobject_cast<frmGraph *>(w)->rows().size()), 15);
    }
    QCOMPARE(numbers, (QList<int>{1, 3, 2}));
    QCOMPARE(types, (QList<int>{1, 1, 2}));

    const auto item = [ws](const char *name, int index) {
        for (QAction *a : ws->findChildren<QAction *>(QLatin1String(name)))
            if (a->property("index").toInt() == index)
                return a;
        return static_cast<QAction *>(nullptr);
    };
    item("menuWindow_Between_Nen", 3)->trigger(); // every 5 years
    for (PlanWindow *w : ws->planWindows()) {
        auto *g = qobject_cast<frmGraph *>(w);
        QCOMPARE(int(g->rows().size()), 75);
        QVERIFY(f.texts(g->graph()).contains(QStringLiteral("75")));
    }
    ws->findChild<QAction *>(QStringLiteral("menuWindow_Only"))->trigger();
    ws->findChild<QAction *>(QStringLiteral("menuWindow_Only"))->trigger(); // back to the whole window
    for (PlanWindow *w : ws->planWindows())
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("TDBGrid"))->isVisible());
    item("menuWindow_Size_Select", 1)->trigger(); // large
    for (PlanWindow *w : ws->planWindows()) {
        QCOMPARE(w->width(), 716);
        QCOMPARE(qobject_cast<frmGraph *>(w)->graph().size, QSizeF(686 * 15.0, 471 * 15.0));
    }
    ws->findChild<QAction *>(QStringLiteral("menuWindow_Only"))->trigger();
    for (PlanWindow *w : ws->planWindows()) {
        // The window ends below the graph; the table, picture and buttons are gone from it.
        QVERIFY(w->widget()->height() >= w->findChild<QWidget *>(QStringLiteral("picGraph"))->geometry().bottom());
        for (const char *name : {"TDBGrid", "imgImage", "lbutInput", "lbutPrint", "lbutDelete"})
            QVERIFY2(!w->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
        QVERIFY(!qobject_cast<frmGraph *>(w)->graph().items.empty());
    }
}

void tst_frmGraph::workspaceClosesWithoutAsking()
{
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->show();
    QCOMPARE(ws->planWindows().size(), 2);
    QVERIFY(ws->close());
    QVERIFY(shownBoxes().isEmpty());
    QCOMPARE(f.count(QStringLiteral("T_収支"), 1, 1), 75);
    QCOMPARE(f.count(QStringLiteral("D_賃貸マンション"), 1, 2), 1);
}

// Rows in a damaged file: the windows stay open, empty, so that their plans can still be
// discarded; the user is told once per opening of the workspace, not at every reload.
void tst_frmGraph::damagedRowsAreToldOncePerWorkspace()
{
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    gDao().Disconnect();
    QVERIFY(damageTable(f.db().path(), QStringLiteral("T_収支")));
    QVERIFY(gDao().Connect(f.db().path()));
    for (int opening = 1; opening <= 2; ++opening) {
        auto *ws = new MDIForm1;
        ws->setPro_ID1(1);
        ws->show();
        QTRY_COMPARE(shownBoxes().size(), opening);
        ws->findChild<QAction *>(QStringLiteral("menuWindow_Only"))->trigger(); // reloads every window
        QCoreApplication::processEvents();
        QCOMPARE(shownBoxes().size(), opening);
        QCOMPARE(boxText(shownBoxes().last()), damagedFileBox(f.db().path()));
        QCOMPARE(ws->planWindows().size(), 2);
        for (PlanWindow *w : ws->planWindows())
            QVERIFY(w->isVisible() && qobject_cast<frmGraph *>(w)->rows().empty());
        QVERIFY(ws->close());
    }
}

void tst_frmGraph::entryFormReloadsOnRegistration_data()
{
    QTest::addColumn<bool>("registers");
    QTest::addColumn<QString>("caption");
    QTest::newRow("registered") << true << QStringLiteral("計画名  [北口駐車場]");
    QTest::newRow("closed without registering") << false << QStringLiteral("計画名  [第一駐車場]");
}

void tst_frmGraph::entryFormReloadsOnRegistration()
{
    QFETCH(bool, registers);
    QFETCH(QString, caption);
    addParkingPlan();
    RenamingEntryForm::registers = registers;
    RenamingEntryForm::opened = 0;
    ShellHooks::setEntryFormFactory(PlanType::Parking, [](QWidget *) { return std::make_unique<RenamingEntryForm>(); });
    frmGraph *w = f.open(1, 1);
    QVERIFY(runSql(QStringLiteral("DELETE FROM T_収支 WHERE ID1 = 1 AND ID2 = 1 AND 年 > 10")));
    FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutInput")));
    QCOMPARE(RenamingEntryForm::opened, 1);
    QCOMPARE(w->windowTitle(), caption);
    // Only a registration reloads the rows.
    QCOMPARE(int(w->rows().size()), registers ? 10 : 15);
}

void tst_frmGraph::registrationReloadsTheOtherWindows_data()
{
    QTest::addColumn<bool>("registers");
    QTest::addColumn<int>("otherRows");
    QTest::newRow("registered") << true << 10;
    QTest::newRow("closed without registering") << false << 15;
}

// A registration through one window's データ reloads every plan window of the workspace.
void tst_frmGraph::registrationReloadsTheOtherWindows()
{
    QFETCH(bool, registers);
    QFETCH(int, otherRows);
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    RenamingEntryForm::registers = registers;
    ShellHooks::setEntryFormFactory(PlanType::Parking, [](QWidget *) { return std::make_unique<RenamingEntryForm>(); });
    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->show();
    auto *other = qobject_cast<frmGraph *>(ws->planWindows().at(1));
    QCOMPARE(other->Pro_ID2().toInt(), 2);
    QVERIFY(runSql(QStringLiteral("DELETE FROM T_収支 WHERE ID1 = 1 AND ID2 = 2 AND 年 > 10")));
    FormButtons::click(ws->planWindows().at(0)->findChild<QWidget *>(QStringLiteral("lbutInput")));
    QCOMPARE(int(other->rows().size()), otherRows);
}

// Tab leaves the read-only table for the window's buttons and the workspace's; Ctrl+Tab and
// Ctrl+F6 move to the next plan window, with Shift to the previous one.
void tst_frmGraph::keyboardReachesEveryButton()
{
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->show();
    QVERIFY(QTest::qWaitForWindowActive(ws));
    QMdiArea *area = ws->mdiArea();
    const QList<PlanWindow *> windows = ws->planWindows();
    area->setActiveSubWindow(windows.at(0));
    windows.at(0)->findChild<QWidget *>(QStringLiteral("TDBGrid"))->setFocus(Qt::MouseFocusReason);
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"lbutInput", "lbutPrint", "lbutDelete", "lbutAdd", "lbutClose", "TDBGrid"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lbutClose"));
    QCOMPARE(area->activeSubWindow(), windows.at(0));

    const QList<QPair<int, Qt::KeyboardModifiers>> keys = {{Qt::Key_Tab, Qt::ControlModifier},
                                                           {Qt::Key_Tab, Qt::ControlModifier},
                                                           {Qt::Key_F6, Qt::ControlModifier},
                                                           {Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier},
                                                           {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier}};
    QList<int> active;
    for (const auto &[key, modifiers] : keys) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        active << qobject_cast<PlanWindow *>(area->activeSubWindow())->Pro_ID2().toInt();
    }
    QCOMPARE(active, (QList<int>{2, 1, 2, 1, 2}));
}

QTEST_MAIN(tst_frmGraph)
#include "tst_frmGraph.moc"
