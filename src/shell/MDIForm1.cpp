#include "MDIForm1.h"

#include "DamagedFile.h"
#include "FocusInView.h"
#include "FormButtons.h"
#include "FormTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "PictureFile.h"
#include "PlanTables.h"
#include "PlanWindow.h"
#include "ScreenRoom.h"
#include "ShellHooks.h"
#include "Styling.h"
#include "VbRuntime.h"
#include "cApl.h"
#include "cBase.h"
#include "cDao.h"
#include "frmSystem.h"
#include "frmType.h"
#include "frmVersion.h"
#include "mdlMain.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <stdexcept>
#include <utility>
#include <vector>

namespace
{

const QString kObject = QStringLiteral("MDIForm");

const FormTrap trap(kObject);

const QString kReadFailed = QStringLiteral("データの読み込みに失敗しました。");

QAction *addItem(QMenu *menu, const char *name, const QString &caption, int index = 0)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (index > 0)
        action->setProperty("index", index);
    return action;
}

} // namespace

MDIForm1::MDIForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1024, 720);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = new QWidget(central);
    m_toolbar->setObjectName(QStringLiteral("Picture1"));
    m_toolbar->setFixedHeight(twipsToPixelsY(540));
    m_lbutAdd = FormButtons::create(m_toolbar, QStringLiteral("lbutAdd"), QStringLiteral("新　規"));
    m_lbutClose = FormButtons::create(m_toolbar, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    for (QWidget *b : {m_lbutAdd, m_lbutClose})
        b->setGeometry(0, twipsToPixelsY(60), twipsToPixelsX(1215), twipsToPixelsY(420));
    m_area = new QMdiArea(central);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->viewport()->installEventFilter(this);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A keyboard user must see the control of a plan window that the focus moves to.
    keepFocusInView(m_area);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);
    buildMenus();

    // Ctrl+Tab and Ctrl+F6 move to the next plan window wherever the focus is in the
    // workspace, with Shift to the one before.
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)})
        connect(new QShortcut(key, this), &QShortcut::activated, m_area, &QMdiArea::activateNextSubWindow);
    for (const QKeySequence &key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)})
        connect(new QShortcut(key, this), &QShortcut::activated, m_area, &QMdiArea::activatePreviousSubWindow);

    FormButtons::onClick(m_lbutAdd, this, [this] { trap("lbutAdd_Click", [this] { lbutAdd_Click(); }); });
    FormButtons::onClick(m_lbutClose, this, [this] { trap("lbutClose_Click", [this] { close(); }); });
}

MDIForm1::~MDIForm1() = default;

void MDIForm1::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("menuFile"));
    connect(addItem(file, "menuFile_System", QStringLiteral("システム設定(&S)")), &QAction::triggered, this,
            [this] { trap("menuFile_System_Click", [this] { menuFile_System_Click(); }); });
    connect(addItem(file, "menuFile_Print", QStringLiteral("プリンタ設定(&P)")), &QAction::triggered, this,
            [this] { trap("menuFile_Print_Click", [this] { menuFile_Print_Click(); }); });
    connect(addItem(file, "meneFile_Close", QStringLiteral("閉じる(&C)")), &QAction::triggered, this,
            [this] { trap("meneFile_Close_Click", [this] { close(); }); });

    QMenu *window = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    window->setObjectName(QStringLiteral("menuWindow"));
    QMenu *order = window->addMenu(QStringLiteral("整列"));
    order->setObjectName(QStringLiteral("menuWindow_Order"));
    connect(addItem(order, "menuWindow_Order_P", QStringLiteral("重ねて表示(&P)")), &QAction::triggered, this,
            [this] { trap("menuWindow_Order_P_Click", [this] { menuWindow_Order_P_Click(); }); });
    connect(addItem(order, "menuWindow_Order_H", QStringLiteral("左右に並べて表示(&H)")), &QAction::triggered, this,
            [this] { trap("menuWindow_Order_H_Click", [this] { menuWindow_Order_H_Click(); }); });
    connect(addItem(order, "menuWindow_Order_V", QStringLiteral("上下に並べて表示(&V)")), &QAction::triggered, this,
            [this] { trap("menuWindow_Order_V_Click", [this] { menuWindow_Order_V_Click(); }); });

    QMenu *size = window->addMenu(QStringLiteral("サイズ"));
    size->setObjectName(QStringLiteral("menuWindow_Size"));
    const QString sizes[] = {QStringLiteral("大"), QStringLiteral("中"), QStringLiteral("小")};
    for (int i = 1; i <= 3; ++i) {
        QAction *item = addItem(size, "menuWindow_Size_Select", sizes[i - 1], i);
        item->setCheckable(true);
        m_sizeItems << item;
        connect(item, &QAction::triggered, this,
                [this, i] { trap("menuWindow_Size_Select_Click", [this, i] { menuWindow_Size_Select_Click(i); }); });
    }

    QMenu *between = window->addMenu(QStringLiteral("表示間隔"));
    between->setObjectName(QStringLiteral("menuWindow_Between"));
    const QString intervals[] = {QStringLiteral("1年"), QStringLiteral("2年"), QStringLiteral("5年"),
                                 QStringLiteral("自動表示(&A)")};
    for (int i = 1; i <= 4; ++i) {
        QAction *item = addItem(between, "menuWindow_Between_Nen", intervals[i - 1], i);
        item->setCheckable(true);
        m_intervalItems << item;
        connect(item, &QAction::triggered, this,
                [this, i] { trap("menuWindow_Between_Nen_Click", [this, i] { menuWindow_Between_Nen_Click(i); }); });
    }

    m_onlyItem = addItem(window, "menuWindow_Only", QStringLiteral("グラフのみを表示"));
    m_onlyItem->setCheckable(true);
    connect(m_onlyItem, &QAction::triggered, this,
            [this] { trap("menuWindow_Only_Click", [this] { menuWindow_Only_Click(); }); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("menuHelp"));
    connect(addItem(help, "menuHelp_Version", QStringLiteral("バージョン情報(&A)")), &QAction::triggered, this,
            [this] { trap("menuHelp_Version_Click", [this] { menuHelp_Version_Click(); }); });
}

void MDIForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    // On a screen smaller than the workspace its buttons would lie beyond the edge.
    keepWithinScreen(this);
    trap("Form_Load", [this] { Form_Load(); });
}

void MDIForm1::Form_Load()
{
    m_slotUsed.fill(false);
    trap("SetControlsColor", [this] { SetControlsColor(); });
    trap("SetSetting", [this] { SetSetting(); });
    const bool read = trap("LoadfrmGraph", [this] { LoadfrmGraph(); });
    gMdiClosing = false;
    setWindowTitle(QStringLiteral("物件名　[") + gPropertyName + QStringLiteral("]"));
    if (!read) {
        // Without its stored plans the workspace would hand out their numbers again:
        // it says so and goes back to the property list once it is on the screen.
        m_lbutAdd->setEnabled(false);
        QMetaObject::invokeMethod(
            this,
            [this] {
                MsgBox::show(kReadFailed, MsgBox::Exclamation, QStringLiteral("Vanrek"), this);
                close();
            },
            Qt::QueuedConnection);
    }
}

void MDIForm1::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutClose, cApl::Exit);
    gApl().SetButLineColor(m_lbutAdd, cApl::New);
}

void MDIForm1::LoadfrmGraph()
{
    const cBase &base = gBase();
    // Both tables are read before any window opens: a workspace that cannot read
    // them all opens none.
    std::vector<std::pair<QString, DaoRows>> plans;
    for (const QString &table : {planTable(PlanType::Parking), planTable(PlanType::Apartment)})
        plans.emplace_back(table, gDao().query(QStringLiteral("SELECT * FROM ") + table +
                                                   QStringLiteral(" WHERE ID1 = ? ORDER BY ID2"),
                                               {m_id1}));
    for (const auto &[table, rows] : plans) {
        for (int i = 0; i < rows.count(); ++i) {
            const int n = base.CvtLng(rows.value(i, QStringLiteral("ID2")));
            // A damaged row must not stop the other plans from opening.
            if (n < 1 || n > kSlots || m_slotUsed[n]) {
                SetErrLog(QStringLiteral("計画番号 %1 (%2) は開けません。").arg(n).arg(table), kObject,
                          QStringLiteral("LoadfrmGraph"));
                continue;
            }
            m_slotUsed[n] = true;
            trap("LoadfrmGraph", [this, n] { openPlanWindow(n); });
        }
    }
    updateAddButton();
}

void MDIForm1::openPlanWindow(int idx)
{
    PlanWindow *window = ShellHooks::createPlanWindow();
    if (!window)
        throw std::runtime_error("計画ウィンドウが組み込まれていません。");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setPro_ID1(m_id1);
    window->setPro_ID2(idx);
    window->setWorkspace(this);
    m_planWindows[idx] = window;
    m_area->addSubWindow(window);
    window->Form_Load();
    window->show();
}

int MDIForm1::firstFreeSlot(const QSet<int> &stored) const
{
    for (int i = 1; i <= kSlots; ++i)
        if (!m_slotUsed[i] && !stored.contains(i))
            return i;
    return 0;
}

void MDIForm1::updateAddButton(const QSet<int> &stored)
{
    m_lbutAdd->setEnabled(firstFreeSlot(stored) != 0);
}

QSet<int> MDIForm1::storedPlanNumbers() const
{
    QStringList selects;
    QVariantList keys;
    // A store plan's record holds its number too, though no form here makes one.
    for (const QString &table : planRowTables() + QStringList{planTable(PlanType::Store)}) {
        selects << QStringLiteral("SELECT ID2 FROM ") + table + QStringLiteral(" WHERE ID1 = ?");
        keys << m_id1;
    }
    const DaoRows rows = gDao().query(selects.join(QStringLiteral(" UNION ")), keys);
    QSet<int> numbers;
    for (int i = 0; i < rows.count(); ++i)
        numbers.insert(gBase().CvtLng(rows.value(i, 0)));
    return numbers;
}

bool MDIForm1::isSlotUsed(int idx) const
{
    return idx >= 1 && idx <= kSlots && m_slotUsed[idx];
}

void MDIForm1::ReleaseID(int idx)
{
    trap("ReleaseID", [this, idx] {
        if (idx < 1 || idx > kSlots)
            throw std::out_of_range("インデックスが有効範囲にありません。");
        m_slotUsed[idx] = false;
        m_lbutAdd->setEnabled(true);
    });
}

QList<PlanWindow *> MDIForm1::planWindows() const
{
    QList<PlanWindow *> out;
    for (QMdiSubWindow *sub : m_area->subWindowList(QMdiArea::CreationOrder))
        if (auto *plan = qobject_cast<PlanWindow *>(sub))
            out << plan;
    return out;
}

void MDIForm1::reloadPlanWindows(const PlanWindow *loaded)
{
    for (PlanWindow *w : planWindows()) {
        if (w == loaded)
            continue;
        w->Init();
        w->ReDraw();
    }
}

void MDIForm1::relayoutPlanWindows()
{
    for (PlanWindow *w : planWindows()) {
        w->Resize();
        w->ReDraw();
    }
}

bool MDIForm1::isClosing() const
{
    return gMdiClosing;
}

void MDIForm1::reportDamagedFile()
{
    if (m_damageReported)
        return;
    m_damageReported = true;
    // Told once the windows that found it are loaded and on the screen.
    QMetaObject::invokeMethod(
        this, [this] { trap("reportDamagedFile", [this] { ShowDamagedFile(this); }); }, Qt::QueuedConnection);
}

void MDIForm1::lbutAdd_Click()
{
    // A number is free only when no table holds rows under it, whatever windows are
    // open: a plan left behind by a failed read or a failed discard keeps its number.
    QSet<int> stored;
    if (!trap("lbutAdd_Click", [this, &stored] { stored = storedPlanNumbers(); })) {
        MsgBox::show(kReadFailed, MsgBox::Exclamation, QStringLiteral("Vanrek"), this);
        return;
    }
    const int idx = firstFreeSlot(stored);
    if (idx != 0) {
        m_slotUsed[idx] = true;
        // Whatever fails below, a number without its window is free again.
        const bool done = trap("lbutAdd_Click", [this, idx] {
            frmType chooser(this);
            chooser.setPro_ID1(m_id1);
            chooser.setPro_ID2(idx);
            chooser.exec();
            if (chooser.Pro_State() == 0) {
                m_slotUsed[idx] = false;
                return;
            }
            openPlanWindow(idx);
            // The new window has just loaded its rows; the others take the new plan's scales.
            reloadPlanWindows(m_planWindows[idx]);
        });
        if (!done && !m_planWindows[idx])
            m_slotUsed[idx] = false;
    }
    updateAddButton(stored);
}

void MDIForm1::menuFile_System_Click()
{
    {
        frmSystem dialog(this);
        dialog.exec();
    }
    ChangeView();
}

void MDIForm1::menuFile_Print_Click()
{
    ShellHooks::showPrinterSettings(this);
}

void MDIForm1::menuHelp_Version_Click()
{
    frmVersion dialog(this);
    dialog.exec();
}

void MDIForm1::closeEvent(QCloseEvent *event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    trap("MDIForm_QueryUnload", [] { gMdiClosing = true; });
    // The plan windows close first, keeping their plans; then the settings are saved.
    m_area->closeAllSubWindows();
    if (!m_area->subWindowList().isEmpty()) {
        gMdiClosing = false;
        event->ignore();
        return;
    }
    m_unloaded = true;
    trap("MDIForm_Unload", [] { trap("SaveSetting", [] { SaveSetting(); }); });
    event->accept();
    Q_EMIT unloaded();
}

void MDIForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    trap("MDIForm_Resize", [this] { MDIForm_Resize(); });
}

bool MDIForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize && !m_backPicture.isNull())
        trap("MDIForm_Resize", [this] { paintBackground(); });
    return QMainWindow::eventFilter(watched, event);
}

bool MDIForm1::focusButtons(bool first)
{
    QWidget *order[] = {m_lbutAdd, m_lbutClose};
    if (!first)
        std::swap(order[0], order[1]);
    for (QWidget *b : order)
        if (b->isEnabled() && b->isVisible()) {
            b->setFocus(first ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    return false;
}

bool MDIForm1::focusNextPrevChild(bool next)
{
    // The buttons and the active plan window form one ring: 新　規, 閉じる, then the
    // window's controls, then 新　規 again.
    QWidget *focused = QApplication::focusWidget();
    QWidget *edge = next ? (m_lbutClose->isEnabled() ? m_lbutClose : m_lbutAdd)
                         : (m_lbutAdd->isEnabled() ? m_lbutAdd : m_lbutClose);
    if (focused == edge)
        if (auto *plan = qobject_cast<PlanWindow *>(m_area->activeSubWindow())) {
            plan->focusEdge(next);
            return true;
        }
    return QMainWindow::focusNextPrevChild(next);
}

void MDIForm1::paintBackground()
{
    const QColor dark = palette().color(QPalette::Dark);
    if (m_backPicture.isNull()) {
        m_area->setBackground(dark);
        return;
    }
    const QSize size = m_area->viewport()->size().expandedTo(QSize(1, 1));
    QPixmap canvas(size);
    canvas.fill(dark);
    QPainter painter(&canvas);
    painter.drawPixmap((size.width() - m_backPicture.width()) / 2, (size.height() - m_backPicture.height()) / 2,
                       m_backPicture);
    painter.end();
    m_area->setBackground(canvas);
}

void MDIForm1::MDIForm_Resize()
{
    const double width = pixelsToTwipsX(this->width());
    m_lbutClose->move(twipsToPixelsX(width - 1500), m_lbutClose->y());
    m_lbutAdd->move(twipsToPixelsX(width - 2850), m_lbutAdd->y());
}

void MDIForm1::SetSetting()
{
    trap("CheckBetweenNen", [this] { CheckBetweenNen(); });
    trap("CheckviewWindowOnly", [this] { CheckviewWindowOnly(); });
    trap("CheckSizeSelect", [this] { CheckSizeSelect(); });
    ChangeView();
}

void MDIForm1::CheckBetweenNen()
{
    for (int i = 1; i <= 4; ++i)
        m_intervalItems.at(i - 1)->setChecked(i == gDispInterval);
}

void MDIForm1::CheckviewWindowOnly()
{
    m_onlyItem->setChecked(gGraphOnly);
}

void MDIForm1::CheckSizeSelect()
{
    for (int i = 1; i <= 3; ++i)
        m_sizeItems.at(i - 1)->setChecked(i == gDispSize);
}

void MDIForm1::ChangeView()
{
    trap("ChangeView", [this] {
        // A file that cannot be read keeps the background shown, and the windows still
        // take their pictures.
        bool ok = true;
        const QPixmap back = PictureFile::picture(gBackImage, &ok);
        if (ok) {
            m_backPicture = back;
            paintBackground();
        } else {
            SetErrLog(QStringLiteral("画像ファイルを読み込めません。(") + gBackImage + QStringLiteral(")"), kObject,
                      QStringLiteral("ChangeView"));
        }
        for (PlanWindow *w : planWindows()) {
            if (!w->applyTypePicture())
                SetErrLog(QStringLiteral("計画 %1 の画像またはアイコンを読み込めません。").arg(w->Pro_ID2().toInt()),
                          kObject, QStringLiteral("ChangeView"));
            w->RefreshView();
        }
        m_area->viewport()->update();
    });
}

void MDIForm1::menuWindow_Between_Nen_Click(int index)
{
    gDispInterval = int16_t(index);
    CheckBetweenNen();
    BuildYearFilter();
    reloadPlanWindows();
}

void MDIForm1::menuWindow_Only_Click()
{
    gGraphOnly = !gGraphOnly;
    CheckviewWindowOnly();
    relayoutPlanWindows();
}

void MDIForm1::menuWindow_Size_Select_Click(int index)
{
    gDispSize = int16_t(index);
    CheckSizeSelect();
    relayoutPlanWindows();
}

void MDIForm1::scrollToCorner()
{
    m_area->horizontalScrollBar()->setValue(0);
    m_area->verticalScrollBar()->setValue(0);
}

void MDIForm1::menuWindow_Order_P_Click()
{
    // A plan window's size is its layout's (Resize): the cascade only moves the windows,
    // one title bar apart, the active one last and in front. A window whose title bar would
    // leave the workspace starts the stack again at the top.
    scrollToCorner();
    QList<PlanWindow *> windows;
    for (PlanWindow *w : planWindows())
        if (!w->isMinimized())
            windows << w;
    if (auto *active = qobject_cast<PlanWindow *>(m_area->activeSubWindow()); windows.removeOne(active))
        windows << active;
    int offset = 0;
    for (PlanWindow *w : windows) {
        const int bar = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
        if (offset > 0 && offset + bar > m_area->viewport()->height())
            offset = 0;
        if (w->isMaximized())
            w->showNormal();
        w->move(offset, offset);
        w->raise();
        offset += bar;
    }
}

void MDIForm1::menuWindow_Order_H_Click()
{
    arrangeInRows(true, pixelsToTwipsX(width()) - 200);
}

void MDIForm1::menuWindow_Order_V_Click()
{
    arrangeInRows(false, pixelsToTwipsY(height()) - pixelsToTwipsY(m_toolbar->height()) - 200);
}

// Lays the plan windows side by side (or one below the other), starting a new row
// (column) when the next one would pass the limit; windows too small to read stay put.
void MDIForm1::arrangeInRows(bool horizontal, double limit)
{
    scrollToCorner();
    double x = 0;
    double y = 0;
    for (PlanWindow *w : planWindows()) {
        const double h = pixelsToTwipsY(w->height());
        const double wd = pixelsToTwipsX(w->width());
        if (!(h > 360 && wd > 2400))
            continue;
        w->move(twipsToPixelsX(x), twipsToPixelsY(y));
        double &along = horizontal ? x : y;
        double &across = horizontal ? y : x;
        along += horizontal ? wd : h;
        if (along > limit) {
            along = 0;
            across += horizontal ? h : wd;
        }
    }
}
