#include "frmInputKariire.h"

#include "ErrorTrap.h"
#include "FormButtons.h"
#include "FormControls.h"
#include "FormTrap.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "LoanGrid.h"
#include "LoanGridModel.h"
#include "MsgBox.h"
#include "PlanSql.h"
#include "Styling.h"
#include "VbControl.h"
#include "VbRuntime.h"
#include "WorkRowStore.h"
#include "cApl.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cFrmCtrl.h"
#include "cIni.h"
#include "mdlMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScreen>

namespace
{

const QString kObject = QStringLiteral("frmInputKariire");
const FormTrap trap(kObject);

QString setting(const QString &section, const QString &key)
{
    cIni &ini = gIni();
    ini.setPro_IniPath(QDir(AppPath()).filePath(QStringLiteral("Vanrek.ini")));
    return ini.GetIniStr(section, key);
}

} // namespace

frmInputKariire::frmInputKariire(QWidget *parent) : QDialog(parent)
{
    setObjectName(kObject);
    setWindowTitle(QStringLiteral("借入金設定"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
}

frmInputKariire::~frmInputKariire()
{
    Form_Unload();
}

void frmInputKariire::buildControls()
{
    using namespace FormControls;
    setFixedSize(twipsToPixelsX(4980), twipsToPixelsY(3180));
    const QString money = QStringLiteral("##,###,##0"), rate = QStringLiteral("##0.00"), years = QStringLiteral("#0");
    label(this, QStringLiteral("labName"), QStringLiteral("借入先名称"), 240, 240, 1200);
    // The grid shows ten characters of a lender's name.
    m_txtName = text(this, QStringLiteral("txtName"), 10, 1500, 240, 3240);
    label(this, QStringLiteral("labKariire"), QStringLiteral("借入金額"), 240, 660, 1200);
    m_numKariire =
        number(this, QStringLiteral("numKariire"), 99999999, money + QStringLiteral(";;0"), money, 1500, 660, 1500);
    label(this, QString(), QStringLiteral("千円"), 3060, 660, 600);
    label(this, QStringLiteral("labHensai"), QStringLiteral("返済方法"), 240, 1080, 1200);
    m_cmbHensai = new QComboBox(this);
    m_cmbHensai->setObjectName(QStringLiteral("cmbHensai"));
    place(m_cmbHensai, 1500, 1080, 1500);
    label(this, QStringLiteral("labNen1"), QStringLiteral("返済期間"), 240, 1500, 1200);
    m_numNen1 = number(this, QStringLiteral("numNen1"), 99, years + QStringLiteral(";;0"), years, 1500, 1500, 540);
    label(this, QString(), QStringLiteral("年返済"), 2100, 1500, 800);
    label(this, QStringLiteral("labKinri1"), QStringLiteral("金利"), 2940, 1500, 520);
    m_numKinri1 =
        number(this, QStringLiteral("numKinri1"), 999.99, rate + QStringLiteral(";;0.00"), rate, 3480, 1500, 900);
    m_numNen2 = number(this, QStringLiteral("numNen2"), 99, years + QStringLiteral(";;0"), years, 1500, 1920, 540);
    label(this, QStringLiteral("labNen2"), QStringLiteral("年目以降"), 2100, 1920, 800);
    label(this, QStringLiteral("labKinri2"), QStringLiteral("金利"), 2940, 1920, 520);
    m_numKinri2 =
        number(this, QStringLiteral("numKinri2"), 999.99, rate + QStringLiteral(";;0.00"), rate, 3480, 1920, 900);

    m_lbutAdd = FormButtons::create(this, QStringLiteral("lbutAdd"), QStringLiteral("登　録"));
    m_lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    place(m_lbutAdd, 2100, 2520, 1215, 375);
    place(m_lbutClose, 3420, 2520, 1215, 375);
    FormButtons::onClick(m_lbutAdd, this, [this] { trap("lbutAdd_Click", [this] { lbutAdd_Click(); }); });
    FormButtons::onClick(m_lbutClose, this, [this] { trap("lbutClose_Click", [this] { lbutClose_Click(); }); });
    tabOrder(
        {m_txtName, m_numKariire, m_cmbHensai, m_numNen1, m_numKinri1, m_numNen2, m_numKinri2, m_lbutAdd, m_lbutClose});
}

void frmInputKariire::SetOwnerForm(QWidget *owner)
{
    m_owner = owner;
    m_grid = owner ? owner->findChild<LoanGrid *>(QStringLiteral("TDBKariire")) : nullptr;
}

void frmInputKariire::showModal()
{
    Form_Load();
    if (Form_Activate())
        exec();
}

bool frmInputKariire::Form_Activate()
{
    // Without the owner's grid there is no row to edit: the dialog does not open.
    if (!m_grid)
        unload();
    return !m_unloaded;
}

void frmInputKariire::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    trap("Form_Load", [this] {
        VbControl::setKeyPreview(this, true);
        m_ctrl = new cFrmCtrl(this);
        m_ctrl->ControlForm(this);
        m_ctrl->DataClear();
        SetInputCtrlStyle(this);
        trap("SetControlsColor", [this] { SetControlsColor(); });
        trap("InitCombo", [this] { InitCombo(); });
        trap("Init", [this] { Init(); });
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

void frmInputKariire::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutAdd, cApl::New);
    gApl().SetButLineColor(m_lbutClose, cApl::Exit);
    for (QWidget *box : std::initializer_list<QWidget *>{m_txtName, m_numKariire, m_cmbHensai, m_numKinri1, m_numNen1})
        if (cCtrls *c = m_ctrl->ControlItem(box))
            c->setStyle(4);
}

int frmInputKariire::defaultMethod() const
{
    return gBase().CvtLng(setting(QStringLiteral("DEFAULT"), QStringLiteral("返済方式")));
}

void frmInputKariire::InitCombo()
{
    m_cmbHensai->clear();
    m_cmbHensai->addItem(QStringLiteral("元利均等"));
    m_cmbHensai->addItem(QStringLiteral("元金均等"));
    // An index outside the list selects nothing, which the check then reports.
    m_cmbHensai->setCurrentIndex(defaultMethod());
}

void frmInputKariire::Init()
{
    const QVector<LoanRecord> rows = WorkRowStore(gDao(), m_id1, m_id2).readLoans();
    const cBase &base = gBase();
    for (const LoanRecord &r : rows) {
        if (r.renban != m_renban)
            continue;
        m_txtName->setText(base.CvtStr(r.lender));
        m_numKariire->setValue(base.CvtLng(r.amount));
        m_cmbHensai->setCurrentIndex(base.CvtLng(r.method));
        m_numNen1->setValue(base.CvtLng(r.term));
        m_numKinri1->setValue(base.CvtDbl(r.rate1));
        m_numNen2->setValue(base.CvtLng(r.start2));
        m_numKinri2->setValue(base.CvtDbl(r.rate2));
        return;
    }
    m_cmbHensai->setCurrentIndex(defaultMethod());
}

bool frmInputKariire::CheckInputValue()
{
    bool valid = false;
    trap("CheckInputValue", [&] {
        const cBase &base = gBase();
        QString message;
        QWidget *first = nullptr;
        const auto missing = [&](bool test, const char *text, QWidget *control) {
            if (!test)
                return;
            message += QString::fromUtf8(text);
            if (!first)
                first = control;
        };
        // A name of blanks only is no name.
        missing(m_txtName->Text().trimmed().isEmpty(), " [ 借入先名称 ] ", m_txtName);
        missing(base.CvtDbl(m_numKariire->Value()) == 0, " [ 借入金額 ] ", m_numKariire);
        missing(m_cmbHensai->currentIndex() != 0 && m_cmbHensai->currentIndex() != 1, " [ 返済方式 ] ", m_cmbHensai);
        missing(base.CvtDbl(m_numNen1->Value()) == 0, " [ 返済期間 ] ", m_numNen1);
        if (!first) {
            valid = true;
            return;
        }
        MsgBox::show(message + QStringLiteral("を入力して下さい。"), MsgBox::Exclamation, QStringLiteral("確認"), this);
        first->setFocus();
    });
    return valid;
}

bool frmInputKariire::CheckInputValue2()
{
    bool valid = false;
    trap("CheckInputValue2", [&] {
        const cBase &base = gBase();
        const int32_t start2 = base.CvtLng(m_numNen2->Value());
        if (start2 != 0 && base.CvtLng(m_numNen1->Value()) <= start2) {
            MsgBox::show(QStringLiteral("返済期間の設定が正しくありません。"), MsgBox::Exclamation,
                         QStringLiteral("確認"), this);
            m_numNen1->setFocus();
            return;
        }
        valid = true;
    });
    return valid;
}

bool frmInputKariire::SaveRecord()
{
    const QString procedure = QStringLiteral("SaveRecord");
    return trap("SaveRecord", [&] {
        const cBase &base = gBase();
        const auto stored = [&](const QVariant &v, int kind) { return PlanSql::stored(v, kind, procedure); };
        LoanRecord r;
        r.id1 = m_id1;
        r.id2 = m_id2;
        r.renban = m_renban;
        r.lender = stored(m_txtName->Text(), cBase::SqlText);
        r.amount = stored(m_numKariire->Value(), cBase::SqlLong);
        r.method = stored(m_cmbHensai->currentIndex(), cBase::SqlLong);
        r.start1 = 1;
        r.rate1 = stored(m_numKinri1->Value(), cBase::SqlDouble);
        // A second rate from year N: the first period ends in year N - 1, the second
        // runs from N to the end of the term. Without one the second period is NULL.
        const int32_t start2 = base.CvtLng(m_numNen2->Value());
        if (start2 != 0) {
            r.end1 = start2 - 1;
            r.start2 = start2;
            r.end2 = stored(m_numNen1->Value(), cBase::SqlLong);
            r.rate2 = stored(m_numKinri2->Value(), cBase::SqlDouble);
        } else {
            r.end1 = stored(m_numNen1->Value(), cBase::SqlLong);
            r.start2 = r.end2 = r.rate2 = vb::null();
        }
        r.term = stored(m_numNen1->Value(), cBase::SqlDouble);
        WorkRowStore(gDao(), m_id1, m_id2).saveLoan(r);
        m_state = true;
    });
}

bool frmInputKariire::saveChecked()
{
    if (!CheckInputValue() || !CheckInputValue2())
        return false;
    if (SaveRecord())
        return true;
    // The row typed is kept in the dialog rather than lost without a word.
    MsgBox::show(QStringLiteral("データの登録中にエラーが発生しました。"), MsgBox::Exclamation, windowTitle(), this);
    return false;
}

void frmInputKariire::putOwnerGridBack(int startRow)
{
    if (!m_grid)
        return;
    m_grid->Requery();
    m_grid->setRow(startRow < 0 ? 0 : startRow);
}

void frmInputKariire::lbutAdd_Click()
{
    if (m_busy || m_unloaded || !m_ctrl)
        return;
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    const int startRow = m_grid ? m_grid->Row() : -1;
    const bool continuous = gBase().CvtInt(setting(QStringLiteral("SETTING"), QStringLiteral("借入金"))) == 1;
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
    // The next loan follows from this row's number, not from where the grid stands.
    const int count = m_grid ? m_grid->RecordCount() : 0;
    if (m_renban >= 3 || m_renban > count) {
        unload();
        return;
    }
    ++m_renban;
    m_ctrl->DataClear();
    if (m_grid)
        m_grid->setRow(m_renban - 1);
    trap("Init", [this] { Init(); });
    m_ctrl->FlagClear();
    m_ctrl->GetDataDefault();
    m_txtName->setFocus();
}

void frmInputKariire::lbutClose_Click()
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

void frmInputKariire::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    done(QDialog::Accepted);
}

void frmInputKariire::keyPressEvent(QKeyEvent *event)
{
    // Escape would drop what was typed without the close button's question.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmInputKariire::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        trap("lbutClose_Click", [this] { lbutClose_Click(); });
    if (m_unloaded)
        event->accept();
    else
        event->ignore();
}

void frmInputKariire::Form_Unload()
{
    trap("Form_Unload", [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
