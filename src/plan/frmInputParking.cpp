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
#include "ParkingProjection.h"
#include "PlanRegistration.h"
#include "PlanSql.h"
#include "Styling.h"
#include "WorkRowStore.h"
#include "cApl.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cDao.h"
#include "cFrmCtrl.h"
#include "frmInputKariire.h"
#include "mdlMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QScopeGuard>

#include <cmath>
#include <tuple>
#include <utility>

namespace
{

const QString kObject = QStringLiteral("frmInputParking");
const QString kCaption = QStringLiteral("駐車場データ入力");
const FormTrap trap(kObject);

// Rows of the four upper frames, in twips within the frame.
constexpr int kRowTop[] = {300, 645, 990, 1335};
constexpr int kRowHeight = 300;
constexpr int kLabelLeft = 120;
constexpr int kLabelWidth = 1980;
constexpr int kBoxLeft = 2160;
constexpr int kBoxWidth = 1500;
constexpr int kUnitLeft = 3720;

} // namespace

frmInputParking::frmInputParking(QWidget *parent) : QDialog(parent)
{
    setObjectName(kObject);
    setWindowTitle(kCaption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) { focusLeft(old, now); });
}

frmInputParking::~frmInputParking()
{
    Form_Unload();
}

void frmInputParking::install()
{
    ShellHooks::setEntryFormFactory(1, [](QWidget *owner) { return std::make_unique<frmInputParking>(owner); });
}

void frmInputParking::buildControls()
{
    using namespace FormControls;
    setFixedSize(twipsToPixelsX(9375), twipsToPixelsY(8000));
    const auto num = [](QWidget *frame, const char *control, double max, const char *format, int left, int top,
                        int width) {
        const QString f = QString::fromLatin1(format);
        const QString zero = f.contains(QLatin1Char('.')) ? QStringLiteral(";;0.00") : QStringLiteral(";;0");
        return number(frame, QString::fromLatin1(control), max, f + zero, f, left, top, width, kRowHeight);
    };
    const auto row = [](QWidget *frame, const QString &labelName, const char *caption, int r, const char *unit) {
        label(frame, labelName, QString::fromUtf8(caption), kLabelLeft, kRowTop[r], kLabelWidth, kRowHeight);
        if (unit)
            label(frame, QString(), QString::fromUtf8(unit), kUnitLeft, kRowTop[r], 600, kRowHeight);
    };

    label(this, QStringLiteral("labName"), QStringLiteral("計画名"), 240, 180, 780);
    m_txtName = text(this, QStringLiteral("txtName"), 30, 1080, 180, 4500);

    QGroupBox *site = frame(this, QStringLiteral("敷　地"), 120, 600, 4455, 1695);
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

    QGroupBox *fee = frame(this, QStringLiteral("料金設定"), 4800, 600, 4455, 1695);
    row(fee, QStringLiteral("labRyokin1"), "１車両必要敷地面積", 0, "㎡");
    m_numRyokin[1] = num(fee, "numRyokin1", 99999, "####0", kBoxLeft, kRowTop[0], kBoxWidth);
    row(fee, QStringLiteral("labRyokin2"), "駐車可能車両数", 1, "車両");
    m_numRyokin[2] = num(fee, "numRyokin2", 99999, "####0", kBoxLeft, kRowTop[1], kBoxWidth);
    row(fee, QStringLiteral("labRyokin3"), "月駐車料", 2, "千円");
    m_numRyokin[3] = num(fee, "numRyokin3", 999999, "###,##0", kBoxLeft, kRowTop[2], kBoxWidth);

    QGroupBox *budget = frame(this, QStringLiteral("舗装予算"), 120, 2400, 4455, 1695);
    row(budget, QStringLiteral("labYosan1"), "舗装費用", 0, "千円");
    m_numYosan[1] = num(budget, "numYosan1", 999999, "###,##0", kBoxLeft, kRowTop[0], kBoxWidth);
    row(budget, QStringLiteral("labYosan2"), "消費税", 1, "千円");
    m_numYosan[2] = num(budget, "numYosan2", 999999, "###,##0", kBoxLeft, kRowTop[1], kBoxWidth);
    row(budget, QStringLiteral("labYosan3"), "その他", 2, "千円");
    m_numYosan[3] = num(budget, "numYosan3", 999999, "###,##0", kBoxLeft, kRowTop[2], kBoxWidth);
    row(budget, QStringLiteral("labYosan4"), "合計", 3, "千円");
    m_numYosan[4] = num(budget, "numYosan4", 999999999, "###,###,##0", kBoxLeft, kRowTop[3], kBoxWidth);

    QGroupBox *plan = frame(this, QStringLiteral("計画参考数値"), 4800, 2400, 4455, 1695);
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

    QGroupBox *funds = frame(this, QStringLiteral("資金計画"), 120, 4200, 9135, 3075);
    label(funds, QStringLiteral("labSikin1"), QStringLiteral("自己資金"), kLabelLeft, 270, 900, kRowHeight);
    m_numSikin1 = num(funds, "numSikin1", 99999999, "##,###,##0", 1080, 270, kBoxWidth);
    label(funds, QString(), QStringLiteral("千円"), 2640, 270, 600, kRowHeight);
    label(funds, QStringLiteral("labKariire"), QStringLiteral("借入金"), kLabelLeft, 630, 900, kRowHeight);
    m_grid = new LoanGrid(funds);
    place(m_grid, 1080, 630, 7935, 1980);
    m_lbutNewKariire = FormButtons::create(funds, QStringLiteral("lbutNewKariire"), QStringLiteral("新　規"));
    m_lbutDetailKariire = FormButtons::create(funds, QStringLiteral("lbutDetailKariire"), QStringLiteral("詳　細"));
    m_lbutLineDelKariire = FormButtons::create(funds, QStringLiteral("lbutLineDelKariire"), QStringLiteral("行削除"));
    place(m_lbutNewKariire, 5370, 2640, 1215, 375);
    place(m_lbutDetailKariire, 6585, 2640, 1215, 375);
    place(m_lbutLineDelKariire, 7800, 2640, 1215, 375);

    m_lbutAdd = FormButtons::create(this, QStringLiteral("lbutAdd"), QStringLiteral("登　録"));
    m_lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("ｷｬﾝｾﾙ"));
    place(m_lbutAdd, 3360, 7440, 1215, 375);
    place(m_lbutClose, 4920, 7440, 1215, 375);

    QList<QWidget *> order = {m_txtName};
    for (int i = 1; i <= 4; ++i)
        order << m_numSikiti[i];
    for (int i = 1; i <= 3; ++i)
        order << m_numRyokin[i];
    for (int i = 1; i <= 4; ++i)
        order << m_numYosan[i];
    for (int i = 1; i <= 5; ++i)
        order << m_numKeikaku[i];
    order << m_numSikin1 << m_grid << m_lbutNewKariire << m_lbutDetailKariire << m_lbutLineDelKariire << m_lbutAdd
          << m_lbutClose;
    tabOrder(order);

    FormButtons::onClick(m_lbutAdd, this, trap.handler("lbutAdd_Click", [this] { lbutAdd_Click(); }));
    FormButtons::onClick(m_lbutClose, this, trap.handler("lbutClose_Click", [this] { lbutClose_Click(); }));
    FormButtons::onClick(m_lbutNewKariire, this,
                         trap.handler("lbutNewKariire_Click", [this] { lbutNewKariire_Click(); }));
    FormButtons::onClick(m_lbutDetailKariire, this,
                         trap.handler("lbutDetailKariire_Click", [this] { lbutDetailKariire_Click(); }));
    FormButtons::onClick(m_lbutLineDelKariire, this,
                         trap.handler("lbutLineDelKariire_Click", [this] { lbutLineDelKariire_Click(); }));
    connect(m_grid, &LoanGrid::DblClick, this,
            trap.handler("TDBKariire_DblClick", [this] { lbutDetailKariire_Click(); }));
    connect(m_grid, &LoanGrid::KeyDown, this,
            [this](int code) { trap("TDBKariire_KeyDown", [this, code] { TDBKariire_KeyDown(code); }); });
}

void frmInputParking::showModal()
{
    Form_Load();
    if (!m_unloaded)
        exec();
}

void frmInputParking::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    trap("Form_Load", [this] {
        m_ctrl = new cFrmCtrl(this);
        m_ctrl->ControlForm(this);
        m_ctrl->DataClear();
        SetInputCtrlStyle(this);
        trap("SetControlsColor", [this] { SetControlsColor(); });
        SetGridStyle(this, m_grid);
        trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
        trap("Init", [this] { Init(); });
        trap("SetThingData", [this] { SetThingData(); });
        trap("SetParkingData", [this] { SetParkingData(); });
        m_ctrl->FlagClear();
        m_ctrl->GetDataDefault();
        m_loanRowsChanged = false;
        trap("CheckKariireCount", [this] { CheckKariireCount(); });
    });
}

void frmInputParking::SetControlsColor()
{
    cApl &apl = gApl();
    apl.SetButLineColor(m_lbutNewKariire, cApl::New);
    apl.SetButLineColor(m_lbutDetailKariire, cApl::Detail);
    apl.SetButLineColor(m_lbutLineDelKariire, cApl::Delete);
    apl.SetButLineColor(m_lbutAdd, cApl::New);
    apl.SetButLineColor(m_lbutClose, cApl::Exit);
    const auto style = [this](QWidget *control, int value) {
        if (cCtrls *c = m_ctrl->ControlItem(control))
            c->setStyle(value);
    };
    style(m_txtName, 4);
    for (int i = 1; i <= 4; ++i)
        style(m_numSikiti[i], 3);
    style(m_numYosan[4], 3);
    style(m_numRyokin[2], 2);
    style(m_numYosan[2], 2);
}

void frmInputParking::SetTDBGridColumns()
{
    trap("SetTDBKariireColumns", [this] { m_grid->SetTDBKariireColumns(); });
}

void frmInputParking::Init()
{
    // The work rows are checked: without them the registration would store a plan
    // without its loans, so it refuses instead.
    m_grid->DataKariire()->setPlan(&gDao(), m_id1, m_id2);
    WorkRowStore(gDao(), m_id1, m_id2).load(WorkRowStore::loans());
    m_workRowsLoaded = true;
    m_grid->Requery();
}

void frmInputParking::SetThingData()
{
    const PlanSql::Rows rs = PlanSql::select(gDao(), QStringLiteral("SetThingData"),
                                             QStringLiteral("SELECT * FROM D_物件 WHERE ID1 = ?"), {m_id1});
    if (rs.rows.isEmpty())
        return;
    const cBase &base = gBase();
    m_numSikiti[1]->setValue(base.CvtDbl(rs.value(0, QStringLiteral("敷地面積"))));
    m_numSikiti[2]->setValue(base.CvtLng(rs.value(0, QStringLiteral("評価額"))));
    m_numSikiti[3]->setValue(base.CvtDbl(rs.value(0, QStringLiteral("固定資産税税率"))));
    m_numSikiti[4]->setValue(base.CvtDbl(rs.value(0, QStringLiteral("都市計画税税率"))));
}

void frmInputParking::SetParkingData()
{
    const PlanSql::Rows rs =
        PlanSql::select(gDao(), QStringLiteral("SetParkingData"),
                        QStringLiteral("SELECT * FROM D_駐車場 WHERE ID1 = ? AND ID2 = ?"), {m_id1, m_id2});
    if (rs.rows.isEmpty())
        return;
    const cBase &base = gBase();
    const auto f = [&](const char *field) { return rs.value(0, QString::fromUtf8(field)); };
    m_txtName->setText(base.CvtStr(f("名称")));
    m_numRyokin[1]->setValue(base.CvtDbl(f("料金1")));
    m_numRyokin[2]->setValue(base.CvtLng(f("料金2")));
    m_numRyokin[3]->setValue(base.CvtLng(f("料金3")));
    for (int i = 1; i <= 4; ++i)
        m_numYosan[i]->setValue(base.CvtLng(f(QStringLiteral("予算%1").arg(i).toUtf8().constData())));
    m_numKeikaku[1]->setValue(base.CvtDbl(f("計画1")));
    m_numKeikaku[2]->setValue(base.CvtLng(f("計画2")));
    m_numKeikaku[3]->setValue(base.CvtDbl(f("計画3")));
    m_numKeikaku[4]->setValue(base.CvtLng(f("計画4")));
    m_numKeikaku[5]->setValue(base.CvtDbl(f("計画5")));
    m_numSikin1->setValue(base.CvtLng(f("資金1")));
}

void frmInputParking::CheckKariireCount()
{
    const int row = m_grid->Row();
    const int count = m_grid->RecordCount();
    if (count >= 1) {
        m_lbutLineDelKariire->setEnabled(true);
        m_grid->DataKariire()->setAllowAddNew(count < 3);
        m_lbutNewKariire->setEnabled(count < 3);
        if (row >= 0)
            m_grid->setRow(row);
    } else {
        m_lbutLineDelKariire->setEnabled(false);
    }
}

void frmInputParking::InputKariire(int renban)
{
    frmInputKariire dialog(this);
    dialog.setPro_ID1(m_id1);
    dialog.setPro_ID2(m_id2);
    dialog.setPro_Renban(renban);
    const QRect frame = frameGeometry();
    dialog.setPro_Top(int(pixelsToTwipsY(frame.top())) + 7000);
    dialog.setPro_Left(int(pixelsToTwipsX(frame.left())) + 1100);
    dialog.SetOwnerForm(this);
    dialog.showModal();
    CheckKariireCount();
    m_lbutAdd->setFocus();
    // A row saved before, or deleted, stays a change whatever this showing did.
    m_loanRowsChanged = m_loanRowsChanged || dialog.Pro_State();
}

void frmInputParking::lbutNewKariire_Click()
{
    const int count = m_grid->RecordCount();
    m_grid->setRow(count);
    InputKariire(count + 1);
}

void frmInputParking::lbutDetailKariire_Click()
{
    const int count = m_grid->RecordCount();
    const int row = m_grid->Row();
    if (count == 0)
        InputKariire(1);
    else if (m_grid->isOnAddNewRow())
        InputKariire(count + 1);
    else
        InputKariire(m_grid->DataKariire()->records().at(qBound(0, row, count - 1)).renban);
}

void frmInputParking::lbutLineDelKariire_Click()
{
    const auto focusGrid = qScopeGuard([this] { m_grid->setFocus(); });
    const int row = m_grid->Row();
    if (row < 0 || row >= m_grid->RecordCount())
        return;
    const int renban = m_grid->DataKariire()->records().at(row).renban;
    const bool deleted =
        trap("SetRenban", [&] { WorkRowStore(gDao(), m_id1, m_id2).deleteRow(WorkRowStore::loans(), renban); });
    // The grid shows what the work rows hold, deleted or not.
    trap("TDBKariire_AfterDelete", [&] {
        m_grid->Requery();
        CheckKariireCount();
        if (deleted)
            m_loanRowsChanged = true;
    });
}

void frmInputParking::TDBKariire_KeyDown(int keyCode)
{
    switch (keyCode) {
    case 13:
        lbutDetailKariire_Click();
        break;
    case 40:
        if (m_grid->isOnAddNewRow())
            m_lbutAdd->setFocus();
        break;
    case 38:
        if (m_grid->Row() <= 0)
            m_numKeikaku[5]->setFocus();
        break;
    default:
        break;
    }
}

void frmInputParking::focusLeft(QWidget *old, QWidget *now)
{
    // The rules run as a box is left for another control of this form, after the box
    // has put its value into range; not when the window loses the focus.
    if (!old || !now || !m_ctrl || m_unloaded || !isAncestorOf(now))
        return;
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
    // A whole number of thousand yen, a half rounded away from zero.
    const double tax = gBase().CvtDbl(m_numYosan[1]->Value()) * gTaxRate / 100;
    m_numYosan[2]->setValue(std::round(tax));
    trap("YosanTotal", [this] { YosanTotal(); });
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
    trap("CheckInputValue", [&] {
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
    trap("CheckInputValue2", [&] {
        const cBase &base = gBase();
        if (base.CvtDbl(m_numSikiti[1]->Value()) < base.CvtLng(m_numRyokin[1]->Value())) {
            MsgBox::show(QStringLiteral("１車両必要敷地面積が敷地面積を超えています。"), MsgBox::Critical,
                         QStringLiteral("確認"), this);
            m_numRyokin[1]->setFocus();
            return;
        }
        int64_t loans = 0;
        for (const LoanRecord &r : m_grid->DataKariire()->records())
            loans += base.CvtLng(r.amount);
        if (base.CvtLng(m_numYosan[4]->Value()) != base.CvtLng(m_numSikin1->Value()) + loans) {
            const int answer = MsgBox::show(QStringLiteral("費用と予算が一致していませんが、データを登録しますか？"),
                                            MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2,
                                            QStringLiteral("確認"), this);
            if (answer == MsgBox::No)
                return;
        }
        valid = true;
    });
    return valid;
}

ParkingPlanInput frmInputParking::planInput() const
{
    ParkingPlanInput in;
    in.numRyokin2 = m_numRyokin[2]->Value();
    in.numRyokin3 = m_numRyokin[3]->Value();
    in.numKeikaku1 = m_numKeikaku[1]->Value();
    in.numKeikaku2 = m_numKeikaku[2]->Value();
    in.numKeikaku3 = m_numKeikaku[3]->Value();
    in.numKeikaku4 = m_numKeikaku[4]->Value();
    in.numKeikaku5 = m_numKeikaku[5]->Value();
    in.numSikiti1 = m_numSikiti[1]->Value();
    in.numSikiti2 = m_numSikiti[2]->Value();
    in.numSikiti3 = m_numSikiti[3]->Value();
    in.numSikiti4 = m_numSikiti[4]->Value();
    in.numYosan4 = m_numYosan[4]->Value();
    return in;
}

void frmInputParking::Register()
{
    if (!m_workRowsLoaded)
        throw ProcedureError(QStringLiteral("InitKariire"),
                             QStringLiteral("借入金の作業データを読み込めなかったため、登録を中止しました。"));
    WorkRowStore store(gDao(), m_id1, m_id2);
    ParkingPlanInput in = planInput();
    // The loans as the work rows hold them, read before the transaction opens.
    for (const LoanRecord &r : store.readLoans())
        in.loans.append(r.toLoanRow());
    ParkingProjection projection(in);

    using F = PlanRegistration::Field;
    const auto value = [](ImNumber *box) { return box->Value(); };
    PlanRegistration::Record record{QStringLiteral("D_駐車場"), QStringLiteral("SaveParkingData"), {}};
    record.fields = {
        F{QStringLiteral("名称"), m_txtName->Text(), cBase::SqlText},
        F{QStringLiteral("料金1"), value(m_numRyokin[1]), cBase::SqlDouble},
        F{QStringLiteral("料金2"), value(m_numRyokin[2]), cBase::SqlLong},
        F{QStringLiteral("料金3"), value(m_numRyokin[3]), cBase::SqlLong},
        F{QStringLiteral("予算1"), value(m_numYosan[1]), cBase::SqlLong},
        F{QStringLiteral("予算2"), value(m_numYosan[2]), cBase::SqlLong},
        F{QStringLiteral("予算3"), value(m_numYosan[3]), cBase::SqlLong},
        F{QStringLiteral("予算4"), value(m_numYosan[4]), cBase::SqlLong},
        F{QStringLiteral("計画1"), value(m_numKeikaku[1]), cBase::SqlDouble},
        F{QStringLiteral("計画2"), value(m_numKeikaku[2]), cBase::SqlLong},
        F{QStringLiteral("計画3"), value(m_numKeikaku[3]), cBase::SqlDouble},
        F{QStringLiteral("計画4"), value(m_numKeikaku[4]), cBase::SqlLong},
        F{QStringLiteral("計画5"), value(m_numKeikaku[5]), cBase::SqlDouble},
        F{QStringLiteral("資金1"), value(m_numSikin1), cBase::SqlLong},
    };
    PlanRegistration(gDao(), m_id1, m_id2).Register(projection, {&WorkRowStore::loans()}, record);
}

void frmInputParking::lbutAdd_Click()
{
    if (m_busy || m_unloaded || !m_ctrl)
        return;
    m_busy = true;
    const auto idle = qScopeGuard([this] { m_busy = false; });
    // The click takes the focus: the box left runs its own rule first.
    if (focusWidget() != m_lbutAdd)
        m_lbutAdd->setFocus(Qt::MouseFocusReason);
    if (!m_ctrl->DataChanged() && !m_loanRowsChanged) {
        unload(QDialog::Accepted);
        return;
    }
    if (!CheckInputValue() || !CheckInputValue2())
        return;
    m_lbutAdd->setEnabled(false);
    m_lbutClose->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool stored =
        trap.report("lbutAdd_Click", this,
                    {QStringLiteral("データの登録中にエラーが発生しました。"), kCaption, MsgBox::Exclamation}, [this] {
                        // The hourglass gives way to the message.
                        const auto pointer = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
                        Register();
                    });
    m_state = stored;
    unload(stored ? QDialog::Accepted : QDialog::Rejected);
}

void frmInputParking::lbutClose_Click()
{
    if (m_busy || m_unloaded)
        return;
    if (m_ctrl && (m_ctrl->DataChanged() || m_loanRowsChanged)) {
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

void frmInputParking::unload(int result)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    done(result);
}

void frmInputParking::keyPressEvent(QKeyEvent *event)
{
    // Escape would drop the edit without the cancel button's question.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmInputParking::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        trap("lbutClose_Click", [this] { lbutClose_Click(); });
    if (m_unloaded)
        event->accept();
    else
        event->ignore();
}

void frmInputParking::Form_Unload()
{
    trap("Form_Unload", [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
