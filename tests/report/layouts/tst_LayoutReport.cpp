#include "LayoutReport.h"

#include "ReportLayouts.h"
#include "ReportRenderer.h"
#include "ReportSamples.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// A layout held as data run by the report engine: placed on the paper and centred once,
// with the rows the print job binds to its data control.
class tst_LayoutReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centredOnce_data();
    void centredOnce();
    void boundRowsArePrinted();
    void tooTallLayoutIsDrawnSmaller();
    void smallPaperGivesTheSamePagesEveryRun();
    void wideTableFitsThePrintableWidth_data();
    void wideTableFitsThePrintableWidth();

private:
    QTemporaryDir m_dir;
};

void tst_LayoutReport::centredOnce_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("rows");
    QTest::newRow("parking sheet") << QStringLiteral("artParking") << false;
    QTest::newRow("apartment sheet") << QStringLiteral("artApartment") << false;
    QTest::newRow("parking tables") << QStringLiteral("artParkSS") << true;
    QTest::newRow("apartment tables") << QStringLiteral("artApartSS") << true;
}

// The engine's run puts the pages exactly where the renderer puts them on A4: the left
// margin is half of what the layout leaves free of the paper's 11906 twips, and nothing is
// shifted a second time.
void tst_LayoutReport::centredOnce()
{
    QFETCH(QString, layout);
    QFETCH(bool, rows);
    const ReportLayout design = ReportLayouts::byName(layout);
    ReportData data = rows ? ReportData() : ReportSamples::parkingSheet();
    ReportData yearly;
    ReportSamples::fillYearly(yearly, ReportSamples::parkingYears(), ReportSamples::displayYears(1));
    LayoutReport report(design, data);
    if (rows)
        report.DAODataControl1().setRecordset(yearly);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(layout + QStringLiteral(".pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QVERIFY(report.run(printer));

    const double free = std::nearbyint(11906 - design.rightEdge());
    QVERIFY(free > 0);
    QCOMPARE(report.PageSettings().LeftMargin, free / 2);
    QCOMPARE(report.PageSettings().RightMargin, 0.0);

    // The content the engine placed, moved by its left margin, is the renderer's sheet.
    ReportData printed = report.runData();
    ReportPageSetup a4;
    const std::vector<DrawList> sheets = ReportRenderer::render(design, printed, a4);
    const std::vector<DrawList> content = report.renderPages(report.pageLayout());
    QCOMPARE(content.size(), sheets.size());
    QVERIFY(!content.front().items.empty());
    QCOMPARE(content.front().items.size(), sheets.front().items.size());
    for (size_t i = 0; i < content.front().items.size(); ++i) {
        const DrawItem &placed = content.front().items[i];
        const DrawItem &sheet = sheets.front().items[i];
        const QPointF moved = placed.kind == DrawItem::Line ? placed.line.p1() : placed.rect.topLeft();
        const QPointF expected = sheet.kind == DrawItem::Line ? sheet.line.p1() : sheet.rect.topLeft();
        QCOMPARE(moved + QPointF(report.PageSettings().LeftMargin, a4.marginTop), expected);
    }
}

// A yearly layout prints the rows bound to its data control, not those of its own data.
void tst_LayoutReport::boundRowsArePrinted()
{
    LayoutReport report(ReportLayouts::artParkSS(), ReportData());
    QVERIFY(!report.hasData());
    QVERIFY(report.renderPages(report.pageLayout()).empty());

    ReportData rows;
    rows.columns = ReportSamples::yearlyColumns();
    QVector<QVariant> year(rows.columns.size(), 0);
    year[rows.columns.indexOf(QStringLiteral("SK年"))] = 7;
    year[rows.columns.indexOf(QStringLiteral("SK収入計"))] = 1234567;
    rows.rows << year;
    report.DAODataControl1().setRecordset(rows);
    QVERIFY(report.hasData());
    const std::vector<DrawList> pages = report.renderPages(report.pageLayout());
    QCOMPARE(pages.size(), size_t(1));
    QStringList texts;
    for (const DrawItem &item : pages.front().items)
        texts << item.text;
    QVERIFY2(texts.contains(QStringLiteral("1,234,567")), qPrintable(texts.join(QLatin1Char('|'))));
}

// On A5 landscape (5906 twips high less 2 × 1440 margins) a sheet is drawn smaller until it
// fits the room between the top and bottom margins, and is centred at that size.
void tst_LayoutReport::tooTallLayoutIsDrawnSmaller()
{
    const ReportLayout design = ReportLayouts::artParking();
    LayoutReport report(design, ReportSamples::parkingSheet());
    const QPageLayout a5(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(72, 72, 72, 72),
                         QPageLayout::Point);
    const std::vector<DrawList> pages = report.renderPages(a5);
    QCOMPARE(pages.size(), size_t(1));
    const double height = design.pageHeader.height + design.detail.height;
    const double room = 8400 - 2 * 1440; // A5 landscape is 420 points (8400 twips) high
    QVERIFY(std::abs(pages.front().size.height() - room) < 1);
    QVERIFY(std::abs(report.layoutRightEdge(pages) - design.rightEdge() * room / height) < 1);
}

// On JIS B5 (182 mm, 10318.1 twips wide; 729 points high) the apartment sheet (10346 x 13890)
// is drawn smaller by the paper alone: the height between the margins of 1440, 11700 twips,
// bounds it, and its right edge 10346 x 11700 / 13890 = 8714.8 leaves 1603.3 free, a left
// margin of 801.5. A second run, preview or print, draws the same page whatever margins the
// first run's centring left.
void tst_LayoutReport::smallPaperGivesTheSamePagesEveryRun()
{
    LayoutReport report(ReportLayouts::artApartment(), ReportSamples::apartmentSheet());
    const bool poppler = !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
    std::vector<QImage> images;
    for (int i = 0; i < 2; ++i) {
        const QString file = m_dir.filePath(QStringLiteral("b5-%1.pdf").arg(i));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::JisB5));
        QVERIFY(report.run(printer));
        QCOMPARE(report.PageSettings().LeftMargin, 801.5);
        QCOMPARE(report.PageSettings().RightMargin, 0.0);
        if (!poppler)
            continue;
        const QString base = m_dir.filePath(QStringLiteral("b5-%1").arg(i));
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-gray"),
                           QStringLiteral("-singlefile"), file, base});
        images.push_back(QImage(base + QStringLiteral(".pgm")));
    }
    if (!poppler)
        QSKIP("pdftoppm is not installed");
    QVERIFY(!images[0].isNull());
    QVERIFY(images[0] == images[1]);
}

void tst_LayoutReport::wideTableFitsThePrintableWidth_data()
{
    QTest::addColumn<QMarginsF>("printerMargins");
    QTest::addColumn<double>("side");
    QTest::addColumn<double>("width");
    // A PDF has no margins of its own: 5 mm a side, 283.5 twips taken up to 284, leaves
    // 10318.1 - 568 = 9750.1.
    QTest::newRow("PDF") << QMarginsF() << 284.0 << 9750.1;
    // Margins of 12 points (240 twips) lie inside the 5 mm: the same room.
    QTest::newRow("printer inside 5 mm") << QMarginsF(12, 12, 12, 12) << 284.0 << 9750.1;
    // A printer that cannot print the outer 12 and 18 points: 18 points (360 twips) a side.
    QTest::newRow("printer") << QMarginsF(12, 12, 18, 12) << 360.0 << 9598.1;
}

// The apartment tables (11197 wide with their unit caption, 12030 high) on JIS B5 shrink to
// the largest scale that fits both ways: the printable width gives about 87 % where the
// height would allow 11700 / 12030 = 97 %; the report's side margins take no part. Centred,
// the shrunk tables keep the side margin on both edges of the paper.
void tst_LayoutReport::wideTableFitsThePrintableWidth()
{
    QFETCH(QMarginsF, printerMargins);
    QFETCH(double, side);
    QFETCH(double, width);
    LayoutReport report(ReportLayouts::artApartSS(), ReportData());
    ReportData yearly;
    ReportSamples::fillYearly(yearly, ReportSamples::apartmentYears(), ReportSamples::displayYears(3));
    report.DAODataControl1().setRecordset(yearly);
    QPageLayout b5(QPageSize(QPageSize::JisB5), QPageLayout::Portrait, QMarginsF(72, 72, 72, 72), QPageLayout::Point);
    b5.setMinimumMargins(printerMargins);
    const std::vector<DrawList> pages = report.renderPages(b5);
    QCOMPARE(pages.size(), size_t(1));
    QVERIFY2(std::abs(pages.front().size.width() - width) < 0.1,
             qPrintable(QString::number(pages.front().size.width())));
    ReportPageSettings placed;
    placed.centre(10318.1, report.layoutRightEdge(pages));
    QVERIFY2(std::abs(placed.LeftMargin - side) < 0.1, qPrintable(QString::number(placed.LeftMargin)));
    QVERIFY(10318.1 - placed.LeftMargin - report.layoutRightEdge(pages) > side - 0.1);
}

QTEST_MAIN(tst_LayoutReport)
#include "tst_LayoutReport.moc"
