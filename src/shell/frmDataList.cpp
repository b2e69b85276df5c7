#include "frmDataList.h"

#include "DamagedFile.h"
#include "FormButtons.h"
#include "FormControls.h"
#include "FormTrap.h"
#include "Globals.h"
#include "MDIForm1.h"
#include "MsgBox.h"
#include "PropertyListModel.h"
#include "PropertyStore.h"
#include "ShellHooks.h"
#include "Styling.h"
#include "cApl.h"
#include "cBase.h"
#include "frmDataDetail.h"
#include "frmSystem.h"
#include "frmVersion.h"
#include "mdlMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QWindow>

namespace
{

const QString kObject = QStringLiteral("frmDataList");

const FormTrap trap(kObject);

} // namespace

frmDataList::frmDataList(QWidget *parent, bool damageTold) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmDataList"));
    setWindowTitle(QStringLiteral("登録物件一覧"));
    resize(twipsToPixelsX(9600), twipsToPixelsY(6600));

    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_model = new PropertyListModel(this);
    m_model->setObjectName(QStringLiteral("Data1"));
    m_grid = new QTableView(central);
    m_grid->setObjectName(QStringLiteral("TDBGrid"));
    m_grid->setModel(m_model);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    m_lbutNew = FormButtons::create(central, QStringLiteral("lbutNew"), QStringLiteral("新　規"));
    m_lbutSelect = FormButtons::create(central, QStringLiteral("lbutSelect"), QStringLiteral("選　択"));
    m_lbutLineDel = FormButtons::create(central, QStringLiteral("lbutLineDel"), QStringLiteral("削　除"));
    m_lbutClose = FormButtons::create(central, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    setTabOrder(m_grid, m_lbutNew);
    setTabOrder(m_lbutNew, m_lbutSelect);
    setTabOrder(m_lbutSelect, m_lbutLineDel);
    setTabOrder(m_lbutLineDel, m_lbutClose);

    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("menuFile"));
    QAction *system = file->addAction(QStringLiteral("システム設定(&S)"));
    system->setObjectName(QStringLiteral("menuFile_System"));
    QAction *print = file->addAction(QStringLiteral("プリンタ設定(&P)"));
    print->setObjectName(QStringLiteral("menuFile_Print"));
    QAction *close = file->addAction(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("menuFile_Close"));
    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("menuHelp"));
    QAction *version = help->addAction(QStringLiteral("バージョン情報(&A)"));
    version->setObjectName(QStringLiteral("menuHelp_Version"));

    connect(system, &QAction::triggered, this,
            [this] { trap("menuFile_System_Click", [this] { menuFile_System_Click(); }); });
    connect(print, &QAction::triggered, this,
            [this] { trap("menuFile_Print_Click", [this] { menuFile_Print_Click(); }); });
    connect(close, &QAction::triggered, this, [this] { trap("menuFile_Close_Click", [this] { this->close(); }); });
    connect(version, &QAction::triggered, this,
            [this] { trap("menuHelp_Version_Click", [this] { menuHelp_Version_Click(); }); });
    FormButtons::onClick(m_lbutNew, this, [this] { trap("lbutNew_Click", [this] { lbutNew_Click(); }); });
    FormButtons::onClick(m_lbutSelect, this, [this] { trap("lbutSelect_Click", [this] { lbutSelect_Click(); }); });
    FormButtons::onClick(m_lbutLineDel, this, [this] { trap("lbutLineDel_Click", [this] { lbutLineDel_Click(); }); });
    FormButtons::onClick(m_lbutClose, this, [this] { trap("lbutClose_Click", [this] { this->close(); }); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        trap("TDBGrid_SelChange", [this] {
            if (isVisible())
                m_grid->setFocus();
        });
    });

    trap("Form_Load", [this, damageTold] { Form_Load(damageTold); });
}

frmDataList::~frmDataList() = default;

MDIForm1 *frmDataList::workspace() const
{
    return m_workspace.data();
}

void frmDataList::Form_Load(bool damageTold)
{
    m_damageTold = damageTold;
    trap("SetControlsColor", [this] { SetControlsColor(); });
    SetGridStyle(this, m_grid);
    trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
    InitAndCheck();
}

// Init and CheckRecordCount, each under its own trap, so that the buttons follow a list
// that could not be read. An empty list must not pass for a register without properties.
void frmDataList::InitAndCheck()
{
    const bool damaged = trap.failsOnDamage("Init", [this] { Init(); });
    trap("CheckRecordCount", [this] { CheckRecordCount(); });
    if (damaged)
        ShowDamagedFileOnce(this, m_damageTold);
}

void frmDataList::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutNew, cApl::New);
    gApl().SetButLineColor(m_lbutSelect, cApl::Detail);
    gApl().SetButLineColor(m_lbutLineDel, cApl::Delete);
    gApl().SetButLineColor(m_lbutClose, cApl::Exit);
}

void frmDataList::SetTDBGridColumns()
{
    m_grid->verticalHeader()->setVisible(false);
    m_grid->setColumnHidden(PropertyListModel::ColID1, true);
    const int numberWidth = twipsToPixelsX(CalcColWidth(m_grid->font().pointSizeF(), 10));
    m_grid->setColumnWidth(PropertyListModel::ColArea, numberWidth);
    m_grid->setColumnWidth(PropertyListModel::ColValue, numberWidth);
    const int scrollBar = m_grid->verticalScrollBar()->sizeHint().width();
    const int nameWidth =
        m_grid->width() - (2 * numberWidth + scrollBar) - twipsToPixelsX(10 * 3) - 2 * m_grid->frameWidth();
    m_grid->setColumnWidth(PropertyListModel::ColName, std::max(nameWidth, twipsToPixelsX(1500)));
}

void frmDataList::Init()
{
    m_model->reload();
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, PropertyListModel::ColName));
}

void frmDataList::CheckRecordCount()
{
    const bool any = m_model->rowCount() != 0;
    m_lbutLineDel->setEnabled(any);
    m_lbutSelect->setEnabled(any);
}

int frmDataList::currentRow() const
{
    // The row past the last one stands for "no property": it is where an empty list stands.
    const int count = m_model->rowCount();
    if (count == 0)
        return 0;
    const int row = m_grid->currentIndex().row();
    return row < 0 ? 0 : row;
}

void frmDataList::layoutControls()
{
    FormControls::gridAboveButtons(centralWidget(), m_grid, {m_lbutClose, m_lbutLineDel, m_lbutSelect, m_lbutNew}, 120);
}

void frmDataList::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutControls();
    trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
}

void frmDataList::lbutNew_Click()
{
    int registered = 0;
    {
        frmDataDetail detail(this);
        detail.exec();
        registered = detail.registeredID1();
    }
    // The property just registered must not seem lost: the user is told why it does not show,
    // even when told before.
    if (registered != 0)
        m_damageTold = false;
    InitAndCheck();
}

void frmDataList::lbutSelect_Click()
{
    const int count = m_model->rowCount();
    if (count == 0) {
        lbutNew_Click();
        return;
    }
    if (!m_lbutSelect->isEnabled() || m_workspace)
        return;
    const PropertyListModel::Row &row = m_model->row(currentRow());
    auto *workspace = new MDIForm1;
    workspace->setPro_ID1(gBase().CvtLng(row.id1));
    gPropertyName = gBase().CvtStr(row.name);
    connect(workspace, &MDIForm1::unloaded, this, [this] { trap("ShowAgain", [this] { showAgain(); }); });
    m_workspace = workspace;
    m_returnID1 = row.id1;
    m_returnScroll = m_grid->verticalScrollBar()->value();
    hide();
    workspace->show();
}

// The list comes back where the user left it, on the property that was opened.
void frmDataList::showAgain()
{
    // A window shown again is placed anew by the window manager unless its position
    // is marked as chosen; the user chose it by moving the window.
    if (QWindow *window = windowHandle())
        window->setPosition(window->position());
    show();
    for (int i = 0; i < m_model->rowCount(); ++i) {
        if (m_model->row(i).id1 == m_returnID1) {
            m_grid->setCurrentIndex(m_model->index(i, PropertyListModel::ColName));
            break;
        }
    }
    m_grid->verticalScrollBar()->setValue(m_returnScroll);
    m_grid->setFocus();
    // The workspace is still closing and holds the activation: take it once it has gone.
    QTimer::singleShot(0, this, [this] {
        activateWindow();
        m_grid->setFocus();
    });
}

void frmDataList::lbutLineDel_Click()
{
    if (m_model->rowCount() == 0)
        return;
    const PropertyListModel::Row &row = m_model->row(currentRow());
    const QString name = gBase().CvtStr(row.name);
    const int answer =
        MsgBox::show(QStringLiteral("削除してよろしいですか？\r\n\r\n物件名 [") + name + QStringLiteral("]"),
                     MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2, QStringLiteral("確認"), this);
    if (answer != MsgBox::Yes)
        return;
    try {
        PropertyStore::deleteProperty(gBase().CvtLng(row.id1));
    } catch (const std::exception &e) {
        SetErrLog(errorLogText(e), kObject, QStringLiteral("DeleteData"));
        MsgBox::show(QStringLiteral("物件データの削除に失敗しました。"), MsgBox::Critical, QStringLiteral("Vanrek"),
                     this);
    }
    InitAndCheck();
}

void frmDataList::menuFile_System_Click()
{
    frmSystem dialog(this);
    dialog.exec();
}

void frmDataList::menuFile_Print_Click()
{
    ShellHooks::showPrinterSettings(this);
}

void frmDataList::menuHelp_Version_Click()
{
    frmVersion dialog(this);
    dialog.exec();
}

bool frmDataList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        trap("TDBGrid_DblClick", [this] { lbutSelect_Click(); });
        return true;
    }
    if (watched != m_grid)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        trap("TDBGrid_GotFocus", [this] { SetGridMarquee(m_grid, true); });
        break;
    case QEvent::FocusOut:
        trap("TDBGrid_LostFocus", [this] { SetGridMarquee(m_grid, false); });
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        bool handled = false;
        trap("TDBGrid_KeyDown", [this, key, &handled] {
            const int count = m_model->rowCount();
            const int row = count == 0 ? 0 : currentRow();
            switch (key) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                handled = true;
                if (count == 0)
                    lbutNew_Click();
                else if (m_lbutSelect->isEnabled())
                    lbutSelect_Click();
                break;
            case Qt::Key_Delete:
                if (count != 0 && m_lbutLineDel->isEnabled()) {
                    handled = true;
                    lbutLineDel_Click();
                }
                break;
            case Qt::Key_Up:
                // The first displayed row, also when the list is scrolled.
                if (count == 0 || row <= m_grid->rowAt(0)) {
                    handled = true;
                    m_lbutClose->setFocus(Qt::BacktabFocusReason);
                }
                break;
            case Qt::Key_Down:
                if (count == 0) {
                    handled = true;
                    m_lbutNew->setFocus(Qt::TabFocusReason);
                }
                break;
            default:
                break;
            }
        });
        return handled;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmDataList::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    bool goOn = false;
    trap("Form_QueryUnload", [this, &goOn] { goOn = Form_QueryUnload(); });
    if (!goOn || !Form_Unload()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    Q_EMIT shutDown();
}

bool frmDataList::Form_QueryUnload()
{
    return MsgBox::show(QStringLiteral("システムを終了しますか？"), MsgBox::YesNo | MsgBox::Information,
                        QStringLiteral("Vanrek"), this) == MsgBox::Yes;
}

bool frmDataList::Form_Unload()
{
    bool refused = false;
    trap("Form_Unload", [this, &refused] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == this || !w->isVisible() || w->windowType() == Qt::Desktop)
                continue;
            if (!w->close())
                refused = true;
        }
    });
    if (refused)
        return false;
    // The database closes with its connection object.
    releaseGlobals();
    return true;
}
