#include "frmGraph.h"

#include "DamagedFile.h"
#include "FormButtons.h"
#include "FormTrap.h"
#include "Globals.h"
#include "GraphPicture.h"
#include "LayoutReport.h"
#include "PlanDeleter.h"
#include "PlanGraph.h"
#include "PlanReportFiller.h"
#include "PlanWindowGeometry.h"
#include "PlanWorkspace.h"
#include "PrintJob.h"
#include "ReportLayouts.h"
#include "ResultRowReader.h"
#include "ShellHooks.h"
#include "Styling.h"
#include "YearlyTableModel.h"
#include "cApl.h"
#include "cDao.h"
#include "frmMinSize.h"
#include "mdlMain.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <stdexcept>

const QString frmGraph::kObjectName = QStringLiteral("frmGraph");

namespace
{

const FormTrap trap(frmGraph::kObjectName);

const QString kSheetReport = QStringLiteral("経営計画ご提案書１");
const QString kTableReport = QStringLiteral("経営計画ご提案書２");

QRect pixels(const QRectF &twips)
{
    return QRect(twipsToPixelsX(twips.left()), twipsToPixelsY(twips.top()), twipsToPixelsX(twips.width()),
                 twipsToPixelsY(twips.height()));
}

// The window frame's height is the same for every plan window; measuring it makes a frame.
double frameAllowance()
{
    static const double allowance = frmMinSize::OuterHeight();
    return allowance;
}

PlanGraphInput graphInput(const QVector<ResultRow> &rows, const ResultScales &scales, const PlanView &view,
                          const QSizeF &picture)
{
    PlanGraphInput input;
    input.rows.reserve(size_t(rows.size()));
    for (const ResultRow &row : rows)
        input.rows.push_back({row.year, row.income, row.expense, row.balance});
    input.scale = {scales.maxBalance, scales.minBalance, scales.maxIncome, scales.maxExpense};
    input.years = view.years.years;
    input.dispSize = view.dispSize;
    input.picture = picture;
    return input;
}

} // namespace

frmGraph::frmGraph(QWidget *parent) : PlanWindow(parent)
{
    setObjectName(kObjectName);
    buildControls();
}

frmGraph::~frmGraph() = default;

void frmGraph::buildControls()
{
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("frmGraphClient"));
    m_content->setAutoFillBackground(true);
    m_picGraph = new GraphPicture(m_content);
    m_grid = new QTableView(m_content);
    m_grid->setObjectName(QStringLiteral("TDBGrid"));
    // A read-only table: Tab leaves it for the buttons; the arrows move through the years.
    m_grid->setTabKeyNavigation(false);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new YearlyTableModel(this);
    m_imgImage = new QLabel(m_content);
    m_imgImage->setObjectName(QStringLiteral("imgImage"));
    m_imgImage->setScaledContents(true);
    m_lbutInput = FormButtons::create(m_content, QStringLiteral("lbutInput"), QStringLiteral("データ"));
    m_lbutPrint = FormButtons::create(m_content, QStringLiteral("lbutPrint"), QStringLiteral("印　刷"));
    m_lbutDelete = FormButtons::create(m_content, QStringLiteral("lbutDelete"), QStringLiteral("破　棄"));
    FormButtons::onClick(m_lbutInput, this, [this] { lbutInput_Click(); });
    FormButtons::onClick(m_lbutPrint, this, [this] { lbutPrint_Click(); });
    FormButtons::onClick(m_lbutDelete, this, [this] { lbutDelete_Click(); });
    connect(m_grid, &QTableView::clicked, this, [this] { trap("TDBGrid_Click", [this] { TDBGrid_Click(); }); });
    setWidget(m_content);
}

QColor frmGraph::backColorOf(int planNumber)
{
    static const QColor colours[5] = {QColor(255, 255, 192), QColor(255, 224, 224), QColor(255, 192, 255),
                                      QColor(224, 224, 255), QColor(192, 255, 255)};
    const int index = planNumber % 5;
    return colours[index < 0 ? index + 5 : index];
}

const QVector<ResultRow> &frmGraph::rows() const
{
    return m_model->rows();
}

const DrawList &frmGraph::graph() const
{
    return m_picGraph->drawing();
}

void frmGraph::setImage(const QPixmap &picture)
{
    m_imgImage->setPixmap(picture);
}

void frmGraph::Form_Load()
{
    load(PlanView::current());
}

void frmGraph::Init()
{
    Init(PlanView::current());
}

void frmGraph::ReDraw()
{
    ReDraw(PlanView::current());
}

void frmGraph::Resize()
{
    Resize(PlanView::current());
}

void frmGraph::load(const PlanView &view)
{
    // Each step runs on its own: a plan whose rows cannot be read still gets its colour,
    // layout and caption.
    trap("Form_Load", [this] {
        QPalette pal = m_content->palette();
        pal.setColor(QPalette::Window, backColorOf(Pro_ID2().toInt()));
        m_content->setPalette(pal);
    });
    trap("SetControlsColor", [this] { SetControlsColor(); });
    trap("Form_Load", [this] {
        SetGridStyle(this, m_grid);
        SetTDBGridColumns();
    });
    Init(view);
    trap("Form_Load", [this] {
        // A plan without result rows takes its type from the plan table that holds it.
        const int type = rows().isEmpty() ? ResultRowReader(gDao()).tablePlanType(Pro_ID1().toInt(), Pro_ID2().toInt())
                                          : rows().first().type;
        ApplyPlanType(type);
    });
    Resize(view);
    ReDraw(view);
}

void frmGraph::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutDelete, cApl::Delete);
    gApl().SetButLineColor(m_lbutPrint, cApl::Print);
    gApl().SetButLineColor(m_lbutInput, cApl::New);
}

void frmGraph::SetTDBGridColumns()
{
    m_grid->setModel(m_model);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void frmGraph::TDBGrid_Click()
{
    m_grid->setFocus();
}

void frmGraph::Init(const PlanView &view)
{
    const bool damaged = trap.failsOnDamage("Init", [this, &view] {
        // A failed read leaves the table empty, so nothing is drawn from old rows.
        m_model->setRows({});
        m_model->setRows(ResultRowReader(gDao()).rows(Pro_ID1().toInt(), Pro_ID2().toInt(), view.years));
    });
    if (damaged)
        tellDamagedFile();
}

// An empty window must not pass for a plan without results: the user is told, and the
// window stays open so that its plan can still be discarded.
void frmGraph::tellDamagedFile()
{
    if (workspace())
        workspace()->reportDamagedFile();
    else
        trap("Init", [this] { ShowDamagedFile(this); });
}

void frmGraph::ReDraw(const PlanView &view)
{
    trap("ReDraw", [this, &view] {
        m_picGraph->clear();
        m_drawnView = view;
    });
    if (trap.failsOnDamage("DrawGraph", [this, &view] { DrawGraph(view); }))
        tellDamagedFile();
}

void frmGraph::DrawGraph(const PlanView &view)
{
    if (rows().isEmpty())
        return; // the picture stays empty: no frame, no labels
    const ResultScales scales = ResultRowReader(gDao()).scales(Pro_ID1().toInt(), view.years);
    m_picGraph->draw(PlanGraph::draw(graphInput(rows(), scales, view, m_picGraph->sizeTwips())));
}

void frmGraph::Resize(const PlanView &view)
{
    trap("Resize", [this, &view] {
        if (isMinimized())
            return;
        const PlanWindowGeometry g(view.dispSize, view.graphOnly, frameAllowance());
        m_picGraph->setGeometry(pixels(g.picture()));

        const QFont body = gothicFont(g.fontPoints());
        const QFont head = gothicFont(g.fontPoints(), true);
        m_grid->setFont(body);
        m_grid->horizontalHeader()->setFont(head);
        m_grid->setGeometry(pixels(g.grid()));
        const std::array<double, 4> widths = g.gridColumnWidths();
        for (int c = 0; c < int(widths.size()); ++c)
            m_grid->setColumnWidth(c, twipsToPixelsX(widths[size_t(c)]));
        // The rows keep their height in twips, but never cut the text of a larger font.
        const int line = QFontMetrics(body).height() + 2;
        m_grid->verticalHeader()->setDefaultSectionSize(std::max(twipsToPixelsY(g.gridRowHeight()), line));
        m_grid->horizontalHeader()->setFixedHeight(QFontMetrics(head).height() + 6);

        m_imgImage->setGeometry(pixels(g.image()));
        const std::pair<QWidget *, QRectF> buttons[] = {
            {m_lbutInput, g.inputButton()}, {m_lbutPrint, g.printButton()}, {m_lbutDelete, g.deleteButton()}};
        for (const auto &[button, box] : buttons) {
            // The font first: a button is never lower than a line of its font, and the
            // larger font of the size before must not hold it up against the next one.
            QFont font = button->font();
            font.setPointSizeF(g.fontPoints());
            button->setFont(font);
            button->setGeometry(pixels(box));
        }

        // In graph-only mode the window ends a little below the graph; whatever part of the
        // client area a taller frame leaves below it shows no cut-off controls.
        for (QWidget *below : {static_cast<QWidget *>(m_grid), static_cast<QWidget *>(m_imgImage), m_lbutInput,
                               m_lbutPrint, m_lbutDelete})
            below->setVisible(!view.graphOnly);

        const QSizeF outer = g.windowSize();
        resize(twipsToPixelsX(outer.width()), twipsToPixelsY(outer.height()));
        const QSize plot = PlanWindowGeometry::plotSize(m_picGraph->sizeTwips());
        mPlotWidth = plot.width();
        mPlotHeight = plot.height();
    });
}

void frmGraph::ApplyPlanType(int type)
{
    m_type = type;
    const int id1 = Pro_ID1().toInt();
    const int id2 = Pro_ID2().toInt();
    QString name;
    // A name that cannot be read leaves the caption with an empty name.
    trap("ApplyPlanType", [&] { name = ResultRowReader(gDao()).planName(id1, id2, type); });
    if (planTypeOf(type)) {
        // A file that cannot be read leaves the picture and icon shown as they were.
        if (!applyTypePicture())
            SetErrLog(QStringLiteral("画像またはアイコンのファイルを読み込めません。"), kObjectName,
                      QStringLiteral("ApplyPlanType"));
    } else {
        setImage(QPixmap());
        setPlanIcon(QIcon());
    }
    setWindowTitle(ResultRowReader::caption(name));
    mPlanName = name;
}

void frmGraph::reloadAllWindows()
{
    if (workspace()) {
        workspace()->reloadPlanWindows();
        return;
    }
    Init();
    ReDraw();
}

void frmGraph::lbutInput_Click()
{
    trap("lbutInput_Click", [this] {
        const std::optional<PlanType> type = planTypeOf(m_type);
        if (type != PlanType::Parking && type != PlanType::Apartment)
            return;
        std::unique_ptr<PlanEntryForm> form = ShellHooks::createEntryForm(*type, this);
        if (!form)
            throw std::runtime_error("入力画面が組み込まれていません。");
        form->setPro_ID1(Pro_ID1());
        form->setPro_ID2(Pro_ID2());
        form->showModal();
        const bool registered = form->Pro_State();
        form.reset();
        if (!registered)
            return;
        ApplyPlanType(m_type); // the name may have changed
        reloadAllWindows();
    });
}

void frmGraph::lbutDelete_Click()
{
    trap("lbutDelete_Click", [this] { close(); });
}

void frmGraph::closeEvent(QCloseEvent *event)
{
    if (workspace() && workspace()->isClosing()) {
        // The workspace closes: the plan stays, only its number is freed.
        trap("Form_Unload", [this] { releaseSlot(); });
        PlanWindow::closeEvent(event);
        return;
    }
    bool discarded = false;
    trap("Form_Unload", [this, &discarded] {
        const int answer =
            MsgBox::show(QStringLiteral("破棄してよろしいですか?"),
                         MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2, QStringLiteral("確認"), this);
        if (answer == MsgBox::Yes)
            discarded = discardPlan();
    });
    if (!discarded) {
        event->ignore();
        return;
    }
    PlanWindow::closeEvent(event);
}

bool frmGraph::discardPlan()
{
    const int id1 = Pro_ID1().toInt();
    const int id2 = Pro_ID2().toInt();
    // All seven tables or none: a failed delete keeps the window and the whole plan.
    const bool deleted =
        trap.report("Form_Unload", this, FormTrap::Failure{QStringLiteral("データの削除に失敗しました。")},
                    [id1, id2] { PlanDeleter(gDao()).deletePlan(id1, id2); });
    if (!deleted)
        return false;
    releaseSlot();
    reloadAllWindows();
    return true;
}

void frmGraph::lbutPrint_Click()
{
    // The print dialogs and the preview are modal; a click that reaches the window while
    // they are open does nothing.
    if (mPrintBusy)
        return;
    mPrintBusy = true;
    trap("lbutPrint_Click", [this] { printReports(); });
    mPrintBusy = false;
}

void frmGraph::printReports()
{
    const std::optional<PlanType> type = planTypeOf(m_type);
    if (!type)
        return;
    const bool parking = *type == PlanType::Parking;
    PlanReportFiller filler(gDao(), Pro_ID1().toInt(), Pro_ID2().toInt());

    ReportData sheet;
    if (!filler.fillSheet(*type, sheet, kObjectName))
        return; // the failing step has logged itself; nothing is printed
    // The sheet shows the graph as the window shows it: its size and display years.
    sheet.graph = graph();

    ReportData yearly;
    if (!trap("MakePrintSkSeData", [&] { filler.MakePrintSkSeData(yearly, m_drawnView.years); }))
        return;
    if (yearly.rows.isEmpty())
        return; // no yearly rows: neither report, and no message

    // The layouts live only for their job: each PrintDialog unloads its own.
    std::unique_ptr<PrintJob> job = createPrintJob();
    if (!job)
        throw std::runtime_error("印刷が組み込まれていません。");
    job->setPlanName(mPlanName);
    job->setReportName(kSheetReport);
    job->setActiveReport(std::make_unique<LayoutReport>(
        parking ? ReportLayouts::artParking() : ReportLayouts::artApartment(), std::move(sheet)));
    job->setOrientation(1);
    job->setKind(1);
    job->setDatabase(gDao());
    job->setRecordSet(std::nullopt);
    job->PrintDialog(0);

    // The tables follow whatever the user answered for the sheet.
    job->setReportName(kTableReport);
    job->setActiveReport(std::make_unique<LayoutReport>(
        parking ? ReportLayouts::artParkSS() : ReportLayouts::artApartSS(), ReportData()));
    job->setOrientation(1);
    job->setKind(1);
    job->setDatabase(gDao());
    job->setRecordSet(std::move(yearly));
    job->PrintDialog(0);
}
