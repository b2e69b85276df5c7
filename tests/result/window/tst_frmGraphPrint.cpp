#include "frmGraph.h"

#include "ActiveReport.h"
#include "FixedPrinterCatalog.h"
#include "FormButtons.h"
#include "LayoutReport.h"
#include "LineButton.h"
#include "MDIForm1.h"
#include "PlanBuilders.h"
#include "PlanWindowFixture.h"
#include "PrintConfirmations.h"
#include "PrintedPdf.h"
#include "RecordingPrintJob.h"
#include "RequiredTools.h"
#include "ShownBoxes.h"
#include "fDlgPrint.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTimer>

namespace
{

const QString kSheet = QStringLiteral("経営計画ご提案書１");
const QString kTables = QStringLiteral("経営計画ご提案書２");

const LayoutReport *layoutOf(const RecordingPrintJob::Call &call)
{
    return dynamic_cast<const LayoutReport *>(call.report.get());
}

// A job that presses the print button again while its dialog would be open.
class ReclickingJob : public RecordingPrintJob
{
public:
    ReclickingJob(std::shared_ptr<Log> log, frmGraph *window, QList<bool> *busy)
        : RecordingPrintJob(std::move(log)), m_window(window), m_busy(busy)
    {
    }
    int PrintDialog(int skip) override
    {
        *m_busy << m_window->isPrintBusy();
        FormButtons::click(m_window->findChild<QWidget *>(QStringLiteral("lbutPrint")));
        return RecordingPrintJob::PrintDialog(skip);
    }

private:
    frmGraph *m_window;
    QList<bool> *m_busy;
};

} // namespace

// The print command of a plan window: the fill steps of its type, both print jobs in turn,
// and the cases in which nothing is printed and nothing said.
class tst_frmGraphPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void printsBothReports_data();
    void printsBothReports();
    void yearlyRowsFollowTheInterval();
    void printsWhatTheWindowMenuChose();
    void failingFillStepPrintsNothing();
    void emptyYearlyTablePrintsNothing();
    void tablesFollowACancelledSheet();
    void busyCommandIgnoresAClick();
    void printsAStoredPlanToPdf();
    void pdfIsOfferedUnderThePlansNameBesideTheLast_data();
    void pdfIsOfferedUnderThePlansNameBesideTheLast();

private:
    frmGraph *printPlan(int id2);

    PlanWindowFixture f;
    std::shared_ptr<RecordingPrintJob::Log> m_log;
};

void tst_frmGraphPrint::init()
{
    QVERIFY(f.setUp());
    addProperty();
    m_log = std::make_shared<RecordingPrintJob::Log>();
    setPrintJobFactory([log = m_log] { return std::make_unique<RecordingPrintJob>(log); });
}

void tst_frmGraphPrint::cleanup()
{
    setPrintJobFactory(nullptr);
    f.tearDown();
    VERIFY_TOOLS_RAN();
}

frmGraph *tst_frmGraphPrint::printPlan(int id2)
{
    frmGraph *w = f.open(1, id2);
    FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutPrint")));
    return w;
}

void tst_frmGraphPrint::printsBothReports_data()
{
    QTest::addColumn<int>("id2");
    QTest::addColumn<QString>("sheetLayout");
    QTest::addColumn<QString>("tableLayout");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("firstRent"); // fldYatin11: the rent rows' first floor plan
    QTest::newRow("parking") << 1 << QStringLiteral("artParking") << QStringLiteral("artParkSS")
                             << QStringLiteral("第一駐車場") << QString();
    QTest::newRow("apartment") << 2 << QStringLiteral("artApartment") << QStringLiteral("artApartSS")
                               << QStringLiteral("テストマンション") << QStringLiteral("2LDK");
    // A store plan prints on the apartment layouts without its rent rows.
    QTest::newRow("store") << 3 << QStringLiteral("artApartment") << QStringLiteral("artApartSS")
                           << QStringLiteral("テストマンション") << QString();
}

void tst_frmGraphPrint::printsBothReports()
{
    QFETCH(int, id2);
    QFETCH(QString, sheetLayout);
    QFETCH(QString, tableLayout);
    QFETCH(QString, name);
    QFETCH(QString, firstRent);
    addParkingPlan(sampleParking(1, 1));
    addApartmentPlan(sampleApartment(1, 2));
    addApartmentPlan(sampleApartment(1, 3));
    QVERIFY(runSql(QStringLiteral("UPDATE T_収支 SET TYPE = 3 WHERE ID1 = 1 AND ID2 = 3")));
    addStorePlan(1, 3, QStringLiteral("駅前店舗"));

    frmGraph *w = printPlan(id2);
    QCOMPARE(m_log->jobsCreated, 1);
    QCOMPARE(int(m_log->calls.size()), 2);
    const RecordingPrintJob::Call &sheet = m_log->calls[0];
    const RecordingPrintJob::Call &tables = m_log->calls[1];
    QCOMPARE(sheet.reportName, kSheet);
    QCOMPARE(tables.reportName, kTables);
    for (const RecordingPrintJob::Call &call : m_log->calls) {
        QCOMPARE(call.orientation, 1);
        QCOMPARE(call.kind, 1);
        QVERIFY(call.databaseSet);
        QCOMPARE(call.skip, 0);
    }
    QVERIFY(!sheet.recordSet);
    QVERIFY(tables.recordSet);
    QCOMPARE(layoutOf(sheet)->layout().name, sheetLayout);
    QCOMPARE(layoutOf(tables)->layout().name, tableLayout);
    QVERIFY(layoutOf(sheet)->hasData());
    QVERIFY(layoutOf(tables)->hasData());

    const ReportData &data = layoutOf(sheet)->data();
    QCOMPARE(data.field(QStringLiteral("fldName")), name);
    QCOMPARE(data.field(QStringLiteral("fldBuken")), QStringLiteral("テスト物件"));
    QCOMPARE(data.field(QStringLiteral("fldYatin11")), firstRent);
    // The sheet's graph is the window's graph as drawn, at its size and interval.
    QVERIFY(!data.graph.items.empty());
    QVERIFY(data.graph == w->graph());

    // Every year 1 to 15, unformatted, in 45 columns; the table layout prints them.
    const ReportData &rows = layoutOf(tables)->runData();
    QCOMPARE(rows.columns.size(), 45);
    QCOMPARE(rows.rows.size(), 15);
    QCOMPARE(rows.value(0, QStringLiteral("SK年")).toInt(), 1);
    QCOMPARE(rows.value(14, QStringLiteral("SE年")).toInt(), 15);
    QVERIFY(!w->isPrintBusy());
    QVERIFY(shownBoxes().isEmpty());
}

// Every fifth year: the yearly rows are 5, 10, ..., 75, and the sheet's graph is the one
// drawn for that interval.
void tst_frmGraphPrint::yearlyRowsFollowTheInterval()
{
    addParkingPlan();
    gDispInterval = 3;
    BuildYearFilter();
    frmGraph *w = printPlan(1);
    QCOMPARE(int(m_log->calls.size()), 2);
    const ReportData rows = layoutOf(m_log->calls[1])->runData();
    QCOMPARE(rows.rows.size(), 15);
    QCOMPARE(rows.value(0, QStringLiteral("SK年")).toInt(), 5);
    QCOMPARE(rows.value(14, QStringLiteral("SK年")).toInt(), 75);
    QVERIFY(f.texts(layoutOf(m_log->calls[0])->data().graph).contains(QStringLiteral("75")));
    QVERIFY(layoutOf(m_log->calls[0])->data().graph == w->graph());
}

// Every fifth year and the small size, both chosen from the workspace's Window menu: the
// yearly rows are 5, 10, ..., 75 and the sheet's graph is the window's, drawn on the small
// picture (326 × 224 pixels), where every second year is labelled: 10, 20, ..., 70.
void tst_frmGraphPrint::printsWhatTheWindowMenuChose()
{
    addParkingPlan();
    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->show();
    const auto item = [ws](const char *name, int index) {
        for (QAction *a : ws->findChildren<QAction *>(QLatin1String(name)))
            if (a->property("index").toInt() == index)
                a->trigger();
    };
    item("menuWindow_Between_Nen", 3);
    item("menuWindow_Size_Select", 3);
    auto *w = qobject_cast<frmGraph *>(ws->planWindows().at(0));
    FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutPrint")));
    QCOMPARE(int(m_log->calls.size()), 2);
    const ReportData rows = layoutOf(m_log->calls[1])->runData();
    QCOMPARE(rows.rows.size(), 15);
    QCOMPARE(rows.value(0, QStringLiteral("SK年")).toInt(), 5);
    QCOMPARE(rows.value(14, QStringLiteral("SK年")).toInt(), 75);
    const DrawList &graph = layoutOf(m_log->calls[0])->data().graph;
    QCOMPARE(graph.size, QSizeF(326 * 15.0, 224 * 15.0));
    QVERIFY(f.texts(graph).contains(QStringLiteral("70")));
    QVERIFY(!f.texts(graph).contains(QStringLiteral("75")));
    QVERIFY(graph == w->graph());
}

// The plan row is gone when the print starts: the parking chain stops at its last step,
// nothing is printed and the user is told nothing; the step is in the error log.
void tst_frmGraphPrint::failingFillStepPrintsNothing()
{
    addParkingPlan();
    frmGraph *w = f.open(1, 1);
    QVERIFY(runSql(QStringLiteral("DELETE FROM D_駐車場 WHERE ID1 = 1 AND ID2 = 1")));
    FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutPrint")));
    QCOMPARE(m_log->jobsCreated, 0);
    QVERIFY(m_log->calls.empty());
    QVERIFY(shownBoxes().isEmpty());
    QVERIFY(f.errorLog().contains(QStringLiteral("SetPrintParkingData")));
    QVERIFY(!w->isPrintBusy());
}

void tst_frmGraphPrint::emptyYearlyTablePrintsNothing()
{
    addParkingPlan();
    QVERIFY(runSql(QStringLiteral("DELETE FROM T_収支計画 WHERE ID1 = 1 AND ID2 = 1")));
    printPlan(1);
    QCOMPARE(m_log->jobsCreated, 0);
    QVERIFY(shownBoxes().isEmpty());
    QCOMPARE(f.errorLog(), QString());
}

void tst_frmGraphPrint::tablesFollowACancelledSheet()
{
    addParkingPlan();
    m_log->answers = {PrintJob::Cancel, PrintJob::Print};
    printPlan(1);
    QCOMPARE(int(m_log->calls.size()), 2);
    QCOMPARE(m_log->calls[1].reportName, kTables);
    QVERIFY(m_log->answers.isEmpty());
}

void tst_frmGraphPrint::busyCommandIgnoresAClick()
{
    addParkingPlan();
    frmGraph *w = f.open(1, 1);
    QList<bool> busy;
    setPrintJobFactory([log = m_log, w, &busy] { return std::make_unique<ReclickingJob>(log, w, &busy); });
    FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutPrint")));
    QCOMPARE(busy, (QList<bool>{true, true}));
    QCOMPARE(m_log->jobsCreated, 1);
    QCOMPARE(int(m_log->calls.size()), 2);
    QVERIFY(!w->isPrintBusy());
}

// Both reports of a stored parking plan through the program's own print job, answered
// "印　刷" in each confirmation; without any printer installed each goes to a PDF file.
void tst_frmGraphPrint::printsAStoredPlanToPdf()
{
    QTemporaryDir out;
    PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>());
    ActiveReport::setPdfChooser([&out](QWidget *, const QString &, const QString &suggested) {
        return out.filePath(QFileInfo(suggested).fileName());
    });
    cPrinter::install();
    addParkingPlan();
    frmGraph *w = f.open(1, 1);

    QStringList asked;
    {
        const PrintConfirmations answer;
        FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutPrint")));
        asked = answer.asked();
    }
    ActiveReport::setPdfChooser(nullptr);
    PrinterCatalog::install(nullptr);
    QCOMPARE(asked, (QStringList{kSheet + QStringLiteral(" 印刷確認"), kTables + QStringLiteral(" 印刷確認")}));

    const QString sheetPdf = out.filePath(QStringLiteral("第一駐車場_") + kSheet + QStringLiteral(".pdf"));
    const QString tablesPdf = out.filePath(QStringLiteral("第一駐車場_") + kTables + QStringLiteral(".pdf"));
    QCOMPARE(PrintedPdf::pages(sheetPdf), 1);
    QCOMPARE(PrintedPdf::pages(tablesPdf), 1);
    // The sample plan: 10 cars, paving 900 of a budget of 1,000 on テスト物件.
    const QString sheetText = PrintedPdf::text(sheetPdf, true).normalized(QString::NormalizationForm_KC);
    for (const char *text : {"第一駐車場", "テスト物件", "1,000", "900"})
        QVERIFY2(sheetText.contains(QString::fromUtf8(text).normalized(QString::NormalizationForm_KC)), text);
    // Year 1: 10 cars × 5 × 12 less 10 % vacancy = 540 income; land taxes 340; 200 left.
    const QString tablesText = PrintedPdf::text(tablesPdf, true).normalized(QString::NormalizationForm_KC);
    for (const char *text : {"540", "340", "200"})
        QVERIFY2(tablesText.contains(QLatin1String(text)), text);
}

void tst_frmGraphPrint::pdfIsOfferedUnderThePlansNameBesideTheLast_data()
{
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("offered"); // the file name's part before the report's name
    QTest::newRow("a plain name") << QStringLiteral("第一駐車場") << QStringLiteral("第一駐車場_");
    // A leading dot would hide the file from the next dialog.
    QTest::newRow("a leading dot") << QStringLiteral(".駐車場") << QStringLiteral("_駐車場_");
    // A quote would make the dialog read two names and keep the part after it.
    QTest::newRow("characters no file name should hold")
        << QStringLiteral("a/b\\c:d*e?f<g>h|i\"j") << QStringLiteral("a_b_c_d_e_f_g_h_i_j_");
}

// Each report of a plan is offered as a PDF file under the plan's name before the report's; the
// user saves the first one elsewhere under a name of his own, and the second is offered there.
void tst_frmGraphPrint::pdfIsOfferedUnderThePlansNameBesideTheLast()
{
    QFETCH(QString, plan);
    QFETCH(QString, offered);
    QTemporaryDir out;
    PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>());
    QStringList suggested;
    ActiveReport::setPdfChooser([&](QWidget *, const QString &, const QString &path) {
        suggested << path;
        return out.filePath(QStringLiteral("控え%1.pdf").arg(suggested.size()));
    });
    cPrinter::install();
    SampleParking sample;
    sample.name = plan;
    addParkingPlan(sample);
    frmGraph *w = f.open(1, 1);
    {
        const PrintConfirmations answer;
        FormButtons::click(w->findChild<QWidget *>(QStringLiteral("lbutPrint")));
    }
    ActiveReport::setPdfChooser(nullptr);
    PrinterCatalog::install(nullptr);
    QCOMPARE(suggested.size(), 2);
    QCOMPARE(QFileInfo(suggested[0]).fileName(), offered + kSheet + QStringLiteral(".pdf"));
    QCOMPARE(suggested[1], out.filePath(offered + kTables + QStringLiteral(".pdf")));
    QCOMPARE(PrintedPdf::pages(out.filePath(QStringLiteral("控え1.pdf"))), 1);
}

QTEST_MAIN(tst_frmGraphPrint)
#include "tst_frmGraphPrint.moc"
