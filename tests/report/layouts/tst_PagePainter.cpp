// Rendered reports on paper: PDF files read back with the poppler tools, and images.
#include "PagePainter.h"
#include "PlanGraph.h"
#include "ReportLayouts.h"
#include "ReportRenderer.h"
#include "ReportSamples.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Share of pixels in the rectangle that are not white.
double ink(const QImage &image, const QRect &rect)
{
    int dark = 0;
    int all = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            ++all;
            if (image.pixelColor(x, y) != QColor(Qt::white))
                ++dark;
        }
    }
    return all ? double(dark) / all : 0;
}

// The graph's place on a sheet in pixels at a resolution: Image1 beside the top of the page.
QRect pictureArea(double dpi, double height)
{
    const double px = dpi / 1440;
    return QRect(int((780 + 5386) * px) + 2, int(1440 * px) + 2, int(4960 * px) - 4, int(height * px) - 4);
}

ReportData parkingSheetWithGraph()
{
    ReportData data = ReportSamples::parkingSheet();
    data.graph = PlanGraph::draw(ReportSamples::graphInput(ReportSamples::parkingYears(), 1, 2, {7100, 4875}));
    return data;
}

} // namespace

class tst_PagePainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sheetPdf();
    void yearlyPdf();
    void graphHasInkInThePdf_data();
    void graphHasInkInThePdf();
    void imageOfAPage();
    void unwritablePath();
    void sheetTextIsTheSheetsOwn_data();
    void sheetTextIsTheSheetsOwn();
    void rulesAreHalfAPointOnPaper();
    void shrunkAmountsKeepTheirPadding_data();
    void shrunkAmountsKeepTheirPadding();

private:
    bool m_tools = false;
    QTemporaryDir m_dir;
};

void tst_PagePainter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tools = !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
              !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
              !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

void tst_PagePainter::sheetPdf()
{
    const QString path = m_dir.filePath(QStringLiteral("sheet.pdf"));
    const auto pages = ReportRenderer::render(ReportLayouts::artParking(), parkingSheetWithGraph());
    QString error;
    QVERIFY2(PagePainter::writePdf(path, pages, QStringLiteral("経営計画ご提案書１"), &error), qPrintable(error));
    if (!m_tools)
        QSKIP("pdfinfo, pdftotext or pdftoppm is not installed");
    QCOMPARE(pdfPages(path), 1);
    QVERIFY(run(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("経営計画ご提案書１")));
    const QString text = normalised(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"}));
    for (const char *expected : {"計画名", "月極駐車場計画（アスファルト舗装）", "世田谷区桜丘三丁目田中様所有地",
                                 "826.45㎡", "１車両面積25㎡", "舗装費用12,000千円", "計14,100千円",
                                 "さくら信用金庫桜丘支店10,000千円元利均等1～10年2.50％", "収入・支出", "収支累計"})
        QVERIFY2(text.contains(normalised(QString::fromUtf8(expected))), expected);
    // No sample text of an unfilled field reaches the paper.
    QVERIFY(!text.contains(QStringLiteral("999,999,999")));
    QVERIFY(!text.contains(QStringLiteral("1234567890")));
}

void tst_PagePainter::yearlyPdf()
{
    if (!m_tools)
        QSKIP("pdfinfo, pdftotext or pdftoppm is not installed");
    ReportData data;
    ReportSamples::fillYearly(data, ReportSamples::parkingYears(), ReportSamples::displayYears(1));
    const QString path = m_dir.filePath(QStringLiteral("yearly.pdf"));
    QVERIFY(PagePainter::writePdf(path, ReportRenderer::render(ReportLayouts::artParkSS(), data),
                                  QStringLiteral("経営計画ご提案書２")));
    QCOMPARE(pdfPages(path), 1);
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"});
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
    QVERIFY(PagePainter::writePdf(all, ReportRenderer::render(ReportLayouts::artApartSS(), data),
                                  QStringLiteral("経営計画ご提案書２")));
    QCOMPARE(pdfPages(all), 5);
}

void tst_PagePainter::graphHasInkInThePdf_data()
{
    QTest::addColumn<bool>("printer");
    QTest::newRow("PDF writer") << false;
    // A printer with margins of its own: the page still covers the whole paper.
    QTest::newRow("printer with margins") << true;
}

void tst_PagePainter::graphHasInkInThePdf()
{
    QFETCH(bool, printer);
    if (!m_tools)
        QSKIP("pdfinfo, pdftotext or pdftoppm is not installed");
    const QString path = m_dir.filePath(QStringLiteral("graph.pdf"));
    const auto pages = ReportRenderer::render(ReportLayouts::artParking(), parkingSheetWithGraph());
    if (printer) {
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(path);
        device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 30, 20, 30),
                                         QPageLayout::Millimeter));
        QVERIFY(PagePainter::paint(device, pages));
    } else {
        QVERIFY(PagePainter::writePdf(path, pages, QString()));
    }
    const QString prefix = m_dir.filePath(QStringLiteral("graph"));
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), path, prefix});
    const QImage image(prefix + QStringLiteral(".png"));
    QVERIFY(!image.isNull());
    const QRect area = pictureArea(30, 3260);
    QVERIFY(ink(image, area) > 0.5); // bars and the plot's back colour fill most of the picture
    // Below the sheet (from 1440 + 7545 twips down) the paper stays white.
    QCOMPARE(ink(image, QRect(10, int((1440 + 7700) * 30 / 1440.0), image.width() - 20, 40)), 0.0);
}

void tst_PagePainter::imageOfAPage()
{
    const auto pages = ReportRenderer::render(ReportLayouts::artParking(), parkingSheetWithGraph());
    const QImage image = PagePainter::toImage(pages.front(), 40);
    QCOMPARE(image.size(), QSize(331, 468)); // 11906 x 16838 twips at 40 dots per inch
    QVERIFY(ink(image, pictureArea(40, 3260)) > 0.5);
    bool green = false;
    const QRect area = pictureArea(40, 3260);
    for (int y = area.top(); y <= area.bottom() && !green; ++y) {
        for (int x = area.left(); x <= area.right() && !green; ++x)
            green = image.pixelColor(x, y) == PlanGraph::kIncome;
    }
    QVERIFY(green);
}

void tst_PagePainter::unwritablePath()
{
    const auto pages = ReportRenderer::render(ReportLayouts::artParking(), ReportData());
    QString error;
    QVERIFY(
        !PagePainter::writePdf(m_dir.filePath(QStringLiteral("missing/folder/sheet.pdf")), pages, QString(), &error));
    QVERIFY(error.startsWith(QStringLiteral("PDFファイルを作成できません。")));
    QVERIFY(!PagePainter::writePdf(m_dir.filePath(QStringLiteral("none.pdf")), {}, QString(), &error));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("none.pdf"))));
}

void tst_PagePainter::sheetTextIsTheSheetsOwn_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("parking sheet") << QStringLiteral("artParking");
    QTest::newRow("apartment sheet") << QStringLiteral("artApartment");
}

// A planner searches the PDF and copies names out of it: its text is the sheet's own
// characters, as written, never look-alike radicals (U+2E80 to U+2FDF) or the hyphenation
// point U+2027 in place of "・".
void tst_PagePainter::sheetTextIsTheSheetsOwn()
{
    QFETCH(QString, layout);
    if (!m_tools)
        QSKIP("pdfinfo, pdftotext or pdftoppm is not installed");
    ReportData data =
        layout == QLatin1String("artParking") ? ReportSamples::parkingSheet() : ReportSamples::apartmentSheet();
    data.graph = parkingSheetWithGraph().graph;
    const QString path = m_dir.filePath(layout + QStringLiteral(".pdf"));
    QVERIFY(PagePainter::writePdf(path, ReportRenderer::render(ReportLayouts::byName(layout), data), QString()));
    const QString text = run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    for (const QString &word : {QStringLiteral("借入金"), QStringLiteral("収入・支出"), QStringLiteral("敷地面積")})
        QVERIFY2(text.contains(word), qPrintable(word));
    for (const QChar c : text)
        QVERIFY2((c.unicode() < 0x2E80 || c.unicode() > 0x2FDF) && c.unicode() != 0x2027,
                 qPrintable(QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))));
}

// A rule of the thinnest pen is half a point wide on paper, 600 / 144 = 4.2 dots at 600 dots
// per inch, not one dot of the PDF's 1200; on the screen it stays one pixel.
void tst_PagePainter::shrunkAmountsKeepTheirPadding_data()
{
    QTest::addColumn<double>("dpi");
    QTest::newRow("preview") << 96.0;
    QTest::newRow("printer") << 600.0;
}

// An eight-digit 家賃 of the apartment's yearly table, drawn in a smaller font to fit its
// 900-twip column, keeps the 45 twips of padding a normal amount keeps: drawn unclipped,
// its ink lies wholly inside the cell less the padding, at a preview's and a printer's
// resolution.
void tst_PagePainter::shrunkAmountsKeepTheirPadding()
{
    QFETCH(double, dpi);
    ReportData data;
    ReportSamples::fillYearly(data, ReportSamples::apartmentYears(), ReportSamples::displayYears(1));
    data.rows[0][data.columns.indexOf(QStringLiteral("SK収入1"))] = 88888888;
    DrawList page = ReportRenderer::render(ReportLayouts::artApartSS(), data).front();
    const auto item = std::find_if(page.items.begin(), page.items.end(), [](const DrawItem &i) {
        return i.kind == DrawItem::Text && i.text == QLatin1String("88,888,888");
    });
    QVERIFY(item != page.items.end());
    item->clip = false; // so that a text too wide for its box shows, rather than losing a digit
    QCOMPARE(item->rect.width(), 900.0 - 2 * 45);
    const QImage image = PagePainter::toImage(page, dpi);
    const double px = dpi / 1440;
    // The cell's inside, one pixel clear of its rules, over the text's line.
    const QRect cell(int(std::ceil((item->rect.left() - 45) * px)) + 1, int(item->rect.top() * px) + 1,
                     int((item->rect.width() + 90) * px) - 2, int(item->rect.height() * px) - 2);
    int first = -1;
    int last = -1;
    for (int x = cell.left(); x <= cell.right(); ++x) {
        if (ink(image, QRect(x, cell.top(), 1, cell.height())) > 0) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    QVERIFY(first >= 0);
    QVERIFY2(first >= int(item->rect.left() * px), qPrintable(QString::number(first)));
    QVERIFY2(last <= int(std::ceil(item->rect.right() * px)), qPrintable(QString::number(last)));
}

void tst_PagePainter::rulesAreHalfAPointOnPaper()
{
    if (!m_tools)
        QSKIP("pdfinfo, pdftotext or pdftoppm is not installed");
    DrawList page;
    page.size = QSizeF(1440, 1440);
    page.line(QPointF(0, 720), QPointF(1440, 720), Qt::black);
    const QString path = m_dir.filePath(QStringLiteral("rule.pdf"));
    QVERIFY(PagePainter::writePdf(path, {page}, QString()));
    const QString prefix = m_dir.filePath(QStringLiteral("rule"));
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-gray"),
                                                   QStringLiteral("-singlefile"), path, prefix});
    const auto darkRows = [](const QImage &image) {
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            rows += qGray(image.pixel(image.width() / 2, y)) < 128;
        return rows;
    };
    const QImage paper(prefix + QStringLiteral(".pgm"));
    QVERIFY(!paper.isNull());
    QVERIFY2(darkRows(paper) >= 4, qPrintable(QString::number(darkRows(paper))));
    QCOMPARE(darkRows(PagePainter::toImage(page, 96)), 1);
}

QTEST_MAIN(tst_PagePainter)
#include "tst_PagePainter.moc"
