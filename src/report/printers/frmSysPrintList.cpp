#include "frmSysPrintList.h"

#include "DamagedFile.h"
#include "FormButtons.h"
#include "FormControls.h"
#include "FormTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "PrinterListModel.h"
#include "PrinterSettingStore.h"
#include "Styling.h"
#include "cApl.h"
#include "cBase.h"
#include "cDao.h"
#include "cPrinter.h"
#include "cSystem.h"
#include "frmSysPrintDtl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

namespace
{

const QString kObject = QStringLiteral("frmSysPrintList");
const FormTrap trap(kObject);

/// The hourglass while the list reads or the editor loads.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

frmSysPrintList::frmSysPrintList(const QString &appFolder, QWidget *parent) : QDialog(parent), m_appFolder(appFolder)
{
    setObjectName(kObject);
    setWindowTitle(QStringLiteral("プリンタ設定一覧"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(gothicFont(9));
    resize(twipsToPixelsX(8400), twipsToPixelsY(5400));

    m_model = new PrinterListModel(this);
    m_model->setObjectName(QStringLiteral("DataList"));
    TDBGrid = new QTableView(this);
    TDBGrid->setObjectName(QStringLiteral("TDBGrid"));
    TDBGrid->setModel(m_model);
    TDBGrid->installEventFilter(this);
    TDBGrid->viewport()->installEventFilter(this);
    lbutNew = FormButtons::create(this, QStringLiteral("lbutNew"), QStringLiteral("新　規"));
    lbutDtl = FormButtons::create(this, QStringLiteral("lbutDtl"), QStringLiteral("詳　細"));
    lbutDel = FormButtons::create(this, QStringLiteral("lbutDel"), QStringLiteral("行削除"));
    lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    setTabOrder(TDBGrid, lbutNew);
    setTabOrder(lbutNew, lbutDtl);
    setTabOrder(lbutDtl, lbutDel);
    setTabOrder(lbutDel, lbutClose);
    FormButtons::onClick(lbutNew, this, [this] { trap("lbutNew_Click", [this] { lbutNew_Click(); }); });
    FormButtons::onClick(lbutDtl, this, [this] { trap("lbutDtl_Click", [this] { lbutDtl_Click(); }); });
    FormButtons::onClick(lbutDel, this, [this] { trap("lbutDel_Click", [this] { lbutDel_Click(); }); });
    FormButtons::onClick(lbutClose, this, [this] { trap("lbutClose_Click", [this] { close(); }); });

    trap("Form_Load", [this] { Form_Load(); });
}

frmSysPrintList::~frmSysPrintList() = default;

void frmSysPrintList::Form_Load()
{
    trap("SetControlsColor", [this] { SetControlsColor(); });
    SetGridStyle(this, TDBGrid);
    // An empty list must not pass for a table without settings.
    if (trap.failsOnDamage("Init", [this] { Init(); }))
        ShowDamagedFileOnce(this, m_damageTold);
    trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
}

void frmSysPrintList::SetControlsColor()
{
    gApl().SetButLineColor(lbutClose, cApl::Exit);
    gApl().SetButLineColor(lbutNew, cApl::New);
    gApl().SetButLineColor(lbutDtl, cApl::Detail);
    gApl().SetButLineColor(lbutDel, cApl::Delete);
}

void frmSysPrintList::Init()
{
    const WaitCursor wait;
    m_osFlag = cSystem().IsWindowsNT() ? 1 : 2;
    // A list that cannot be read opens empty, with only "新　規" to offer.
    try {
        m_model->reload(m_osFlag);
    } catch (...) {
        CheckRecordCount();
        throw;
    }
    CheckRecordCount();
    if (m_model->rowCount() > 0)
        TDBGrid->setCurrentIndex(m_model->index(0, PrinterListModel::ColReportName));
}

void frmSysPrintList::SetTDBGridColumns()
{
    TDBGrid->verticalHeader()->setVisible(false);
    TDBGrid->setColumnHidden(PrinterListModel::ColID, true);
    const double fontSize = TDBGrid->font().pointSizeF();
    const int nameWidth = twipsToPixelsX(CalcColWidth(fontSize, 20));
    const int modeWidth = twipsToPixelsX(CalcColWidth(fontSize, 7));
    TDBGrid->setColumnWidth(PrinterListModel::ColReportName, nameWidth);
    TDBGrid->setColumnWidth(PrinterListModel::ColPrintMode, modeWidth);
    if (!TDBGrid->itemDelegateForColumn(PrinterListModel::ColPrintMode)) {
        const std::pair<const char *, const char16_t *> items[] = {{"0", u"選択"},       {"1", u"印刷"},
                                                                   {"2", u"プレビュー"}, {"3", u"選択+PDF"},
                                                                   {"4", u"全て"},       {"9", u"確認なし"}};
        for (const auto &[value, text] : items)
            AddGridValueItem(TDBGrid, PrinterListModel::ColPrintMode, QString::fromLatin1(value),
                             QString::fromUtf16(text), false, true);
    }
    // The printer name takes what the other columns and the scroll bar leave.
    const int scrollBar = TDBGrid->verticalScrollBar()->sizeHint().width();
    const int rest = TDBGrid->width() - 2 * TDBGrid->frameWidth() - scrollBar - nameWidth - modeWidth;
    TDBGrid->setColumnWidth(PrinterListModel::ColPrinterName, std::max(rest, twipsToPixelsX(1500)));
}

void frmSysPrintList::CheckRecordCount()
{
    const bool any = m_model->rowCount() >= 1;
    lbutDtl->setEnabled(any);
    lbutDel->setEnabled(any);
}

void frmSysPrintList::RequeryList()
{
    // A list that cannot be read again shows empty: the buttons follow it, and a damaged
    // file is told, once since the window opened.
    if (trap.failsOnDamage("RequeryList", [this] { m_model->reload(m_osFlag); }))
        ShowDamagedFileOnce(this, m_damageTold);
    if (m_model->rowCount() > 0)
        TDBGrid->setCurrentIndex(m_model->index(0, PrinterListModel::ColReportName));
}

int frmSysPrintList::currentRow() const
{
    const int row = TDBGrid->currentIndex().row();
    return row < 0 || row >= m_model->rowCount() ? (m_model->rowCount() > 0 ? 0 : -1) : row;
}

bool frmSysPrintList::currentRowHasID() const
{
    const int row = currentRow();
    return row >= 0 && gBase().StrLen(m_model->row(row).id) > 0;
}

void frmSysPrintList::openEditor(int32_t id, bool isEdit, bool &busy)
{
    if (busy)
        return;
    busy = true;
    frmSysPrintDtl editor(m_appFolder, this);
    DetailForm = &editor;
    connect(&editor, &frmSysPrintDtl::DeleteData, this,
            [this](bool &cancel) { trap("DetailForm_DeleteData", [&] { DetailForm_DeleteData(cancel); }); });
    {
        const WaitCursor wait;
        editor.SetData(id, isEdit, m_osFlag);
    }
    editor.exec();
    DetailForm = nullptr;
    busy = false;
    const WaitCursor wait;
    RequeryList();
    CheckRecordCount();
}

void frmSysPrintList::lbutNew_Click()
{
    openEditor(0, false, m_newBusy);
}

void frmSysPrintList::lbutDtl_Click()
{
    const int row = currentRow();
    if (row < 0)
        return;
    openEditor(gBase().CvtLng(m_model->row(row).id), true, m_detailBusy);
}

void frmSysPrintList::lbutDel_Click()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (gBase().CvtStr(m_model->row(row).reportName) == cPrinter::StandardReportName) {
        MsgBox::show(QStringLiteral("[") + cPrinter::StandardReportName + QStringLiteral("]は削除出来ません。"),
                     MsgBox::Exclamation | MsgBox::OKOnly, QStringLiteral("警告"), this);
        return;
    }
    DeleteRow();
}

bool frmSysPrintList::DeleteRow()
{
    const int row = currentRow();
    if (row < 0)
        return false;
    const auto cell = [this, row](int column) { return m_model->index(row, column).data().toString(); };
    const auto heading = [this](int column) { return m_model->headerData(column, Qt::Horizontal).toString(); };
    const QString prompt = QStringLiteral("データを削除します。\r\r") + heading(PrinterListModel::ColReportName) +
                           QStringLiteral("[") + cell(PrinterListModel::ColReportName) + QStringLiteral("] ") +
                           heading(PrinterListModel::ColPrinterName) + QStringLiteral("[") +
                           cell(PrinterListModel::ColPrinterName) + QStringLiteral("]\r");
    if (MsgBox::show(prompt, MsgBox::YesNo | MsgBox::DefaultButton2 | MsgBox::Information, QStringLiteral("データ削除"),
                     this) != MsgBox::Yes)
        return false;
    QString error;
    bool deleted = false;
    try {
        const WaitCursor wait;
        deleted = DeleteRecord();
        if (deleted) {
            RequeryList();
            TDBGrid->viewport()->update();
            CheckRecordCount();
        }
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
        // The box has the user's words; the log keeps the engine's too.
        writeErrLog(errorLogText(e), kObject, QStringLiteral("DeleteRow"));
    }
    if (!deleted && !error.isEmpty())
        MsgBox::show(QStringLiteral("データ削除中にエラーが発生しました。\r") + error, MsgBox::Critical,
                     QStringLiteral("データ削除"), this);
    return deleted;
}

bool frmSysPrintList::DeleteRecord()
{
    // A failed statement throws: rolled back, with the database's text.
    return PrinterSettingStore::remove(gBase().CvtLng(m_model->row(currentRow()).id)) >= 1;
}

void frmSysPrintList::DetailForm_DeleteData(bool &Cancel)
{
    Cancel = !DeleteRow();
}

void frmSysPrintList::layoutControls()
{
    FormControls::gridAboveButtons(this, TDBGrid, {lbutClose, lbutDel, lbutDtl, lbutNew}, 90);
}

void frmSysPrintList::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutControls();
    trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
}

bool frmSysPrintList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TDBGrid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        // Only a double-click on the rows acts; an empty list offers a new row.
        const bool onRow = TDBGrid->indexAt(pos).isValid();
        trap("TDBGrid_DblClick", [this, onRow] {
            if (onRow && currentRowHasID())
                lbutDtl_Click();
            else if (m_model->rowCount() == 0)
                lbutNew_Click();
        });
        return true;
    }
    if (watched != TDBGrid)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        trap("TDBGrid_GotFocus", [this] { SetGridMarquee(TDBGrid, true); });
        break;
    case QEvent::FocusOut:
        trap("TDBGrid_LostFocus", [this] { SetGridMarquee(TDBGrid, false); });
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            break;
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        trap("TDBGrid_KeyDown", [this, ctrl] {
            if (ctrl || !currentRowHasID())
                lbutNew_Click();
            else
                lbutDtl_Click();
        });
        // The grid does not act on the key as well.
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
