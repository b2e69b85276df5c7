#include "frmInputParking.h"

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
#include "ParkingPlanRecord.h"
#include "ParkingProjection.h"
#include "PlanInputLoader.h"
#include "PlanRegistration.h"
#include "Styling.h"
#include "VbKeys.h"
#include "WorkRowStore.h"
#include "cBase.h"
#include "cDao.h"
#include "cFrmCtrl.h"
#include "frmInputKariire.h"
#include "mdlMain.h"

#include <QGroupBox>

#include <algorithm>
#include <tuple>
#include <utility>

namespace
{

// Rows of the four upper frames, in twips within the frame.
constexpr int kRowTop[] = {300, 645, 990, 1335};
constexpr int kRowHeight = 300;
constexpr int kLabelLeft = 120;
constexpr int kLabelWidth = 1980;
constexpr int kBoxLeft = 2160;
constexpr int kBoxWidth = 1500;
constexpr int kUnitLeft = 3720;

} // namespace

frmInputParking::frmInputParking(QWidget *parent)
    : PlanEntryDialog(QStringLiteral("frmInputParking"), QStringLiteral("駐車場データ入力"), parent)
{
    buildControls();
}

void frmInputParking::install()
{
    ShellHooks::setEntryFormFactory(PlanType::Parking,
                                    [](QWidget *owner) { return std::make_unique<frmInputParking>(owner); });
}

void frmInputParking::buildControls()
{
    using namespace FormControls;
    setFormSize(9375, 8000);
    QWidget *const form = surface();
    const auto num = [](QWidget *frame, const char *control, double max, const char *format, int left, int top,
                        int width) {
        return numberBox(frame, QString::fromLatin1(control), max, QString::fromLatin1(format), left, top, width,
                         kRowHeight);
    };
    const auto row = [](QWidget *frame, const QString &labelName, const char *caption, int r, const char *unit) {
        label(frame, labelName, QString::fromUtf8(caption), kLabelLeft, kRowTop[r], kLabelWidth, kRowHeight);
        if (unit)
            label(frame, QString(), QString::fromUtf8(unit), kUnitLeft, kRowTop[r], 600, kRowHeight);
    };

    label(form, QStringLiteral("labName"), QStringLiteral("計画名"), 240, 180, 780);
    m_txtName = text(form, QStringLiteral("txtName"), 30, 1080, 180, 4500);

    QGroupBox *site = frame(form, QStringLiteral("敷　地"), 120, 600, 4455, 1695);
    row(site, QStringLiteral("labSikiti1"), "敷地面積", 0, "㎡");
    m_numSikiti[1] = num(site, "numSikiti1", 99999.99, "####0.00", kBoxLeft, kRowTop[0], kBoxWidth);
    label(site, QStringLiteral("labSikiti2"), QStringLiteral("評価額"), kLabelLeft, kRowTop[1], 780, kRowHeight);
    label(site, QString(), QStringLiteral("１㎡あたり"), 900, kRowTop[1], 1200, kRowHeight);
    label(site, QString(), QStringLiteral("千円"), kUnitLeft, kRowTop[1], 600, kRowHeight);
    m_numSikiti[2] = num(site, "numSikiti2", 999999, "###,##0", kBoxLeft, kRowTop[1], kBoxWidth);
    row(site, QStringLiteral("labSikiti3"), "固定資産税税率", 2, "％");
    m_numSikiti[3] = num(site, "numSikiti3", 999.99, "##0.00", kBoxLeft, kRowTop[2], kBoxWidth);
    row(site, QStringLiteral("labSikiti4"), "都市計画税税率", 3, "％");
    m_numSikiti[4] = num(site, "numSikiti4", 999.99, "##0.00", kBoxLeft, kRowTop[3], kBoxWidth);

    QGroupBox *fee = frame(form, QStringLiteral("料金設定"), 4800, 600, 4455, 1695);
    row(fee, QStringLiteral("labRyokin1"), "１車両必要敷地面積", 0, "㎡");
    m_numRyokin[1] = num(fee, "numRyokin1", 99999, "####0", kBoxLeft, kRowTop[0], kBoxWidth);
    row(fee, QStringLiteral("labRyokin2"), "駐車可能車両数", 1, "車両");
    m_numRyokin[2] = num(fee, "numRyokin2", 99999, "####0", kBoxLeft, kRowTop[1], kBoxWidth);
    row(fee, QStringLiteral("labRyokin3"), "月駐車料", 2, "千円");
    m_numRyokin[3] = num(fee, "numRyokin3", 999999, "###,##0", kBoxLeft, kRowTop[2], kBoxWidth);

    QGroupBox *budget = frame(form, QStringLiteral("舗装予算"), 120, 2400, 4455, 1695);
    row(budget, QStringLiteral("labYosan1"), "舗装費用", 0, "千円");
    m_numYosan[1] = num(budget, "numYosan1", 999999, "###,##0", kBoxLeft, kRowTop[0], kBoxWidth);
    row(budget, QStringLiteral("labYosan2"), "消費税", 1, "千円");
    m_numYosan[2] = num(budget, "numYosan2", 999999, "###,##0", kBoxLeft, kRowTop[1], kBoxWidth);
    row(budget, QStringLiteral("labYosan3"), "その他", 2, "千円");
    m_numYosan[3] = num(budget, "numYosan3", 999999, "###,##0", kBoxLeft, kRowTop[2], kBoxWidth);
    row(budget, QStringLiteral("labYosan4"), "合計", 3, "千円");
    m_numYosan[4] = num(budget, "numYosan4", 999999999, "###,###,##0", kBoxLeft, kRowTop[3], kBoxWidth);

    QGroupBox *plan = frame(form, QStringLiteral("計画参考数値"), 4800, 2400, 4455, 1695);
    constexpr int smallLeft = 2160, everyLeft = 2640, rateLeft = 3150, rateWidth = 780, percentLeft = 3960;
    label(plan, QStringLiteral("labKeikaku1"), QStringLiteral("空車率"), kLabelLeft, kRowTop[0], kLabelWidth,
          kRowHeight);
    m_numKeikaku[1] = num(plan, "numKeikaku1", 100, "##0.00", rateLeft, kRowTop[0], rateWidth);
    label(plan, QString(), QStringLiteral("％"), percentLeft, kRowTop[0], 300, kRowHeight);
    // Land value and fees rise every so many years by a percentage.
    const auto rise = [&](int r, const char *labelName, const char *caption, const char *every, const char *percent) {
        label(plan, QString::fromLatin1(labelName), QString::fromUtf8(caption), kLabelLeft, kRowTop[r], kLabelWidth,
              kRowHeight);
        ImNumber *years = num(plan, every, 99, "#0", smallLeft, kRowTop[r], 450);
        label(plan, QString(), QStringLiteral("年毎"), everyLeft, kRowTop[r], 480, kRowHeight);
        ImNumber *rate = num(plan, percent, 999.99, "##0.00", rateLeft, kRowTop[r], rateWidth);
        label(plan, QString(), QStringLiteral("％"), percentLeft, kRowTop[r], 300, kRowHeight);
        return std::make_pair(years, rate);
    };
    std::tie(m_numKeikaku[2], m_numKeikaku[3]) = rise(1, "labKeikaku2", "土地上昇率", "numKeikaku2", "numKeikaku3");
    std::tie(m_numKeikaku[4], m_numKeikaku[5]) = rise(2, "labKeikaku4", "料金値上予想", "numKeikaku4", "numKeikaku5");

    QGroupBox *funds = frame(form, QStringLiteral("資金計画"), 120, 4200, 9135, 3075);
    label(funds, QStringLiteral("labSikin1"), QStringLiteral("自己資金"), kLabelLeft, 270, 900, kRowHeight);
    m_numSikin1 = num(funds, "numSikin1", 99999999, "##,###,##0", 1080, 270, kBoxWidth);
    label(funds, QString(), QStringLiteral("千円"), 2640, 270, 600, kRowHeight);
    label(funds, QStringLiteral("labKariire"), QStringLiteral("借入金"), kLabelLeft, 630, 900, kRowHeight);
    m_grid = new LoanGrid(funds);
    place(m_grid, 1080, 630, 7935, 1980);
    m_kariireButtons = createRowButtons(funds, "lbutNewKariire", "lbutDetailKariire", "lbutLineDelKariire", 9015, 2640);
    place(lbutAdd(), 3360, 7440, 1215, 375);
    place(lbutClose(), 4920, 7440, 1215, 375);

    QList<QWidget *> order = {m_txtName};
    for (int i = 1; i <= 4; ++i)
        order << m_numSikiti[i];
    for (int i = 1; i <= 3; ++i)
        order << m_numRyokin[i];
    for (int i = 1; i <= 4; ++i)
        order << m_numYosan[i];
    for (int i = 1; i <= 5; ++i)
        order << m_numKeikaku[i];
    order << m_numSikin1 << m_grid << m_kariireButtons.newRow << m_kariireButtons.detail << m_kariireButtons.lineDel
          << lbutAdd() << lbutClose();
    tabOrder(order);

    const FormTrap &trap = this->trap();
    FormButtons::onClick(m_kariireButtons.newRow, this,
                         trap.handler("lbutNewKariire_Click", [this] { lbutNewKariire_Click(); }));
    FormButtons::onClick(m_kariireButtons.detail, this,
                         trap.handler("lbutDetailKariire_Click", [this] { lbutDetailKariire_Click(); }));
    FormButtons::onClick(m_kariireButtons.lineDel, this,
                         trap.handler("lbutLineDelKariire_Click", [this] { lbutLineDelKariire_Click(); }));
    connect(m_grid, &LoanGrid::DblClick, this,
            trap.handler("TDBKariire_DblClick", [this] { lbutDetailKariire_Click(); }));
    connect(m_grid, &LoanGrid::KeyDown, this,
            [this](int code) { this->trap()("TDBKariire_KeyDown", [this, code] { TDBKariire_KeyDown(code); }); });
}

void frmInputParking::loadPlan()
{
    const FormTrap &trap = this->trap();
    trap("SetControlsColor", [this] { SetControlsColor(); });
    SetGridStyle(this, m_grid);
    trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
    readStep("Init", [this] { Init(); });
    readStep("SetThingData", [this] { SetThingData(m_numSikiti + 1); });
    readStep("SetParkingData", [this] { SetParkingData(); });
}

void frmInputParking::afterSnapshot()
{
    m_loanRowsChanged = false;
    trap()("CheckKariireCount", [this] { CheckKariireCount(); });
}

void frmInputParking::SetControlsColor()
{
    SetButtonColors({m_kariireButtons});
    setStyle(m_txtName, 4);
    for (int i = 1; i <= 4; ++i)
        setStyle(m_numSikiti[i], 3);
    setStyle(m_numYosan[4], 3);
    setStyle(m_numRyokin[2], 2);
    setStyle(m_numYosan[2], 2);
}

void frmInputParking::SetTDBGridColumns()
{
    trap()("SetTDBKariireColumns", [this] { m_grid->SetTDBKariireColumns(); });
}

void frmInputParking::Init()
{
    loadWorkRows(m_grid, WorkRowStore::loans(), m_workRowsLoaded);
}

void frmInputParking::SetParkingData()
{
    showRecord(ParkingPlanRecord::description());
}

void frmInputParking::CheckKariireCount()
{
    CheckRowCount(m_grid, m_kariireButtons.newRow, m_kariireButtons.lineDel, 3);
}

void frmInputParking::InputKariire(int renban)
{
    frmInputKariire dialog(this);
    dialog.setPro_Renban(renban);
    const QRect frame = frameGeometry();
    const bool saved = showRowDialog(
        dialog, QPoint(int(pixelsToTwipsX(frame.left())) + 1100, int(pixelsToTwipsY(frame.top())) + 7000));
    CheckKariireCount();
    lbutAdd()->setFocus();
    // A row saved before, or deleted, stays a change whatever this showing did.
    m_loanRowsChanged = m_loanRowsChanged || saved;
}

void frmInputParking::lbutNewKariire_Click()
{
    m_grid->setRow(m_grid->RecordCount());
    InputKariire(m_grid->rowModel()->newKey().toInt());
}

void frmInputParking::lbutDetailKariire_Click()
{
    InputKariire(m_grid->currentKey().toInt());
}

void frmInputParking::lbutLineDelKariire_Click()
{
    deleteCurrentRow(m_grid, WorkRowStore::loans(), "TDBKariire_AfterDelete", [this](bool deleted) {
        CheckKariireCount();
        if (deleted)
            m_loanRowsChanged = true;
    });
}

void frmInputParking::TDBKariire_KeyDown(int keyCode)
{
    switch (keyCode) {
    case VbKeys::Return:
        lbutDetailKariire_Click();
        break;
    case VbKeys::Down:
        if (m_grid->isOnAddNewRow())
            lbutAdd()->setFocus();
        break;
    case VbKeys::Up:
        if (m_grid->Row() <= 0)
            m_numKeikaku[5]->setFocus();
        break;
    default:
        break;
    }
}

void frmInputParking::focusLeft(QWidget *old)
{
    const FormTrap &trap = this->trap();
    if (old == m_numRyokin[1])
        trap("numRyokin1_LostFocus", [this] { numRyokin1_LostFocus(); });
    else if (old == m_numYosan[1])
        trap("numYosan1_LostFocus", [this] { numYosan1_LostFocus(); });
    else if (old == m_numYosan[2])
        trap("numYosan2_LostFocus", [this] { YosanTotal(); });
    else if (old == m_numYosan[3])
        trap("numYosan3_LostFocus", [this] { YosanTotal(); });
}

void frmInputParking::numRyokin1_LostFocus()
{
    const cBase &base = gBase();
    const int32_t perCar = base.CvtLng(m_numRyokin[1]->Value());
    if (perCar == 0)
        return;
    const int32_t cars = base.CvtLng(m_numSikiti[1]->Value()) / perCar;
    m_numRyokin[2]->setValue(std::min<double>(cars, m_numRyokin[2]->MaxValue()));
}

void frmInputParking::numYosan1_LostFocus()
{
    m_numYosan[2]->setValue(ConsumptionTax(m_numYosan[1]->Value()));
    trap()("YosanTotal", [this] { YosanTotal(); });
}

void frmInputParking::YosanTotal()
{
    const cBase &base = gBase();
    m_numYosan[4]->setValue(base.CvtDbl(m_numYosan[1]->Value()) + base.CvtDbl(m_numYosan[2]->Value()) +
                            base.CvtDbl(m_numYosan[3]->Value()));
}

bool frmInputParking::CheckInputValue()
{
    bool valid = false;
    trap()("CheckInputValue", [&] {
        // A name of blanks only is no name.
        if (m_txtName->Text().trimmed().isEmpty()) {
            MsgBox::show(QStringLiteral(" [ 計画名 ] を入力して下さい。"), MsgBox::Exclamation, QStringLiteral("確認"),
                         this);
            m_txtName->setFocus();
            return;
        }
        valid = true;
    });
    return valid;
}

bool frmInputParking::CheckInputValue2()
{
    bool valid = false;
    trap()("CheckInputValue2", [&] {
        const cBase &base = gBase();
        if (base.CvtDbl(m_numSikiti[1]->Value()) < base.CvtLng(m_numRyokin[1]->Value())) {
            MsgBox::show(QStringLiteral("１車両必要敷地面積が敷地面積を超えています。"), MsgBox::Critical,
                         QStringLiteral("確認"), this);
            m_numRyokin[1]->setFocus();
            return;
        }
        if (!CheckFunding(m_numYosan[4]->Value(), base.CvtLng(m_numSikin1->Value()), m_grid->DataKariire()))
            return;
        valid = true;
    });
    return valid;
}

ParkingPlanInput frmInputParking::planInput(const QVector<QVariant> &values) const
{
    ParkingPlanInput in;
    ParkingPlanRecord::description().fill(in, values);
    in.numSikiti1 = m_numSikiti[1]->Value();
    in.numSikiti2 = m_numSikiti[2]->Value();
    in.numSikiti3 = m_numSikiti[3]->Value();
    in.numSikiti4 = m_numSikiti[4]->Value();
    return in;
}

void frmInputParking::Register()
{
    if (!m_workRowsLoaded)
        throw ProcedureError(QStringLiteral("InitKariire"),
                             QStringLiteral("借入金の作業データを読み込めなかったため、登録を中止しました。"));
    const QVector<QVariant> values = recordValues(ParkingPlanRecord::description());
    ParkingPlanInput in = planInput(values);
    PlanRegistration(gDao(), id1(), id2())
        .Register({&ParkingPlanRecord::description(), values}, {&WorkRowStore::loans()},
                  [&](PlanInputLoader &workRows) {
                      workRows.loadRows(id1(), id2(), in);
                      return std::make_unique<ParkingProjection>(in);
                  });
}
