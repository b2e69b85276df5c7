#include "LayoutReport.h"

#include "PlanGraph.h"
#include "PrintedPdf.h"
#include "ReportLayouts.h"
#include "ReportSamples.h"
#include "RequiredTools.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace
{

// Half-width kana and some kanji come back from the PDF as compatibility forms, and the
// layout pads with blanks: compare the NFKC forms without white space. The font's own map
// also gives a few signs back as their look-alikes: the wave dash for "～", the hyphenation
// point for "・".
QString normalised(const QString &text)
{
    QString s = text.normalized(QString::NormalizationForm_KC);
    s.replace(QChar(0x301C), QLatin1Char('~')).replace(QChar(0x2027), QChar(0x30FB));
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

ReportData parkingSheetWithGraph()
{
    ReportData data = ReportSamples::parkingSheet();
    data.graph = PlanGraph::draw(ReportSamples::graphInput(ReportSamples::parkingYears(), 1, 2, {7100, 4875}));
    return data;
}

/// A layout printed with its rows bound to the data control, as the print job binds them.
std::unique_ptr<LayoutReport> tables(const ReportLayout &layout, const ReportData &rows)
{
    auto report = std::make_unique<LayoutReport>(layout, ReportData());
    report->DAODataControl1().setRecordset(rows);
    return report;
}

/// A rectangle in twips as pixels at a resolution.
QRect pixels(const QRectF &twips, double dpi)
{
    const double px = dpi / 1440;
    return QRect(int(twips.left() * px), int(twips.top() * px), int(twips.width() * px), int(twips.height() * px));
}

} // namespace

// A layout held as data run by the report engine onto paper: placed and centred once, drawn
// smaller where it does not fit, with the rows the print job binds to its data control, read
// back from the PDF file the run writes.
class tst_LayoutReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void centredOnce_data();
    void centredOnce();
    void boundRowsArePrinted();
    void tooTallLayoutIsDrawnSmaller();
    void smallPaperGivesTheSamePagesEveryRun_data();
    void smallPaperGivesTheSamePagesEveryRun();
    void wideTableFitsThePrintableWidth_data();
    void wideTableFitsThePrintableWidth();
    void sheetPdf();
    void yearlyPdf();
    void graphHasInkInThePdf_data();
    void graphHasInkInThePdf();
    void sheetTextIsTheSheetsOwn_data();
    void sheetTextIsTheSheetsOwn();
    void rulesAreHalfAPointOnPaper();
    void shrunkAmountsKeepTheirPadding_data();
    void shrunkAmountsKeepTheirPadding();

private:
    QTemporaryDir m_dir;
};

void tst_LayoutReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_LayoutReport::cleanup()
{
    VERIFY_TOOLS_RAN();
}

void tst_LayoutReport::centredOnce_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("rows");
    QTest::newRow("parking sheet") << QStringLiteral("artParking") << false;
    QTest::newRow("apartment sheet") << QStringLiteral("artApartment") << false;
    QTest::newRow("parking tables") << QStringLiteral("artParkSS") << true;
    QTest::newRow("apartment tables") << QStringLiteral("artApartSS") << true;
}

// On A4 the left margin is half of what the layout leaves free of the paper's 11906 twips, and
// the ink of the page printed starts there: nothing is shifted a second time.
void tst_LayoutReport::centredOnce()
{
    QFETCH(QString, layout);
    QFETCH(bool, rows);
    const ReportLayout design = ReportLayouts::byName(layout);
    ReportData yearly;
    ReportSamples::fillYearly(yearly, ReportSamples::parkingYears(), ReportSamples::displayYears(1));
    auto report = rows ? tables(design, yearly) : std::make_unique<LayoutReport>(design, ReportSamples::parkingSheet());
    report->Printer().setPaperSize(9);
    const QString file = m_dir.filePath(layout + QStringLiteral(".pdf"));
    QVERIFY(PrintedPdf::print(*report, file));

    const double free = std::nearbyint(11906 - design.rightEdge());
    QVERIFY(free > 0);
    QCOMPARE(report->PageSettings().LeftMargin, free / 2);
    QCOMPARE(report->PageSettings().RightMargin, 0.0);
    // Measured at 72 dots per inch, within a pixel (0.35 mm).
    const double left = PrintedPdf::freePaper(file, 72).left();
    QVERIFY2(qAbs(left - free / 2 * 25.4 / 1440) < 0.4, qPrintable(QString::number(left)));
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

void tst_LayoutReport::smallPaperGivesTheSamePagesEveryRun_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("left");
    // JIS B5 (182 mm, 10318.1 twips wide; 729 points high): the height between the margins of
    // 1440, 11700 twips, bounds the sheet, and its right edge 10346 x 11700 / 13890 = 8714.8
    // leaves 1603.3 free, a left margin of 801.5.
    QTest::newRow("JIS B5") << 13 << 1 << 801.5;
    // A4 landscape (16837.8 twips wide, 595 points high): 9020 / 13890 of 10346 is 6718.6
    // wide and leaves 10119.2 free, a left margin of 5059.5.
    QTest::newRow("A4 landscape") << 9 << 2 << 5059.5;
}

// On paper smaller than the apartment sheet (10346 x 13890) the sheet is drawn smaller by the
// paper alone, centred, and lies wholly on it. A second run, preview or print, draws the same
// page whatever margins the first run's centring left.
void tst_LayoutReport::smallPaperGivesTheSamePagesEveryRun()
{
    QFETCH(int, paper);
    QFETCH(int, orientation);
    QFETCH(double, left);
    ReportData data = ReportSamples::apartmentSheet();
    data.graph = PlanGraph::draw(ReportSamples::graphInput(ReportSamples::apartmentYears(), 1, 2, {7100, 4875}));
    LayoutReport report(ReportLayouts::artApartment(), data);
    report.Printer().setPaperSize(paper);
    report.Printer().setOrientation(orientation);
    std::vector<QImage> images;
    const QString file = m_dir.filePath(QStringLiteral("small.pdf"));
    for (int i = 0; i < 2; ++i) {
        QVERIFY(PrintedPdf::print(report, file));
        QCOMPARE(report.PageSettings().LeftMargin, left);
        QCOMPARE(report.PageSettings().RightMargin, 0.0);
        images.push_back(PrintedPdf::image(file, 36));
    }
    QVERIFY(!images[0].isNull());
    QVERIFY(images[0] == images[1]);
    // Measured at 36 dots per inch, within a pixel (0.7 mm) on either side.
    const QMarginsF free = PrintedPdf::freePaper(file, 36);
    QVERIFY2(
        qAbs(free.left() - left * 25.4 / 1440) < 0.8 && qAbs(free.left() - free.right()) < 1.5 && free.bottom() > 0,
        qPrintable(QString::asprintf("%.1f %.1f %.1f %.1f mm", free.left(), free.right(), free.top(), free.bottom())));
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
    ReportData yearly;
    ReportSamples::fillYearly(yearly, ReportSamples::apartmentYears(), ReportSamples::displayYears(3));
    const auto report = tables(ReportLayouts::artApartSS(), yearly);
    QPageLayout b5(QPageSize(QPageSize::JisB5), QPageLayout::Portrait, QMarginsF(72, 72, 72, 72), QPageLayout::Point);
    b5.setMinimumMargins(printerMargins);
    const std::vector<DrawList> pages = report->renderPages(b5);
    QCOMPARE(pages.size(), size_t(1));
    QVERIFY2(std::abs(pages.front().size.width() - width) < 0.1,
             qPrintable(QString::number(pages.front().size.width())));
    ReportPageSettings placed;
    placed.centre(10318.1, report->layoutRightEdge(pages));
    QVERIFY2(std::abs(placed.LeftMargin - side) < 0.1, qPrintable(QString::number(placed.LeftMargin)));
    QVERIFY(10318.1 - placed.LeftMargin - report->layoutRightEdge(pages) > side - 0.1);
}

void tst_LayoutReport::sheetPdf()
{
    const QString path = m_dir.filePath(QStringLiteral("sheet.pdf"));
    LayoutReport report(ReportLayouts::artParking(), parkingSheetWithGraph());
    report.setDocumentName(QStringLiteral("経営計画ご提案書１"));
    QVERIFY(PrintedPdf::print(report, path));
    QCOMPARE(PrintedPdf::pages(path), 1);
    QVERIFY(PrintedPdf::info(path).contains(QStringLiteral("経営計画ご提案書１")));
    const QString text = normalised(PrintedPdf::text(path, true));
    for (const char *expected : {"計画名", "月極駐車場計画（アスファルト舗装）", "世田谷区桜丘三丁目田中様所有地",
                                 "826.45㎡", "１車両面積25㎡", "舗装費用12,000千円", "計14,100千円",
                                 "さくら信用金庫桜丘支店10,000千円元利均等1～10年2.50％", "収入・支出", "収支累計"})
        QVERIFY2(text.contains(normalised(QString::fromUtf8(expected))), expected);
    // No sample text of an unfilled field reaches the paper.
    QVERIFY(!text.contains(QStringLiteral("999,999,999")));
    QVERIFY(!text.contains(QStringLiteral("1234567890")));
}

void tst_LayoutReport::yearlyPdf()
{
    ReportData data;
    ReportSamples::fillYearly(data, ReportSamples::parkingYears(), ReportSamples::displayYears(1));
    const QString path = m_dir.filePath(QStringLiteral("yearly.pdf"));
    QVERIFY(PrintedPdf::print(*tables(ReportLayouts::artParkSS(), data), path));
    QCOMPARE(PrintedPdf::pages(path), 1);
    const QString text = PrintedPdf::text(path, true);
    QVERIFY(normalised(text).contains(normalised(QStringLiteral("経営計画ご提案書"))));
    // Year 1 of the sample: fee 30 x 18 x 12 x 0.95 = 6156; repayment of 10,000 at 2.5 % over
    // 10 years 1,143; land tax 1,400; other 300: expenditure 2,843, surplus 3,313, and the
    // balance after the own funds of 4,100 is -787.
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto year1 = std::find_if(lines.begin(), lines.end(), [](const QString &line) {
        return line.simplified().startsWith(QStringLiteral("1 6,156"));
    });
    QVERIFY(year1 != lines.end());
    QCOMPARE(year1->simplified(), QStringLiteral("1 6,156 6,156 1,143 1,400 2,843 3,313 -787"));

    ReportSamples::fillYearly(data, ReportSamples::apartmentYears(), {}, true);
    const QString all = m_dir.filePath(QStringLiteral("yearly75.pdf"));
    QVERIFY(PrintedPdf::print(*tables(ReportLayouts::artApartSS(), data), all));
    QCOMPARE(PrintedPdf::pages(all), 5);
}

void tst_LayoutReport::graphHasInkInThePdf_data()
{
    QTest::addColumn<bool>("printer");
    QTest::newRow("PDF") << false;
    // A printer not set to use the whole page: the page is still placed from the paper's corner.
    QTest::newRow("printer with margins") << true;
}

// The parking sheet on A4 starts (11906 - 10346) / 2 = 780 twips from the left and 1440 from
// the top; the graph fills its picture Image1 (5386, 0, 4960 x 3260) in colour, and below the
// sheet (7545 twips high) the paper stays white.
void tst_LayoutReport::graphHasInkInThePdf()
{
    QFETCH(bool, printer);
    const QString path = m_dir.filePath(QStringLiteral("graph.pdf"));
    LayoutReport report(ReportLayouts::artParking(), parkingSheetWithGraph());
    report.Printer().setPaperSize(9);
    if (printer) {
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(path);
        device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 30, 20, 30),
                                         QPageLayout::Millimeter));
        QVERIFY(report.run(device));
    } else {
        QVERIFY(PrintedPdf::print(report, path));
    }
    const QRect picture = pixels(QRectF(780 + 5386, 1440, 4960, 3260), 30).adjusted(2, 2, -2, -2);
    const QImage graph = PrintedPdf::image(path, 30, true, picture);
    int inked = 0;
    int green = 0;
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            inked += graph.pixelColor(x, y) != QColor(Qt::white);
            green += graph.pixelColor(x, y) == PlanGraph::kIncome;
        }
    }
    // Bars and the plot's back colour fill most of the picture.
    QVERIFY2(inked > graph.width() * graph.height() / 2 && green > 0, qPrintable(QString::number(inked)));
    const QImage below = PrintedPdf::image(path, 30, false, pixels(QRectF(200, 1440 + 7700, 11500, 800), 30));
    QVERIFY(PrintedPdf::ink(below).isNull());
}

void tst_LayoutReport::sheetTextIsTheSheetsOwn_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("parking sheet") << QStringLiteral("artParking");
    QTest::newRow("apartment sheet") << QStringLiteral("artApartment");
}

// A planner searches the PDF and copies names out of it: its text is the sheet's own
// characters, as written, never look-alike radicals (U+2E80 to U+2FDF) or the hyphenation
// point U+2027 in place of "・".
void tst_LayoutReport::sheetTextIsTheSheetsOwn()
{
    QFETCH(QString, layout);
    ReportData data =
        layout == QLatin1String("artParking") ? ReportSamples::parkingSheet() : ReportSamples::apartmentSheet();
    data.graph = parkingSheetWithGraph().graph;
    const QString path = m_dir.filePath(layout + QStringLiteral(".pdf"));
    LayoutReport report(ReportLayouts::byName(layout), data);
    QVERIFY(PrintedPdf::print(report, path));
    const QString text = PrintedPdf::text(path);
    for (const QString &word : {QStringLiteral("借入金"), QStringLiteral("収入・支出"), QStringLiteral("敷地面積")})
        QVERIFY2(text.contains(word), qPrintable(word));
    for (const QChar c : text)
        QVERIFY2((c.unicode() < 0x2E80 || c.unicode() > 0x2FDF) && c.unicode() != 0x2027,
                 qPrintable(QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))));
}

// A rule of the thinnest pen is half a point wide on paper, 600 / 144 = 4.2 dots at 600 dots
// per inch, not one dot of the PDF's 1200; on the screen it stays one pixel.
void tst_LayoutReport::rulesAreHalfAPointOnPaper()
{
    // One rule across a square inch, centred on A4 at (11906 - 1440) / 2 = 5233 from the left.
    ReportLayout rule;
    rule.detail.height = 1440;
    ReportControl line;
    line.kind = ReportControl::Line;
    line.line = QLineF(0, 720, 1440, 720);
    rule.detail.controls.push_back(line);
    LayoutReport report(rule, ReportData());
    report.Printer().setPaperSize(9);
    const QString path = m_dir.filePath(QStringLiteral("rule.pdf"));
    QVERIFY(PrintedPdf::print(report, path));
    const QImage paper = PrintedPdf::image(path, 600, false, pixels(QRectF(5233 + 700, 1440 + 600, 40, 240), 600));
    QVERIFY(!paper.isNull());
    QVERIFY2(PrintedPdf::ink(paper).height() >= 4, qPrintable(QString::number(PrintedPdf::ink(paper).height())));
    QImage screen(96, 96, QImage::Format_RGB32);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    paintDrawList(painter, report.renderPages(report.pageLayout()).front(), screen.rect());
    painter.end();
    QCOMPARE(PrintedPdf::ink(screen).height(), 1);
}

void tst_LayoutReport::shrunkAmountsKeepTheirPadding_data()
{
    QTest::addColumn<int>("dpi"); // 0: the printer's own
    QTest::newRow("PDF") << 0;
    QTest::newRow("printer of 300 dots per inch") << 300;
}

// An eight-digit 家賃 of the apartment's yearly table, drawn in a smaller font to fit its
// 900-twip column, keeps the 45 twips of padding a normal amount keeps: the whole text, where
// its box would clip it or not, lies inside the cell less the padding, on the paper as in the
// preview, which draws on the same printer.
void tst_LayoutReport::shrunkAmountsKeepTheirPadding()
{
    QFETCH(int, dpi);
    ReportData data;
    ReportSamples::fillYearly(data, ReportSamples::apartmentYears(), ReportSamples::displayYears(1));
    data.rows[0][data.columns.indexOf(QStringLiteral("SK収入1"))] = 88888888;
    const auto report = tables(ReportLayouts::artApartSS(), data);
    report->Printer().setPaperSize(9);
    report->Printer().PrintQuality = dpi;
    const QString path = m_dir.filePath(QStringLiteral("amounts.pdf"));
    QVERIFY(PrintedPdf::print(*report, path));
    const DrawList page = report->renderPages(report->pageLayout()).front();
    const auto item = std::find_if(page.items.begin(), page.items.end(), [](const DrawItem &i) {
        return i.kind == DrawItem::Text && i.text == QLatin1String("88,888,888");
    });
    QVERIFY(item != page.items.end());
    QCOMPARE(item->rect.width(), 900.0 - 2 * 45);
    // Points are 20 twips.
    const QRectF box = item->rect.translated(report->PageSettings().LeftMargin, report->PageSettings().TopMargin);
    const QRectF text = PrintedPdf::wordBox(path, QStringLiteral("88,888,888"));
    QVERIFY2(text.left() >= box.left() / 20 && text.right() <= box.right() / 20,
             qPrintable(QString::asprintf("%g to %g in %g to %g", text.left(), text.right(), box.left() / 20,
                                          box.right() / 20)));
}

QTEST_MAIN(tst_LayoutReport)
#include "tst_LayoutReport.moc"
