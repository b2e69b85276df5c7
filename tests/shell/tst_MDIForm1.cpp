#include "MDIForm1.h"
#include "frmMinSize.h"

#include "FormButtons.h"
#include "Globals.h"
#include "MsgBox.h"
#include "PlanWindow.h"
#include "ShellHooks.h"
#include "ShownBoxes.h"
#include "TestDb.h"
#include "TestScreen.h"
#include "WriteLock.h"
#include "cDao.h"
#include "cIni.h"
#include "frmType.h"
#include "mdlMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSqlQuery>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

QStringList g_calls; // "Init 3", "ReDraw 3", ... in call order

// A plan window that records what the workspace asks of it.
class FakePlanWindow : public PlanWindow
{
public:
    int type = 1;
    QPixmap image;
    bool deletedPlan = false;

    QVariant Pro_Type() const override { return type; }
    void Form_Load() override
    {
        type = Pro_ID2().toInt() % 2 ? 1 : 2;
        resize(494, 502);
        g_calls << QStringLiteral("Load %1").arg(Pro_ID2().toInt());
    }
    void Init() override { g_calls << QStringLiteral("Init %1").arg(Pro_ID2().toInt()); }
    void ReDraw() override { g_calls << QStringLiteral("ReDraw %1").arg(Pro_ID2().toInt()); }
    void Resize() override
    {
        g_calls << QStringLiteral("Resize %1").arg(Pro_ID2().toInt());
        // Cut to its graph as the real window is: the controls below it are hidden.
        if (widget())
            for (QWidget *control : widget()->findChildren<QWidget *>())
                control->setVisible(!gGraphOnly);
    }
    void setImage(const QPixmap &picture) override { image = picture; }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        // The discard question is the real window's; the double always discards.
        if (!gMdiClosing) {
            deletedPlan = true;
            for (const char *table : {"D_駐車場", "D_賃貸マンション"})
                QSqlQuery(gDao().CurrentDB())
                    .exec(QStringLiteral("DELETE FROM %1 WHERE ID1 = %2 AND ID2 = %3")
                              .arg(QString::fromUtf8(table))
                              .arg(Pro_ID1().toInt())
                              .arg(Pro_ID2().toInt()));
        }
        releaseSlot();
        QMdiSubWindow::closeEvent(event);
    }
};

// An entry form that registers (or not) without showing anything.
class FakeEntryForm : public PlanEntryForm
{
public:
    static inline bool nextState = true;
    static inline QList<QPair<int, int>> opened;
    void setPro_ID1(const QVariant &id1) override { m_id1 = id1.toInt(); }
    void setPro_ID2(const QVariant &id2) override { m_id2 = id2.toInt(); }
    void showModal() override { opened.append({m_id1, m_id2}); }
    bool Pro_State() const override { return nextState; }

private:
    int m_id1 = 0;
    int m_id2 = 0;
};

} // namespace

// The workspace of one property: plan slots, menus and the view broadcasts.
class tst_MDIForm1 : public QObject
{
    Q_OBJECT

private:
    static void exec(const QString &sql)
    {
        QSqlQuery q(gDao().CurrentDB());
        QVERIFY2(q.exec(sql), qPrintable(sql));
    }
    static void addPlans(const char *table, const QList<int> &plans)
    {
        for (int id2 : plans)
            exec(QStringLiteral("INSERT INTO %1 (ID1, ID2) VALUES (7, %2)").arg(QString::fromUtf8(table)).arg(id2));
    }
    MDIForm1 *open()
    {
        auto *w = new MDIForm1;
        w->setPro_ID1(7);
        w->resize(800, 600);
        w->show();
        return w;
    }
    static QList<int> windowNumbers(MDIForm1 *w)
    {
        QList<int> out;
        for (PlanWindow *p : w->planWindows())
            out << p->Pro_ID2().toInt();
        return out;
    }
    static QWidget *addButton(MDIForm1 *w) { return w->findChild<QWidget *>(QStringLiteral("lbutAdd")); }
    // Presses the new-plan button and chooses a type in the chooser it opens.
    static void addPlan(MDIForm1 *w, int type = 1)
    {
        QTimer::singleShot(0, [type] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *chooser = qobject_cast<frmType *>(top))
                    for (QPushButton *b : chooser->findChildren<QPushButton *>(QStringLiteral("butType")))
                        if (b->property("index").toInt() == type)
                            b->click();
        });
        FormButtons::click(addButton(w));
    }
    static QAction *item(MDIForm1 *w, const char *name, int index = 0)
    {
        for (QAction *a : w->findChildren<QAction *>(QString::fromLatin1(name)))
            if (index == 0 || a->property("index").toInt() == index)
                return a;
        return nullptr;
    }

    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<QTemporaryDir> m_app;

private Q_SLOTS:
    void init()
    {
        clearShownBoxes();
        MsgBox::setAutoAnswer(true);
        m_app = std::make_unique<QTemporaryDir>();
        setAppPath(m_app->path());
        m_db = std::make_unique<TestDb>();
        QVERIFY(m_db->connectGlobal());
        g_calls.clear();
        FakeEntryForm::opened.clear();
        FakeEntryForm::nextState = true;
        ShellHooks::reset();
        ShellHooks::setPlanWindowFactory([] { return new FakePlanWindow; });
        for (PlanType type : {PlanType::Parking, PlanType::Apartment})
            ShellHooks::setEntryFormFactory(type, [](QWidget *) { return std::make_unique<FakeEntryForm>(); });
        gDispInterval = 1;
        gGraphOnly = false;
        gDispSize = 2;
        gPropertyName = QStringLiteral("駅前の土地");
        gBackImage.clear();
        gImage1.clear();
        gIcon1.clear();
        gImage2.clear();
        gIcon2.clear();
    }
    void cleanup()
    {
        QList<QPointer<QWidget>> open;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<MDIForm1 *>(w))
                open << w;
        for (const QPointer<QWidget> &w : open)
            delete w.data();
        gDao().Disconnect();
        m_db.reset();
    }

    // The workspace opens at 1024 x 720 pixels where the screen holds that, and within
    // the screen's available area, with 新　規 and 閉じる, where it does not.
    void workspaceFitsTheScreen_data()
    {
        TestScreen::addColumns();
        QTest::addColumn<bool>("shrinks");
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << 1.0 << false;
        QTest::newRow("1024 x 768") << QSize(1024, 768) << 1.0 << true;
        QTest::newRow("1280 x 1024 at 1.5") << QSize(1280, 1024) << 1.5 << true; // 853 x 683
    }
    void workspaceFitsTheScreen()
    {
        if (!TestScreen::onRowScreen())
            return;
        QFETCH(bool, shrinks);
        auto *w = new MDIForm1;
        w->setPro_ID1(7);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QRect area = w->screen()->availableGeometry();
        QVERIFY(area.contains(w->frameGeometry()));
        QCOMPARE(w->size() != QSize(1024, 720), shrinks);
        for (const char *name : {"lbutAdd", "lbutClose"}) {
            const QWidget *b = w->findChild<QWidget *>(QString::fromLatin1(name));
            QVERIFY2(area.contains(QRect(b->mapToGlobal(QPoint()), b->size())), name);
        }
    }

    void reopensStoredPlansInOrder()
    {
        addPlans("D_駐車場", {3, 1});
        addPlans("D_賃貸マンション", {2});
        MDIForm1 *w = open();
        QCOMPARE(windowNumbers(w), QList<int>({1, 3, 2}));
        QCOMPARE(w->windowTitle(), QStringLiteral("物件名　[駅前の土地]"));
        QCOMPARE(gMdiClosing, false);
        QVERIFY(addButton(w)->isEnabled());
        // Each window drew itself on loading; nothing was broadcast.
        QCOMPARE(g_calls, QStringList({"Load 1", "Load 3", "Load 2"}));
    }

    void badPlanNumbersAreSkipped()
    {
        addPlans("D_駐車場", {0, 2, 21});
        addPlans("D_賃貸マンション", {2, 4});
        MDIForm1 *w = open();
        QCOMPARE(windowNumbers(w), QList<int>({2, 4}));
        const QString log = QString::fromUtf8([this] {
            QFile f(QDir(m_app->path()).filePath(QStringLiteral("ErrLog.txt")));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
        QCOMPARE(log.count(QStringLiteral("LoadfrmGraph")), 3);
    }

    void unreadablePlansCloseTheWorkspace()
    {
        addPlans("D_駐車場", {1});
        WriteLock lock(m_db->path());
        QVERIFY(lock.isHeld());
        QPointer<MDIForm1> w = new MDIForm1;
        QSignalSpy closed(w.data(), &MDIForm1::unloaded);
        w->setPro_ID1(7);
        w->show();
        QVERIFY(!addButton(w)->isEnabled());
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データの読み込みに失敗しました。"));
        QVERIFY(!w || !w->isVisible());
    }

    void newPlanNumberIsFreeInEveryPlanTable_data()
    {
        QTest::addColumn<QString>("row"); // of plan 1, stored after the workspace opened
        QTest::newRow("parking") << "D_駐車場 (ID1, ID2) VALUES (7, 1)";
        QTest::newRow("apartment") << "D_賃貸マンション (ID1, ID2) VALUES (7, 1)";
        QTest::newRow("store") << "D_店舗 (ID1, ID2) VALUES (7, 1)";
        QTest::newRow("loan") << "D_借入金 (ID1, ID2, 連番) VALUES (7, 1, 1)";
        QTest::newRow("rent") << "D_家賃 (ID1, ID2, タイプ) VALUES (7, 1, 'A')";
        QTest::newRow("balance") << "T_収支 (ID1, ID2, 年) VALUES (7, 1, 1)";
        QTest::newRow("cash-flow plan") << "T_収支計画 (ID1, ID2, 年) VALUES (7, 1, 1)";
        QTest::newRow("profit and loss") << "T_損益計算 (ID1, ID2, 年) VALUES (7, 1, 1)";
    }
    void newPlanNumberIsFreeInEveryPlanTable()
    {
        QFETCH(QString, row);
        MDIForm1 *w = open();
        exec(QStringLiteral("INSERT INTO ") + row);
        addPlan(w);
        QCOMPARE(FakeEntryForm::opened, (QList<QPair<int, int>>{{7, 2}}));
        QCOMPARE(windowNumbers(w), QList<int>({2}));
    }

    void newPlansTakeTheFirstFreeNumber()
    {
        addPlans("D_駐車場", {1, 5});
        addPlans("D_賃貸マンション", {2});
        MDIForm1 *w = open();
        addPlan(w);
        addPlan(w, 2);
        addPlan(w);
        QCOMPARE(FakeEntryForm::opened, (QList<QPair<int, int>>{{7, 3}, {7, 4}, {7, 6}}));
        QCOMPARE(windowNumbers(w), QList<int>({1, 5, 2, 3, 4, 6}));
        // A new window makes every other window reload and redraw; the new one loads once.
        const QStringList last = {"Load 6",   "Init 1", "ReDraw 1", "Init 5", "ReDraw 5", "Init 2",
                                  "ReDraw 2", "Init 3", "ReDraw 3", "Init 4", "ReDraw 4"};
        QCOMPARE(g_calls.mid(g_calls.size() - last.size()), last);
        QCOMPARE(g_calls.count(QStringLiteral("Load 6")) + g_calls.count(QStringLiteral("Init 6")), 1);
    }

    void cancelledChooserFreesTheNumber()
    {
        MDIForm1 *w = open();
        FakeEntryForm::nextState = false;
        addPlan(w);
        QVERIFY(!w->isSlotUsed(1));
        QCOMPARE(windowNumbers(w), QList<int>());
        FakeEntryForm::nextState = true;
        addPlan(w);
        QCOMPARE(FakeEntryForm::opened, (QList<QPair<int, int>>{{7, 1}, {7, 1}}));
        QCOMPARE(windowNumbers(w), QList<int>({1}));
    }

    void twentyPlansDisableAddUntilOneIsDiscarded()
    {
        QList<int> all;
        for (int i = 1; i <= 20; ++i)
            all << i;
        addPlans("D_駐車場", all);
        MDIForm1 *w = open();
        QCOMPARE(w->planWindows().size(), 20);
        QVERIFY(!addButton(w)->isEnabled());
        PlanWindow *seventh = w->planWindows().at(6);
        QVERIFY(seventh->close());
        QVERIFY(addButton(w)->isEnabled());
        QVERIFY(!w->isSlotUsed(7));
        addPlan(w);
        QCOMPARE(FakeEntryForm::opened.last(), (QPair<int, int>(7, 7)));
        QVERIFY(!addButton(w)->isEnabled());
    }

    void nineteenPlansThenOneMoreDisablesAdd()
    {
        QList<int> all;
        for (int i = 2; i <= 20; ++i)
            all << i;
        addPlans("D_賃貸マンション", all);
        MDIForm1 *w = open();
        QVERIFY(addButton(w)->isEnabled());
        addPlan(w);
        QVERIFY(!addButton(w)->isEnabled());
    }

    void releaseOutsideTheSlotsChangesNothing()
    {
        QList<int> all;
        for (int i = 1; i <= 20; ++i)
            all << i;
        addPlans("D_駐車場", all);
        MDIForm1 *w = open();
        w->ReleaseID(21);
        w->ReleaseID(0);
        QVERIFY(!addButton(w)->isEnabled());
    }

    void intervalMenuRebuildsFilterAndReloads()
    {
        addPlans("D_駐車場", {1, 2});
        MDIForm1 *w = open();
        QVERIFY(item(w, "menuWindow_Between_Nen", 1)->isChecked());
        g_calls.clear();
        item(w, "menuWindow_Between_Nen", 3)->trigger();
        QCOMPARE(gDispInterval, int16_t(3));
        QCOMPARE(gYearFilterSK, QStringLiteral("SK.年 % 5 = 0 AND SK.年 <= 75"));
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(item(w, "menuWindow_Between_Nen", i)->isChecked(), i == 3);
        QCOMPARE(g_calls, QStringList({"Init 1", "ReDraw 1", "Init 2", "ReDraw 2"}));
    }

    void sizeAndGraphOnlyResizeAndRedraw()
    {
        addPlans("D_駐車場", {1});
        MDIForm1 *w = open();
        g_calls.clear();
        item(w, "menuWindow_Size_Select", 3)->trigger();
        QCOMPARE(gDispSize, int16_t(3));
        QVERIFY(item(w, "menuWindow_Size_Select", 3)->isChecked());
        QVERIFY(!item(w, "menuWindow_Size_Select", 2)->isChecked());
        item(w, "menuWindow_Only")->trigger();
        QCOMPARE(gGraphOnly, true);
        QVERIFY(item(w, "menuWindow_Only")->isChecked());
        item(w, "menuWindow_Only")->trigger();
        QCOMPARE(gGraphOnly, false);
        QVERIFY(!item(w, "menuWindow_Only")->isChecked());
        QCOMPARE(g_calls, QStringList({"Resize 1", "ReDraw 1", "Resize 1", "ReDraw 1", "Resize 1", "ReDraw 1"}));
        // None of them writes the settings file.
        QVERIFY(!QFile::exists(QDir(m_app->path()).filePath(QStringLiteral("Vanrek.ini"))));
    }

    void closingKeepsPlansAndSavesTheView()
    {
        addPlans("D_駐車場", {1, 2});
        MDIForm1 *w = open();
        QList<QPointer<PlanWindow>> windows;
        for (PlanWindow *p : w->planWindows())
            windows << p;
        QSignalSpy unloaded(w, &MDIForm1::unloaded);
        item(w, "menuWindow_Between_Nen", 4)->trigger();
        item(w, "menuWindow_Only")->trigger();
        item(w, "menuWindow_Size_Select", 1)->trigger();
        for (const auto &p : windows)
            QVERIFY(!static_cast<FakePlanWindow *>(p.data())->deletedPlan);
        item(w, "meneFile_Close")->trigger();
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(gMdiClosing, true);
        cIni ini;
        ini.setPro_IniPath(QDir(m_app->path()).filePath(QStringLiteral("Vanrek.ini")));
        QCOMPARE(ini.GetIniStr(QStringLiteral("SETTING"), QStringLiteral("表示間隔")), QStringLiteral("4"));
        QCOMPARE(ini.GetIniStr(QStringLiteral("SETTING"), QStringLiteral("グラフのみ")), QStringLiteral("True"));
        QCOMPARE(ini.GetIniStr(QStringLiteral("SETTING"), QStringLiteral("サイズ")), QStringLiteral("1"));
        QSqlQuery q(gDao().CurrentDB());
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM D_駐車場 WHERE ID1 = 7")) && q.next());
        QCOMPARE(q.value(0).toInt(), 2);
    }

    void tilingInRowsWrapsAfterTheWindowThatCrossesTheLimit()
    {
        addPlans("D_駐車場", {1, 2, 3});
        MDIForm1 *w = open();
        w->resize(800, 600); // 12000 twips wide
        item(w, "menuWindow_Order_H")->trigger();
        const QList<PlanWindow *> p = w->planWindows();
        QCOMPARE(p.at(0)->pos(), QPoint(0, 0));
        QCOMPARE(p.at(1)->pos(), QPoint(494, 0));
        QCOMPARE(p.at(2)->pos(), QPoint(0, 502));
    }

    // Cascade keeps every window's size and stacks them one title bar apart, the active
    // one in front; the tilings still place them afterwards.
    void cascadeKeepsTheSizes()
    {
        addPlans("D_駐車場", {1, 2, 3});
        MDIForm1 *w = open();
        const QList<PlanWindow *> p = w->planWindows();
        w->mdiArea()->setActiveSubWindow(p.at(1));
        item(w, "menuWindow_Order_P")->trigger();
        const int bar = p.at(0)->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, p.at(0));
        QList<QRect> placed;
        for (PlanWindow *plan : p)
            placed << plan->geometry();
        QCOMPARE(placed,
                 (QList<QRect>{QRect(0, 0, 494, 502), QRect(2 * bar, 2 * bar, 494, 502), QRect(bar, bar, 494, 502)}));
        QCOMPARE(w->mdiArea()->activeSubWindow(), p.at(1));
        item(w, "menuWindow_Order_H")->trigger();
        QCOMPARE(p.at(2)->pos(), QPoint(0, 502));
    }

    // Twelve windows, the view scrolled right and down: each arrangement first brings the
    // view back to the workspace's corner and places the windows from there, so the scroll
    // range has no empty room left of or above them.
    void arrangementsStartFromTheWorkspaceCorner_data()
    {
        QTest::addColumn<QString>("arrangement");
        QTest::newRow("cascade") << "menuWindow_Order_P";
        QTest::newRow("rows") << "menuWindow_Order_H";
        QTest::newRow("columns") << "menuWindow_Order_V";
    }
    void arrangementsStartFromTheWorkspaceCorner()
    {
        QFETCH(QString, arrangement);
        QList<int> twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << i;
        addPlans("D_駐車場", twelve);
        MDIForm1 *w = open();
        item(w, "menuWindow_Order_H")->trigger(); // two windows a row: wider and taller than the view
        QScrollBar *across = w->mdiArea()->horizontalScrollBar();
        QScrollBar *down = w->mdiArea()->verticalScrollBar();
        across->setValue(across->maximum());
        down->setValue(down->maximum());
        QVERIFY(across->value() > 0 && down->value() > 0);
        item(w, qPrintable(arrangement))->trigger();
        QCOMPARE(across->value(), 0);
        QCOMPARE(down->value(), 0);
        QCOMPARE(across->minimum(), 0);
        QCOMPARE(down->minimum(), 0);
        QRect placed;
        for (PlanWindow *p : w->planWindows())
            placed |= p->geometry();
        QCOMPARE(placed.topLeft(), QPoint(0, 0));
    }

    void tilingSkipsSmallWindows()
    {
        addPlans("D_駐車場", {1, 2, 3});
        MDIForm1 *w = open();
        const QList<PlanWindow *> p = w->planWindows();
        p.at(1)->resize(160, 502); // 2400 twips: not placed
        p.at(1)->move(300, 300);
        item(w, "menuWindow_Order_V")->trigger();
        QCOMPARE(p.at(0)->pos(), QPoint(0, 0));
        QCOMPARE(p.at(1)->pos(), QPoint(300, 300));
        QCOMPARE(p.at(2)->pos(), QPoint(0, 502));
    }

    // Tab from 閉じる into the active window, which lies partly below the view: the
    // workspace scrolls to its button; the active window and the windows' places stay.
    void tabIntoAWindowBelowTheViewShowsTheControl()
    {
        addPlans("D_駐車場", {1, 2, 3, 4});
        MDIForm1 *w = open();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QWidget *view = w->mdiArea()->viewport();
        const QList<PlanWindow *> p = w->planWindows();
        p.at(3)->move(300, view->height() - 100);
        auto *button = new QPushButton(QStringLiteral("データ"), p.at(3));
        button->setGeometry(400, 440, 80, 24);
        button->show();
        QList<QPoint> places;
        for (PlanWindow *plan : p)
            places << plan->pos() - p.at(0)->pos();
        QWidget *close = w->findChild<QWidget *>(QStringLiteral("lbutClose"));
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
        QVERIFY(view->rect().contains(QRect(button->mapTo(view, QPoint()), button->size())));
        QCOMPARE(w->mdiArea()->activeSubWindow(), p.at(3));
        for (int i = 0; i < p.size(); ++i)
            QCOMPARE(p.at(i)->pos() - p.at(0)->pos(), places.at(i));
    }

    // Graph-only with the focus on a button that the cut hides: the window itself takes the
    // focus and stays active, as does a window that kept such a button for its return; Tab
    // runs through the workspace's buttons and the window, and once the window is whole
    // again its button takes the focus again.
    void graphOnlyGivesTheFocusToTheWindow()
    {
        addPlans("D_駐車場", {1, 2});
        MDIForm1 *w = open();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QList<PlanWindow *> p = w->planWindows();
        for (PlanWindow *plan : p) {
            plan->setObjectName(QStringLiteral("plan %1").arg(plan->Pro_ID2().toInt()));
            auto *client = new QWidget;
            auto *button = new QPushButton(QStringLiteral("データ"), client);
            button->setObjectName(QStringLiteral("lbutInput %1").arg(plan->Pro_ID2().toInt()));
            button->setGeometry(400, 440, 80, 24);
            plan->setWidget(client);
            client->show();
        }
        const auto focused = [] {
            QWidget *f = QApplication::focusWidget();
            return f ? f->objectName() : QStringLiteral("(none)");
        };
        const auto press = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        };
        QMdiArea *area = w->mdiArea();
        area->setActiveSubWindow(p.at(0));
        p.at(0)->findChild<QWidget *>(QStringLiteral("lbutInput 1"))->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Tab, Qt::ControlModifier);
        p.at(1)->findChild<QWidget *>(QStringLiteral("lbutInput 2"))->setFocus(Qt::TabFocusReason);

        item(w, "menuWindow_Only")->trigger();
        QCOMPARE(focused(), QStringLiteral("plan 2"));
        QCOMPARE(area->activeSubWindow(), p.at(1));
        QStringList visited;
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Tab);
            visited << focused();
        }
        QCOMPARE(visited, (QStringList{"lbutAdd", "lbutClose", "plan 2"}));
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(focused(), QStringLiteral("plan 1"));
        QCOMPARE(area->activeSubWindow(), p.at(0));

        item(w, "menuWindow_Only")->trigger();
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("lbutInput 1"));
    }

    void buttonsFollowTheRightEdge()
    {
        MDIForm1 *w = open();
        w->resize(900, 600);
        QCoreApplication::processEvents();
        QCOMPARE(w->findChild<QWidget *>(QStringLiteral("lbutClose"))->x(), (13500 - 1500) / 15);
        QCOMPARE(addButton(w)->x(), (13500 - 2850) / 15);
    }

    void picturesOfThePlanTypes()
    {
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString good = QDir(m_app->path()).filePath(QStringLiteral("p1.png"));
        QVERIFY(red.save(good));
        QFile notImage(QDir(m_app->path()).filePath(QStringLiteral("text.bmp")));
        QVERIFY(notImage.open(QIODevice::WriteOnly));
        notImage.write("not a picture");
        notImage.close();
        gImage1 = good;
        gImage2 = good;
        gIcon2 = good;
        addPlans("D_駐車場", {1, 2, 3});
        MDIForm1 *w = open();
        QVERIFY(w->mdiArea()->background().texture().isNull());
        // As after the settings dialog: every open window takes its type's picture.
        w->ChangeView();
        const QList<PlanWindow *> p = w->planWindows();
        for (PlanWindow *plan : p)
            QCOMPARE(static_cast<FakePlanWindow *>(plan)->image.size(), QSize(8, 8));
        QVERIFY(!p.at(1)->windowIcon().isNull());
        gBackImage = good;
        w->ChangeView();
        // One copy of the picture, centred on the workspace colour.
        const QImage back = w->mdiArea()->background().texture().toImage();
        QCOMPARE(back.size(), w->mdiArea()->viewport()->size());
        const QColor dark = w->palette().color(QPalette::Dark);
        QCOMPARE(back.pixelColor(0, 0).rgb(), dark.rgb());
        QVERIFY(back.pixelColor(back.width() / 2, back.height() / 2).rgb() != dark.rgb());

        // Files that cannot be read leave what is shown as it was, are logged, and the
        // windows after them still take their pictures; an empty path clears.
        gBackImage = QStringLiteral("/no/such/back.jpg");
        gImage2 = notImage.fileName();
        gIcon2 = notImage.fileName();
        gImage1.clear();
        w->ChangeView();
        QCOMPARE(w->mdiArea()->background().texture().toImage(), back);
        QVERIFY(static_cast<FakePlanWindow *>(p.at(0))->image.isNull());
        QCOMPARE(static_cast<FakePlanWindow *>(p.at(1))->image.size(), QSize(8, 8));
        QVERIFY(!p.at(1)->windowIcon().isNull());
        QVERIFY(static_cast<FakePlanWindow *>(p.at(2))->image.isNull());
        QFile log(QDir(m_app->path()).filePath(QStringLiteral("ErrLog.txt")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString lines = QString::fromUtf8(log.readAll());
        QVERIFY(lines.contains(QStringLiteral("/no/such/back.jpg")));
        QVERIFY(lines.contains(QStringLiteral("計画 2")));
    }

    void printerSettingsMenuCallsTheHook()
    {
        MDIForm1 *w = open();
        item(w, "menuFile_Print")->trigger(); // no printer settings built in: nothing happens
        QWidget *owner = nullptr;
        ShellHooks::setPrinterSettings([&owner](QWidget *o) { owner = o; });
        item(w, "menuFile_Print")->trigger();
        QCOMPARE(owner, w);
    }

    void minimalPlanFrameIsTallerThanItsClientArea()
    {
        const double height = frmMinSize::OuterHeight();
        QVERIFY(height > 30 + 15 * 10);
        QVERIFY(height < 1500);
    }
};

QTEST_MAIN(tst_MDIForm1)
#include "tst_MDIForm1.moc"
