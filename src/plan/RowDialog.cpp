#include "RowDialog.h"

#include "FormButtons.h"
#include "FormControls.h"
#include "Globals.h"
#include "MsgBox.h"
#include "RowGrid.h"
#include "Styling.h"
#include "VbControl.h"
#include "cApl.h"
#include "cBase.h"
#include "cFrmCtrl.h"
#include "mdlMain.h"

#include <QGuiApplication>
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
    : EntryDialog(name, parent), m_gridName(ownerGrid), m_setting(setting)
{
    setWindowTitle(caption);
    m_lbutAdd = FormButtons::create(this, QStringLiteral("lbutAdd"), QStringLiteral("登　録"));
    m_lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    FormButtons::onClick(m_lbutAdd, this, [this] { trap()("lbutAdd_Click", [this] { lbutAdd_Click(); }); });
    FormButtons::onClick(m_lbutClose, this, [this] { trap()("lbutClose_Click", [this] { lbutClose_Click(); }); });
}

void RowDialog::placeButtons(int right, int top)
{
    FormControls::place(m_lbutClose, right - kButtonWidth, top, kButtonWidth, kButtonHeight);
    FormControls::place(m_lbutAdd, right - 2 * kButtonWidth - kButtonGap, top, kButtonWidth, kButtonHeight);
}

void RowDialog::SetOwnerForm(QWidget *owner)
{
    trap()("SetOwnerForm", [&] {
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
        unload(QDialog::Accepted);
    return !isUnloaded();
}

void RowDialog::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    trap()("Form_Load", [this] {
        VbControl::setKeyPreview(this, true);
        createController();
        SetInputCtrlStyle(this);
        trap()("SetControlsColor", [this] {
            gApl().SetButLineColor(m_lbutAdd, cApl::New);
            gApl().SetButLineColor(m_lbutClose, cApl::Exit);
            SetControlsColor();
        });
        trap()("InitCombo", [this] { InitCombo(); });
        trap()("Init", [this] { Init(); });
        ctrl()->FlagClear();
        ctrl()->GetDataDefault();
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
    if (trap()("SaveRecord", [this] {
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
    if (m_busy || isUnloaded() || !ctrl())
        return;
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    const int startRow = m_grid ? m_grid->Row() : -1;
    const bool continuous = gBase().CvtInt(IniValue(QStringLiteral("SETTING"), m_setting)) == 1;
    if (!continuous) {
        if (ctrl()->DataChanged()) {
            if (!saveChecked())
                return;
            putOwnerGridBack(startRow);
        }
        unload(QDialog::Accepted);
        return;
    }
    if (ctrl()->DataChanged()) {
        if (!saveChecked())
            return;
        if (m_grid)
            m_grid->Requery();
    }
    // The next row follows from this row's key, not from where the grid stands: a
    // new row left empty (beyond the rows stored) ends the entry.
    const int count = m_grid ? m_grid->RecordCount() : 0;
    if (isLastRow(count) || rowIndex() >= count) {
        unload(QDialog::Accepted);
        return;
    }
    nextRow();
    ctrl()->DataClear();
    if (m_grid)
        m_grid->setRow(rowIndex());
    trap()("Init", [this] { Init(); });
    ctrl()->FlagClear();
    ctrl()->GetDataDefault();
    firstInput()->setFocus();
}

void RowDialog::lbutClose_Click()
{
    if (m_busy || isUnloaded())
        return;
    if (!ctrl()) {
        unload(QDialog::Accepted);
        return;
    }
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    if (ctrl()->DataChanged()) {
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
    unload(QDialog::Accepted);
}
