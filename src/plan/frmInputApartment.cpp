#include "frmInputApartment.h"

#include "ApartmentPlanInput.h"
#include "ApartmentPlanRecord.h"
#include "ApartmentProjection.h"
#include "BudgetTotals.h"
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
#include "PlanInputLoader.h"
#include "PlanRegistration.h"
#include "RentGrid.h"
#include "RentGridModel.h"
#include "RequiredInputs.h"
#include "Styling.h"
#include "VbKeys.h"
#include "VbRuntime.h"
#include "WorkRowStore.h"
#include "cBase.h"
#include "cDao.h"
#include "cFrmCtrl.h"
#include "frmInputKariire.h"
#include "frmInputYatin.h"
#include "mdlMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>

namespace
{

// A plan has at most five rent rows (dwelling types) and three loans.
constexpr int kRentLimit = 5;
constexpr int kLoanLimit = 3;
constexpr int kStraightLine = 1; // 定額法 in the depreciation-method list

// Rows of the frames: the first one under the frame's caption, then one every 330 twips.
constexpr int kRowHeight = 300;
int rowTop(int row)
{
    return 300 + row * 330;
}
constexpr int kLabelLeft = 120;

QString name(const char *prefix, int index)
{
    return QString::fromLatin1(prefix) + QString::number(index);
}

ImNumber *box(QWidget *frame, const QString &control, double max, const char *format, int left, int top, int width)
{
    return FormControls::numberBox(frame, control, max, QString::fromLatin1(format), left, top, width, kRowHeight);
}

QLabel *caption(QWidget *frame, const QString &labelName, const char *text, int left, int top, int width)
{
    return FormControls::label(frame, labelName, QString::fromUtf8(text), left, top, width, kRowHeight);
}

QComboBox *combo(QWidget *frame, const char *control, int left, int top, int width)
{
    auto *c = new QComboBox(frame);
    c->setObjectName(QString::fromLatin1(control));
    FormControls::place(c, left, top, width, kRowHeight);
    return c;
}

// One row of a frame: its caption, a number box and the unit after it.
struct NumberRow {
    const char *caption;
    const char *unit;
    double max;
    const char *format;
    int width; // of the box, twips
};
// Where a frame's captions end and its boxes and units start.
struct Columns {
    int labelWidth;
    int box;
    int unit;
};
constexpr Columns kNarrowColumns = {1440, 1620, 2880};
constexpr Columns kWideColumns = {1500, 1680, 3180};

// Rows one under another from row `first` of the frame: caption "lab<prefix><n>" and
// box "num<prefix><n>" for n from `number` on, each box kept in boxes[n].
void numberRows(QWidget *f, const char *prefix, int number, int first, const Columns &at,
                std::initializer_list<NumberRow> rows, ImNumber **boxes)
{
    int row = first;
    for (const NumberRow &r : rows) {
        const int top = rowTop(row++);
        caption(f, QStringLiteral("lab") + QLatin1String(prefix) + QString::number(number), r.caption, kLabelLeft, top,
                at.labelWidth);
        boxes[number] = box(f, QStringLiteral("num") + QLatin1String(prefix) + QString::number(number), r.max, r.format,
                            at.box, top, r.width);
        caption(f, QString(), r.unit, at.unit, top, 600);
        ++number;
    }
}

} // namespace

frmInputApartment::frmInputApartment(QWidget *parent)
    : PlanEntryDialog(QStringLiteral("frmInputApartment"), QStringLiteral("賃貸マンションデータ入力"), parent)
{
    buildControls();
    connectHandlers();
}

void frmInputApartment::install()
{
    ShellHooks::setEntryFormFactory(PlanType::Apartment,
                                    [](QWidget *owner) { return std::make_unique<frmInputApartment>(owner); });
}

// ---------------------------------------------------------------------------
// Layout: three columns. Left: plan name, building, site and plan values; middle:
// budget, depreciation and the fire-insurance period; right: rent rows, funding
// with the loans, and the two form buttons.

void frmInputApartment::buildControls()
{
    using namespace FormControls;
    setFormSize(17940, 8580);
    QWidget *const form = surface();

    label(form, QStringLiteral("labName"), QStringLiteral("計画名"), 240, 120, 780, kRowHeight);
    m_txtName = text(form, QStringLiteral("txtName"), 30, 1080, 120, 3540, kRowHeight);

    buildBuilding(frame(form, QStringLiteral("建　物"), 120, 540, 4500, 3360));
    buildSite(frame(form, QStringLiteral("敷　地"), 120, 3960, 4500, 1710));
    buildPlanValues(frame(form, QStringLiteral("計画参考数値"), 120, 5730, 4500, 2730));
    buildBudget(frame(form, QStringLiteral("建設予算"), 4710, 120, 4200, 4380));
    buildDepreciation(frame(form, QStringLiteral("減価償却"), 4710, 4560, 4200, 2400));
    caption(form, QStringLiteral("labKasai"), "火災保険の保険期間", 4830, 7080, 1860);
    m_numKasai = box(form, QStringLiteral("numKasai"), 99, "#0", 6750, 7080, 600);
    caption(form, QString(), "年", 7410, 7080, 480);
    buildRents(frame(form, QStringLiteral("家賃設定"), 9000, 120, 8820, 3330));
    buildFunds(frame(form, QStringLiteral("資金計画"), 9000, 3510, 8820, 3885));

    place(lbutAdd(), 15285, 8085, 1215, 375);
    place(lbutClose(), 16605, 8085, 1215, 375);

    QList<QWidget *> order = {m_txtName, m_cmbKaoku1};
    for (int i = 2; i <= 8; ++i)
        order << m_numKaoku[i];
    order << m_chkKaoku9;
    for (int i = 1; i <= 4; ++i)
        order << m_numSikiti[i];
    for (int i = 1; i <= 12; ++i)
        order << m_numYosan[i];
    order << m_cmbGenka1;
    for (int i = 2; i <= 5; ++i)
        order << m_numGenka[i];
    order << m_cmbGenka6 << m_numKasai << m_yatin << m_yatinButtons.newRow << m_yatinButtons.detail
          << m_yatinButtons.lineDel << m_numSikin[1] << m_numSikin[2] << m_kariire << m_kariireButtons.newRow
          << m_kariireButtons.detail << m_kariireButtons.lineDel;
    for (int i = 1; i <= 9; ++i)
        order << m_numKeikaku[i];
    order << lbutAdd() << lbutClose();
    tabOrder(order);
}

void frmInputApartment::buildBuilding(QWidget *f)
{
    caption(f, QStringLiteral("labKaoku1"), "構造", kLabelLeft, rowTop(0), 600);
    m_cmbKaoku1 = combo(f, "cmbKaoku1", 780, rowTop(0), 3600);
    numberRows(f, "Kaoku", 2, 1, kNarrowColumns,
               {{"棟数", "棟", 99, "#0", 600},
                {"戸数", "戸", 99, "#0", 600},
                {"階数", "階建て", 99, "#0", 600},
                {"床面積", "㎡", 99999.99, "####0.00", 1200},
                {"評価額", "千円", 999999, "###,##0", 1200},
                {"固定資産税税率", "％", 100, "##0.00", 900},
                {"都市計画税税率", "％", 100, "##0.00", 900}},
               m_numKaoku);
    caption(f, QString(), "１㎡あたり", 720, rowTop(5), 900);
    m_chkKaoku9 = new QCheckBox(QStringLiteral("中高層耐火住宅"), f);
    m_chkKaoku9->setObjectName(QStringLiteral("chkKaoku9"));
    FormControls::place(m_chkKaoku9, kNarrowColumns.box, rowTop(8), 2520, kRowHeight);
}

void frmInputApartment::buildSite(QWidget *f)
{
    numberRows(f, "Sikiti", 1, 0, kNarrowColumns,
               {{"敷地面積", "㎡", 99999.99, "####0.00", 1200},
                {"評価額", "千円", 999999, "###,##0", 1200},
                {"固定資産税税率", "％", 100, "##0.00", 900},
                {"都市計画税税率", "％", 100, "##0.00", 900}},
               m_numSikiti);
    caption(f, QString(), "１㎡あたり", 720, rowTop(1), 900);
}

void frmInputApartment::buildBudget(QWidget *f)
{
    const NumberRow item = {nullptr, "千円", 999999, "###,##0", 1440};
    const auto named = [&item](const char *text) {
        NumberRow r = item;
        r.caption = text;
        return r;
    };
    numberRows(f, "Yosan", 1, 0, kWideColumns,
               {{"工事請負金額", "千円", 99999999, "##,###,##0", 1440},
                {"消費税", "千円", 9999999, "#,###,##0", 1440},
                named("水道市納金"),
                named("放流負担金"),
                named("収入印紙税"),
                named("取得税"),
                named("火災保険料"),
                named("登記費用"),
                named("保証料"),
                named("期中金利"),
                named("その他"),
                {"建設予算総額", "千円", 999999999, "###,###,##0", 1440}},
               m_numYosan);
}

void frmInputApartment::buildDepreciation(QWidget *f)
{
    caption(f, QStringLiteral("labGenka1"), "償却方法", kLabelLeft, rowTop(0), 1500);
    m_cmbGenka1 = combo(f, "cmbGenka1", kWideColumns.box, rowTop(0), 1440);
    numberRows(f, "Genka", 2, 1, kWideColumns,
               {{"償却年数", "年", 99, "#0", 600},
                {"償却率", "％", 100, "##0.00", 900},
                {"償却額", "千円", 999999999, "###,###,##0", 1440},
                {"残存額", "千円", 99999999, "##,###,##0", 1440}},
               m_numGenka);
    caption(f, QStringLiteral("labGenka6"), "割増償却", kLabelLeft, rowTop(5), 1500);
    m_cmbGenka6 = combo(f, "cmbGenka6", kWideColumns.box, rowTop(5), 1440);
}

void frmInputApartment::buildPlanValues(QWidget *f)
{
    using FormControls::place;
    constexpr int subLeft = 1320, boxLeft = 2520, unitLeft = 3480;
    // 空室率, 入居者回転率: a percentage each.
    caption(f, QStringLiteral("labKeikaku1"), "空室率", kLabelLeft, rowTop(0), 1200);
    m_numKeikaku[1] = box(f, name("numKeikaku", 1), 100, "##0.00", boxLeft, rowTop(0), 900);
    caption(f, QString(), "％", unitLeft, rowTop(0), 300);
    caption(f, QStringLiteral("labKeikaku2"), "入居者回転率", kLabelLeft, rowTop(1), 1200);
    caption(f, QString(), "毎年", subLeft, rowTop(1), 1140);
    m_numKeikaku[2] = box(f, name("numKeikaku", 2), 100, "##0.00", boxLeft, rowTop(1), 900);
    caption(f, QString(), "％", unitLeft, rowTop(1), 300);
    // Rents rise up to a year, every N years by a percentage; the land every N years.
    caption(f, QStringLiteral("labKeikaku3"), "家賃", kLabelLeft, rowTop(2), 1200);
    m_numKeikaku[3] = box(f, name("numKeikaku", 3), 99, "#0", subLeft, rowTop(2), 450);
    caption(f, QString(), "年目まで値上り", subLeft + 510, rowTop(2), 1800);
    const char *const riseCaptions[] = {"値上予想", "土地上昇率"};
    for (int k = 0; k < 2; ++k) {
        const int top = rowTop(3 + k);
        caption(f, name("labKeikaku", 4 + 2 * k), riseCaptions[k], kLabelLeft, top, 1200);
        m_numKeikaku[4 + 2 * k] = box(f, name("numKeikaku", 4 + 2 * k), 99, "#0", subLeft, top, 450);
        caption(f, QString(), "年毎", subLeft + 510, top, 600);
        m_numKeikaku[5 + 2 * k] = box(f, name("numKeikaku", 5 + 2 * k), 999.99, "##0.00", boxLeft, top, 900);
        caption(f, QString(), "％", unitLeft, top, 300);
    }
    caption(f, QStringLiteral("labKeikaku8"), "修繕費", kLabelLeft, rowTop(5), 1200);
    caption(f, QString(), "入居者回転毎", subLeft, rowTop(5), 1140);
    m_numKeikaku[8] = box(f, name("numKeikaku", 8), 99999, "##,##0", boxLeft, rowTop(5), 900);
    caption(f, QString(), "千円", unitLeft, rowTop(5), 600);
    caption(f, QStringLiteral("labKeikaku9"), "維持管理費", kLabelLeft, rowTop(6), 1200);
    caption(f, QString(), "収入の", subLeft, rowTop(6), 1140);
    m_numKeikaku[9] = box(f, name("numKeikaku", 9), 100, "##0.00", boxLeft, rowTop(6), 900);
    caption(f, QString(), "％", unitLeft, rowTop(6), 300);
}

void frmInputApartment::buildRents(QWidget *f)
{
    using FormControls::place;
    m_yatin = new RentGrid(f);
    // High enough for the captions, five rows and the totals line.
    place(m_yatin, 120, 300, 8580, 2475);
    m_yatinButtons = createRowButtons(f, "lbutNewYatin", "lbutDetailYatin", "lbutLineDelYatin", 8700, 2835);
}

void frmInputApartment::buildFunds(QWidget *f)
{
    using FormControls::place;
    caption(f, QStringLiteral("labSikin1"), "自己資金", kLabelLeft, rowTop(0), 900);
    m_numSikin[1] = box(f, name("numSikin", 1), 99999999, "##,###,##0", 1080, rowTop(0), 1440);
    caption(f, QString(), "千円", 2580, rowTop(0), 480);
    caption(f, QStringLiteral("labSikin2"), "敷金の流用", 3300, rowTop(0), 1080);
    m_numSikin[2] = box(f, name("numSikin", 2), 99999999, "##,###,##0", 4440, rowTop(0), 1440);
    caption(f, QString(), "千円", 5940, rowTop(0), 480);
    caption(f, QStringLiteral("labKariire"), "借入金", kLabelLeft, 690, 900);
    m_kariire = new LoanGrid(f);
    place(m_kariire, 120, 990, 8580, 2340);
    m_kariireButtons = createRowButtons(f, "lbutNewKariire", "lbutDetailKariire", "lbutLineDelKariire", 8700, 3390);
}

void frmInputApartment::connectHandlers()
{
    const FormTrap &trap = this->trap();
    FormButtons::onClick(m_yatinButtons.newRow, this,
                         trap.handler("lbutNewYatin_Click", [this] { lbutNewYatin_Click(); }));
    FormButtons::onClick(m_yatinButtons.detail, this,
                         trap.handler("lbutDetailYatin_Click", [this] { lbutDetailYatin_Click(); }));
    FormButtons::onClick(m_yatinButtons.lineDel, this,
                         trap.handler("lbutLineDelYatin_Click", [this] { lbutLineDelYatin_Click(); }));
    FormButtons::onClick(m_kariireButtons.newRow, this,
                         trap.handler("lbutNewKariire_Click", [this] { lbutNewKariire_Click(); }));
    FormButtons::onClick(m_kariireButtons.detail, this,
                         trap.handler("lbutDetailKariire_Click", [this] { lbutDetailKariire_Click(); }));
    FormButtons::onClick(m_kariireButtons.lineDel, this,
                         trap.handler("lbutLineDelKariire_Click", [this] { lbutLineDelKariire_Click(); }));
    connect(m_yatin, &RowGrid::DblClick, this, trap.handler("TDBYatin_DblClick", [this] { lbutDetailYatin_Click(); }));
    connect(m_yatin, &RowGrid::KeyDown, this,
            [this](int code) { this->trap()("TDBYatin_KeyDown", [this, code] { TDBYatin_KeyDown(code); }); });
    connect(m_kariire, &RowGrid::DblClick, this,
            trap.handler("TDBKariire_DblClick", [this] { lbutDetailKariire_Click(); }));
    connect(m_kariire, &RowGrid::KeyDown, this,
            [this](int code) { this->trap()("TDBKariire_KeyDown", [this, code] { TDBKariire_KeyDown(code); }); });
    // A user's choice runs the list's rule; a choice made by code runs it through selectEntry.
    connect(m_cmbKaoku1, &QComboBox::currentIndexChanged, this,
            trap.handler("cmbKaoku1_Click", [this] { cmbKaoku1_Click(); }));
    connect(m_cmbGenka1, &QComboBox::currentIndexChanged, this,
            trap.handler("cmbGenka1_Click", [this] { cmbGenka1_Click(); }));
}

// ---------------------------------------------------------------------------
// Loading

void frmInputApartment::loadPlan()
{
    const FormTrap &trap = this->trap();
    trap("SetControlsColor", [this] { SetControlsColor(); });
    trap("Init", [this] { Init(); });
    // The rates are read once, for every rule that looks one up while the form is open.
    readStep("InitCombo", [this] { m_rates.load(gDao()); });
    trap("InitCombo", [this] { InitCombo(); });
    SetGridStyle(this, m_yatin);
    SetGridStyle(this, m_kariire);
    trap("SetTDBGridColumns", [this] { SetTDBGridColumns(); });
    trap("SetTDBYatinFootertext", [this] { SetTDBYatinFootertext(); });
    readStep("SetThingData", [this] { SetThingData(m_numSikiti + 1); });
    readStep("SetApartmentData", [this] { SetApartmentData(); });
}

void frmInputApartment::afterSnapshot()
{
    m_rentRowsChanged = false;
    m_loanRowsChanged = false;
    trap()("CheckYatinCount", [this] { CheckYatinCount(); });
    trap()("CheckKariireCount", [this] { CheckKariireCount(); });
}

void frmInputApartment::SetControlsColor()
{
    SetButtonColors({m_yatinButtons, m_kariireButtons});
    setStyle(m_txtName, 4);
    setStyle(m_cmbKaoku1, 4);
    for (int i = 2; i <= 5; ++i)
        setStyle(m_numKaoku[i], 4);
    for (int i = 1; i <= 4; ++i)
        setStyle(m_numSikiti[i], 3);
    setStyle(m_numYosan[12], 3);
    for (QWidget *c : {m_numKaoku[7], m_numKaoku[8], m_numYosan[2], m_numGenka[2], m_numGenka[3]})
        setStyle(c, 2);
}

void frmInputApartment::Init()
{
    readStep("InitYatin", [this] { InitYatin(); });
    readStep("InitKariire", [this] { InitKariire(); });
    const cBase &base = gBase();
    m_numKaoku[7]->setValue(base.CvtDbl(IniValue(QStringLiteral("CONST"), QStringLiteral("固定資産税"))));
    m_numKaoku[8]->setValue(base.CvtDbl(IniValue(QStringLiteral("CONST"), QStringLiteral("都市計画税"))));
}

void frmInputApartment::InitYatin()
{
    loadWorkRows(m_yatin, WorkRowStore::rents(), m_rentRowsLoaded);
}

void frmInputApartment::InitKariire()
{
    loadWorkRows(m_kariire, WorkRowStore::loans(), m_loanRowsLoaded);
}

void frmInputApartment::InitCombo()
{
    const cBase &base = gBase();
    // The lists are filled quietly; each rule runs once, when its default is chosen.
    // The rate look-up needs the method list: the structure's rule finds none yet,
    // and the method's rule then looks the rate up with the life the structure gave.
    const QSignalBlocker quietStructure(m_cmbKaoku1), quietMethod(m_cmbGenka1), quietExtra(m_cmbGenka6);
    m_cmbGenka1->clear();
    m_cmbGenka6->clear();
    m_cmbKaoku1->clear();
    m_cmbKaoku1->addItems({QStringLiteral("木造"), QStringLiteral("木骨モルタル造"),
                           QStringLiteral("金属造(骨格材の肉厚３㎜以下)"),
                           QStringLiteral("金属造(骨格材の肉厚３㎜超４㎜以下)"),
                           QStringLiteral("金属造(骨格材の肉厚４㎜超)"), QStringLiteral("鉄骨鉄筋コンクリート造")});
    // A default outside the list selects no structure: the check then asks for one.
    const int structure = base.CvtLng(IniValue(QStringLiteral("DEFAULT"), QStringLiteral("構造")));
    selectEntry(m_cmbKaoku1, structure >= 0 && structure < m_cmbKaoku1->count() ? structure : -1);

    m_cmbGenka1->addItems({DepreciationRates::methodName(0), DepreciationRates::methodName(1)});
    // No check asks for the method or the extra depreciation: a default outside the
    // list takes the first entry, so depreciation is never silently left out.
    const auto inList = [](int index, const QComboBox *c) { return index >= 0 && index < c->count() ? index : 0; };
    selectEntry(m_cmbGenka1,
                inList(base.CvtLng(IniValue(QStringLiteral("DEFAULT"), QStringLiteral("減価方法"))), m_cmbGenka1));
    m_cmbGenka6->addItems({QStringLiteral("行う"), QStringLiteral("行わない")});
    selectEntry(m_cmbGenka6,
                inList(base.CvtLng(IniValue(QStringLiteral("DEFAULT"), QStringLiteral("割増償却"))), m_cmbGenka6));
}

void frmInputApartment::selectEntry(QComboBox *combo, int index)
{
    {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
    }
    if (combo == m_cmbKaoku1)
        trap()("cmbKaoku1_Click", [this] { cmbKaoku1_Click(); });
    else if (combo == m_cmbGenka1)
        trap()("cmbGenka1_Click", [this] { cmbGenka1_Click(); });
}

void frmInputApartment::SetTDBGridColumns()
{
    trap()("SetTDBYatinColumns", [this] { m_yatin->SetTDBYatinColumns(); });
    trap()("SetTDBKariireColumns", [this] { m_kariire->SetTDBKariireColumns(); });
}

void frmInputApartment::SetTDBYatinFootertext()
{
    // The same totals the projection takes as its base, never read back from the text.
    const bool rows = m_yatin->RecordCount() > 0;
    const RentFooters f = m_yatin->DataYatin()->footers();
    const auto shown = [rows](int64_t total) {
        return rows ? vb::format(double(total), QStringLiteral("##,##0")) : QStringLiteral("0");
    };
    m_yatin->setFooterText(RentGridModel::Kyoeki, shown(f.rent));
    m_yatin->setFooterText(RentGridModel::Tyusyaryo, shown(f.parking));
    m_yatin->setFooterText(RentGridModel::Sikikin, shown(f.deposit));
}

void frmInputApartment::SetApartmentData()
{
    showRecord(ApartmentPlanRecord::description());
}

// ---------------------------------------------------------------------------
// Rent and loan rows

void frmInputApartment::CheckYatinCount()
{
    CheckRowCount(m_yatin, m_yatinButtons.newRow, m_yatinButtons.lineDel, kRentLimit, true);
}

void frmInputApartment::CheckKariireCount()
{
    CheckRowCount(m_kariire, m_kariireButtons.newRow, m_kariireButtons.lineDel, kLoanLimit, true);
}

QPoint frmInputApartment::dialogPosition(QWidget *grid)
{
    // The dialog opens at the grid's lower edge; it keeps itself on the screen.
    const QPoint at = grid->mapToGlobal(QPoint(0, grid->height()));
    return QPoint(int(pixelsToTwipsX(at.x())), int(pixelsToTwipsY(at.y())));
}

void frmInputApartment::InputYatin(const QString &type)
{
    bool saved = false;
    {
        frmInputYatin dialog(this);
        dialog.setPro_Type(type);
        saved = showRowDialog(dialog, dialogPosition(m_yatin));
    }
    CheckYatinCount();
    trap()("SetTDBYatinFootertext", [this] { SetTDBYatinFootertext(); });
    m_numSikin[1]->setFocus();
    // A row saved before, or deleted, stays a change whatever this showing did.
    m_rentRowsChanged = m_rentRowsChanged || saved;
}

void frmInputApartment::InputKariire(int renban)
{
    bool saved = false;
    {
        frmInputKariire dialog(this);
        dialog.setPro_Renban(renban);
        saved = showRowDialog(dialog, dialogPosition(m_kariire));
    }
    CheckKariireCount();
    m_numKeikaku[1]->setFocus();
    m_loanRowsChanged = m_loanRowsChanged || saved;
}

void frmInputApartment::lbutNewYatin_Click()
{
    m_yatin->setRow(m_yatin->RecordCount());
    InputYatin(m_yatin->rowModel()->newKey().toString());
}

void frmInputApartment::lbutDetailYatin_Click()
{
    InputYatin(m_yatin->currentKey().toString());
}

void frmInputApartment::lbutNewKariire_Click()
{
    m_kariire->setRow(m_kariire->RecordCount());
    InputKariire(m_kariire->rowModel()->newKey().toInt());
}

void frmInputApartment::lbutDetailKariire_Click()
{
    InputKariire(m_kariire->currentKey().toInt());
}

void frmInputApartment::lbutLineDelYatin_Click()
{
    // The row goes and the others are re-lettered in one transaction.
    deleteCurrentRow(m_yatin, WorkRowStore::rents(), "TDBYatin_AfterDelete", [this](bool deleted) {
        CheckYatinCount();
        SetTDBYatinFootertext();
        if (deleted)
            m_rentRowsChanged = true;
    });
}

void frmInputApartment::lbutLineDelKariire_Click()
{
    deleteCurrentRow(m_kariire, WorkRowStore::loans(), "TDBKariire_AfterDelete", [this](bool deleted) {
        CheckKariireCount();
        if (deleted)
            m_loanRowsChanged = true;
    });
}

void frmInputApartment::TDBYatin_KeyDown(int keyCode)
{
    switch (keyCode) {
    case VbKeys::Return:
        lbutDetailYatin_Click();
        break;
    case VbKeys::Down:
        if (m_yatin->isOnAddNewRow() || m_yatin->Row() + 1 == kRentLimit)
            m_numSikin[1]->setFocus();
        break;
    case VbKeys::Up:
        if (m_yatin->Row() == 0)
            m_numKasai->setFocus();
        break;
    default:
        break;
    }
}

void frmInputApartment::TDBKariire_KeyDown(int keyCode)
{
    switch (keyCode) {
    case VbKeys::Return:
        lbutDetailKariire_Click();
        break;
    case VbKeys::Down:
        if (m_kariire->isOnAddNewRow() || m_kariire->Row() + 1 == kLoanLimit)
            m_numKeikaku[1]->setFocus();
        break;
    case VbKeys::Up:
        if (m_kariire->Row() == 0)
            m_numSikin[2]->setFocus();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Input rules

void frmInputApartment::focusLeft(QWidget *old)
{
    const FormTrap &trap = this->trap();
    if (old == m_numKaoku[4]) {
        trap("numKaoku4_Validate", [this] { numKaoku4_Validate(); });
    } else if (old == m_numYosan[1]) {
        trap("numYosan1_LostFocus", [this] { numYosan1_LostFocus(); });
    } else if (old == m_numYosan[2]) {
        trap("numYosan2_LostFocus", [this] {
            YosanTotal();
            GenkaTotal();
        });
    } else if (old == m_numGenka[2]) {
        trap("numGenka2_LostFocus", [this] { numGenka2_LostFocus(); });
    } else {
        const char *const others[] = {"numYosan3_LostFocus", "numYosan4_LostFocus",  "numYosan5_LostFocus",
                                      "numYosan6_LostFocus", "numYosan7_LostFocus",  "numYosan8_LostFocus",
                                      "numYosan9_LostFocus", "numYosan10_LostFocus", "numYosan11_LostFocus"};
        for (int i = 3; i <= 11; ++i)
            if (old == m_numYosan[i])
                trap(others[i - 3], [this] { YosanTotal(); });
    }
}

void frmInputApartment::cmbKaoku1_Click()
{
    // The useful life of the structure, from the settings; 0 without a key.
    const QString key = QStringLiteral("耐用年数") + QString::number(m_cmbKaoku1->currentIndex());
    m_numGenka[2]->setValue(gBase().CvtLng(IniValue(QStringLiteral("CONST"), key)));
    trap()("numGenka2_LostFocus", [this] { numGenka2_LostFocus(); });
}

void frmInputApartment::numKaoku4_Validate()
{
    if (gBase().CvtLng(m_numKaoku[4]->Value()) < 3) {
        m_chkKaoku9->setChecked(false);
        m_chkKaoku9->setEnabled(false);
    } else {
        m_chkKaoku9->setEnabled(true);
    }
}

void frmInputApartment::numYosan1_LostFocus()
{
    m_numYosan[2]->setValue(ConsumptionTax(m_numYosan[1]->Value()));
    YosanTotal();
    GenkaTotal();
}

void frmInputApartment::cmbGenka1_Click()
{
    const int method = m_cmbGenka1->currentIndex();
    if (method == 0 || method == 1)
        numGenka2_LostFocus();
    if (method == kStraightLine) {
        const Currency base = Currency::fromDouble(gBase().CvtDbl(m_numGenka[4]->Value()));
        m_numGenka[5]->setValue(BudgetTotals::Residual(base, method).toDouble());
        setStyle(m_numGenka[5], 2);
    } else {
        m_numGenka[5]->setValue(0);
        setStyle(m_numGenka[5], 3);
    }
}

void frmInputApartment::numGenka2_LostFocus()
{
    const int method = m_cmbGenka1->currentIndex();
    if (method != 0 && method != 1)
        return;
    // A life without a row in the master gives the rate 0.
    m_numGenka[3]->setValue(m_rates.percent(method, gBase().CvtLng(m_numGenka[2]->Value())));
}

void frmInputApartment::YosanTotal()
{
    BudgetTotals::Items items;
    for (int i = 1; i <= 11; ++i)
        items[size_t(i - 1)] = m_numYosan[i]->Value();
    m_numYosan[12]->setValue(BudgetTotals::YosanTotal(items).toDouble());
}

void frmInputApartment::GenkaTotal()
{
    const int method = m_cmbGenka1->currentIndex();
    const BudgetTotals::Genka g = BudgetTotals::GenkaTotal(m_numYosan[1]->Value(), m_numYosan[2]->Value(), method);
    m_numGenka[4]->setValue(g.base.toDouble());
    // Without the straight-line method the residual is 0, whatever a stored plan held.
    m_numGenka[5]->setValue(g.residual.toDouble());
}

// ---------------------------------------------------------------------------
// Checks and registration

bool frmInputApartment::CheckInputValue()
{
    bool valid = false;
    trap()("CheckInputValue", [&] {
        const cBase &base = gBase();
        // A name of blanks only is no name; an empty box counts as 0.
        RequiredInputs required;
        required.check(m_txtName->Text().trimmed().isEmpty(), " [ 計画名 ] ", m_txtName);
        required.check(m_cmbKaoku1->currentIndex() < 0, " [ 構造 ] ", m_cmbKaoku1);
        required.check(base.CvtDbl(m_numKaoku[2]->Value()) == 0, " [ 棟数 ] ", m_numKaoku[2]);
        required.check(base.CvtDbl(m_numKaoku[3]->Value()) == 0, " [ 戸数 ] ", m_numKaoku[3]);
        required.check(base.CvtDbl(m_numKaoku[4]->Value()) == 0, " [ 階数 ] ", m_numKaoku[4]);
        required.check(base.CvtDbl(m_numKaoku[5]->Value()) == 0, " [ 床面積 ] ", m_numKaoku[5]);
        valid = required.report(this);
    });
    return valid;
}

bool frmInputApartment::CheckInputValue2()
{
    bool valid = false;
    trap()("CheckInputValue2", [&] {
        const cBase &base = gBase();
        if (m_cmbGenka1->currentIndex() == kStraightLine &&
            base.CvtDbl(m_numGenka[5]->Value()) > base.CvtDbl(m_numGenka[4]->Value()) / 10) {
            MsgBox::show(QStringLiteral("残存額が償却額の10%を超えています。"), MsgBox::Exclamation,
                         QStringLiteral("確認"), this);
            return;
        }
        const int64_t ownFunds = int64_t(base.CvtLng(m_numSikin[1]->Value())) + base.CvtLng(m_numSikin[2]->Value());
        if (!CheckFunding(m_numYosan[12]->Value(), ownFunds, m_kariire->DataKariire()))
            return;
        valid = true;
    });
    return valid;
}

ApartmentPlanInput frmInputApartment::planInput(const QVector<QVariant> &values) const
{
    ApartmentPlanInput in;
    ApartmentPlanRecord::description().fill(in, values);
    in.numSikiti1 = m_numSikiti[1]->Value();
    in.numSikiti2 = m_numSikiti[2]->Value();
    in.numSikiti3 = m_numSikiti[3]->Value();
    in.numSikiti4 = m_numSikiti[4]->Value();
    return in;
}

void frmInputApartment::Register()
{
    if (!m_rentRowsLoaded || !m_loanRowsLoaded)
        throw ProcedureError(m_rentRowsLoaded ? QStringLiteral("InitKariire") : QStringLiteral("InitYatin"),
                             QStringLiteral("作業データを読み込めなかったため、登録を中止しました。"));
    const QVector<QVariant> values = recordValues(ApartmentPlanRecord::description());
    ApartmentPlanInput in = planInput(values);
    ProjectionSettings settings;
    settings.gTaxRate = gTaxRate;
    settings.validYears = IniValue(QStringLiteral("CONST"), QStringLiteral("有効期間"));
    settings.baseYear = IniValue(QStringLiteral("CONST"), QStringLiteral("基準年"));
    settings.extraRate1 = IniValue(QStringLiteral("CONST"), QStringLiteral("割増率1"));
    settings.extraRate2 = IniValue(QStringLiteral("CONST"), QStringLiteral("割増率2"));
    PlanRegistration(gDao(), id1(), id2())
        .Register({&ApartmentPlanRecord::description(), values}, {&WorkRowStore::rents(), &WorkRowStore::loans()},
                  [&](PlanInputLoader &workRows) {
                      workRows.loadRows(id1(), id2(), in);
                      return std::make_unique<ApartmentProjection>(in, settings);
                  });
}
