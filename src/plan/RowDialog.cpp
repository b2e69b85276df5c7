#include "RowDialog.h"

#include "FormButtons.h"
#include "Globals.h"
#include "MsgBox.h"
#include "RowGrid.h"
#include "Styling.h"
#include "VbControl.h"
#include "cApl.h"
#include "cBase.h"
#include "cFrmCtrl.h"
#include "cIni.h"
#include "mdlMain.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScreen>

namespace
{
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 105;
} // namespace

RowDialog::RowDialog(const QString &name, const QString &caption, const QString &ownerGrid, const QString &setting,
                     QWidget *parent)
    : QDialog(parent), m_trap(name), m_gridName(ownerGrid), m_setting(setting)
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_lbutAdd = FormButtons::create(this, QStringLiteral("lbutAdd"), QStringLiteral("登　録"));
    m_lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    FormButtons::onClick(m_lbutAdd, this, [this] { m_trap("lbutAdd_Click", [this] { lbutAdd_Click(); }); });
    FormButtons::onClick(m_lbutClose, this, [this] { m_trap("lbutClose_Click", [this] { lbutClose_Click(); }); });
}

RowDialog::~RowDialog()
{
    Form_Unload();
}

void RowDialog::placeButtons(int right, int top)
{
    m_lbutClose->setGeometry(twipsToPixelsX(right - kButtonWidth), twipsToPixelsY(top), twipsToPixelsX(kButtonWidth),
                             twipsToPixelsY(kButtonHeight));
    m_lbutAdd->setGeometry(twipsToPixelsX(right - 2 * kButtonWidth - kButtonGap), twipsToPixelsY(top),
                           twipsToPixelsX(kButtonWidth), twipsToPixelsY(kButtonHeight));
}

QString RowDialog::setting(const QString &section, const QString &key)
{
    cIni &ini = gIni();
    ini.setPro_IniPath(QDir(AppPath()).filePath(QStringLiteral("Vanrek.ini")));
    return ini.GetIniStr(section, key);
}

void RowDialog::SetOwnerForm(QWidget *owner)
{
    m_trap("SetOwnerForm", [&] {
        m_owner = owner;
        m_grid = owner ? owner->findChild<RowGrid *>(m_gridName) : nullptr;
    });
}

void RowDialog::showModal()
{
    Form_Load();
    if (Form_Activate())
        exec();
}

bool RowDialog::Form_Activate()
{
    if (!m_grid)
        unload();
    return !m_unloaded;
}

void RowDialog::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_trap("Form_Load", [this] {
        VbControl::setKeyPreview(this, true);
        m_ctrl = new cFrmCtrl(this);
        m_ctrl->ControlForm(this);
        m_ctrl->DataClear();
        SetInputCtrlStyle(this);
        m_trap("SetControlsColor", [this] {
            gApl().SetButLineColor(m_lbutAdd, cApl::New);
            gApl().SetButLineColor(m_lbutClose, cApl::Exit);
            SetControlsColor();
        });
        m_trap("InitCombo", [this] { InitCombo(); });
        m_trap("Init", [this] { Init(); });
        m_ctrl->FlagClear();
        m_ctrl->GetDataDefault();
        // The window stays on the screen, wherever the owner stands.
        QPoint at(twipsToPixelsX(m_left), twipsToPixelsY(m_top));
        if (const QScreen *screen = QGuiApplication::screenAt(at)) {
            const QRect area = screen->availableGeometry();
            at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() - width())));
            at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() - height())));
        }
        move(at);
    });
}

bool RowDialog::saveChecked()
{
    if (!checkInput())
        return false;
    if (m_trap("SaveRecord", [this] {
            SaveRecord();
            m_state = true;
        }))
        return true;
    // The row typed is kept in the dialog rather than lost without a word.
    MsgBox::show(QStringLiteral("データの登録中にエラーが発生しました。"), MsgBox::Exclamation, windowTitle(), this);
    return false;
}

void RowDialog::putOwnerGridBack(int startRow)
{
    if (!m_grid)
        return;
    m_grid->Requery();
    m_grid->setRow(startRow < 0 ? 0 : startRow);
}

void RowDialog::lbutAdd_Click()
{
    if (m_busy || m_unloaded || !m_ctrl)
        return;
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    const int startRow = m_grid ? m_grid->Row() : -1;
    const bool continuous = gBase().CvtInt(setting(QStringLiteral("SETTING"), m_setting)) == 1;
    if (!continuous) {
        if (m_ctrl->DataChanged()) {
            if (!saveChecked())
                return;
            putOwnerGridBack(startRow);
        }
        unload();
        return;
    }
    if (m_ctrl->DataChanged()) {
        if (!saveChecked())
            return;
        if (m_grid)
            m_grid->Requery();
    }
    // The next row follows from this row's key, not from where the grid stands: a
    // new row left empty (beyond the rows stored) ends the entry.
    const int count = m_grid ? m_grid->RecordCount() : 0;
    if (isLastRow(count) || rowIndex() >= count) {
        unload();
        return;
    }
    nextRow();
    m_ctrl->DataClear();
    if (m_grid)
        m_grid->setRow(rowIndex());
    m_trap("Init", [this] { Init(); });
    m_ctrl->FlagClear();
    m_ctrl->GetDataDefault();
    firstInput()->setFocus();
}

void RowDialog::lbutClose_Click()
{
    if (m_busy || m_unloaded)
        return;
    if (!m_ctrl) {
        unload();
        return;
    }
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    if (m_ctrl->DataChanged()) {
        const int answer =
            MsgBox::show(QStringLiteral("データが入力されていますが、登録しますか？"),
                         MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2, QStringLiteral("確認"), this);
        if (answer == MsgBox::Yes) {
            const int startRow = m_grid ? m_grid->Row() : -1;
            if (!saveChecked())
                return;
            putOwnerGridBack(startRow);
        }
    }
    unload();
}

void RowDialog::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    done(QDialog::Accepted);
}

void RowDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape would drop what was typed without the close button's question.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RowDialog::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        m_trap("lbutClose_Click", [this] { lbutClose_Click(); });
    if (m_unloaded)
        event->accept();
    else
        event->ignore();
}

void RowDialog::Form_Unload()
{
    m_trap("Form_Unload", [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
