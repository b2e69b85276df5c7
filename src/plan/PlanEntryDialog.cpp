#include "PlanEntryDialog.h"

#include "FormButtons.h"
#include "FormControls.h"
#include "FormSurface.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "LoanGridModel.h"
#include "MsgBox.h"
#include "PlanRecord.h"
#include "RowDialog.h"
#include "RowGrid.h"
#include "RowGridModel.h"
#include "Styling.h"
#include "VbRuntime.h"
#include "cApl.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cDao.h"
#include "cFrmCtrl.h"
#include "mdlMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QScopeGuard>

#include <limits>
#include <stdexcept>

PlanEntryDialog::PlanEntryDialog(const QString &name, const QString &caption, QWidget *parent)
    : EntryDialog(name, parent), m_caption(caption)
{
    setWindowTitle(caption);
    m_surface = new FormSurface(this);
    m_lbutAdd = FormButtons::create(surface(), QStringLiteral("lbutAdd"), QStringLiteral("登　録"));
    m_lbutClose = FormButtons::create(surface(), QStringLiteral("lbutClose"), QStringLiteral("ｷｬﾝｾﾙ"));
    FormButtons::onClick(m_lbutAdd, this, trap().handler("lbutAdd_Click", [this] { lbutAdd_Click(); }));
    FormButtons::onClick(m_lbutClose, this, trap().handler("lbutClose_Click", [this] { lbutClose_Click(); }));
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        // The rules run as a box is left for another control of this form, after the
        // box has put its value into range; not when the window loses the focus.
        if (old && now && ctrl() && !isUnloaded() && isAncestorOf(now))
            focusLeft(old);
    });
}

QWidget *PlanEntryDialog::surface() const
{
    return m_surface->surface();
}

void PlanEntryDialog::setFormSize(int width, int height)
{
    m_surface->setLayoutSize(QSize(twipsToPixelsX(width), twipsToPixelsY(height)));
}

void PlanEntryDialog::showModal()
{
    Form_Load();
    if (!isUnloaded())
        exec();
}

void PlanEntryDialog::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    trap()("Form_Load", [this] {
        createController();
        SetInputCtrlStyle(this);
        loadPlan();
        ctrl()->FlagClear();
        ctrl()->GetDataDefault();
        afterSnapshot();
    });
    if (m_readFailed) {
        // A plan shown without its rows would be registered without them.
        MsgBox::show(QStringLiteral("データの読み込みに失敗しました。"), MsgBox::Exclamation, m_caption,
                     parentWidget());
        m_state = false;
        unload(QDialog::Rejected);
    }
}

PlanEntryDialog::RowButtons PlanEntryDialog::createRowButtons(QWidget *frame, const char *newRow, const char *detail,
                                                              const char *lineDel, int right, int top)
{
    constexpr int width = 1215, height = 375;
    RowButtons b;
    b.newRow = FormButtons::create(frame, QString::fromLatin1(newRow), QStringLiteral("新　規"));
    b.detail = FormButtons::create(frame, QString::fromLatin1(detail), QStringLiteral("詳　細"));
    b.lineDel = FormButtons::create(frame, QString::fromLatin1(lineDel), QStringLiteral("行削除"));
    FormControls::place(b.newRow, right - 3 * width, top, width, height);
    FormControls::place(b.detail, right - 2 * width, top, width, height);
    FormControls::place(b.lineDel, right - width, top, width, height);
    return b;
}

void PlanEntryDialog::SetButtonColors(std::initializer_list<RowButtons> rows)
{
    cApl &apl = gApl();
    for (const RowButtons &b : rows) {
        apl.SetButLineColor(b.newRow, cApl::New);
        apl.SetButLineColor(b.detail, cApl::Detail);
        apl.SetButLineColor(b.lineDel, cApl::Delete);
    }
    apl.SetButLineColor(m_lbutAdd, cApl::New);
    apl.SetButLineColor(m_lbutClose, cApl::Exit);
}

void PlanEntryDialog::setStyle(QWidget *control, int style) const
{
    if (cCtrls *c = ctrl() ? ctrl()->ControlItem(control) : nullptr)
        c->setStyle(style);
}

bool PlanEntryDialog::CheckFunding(const QVariant &budget, int64_t ownFunds, const LoanGridModel *loans)
{
    const cBase &base = gBase();
    // The loans as the grid shows them.
    int64_t funds = ownFunds;
    for (const LoanRecord &r : loans->records())
        funds += base.CvtLng(r.amount);
    if (funds > std::numeric_limits<int32_t>::max())
        throw std::overflow_error("オーバーフローしました。");
    if (base.CvtLng(budget) == funds)
        return true;
    return MsgBox::show(QStringLiteral("費用と予算が一致していませんが、データを登録しますか？"),
                        MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2, QStringLiteral("確認"),
                        this) == MsgBox::Yes;
}

namespace
{

// The form's controls by object name, looked up once for a whole record.
QHash<QString, QWidget *> controlsByName(const QWidget *form)
{
    QHash<QString, QWidget *> controls;
    for (QWidget *w : form->findChildren<QWidget *>())
        if (!controls.contains(w->objectName()))
            controls.insert(w->objectName(), w);
    return controls;
}

} // namespace

void PlanEntryDialog::showRecord(const PlanRecord &record)
{
    const auto stored = record.read(gDao(), m_id1, m_id2);
    if (!stored)
        return;
    const QHash<QString, QWidget *> controls = controlsByName(this);
    for (int i = 0; i < record.fields().size(); ++i) {
        const PlanRecord::Field &f = record.fields().at(i);
        const QVariant shown = PlanRecord::shownValue(f, stored->at(i));
        QWidget *control = controls.value(f.control);
        if (auto *number = qobject_cast<ImNumber *>(control)) {
            number->setValue(shown);
        } else if (auto *text = qobject_cast<ImText *>(control)) {
            text->setText(shown.toString());
        } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
            check->setChecked(shown.toInt() != 0);
        } else if (auto *list = qobject_cast<QComboBox *>(control)) {
            // An index beyond the list selects the first entry, and the load goes on.
            const int index = shown.toInt();
            selectEntry(list, index < list->count() ? index : 0);
        }
    }
}

QVector<QVariant> PlanEntryDialog::recordValues(const PlanRecord &record) const
{
    const QHash<QString, QWidget *> controls = controlsByName(this);
    QVector<QVariant> values;
    values.reserve(record.fields().size());
    for (const PlanRecord::Field &f : record.fields()) {
        QWidget *w = controls.value(f.control);
        if (auto *number = qobject_cast<ImNumber *>(w))
            values << number->Value();
        else if (auto *text = qobject_cast<ImText *>(w))
            values << text->Text();
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            values << (check->isChecked() ? 1 : 0);
        else if (auto *list = qobject_cast<QComboBox *>(w))
            values << list->currentIndex();
        else
            values << QVariant();
    }
    return values;
}

void PlanEntryDialog::selectEntry(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
}

void PlanEntryDialog::SetThingData(ImNumber *const sikiti[4])
{
    const DaoRows rs = gDao().query(QStringLiteral("SELECT * FROM D_物件 WHERE ID1 = ?"), {m_id1});
    if (rs.isEmpty())
        return;
    const cBase &base = gBase();
    sikiti[0]->setValue(base.CvtDbl(rs.value(0, QStringLiteral("敷地面積"))));
    sikiti[1]->setValue(base.CvtLng(rs.value(0, QStringLiteral("評価額"))));
    sikiti[2]->setValue(base.CvtDbl(rs.value(0, QStringLiteral("固定資産税税率"))));
    sikiti[3]->setValue(base.CvtDbl(rs.value(0, QStringLiteral("都市計画税税率"))));
}

QVariant PlanEntryDialog::ConsumptionTax(const QVariant &amount)
{
    return vb::format(gBase().CvtDbl(amount) / 100 * gTaxRate, QStringLiteral("0"));
}

void PlanEntryDialog::CheckRowCount(RowGrid *grid, QWidget *newButton, QWidget *deleteButton, int limit,
                                    bool firstWhenNone)
{
    const int row = grid->Row();
    const int count = grid->RecordCount();
    if (count == 0) {
        deleteButton->setEnabled(false);
        return;
    }
    deleteButton->setEnabled(true);
    grid->rowModel()->setAllowAddNew(count < limit);
    newButton->setEnabled(count < limit);
    if (row >= 0 || firstWhenNone)
        grid->setRow(qMax(row, 0));
}

void PlanEntryDialog::loadWorkRows(RowGrid *grid, const WorkRowStore::Table &table, bool &loaded)
{
    grid->rowModel()->setPlan(&gDao(), m_id1, m_id2);
    WorkRowStore(gDao(), m_id1, m_id2).load(table);
    loaded = true;
    grid->Requery();
}

bool PlanEntryDialog::showRowDialog(RowDialog &dialog, const QPoint &twips)
{
    dialog.setPro_ID1(m_id1);
    dialog.setPro_ID2(m_id2);
    dialog.setPro_Top(twips.y());
    dialog.setPro_Left(twips.x());
    dialog.SetOwnerForm(this);
    dialog.showModal();
    return dialog.Pro_State();
}

void PlanEntryDialog::deleteCurrentRow(RowGrid *grid, const WorkRowStore::Table &table, const char *afterProcedure,
                                       const std::function<void(bool deleted)> &afterDelete)
{
    const auto focusGrid = qScopeGuard([grid] { grid->setFocus(); });
    const int row = grid->Row();
    if (row < 0 || row >= grid->RecordCount())
        return;
    const QVariant key = grid->rowModel()->key(row);
    const bool deleted =
        trap()(table.renumberProcedure, [&] { WorkRowStore(gDao(), m_id1, m_id2).deleteRow(table, key); });
    // The grid shows what the work rows hold, deleted or not.
    trap()(afterProcedure, [&] {
        grid->Requery();
        afterDelete(deleted);
    });
}

void PlanEntryDialog::leaveFocusedBox()
{
    // The click takes the focus: the box left puts its value into range and runs its
    // own rule first. A window that is not active moves no focus; the box is then
    // left here as the click would have left it.
    QWidget *left = focusWidget();
    if (!left || left == m_lbutAdd)
        return;
    m_lbutAdd->setFocus(Qt::MouseFocusReason);
    if (QApplication::focusWidget() == m_lbutAdd)
        return;
    if (auto *box = qobject_cast<ImNumber *>(left);
        box && !box->isNull() &&
        (box->TypedValue().toDouble() < box->MinValue() || box->TypedValue().toDouble() > box->MaxValue()))
        ctrl()->NumberRangeFilter(box);
    focusLeft(left);
}

void PlanEntryDialog::lbutAdd_Click()
{
    if (m_busy || isUnloaded() || !ctrl())
        return;
    m_busy = true;
    const auto idle = qScopeGuard([this] { m_busy = false; });
    bool close = false;
    // Any failure, a step of the registration or an error of this click, is rolled
    // back and reported, and the form stays open with what was typed: the user
    // corrects it or tries again.
    const bool ok =
        trap().report("lbutAdd_Click", this,
                      {QStringLiteral("データの登録中にエラーが発生しました。"), m_caption, MsgBox::Exclamation}, [&] {
                          leaveFocusedBox();
                          if (!ctrl()->DataChanged() && !rowsChanged()) {
                              close = true;
                              return;
                          }
                          if (!CheckInputValue() || !CheckInputValue2())
                              return;
                          QApplication::setOverrideCursor(Qt::WaitCursor);
                          m_lbutAdd->setEnabled(false);
                          m_lbutClose->setEnabled(false);
                          // The hourglass gives way to the message, and the buttons come back.
                          const auto busy = qScopeGuard([this] {
                              QApplication::restoreOverrideCursor();
                              m_lbutAdd->setEnabled(true);
                              m_lbutClose->setEnabled(true);
                          });
                          Register();
                          m_state = true;
                          close = true;
                      });
    if (!ok) {
        m_state = false;
        m_lbutAdd->setFocus();
        return;
    }
    if (close)
        unload(QDialog::Accepted);
}

void PlanEntryDialog::lbutClose_Click()
{
    if (m_busy || isUnloaded())
        return;
    if (ctrl() && (ctrl()->DataChanged() || rowsChanged())) {
        m_busy = true;
        const auto idle = qScopeGuard([this] { m_busy = false; });
        const int answer =
            MsgBox::show(QStringLiteral("データが変更されていますが、キャンセルしてよろしいですか？"),
                         MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2, QStringLiteral("確認"), this);
        if (answer == MsgBox::No)
            return;
    }
    m_state = false;
    unload(QDialog::Rejected);
}
