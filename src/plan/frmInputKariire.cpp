#include "frmInputKariire.h"

#include "FormControls.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MsgBox.h"
#include "RequiredInputs.h"
#include "StoredValue.h"
#include "Twips.h"
#include "VbRuntime.h"
#include "WorkRowStore.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cDao.h"
#include "cFrmCtrl.h"
#include "mdlMain.h"

#include <QComboBox>

namespace
{
// A plan has at most three loans.
constexpr int kRowLimit = 3;
} // namespace

frmInputKariire::frmInputKariire(QWidget *parent)
    : RowDialog(QStringLiteral("frmInputKariire"), QStringLiteral("借入金設定"), QStringLiteral("TDBKariire"),
                QStringLiteral("借入金"), parent)
{
    buildControls();
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

    placeButtons(4635, 2520);
    tabOrder(
        {m_txtName, m_numKariire, m_cmbHensai, m_numNen1, m_numKinri1, m_numNen2, m_numKinri2, lbutAdd(), lbutClose()});
}

void frmInputKariire::SetControlsColor()
{
    for (QWidget *box : std::initializer_list<QWidget *>{m_txtName, m_numKariire, m_cmbHensai, m_numKinri1, m_numNen1})
        if (cCtrls *c = ctrl()->ControlItem(box))
            c->setStyle(4);
}

int frmInputKariire::defaultMethod() const
{
    return gBase().CvtLng(IniValue(QStringLiteral("DEFAULT"), QStringLiteral("返済方式")));
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
    const QVector<LoanRecord> rows = WorkRowStore(gDao(), id1(), id2()).readLoans();
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
    trap()("CheckInputValue", [&] {
        const cBase &base = gBase();
        // A name of blanks only is no name.
        RequiredInputs required;
        required.check(m_txtName->Text().trimmed().isEmpty(), " [ 借入先名称 ] ", m_txtName);
        required.check(base.CvtDbl(m_numKariire->Value()) == 0, " [ 借入金額 ] ", m_numKariire);
        required.check(m_cmbHensai->currentIndex() != 0 && m_cmbHensai->currentIndex() != 1, " [ 返済方式 ] ",
                       m_cmbHensai);
        required.check(base.CvtDbl(m_numNen1->Value()) == 0, " [ 返済期間 ] ", m_numNen1);
        valid = required.report(this);
    });
    return valid;
}

bool frmInputKariire::CheckInputValue2()
{
    bool valid = false;
    trap()("CheckInputValue2", [&] {
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

void frmInputKariire::SaveRecord()
{
    const cBase &base = gBase();
    const auto stored = storedValue;
    LoanRecord r;
    r.id1 = id1();
    r.id2 = id2();
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
    WorkRowStore(gDao(), id1(), id2()).saveLoan(r);
}

bool frmInputKariire::checkInput()
{
    return CheckInputValue() && CheckInputValue2();
}

bool frmInputKariire::isLastRow(int count) const
{
    Q_UNUSED(count)
    return m_renban >= kRowLimit;
}

QWidget *frmInputKariire::firstInput() const
{
    return m_txtName;
}
