// Rendering the layouts into pages: field texts, hide rules, rows, pages, fitting.
#include "ReportRenderer.h"

#include "LayoutReport.h"
#include "PlanGraph.h"
#include "ReportLayouts.h"
#include "ReportSamples.h"

#include <QPageLayout>
#include <QtTest>

namespace
{

// The pages a run of the report engine prints on A4 portrait, where every layout fits: each
// control at its design place.
std::vector<DrawList> render(const ReportLayout &layout, const ReportData &data)
{
    return LayoutReport(layout, data)
        .renderPages(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(72, 72, 72, 72)));
}

const DrawItem *textAt(const DrawList &page, const QPointF &topLeft)
{
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Text && qAbs(item.rect.left() - topLeft.x()) < 0.01 &&
            qAbs(item.rect.top() - topLeft.y()) < 0.01)
            return &item;
    }
    return nullptr;
}

QStringList texts(const DrawList &page)
{
    QStringList out;
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Text)
            out << item.text;
    }
    return out;
}

// Where a control's text starts on the page: its place plus the padding.
QPointF textPlace(const ReportLayout &layout, const QString &name, double dy = 0)
{
    const ReportControl *c = layout.control(name);
    return QPointF(c->rect.left() + 45, c->rect.top() + dy);
}

bool shows(const ReportLayout &layout, const DrawList &page, const QString &name)
{
    return textAt(page, textPlace(layout, name)) != nullptr;
}

ReportData yearlyRows(const QVector<QVector<QVariant>> &values)
{
    ReportData data;
    data.columns = ReportSamples::yearlyColumns();
    for (const QVector<QVariant> &v : values) {
        QVector<QVariant> row(data.columns.size());
        row[data.columns.indexOf(QStringLiteral("SK年"))] = v.value(0);
        row[data.columns.indexOf(QStringLiteral("SE年"))] = v.value(0);
        row[data.columns.indexOf(QStringLiteral("SK収入1"))] = v.value(1);
        row[data.columns.indexOf(QStringLiteral("SK残"))] = v.value(2);
        row[data.columns.indexOf(QStringLiteral("SE課税"))] = v.value(3);
        data.rows.append(row);
    }
    return data;
}

} // namespace

class tst_ReportRenderer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptySheetPrintsNoSampleText();
    void parkingHideRules();
    void apartmentHideRules();
    void fieldTextsAtTheirPlaces();
    void graphFillsThePicture();
    void yearlyRowsFormattedAndPlaced();
    void yearlyRowText_data();
    void yearlyRowText();
    void unknownColumnThrows();
    void yearlyPages_data();
    void yearlyPages();
    void noDataOnlyForAnEmptyRecordSet();
    void renderingTwiceGivesTheSamePages();
    void longTextsFitTheirFields();
};

void tst_ReportRenderer::emptySheetPrintsNoSampleText()
{
    for (const ReportLayout &layout : {ReportLayouts::artParking(), ReportLayouts::artApartment()}) {
        const auto pages = render(layout, ReportData());
        QCOMPARE(int(pages.size()), 1);
        // Exactly the captions print: every field is empty and every rule hides its units.
        const QSet<QString> hidden = ReportRenderer::hiddenLabels(layout, ReportData());
        QStringList captions;
        for (const ReportControl &c : layout.pageHeader.controls) {
            if (c.kind == ReportControl::Label && !hidden.contains(c.name))
                captions << c.text;
        }
        QCOMPARE(texts(pages[0]), captions);
    }
}

void tst_ReportRenderer::parkingHideRules()
{
    const ReportLayout layout = ReportLayouts::artParking();
    ReportData data = ReportSamples::parkingSheet();              // one loan with one rate period
    data.fields.insert(QStringLiteral("fldKeikaku2"), QString()); // rate without an interval
    data.fields.insert(QStringLiteral("fldYosan3"), QStringLiteral("0"));
    data.fields.insert(QStringLiteral("fldYosan2"), QStringLiteral("  "));
    const QSet<QString> hidden = ReportRenderer::hiddenLabels(layout, data);
    QCOMPARE(hidden.size(), 3 + 7 + 7 + 1);
    for (const char *name :
         {"lblKariire17", "lblKariire18", "lblKariire19", "lblKariire22", "lblKariire24", "lblKariire39", "Label61"})
        QVERIFY2(hidden.contains(QString::fromUtf8(name)), name);
    for (const char *name : {"lblKariire12", "lblKariire16", "lblKeikaku3", "lblYosan3", "lblYosan2"})
        QVERIFY2(!hidden.contains(QString::fromUtf8(name)), name);

    const DrawList page = render(layout, data).front();
    QVERIFY(shows(layout, page, QStringLiteral("lblKeikaku3")));
    QVERIFY(!shows(layout, page, QStringLiteral("Label61")));
    QVERIFY(!shows(layout, page, QStringLiteral("lblKariire22")));
    // Headings and rules of the empty loan rows stay.
    QVERIFY(shows(layout, page, QStringLiteral("Label31")));
}

void tst_ReportRenderer::apartmentHideRules()
{
    const ReportLayout layout = ReportLayouts::artApartment();
    ReportData data = ReportSamples::apartmentSheet();
    for (int c = 1; c <= 8; ++c) // two dwelling types only
        data.fields.remove(QStringLiteral("fldYatin3%1").arg(c));
    data.fields.insert(QStringLiteral("fldKeikaku2"), QString());
    data.fields.remove(QStringLiteral("fldKeikaku8"));
    data.fields.insert(QStringLiteral("fldSikiti1"), QString());
    const QSet<QString> hidden = ReportRenderer::hiddenLabels(layout, data);
    for (int k = 3; k <= 5; ++k) {
        for (int c : {2, 5, 6, 7, 8})
            QVERIFY(hidden.contains(QStringLiteral("lblYatin%1%2").arg(k).arg(c)));
    }
    QVERIFY(!hidden.contains(QStringLiteral("lblYatin22")));
    QVERIFY(hidden.contains(QStringLiteral("lblKeikaku3")));
    QVERIFY(!hidden.contains(QStringLiteral("lblKeikaku2"))); // "毎年" before the value stays
    QVERIFY(hidden.contains(QStringLiteral("lblKeikaku9")));
    QVERIFY(hidden.contains(QStringLiteral("lblKeikaku10")));

    const DrawList page = render(layout, data).front();
    QVERIFY(shows(layout, page, QStringLiteral("Label142"))); // the column letter "C" stays
    QVERIFY(shows(layout, page, QStringLiteral("Label10")));  // the property's units always show
    QVERIFY(shows(layout, page, QStringLiteral("lblKeikaku2")));
    QVERIFY(!shows(layout, page, QStringLiteral("lblYatin35")));
}

void tst_ReportRenderer::fieldTextsAtTheirPlaces()
{
    const ReportLayout layout = ReportLayouts::artApartment();
    const DrawList page = render(layout, ReportSamples::apartmentSheet()).front();
    const struct {
        const char *field;
        const char *text;
        int align;
    } cases[] = {{"fldName", "賃貸マンション計画 ＲＣ造３階建て", Qt::AlignLeft},
                 {"fldSikiti2", "280", Qt::AlignRight},
                 {"fldKaoku12", "1棟 18戸 3階建て", Qt::AlignLeft},
                 {"fldYatin61", "2,190", Qt::AlignRight},
                 {"fldYosan12", "267,310", Qt::AlignRight},
                 {"fldKariire19", "2.20", Qt::AlignRight},
                 {"fldKariire23", "元金均等", Qt::AlignLeft},
                 {"fldGenka3", "4.80", Qt::AlignRight}};
    for (const auto &c : cases) {
        const DrawItem *item = textAt(page, textPlace(layout, QString::fromUtf8(c.field)));
        QVERIFY2(item, c.field);
        QCOMPARE(item->text, QString::fromUtf8(c.text));
        QCOMPARE(item->align & Qt::AlignHorizontal_Mask, c.align);
        QCOMPARE(item->rect.width(), layout.control(QString::fromUtf8(c.field))->rect.width() - 90);
    }
}

void tst_ReportRenderer::graphFillsThePicture()
{
    const ReportLayout layout = ReportLayouts::artParking();
    ReportData data;
    data.graph = PlanGraph::draw(ReportSamples::graphInput(ReportSamples::parkingYears(), 1, 2, QSizeF(7100, 4875)));
    const DrawList page = render(layout, data).front();
    // The graph's white margin rectangles are stretched into Image1 (5386, 0, 4960 x 3260).
    const QRectF picture(5386, 0, 4960, 3260);
    int inside = 0;
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Rect && item.brush == PlanGraph::kIncome) {
            QVERIFY(picture.contains(item.rect));
            ++inside;
        }
    }
    QCOMPARE(inside, 15);
    const auto margin = std::find_if(page.items.begin(), page.items.end(), [](const DrawItem &item) {
        return item.kind == DrawItem::Rect && item.brush == QColor(Qt::white);
    });
    QVERIFY(margin != page.items.end());
    QCOMPARE(margin->rect, QRectF(picture.left(), picture.top(), 1250 * 4960 / 7100.0, 3260));
    // Texts scale with the picture: 8 points times the smaller ratio, 3260 / 4875.
    const auto label = std::find_if(page.items.begin(), page.items.end(),
                                    [](const DrawItem &item) { return item.text == QStringLiteral("(千円)"); });
    QVERIFY(label != page.items.end());
    QCOMPARE(label->fontPoints, 8 * 3260 / 4875.0);

    // No graph: nothing in the picture's place.
    const DrawList bare = render(layout, ReportData()).front();
    for (const DrawItem &item : bare.items)
        QVERIFY(!picture.intersects(item.rect) || item.kind == DrawItem::Line);
}

void tst_ReportRenderer::yearlyRowsFormattedAndPlaced()
{
    const ReportLayout layout = ReportLayouts::artParkSS();
    const ReportData data =
        yearlyRows({{5, 1234567, -2500, 0}, {10, 0, QVariant(), qint64(12345678901)}, {15, 6156, 3313, -787}});
    const auto pages = render(layout, data);
    QCOMPARE(int(pages.size()), 1);
    const DrawList &page = pages[0];
    const struct {
        const char *field;
        int row;
        const char *text;
    } cases[] = {{"Field02", 0, "1,234,567"},      {"Field07", 0, "-2,500"}, {"Field16", 0, "0"},   {"Field02", 1, "0"},
                 {"Field16", 1, "12,345,678,901"}, {"Field07", 2, "3,313"},  {"Field16", 2, "-787"}};
    for (const auto &c : cases) {
        const DrawItem *item = textAt(page, textPlace(layout, QString::fromUtf8(c.field), c.row * 283));
        QVERIFY2(item, c.field);
        QCOMPARE(item->text, QString::fromUtf8(c.text));
    }
    // A Null value prints nothing in its row; the year prints plainly, centred.
    QVERIFY(!textAt(page, textPlace(layout, QStringLiteral("Field07"), 283)));
    const DrawItem *year = textAt(page, textPlace(layout, QStringLiteral("Field09"), 2 * 283));
    QVERIFY(year);
    QCOMPARE(year->text, QStringLiteral("15"));
    QCOMPARE(year->align, int(Qt::AlignCenter));
    // Columns the layout does not show leave no text: 3 rows x 16 fields at most.
    int rowTexts = 0;
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Text && item.fontFace == QStringLiteral("ＭＳ ゴシック"))
            ++rowTexts;
    }
    QCOMPARE(rowTexts, 3 * 2 + 3 + 2 + 3); // both years, Field02, Field07 but its Null, Field16
}

void tst_ReportRenderer::yearlyRowText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("amount") << QVariant(1234567) << "1,234,567";
    QTest::newRow("zero") << QVariant(0) << "0";
    QTest::newRow("negative") << QVariant(-2500) << "-2,500";
    QTest::newRow("null") << vb::null() << QString();
    QTest::newRow("missing column") << QVariant() << QString();
    QTest::newRow("currency-like fraction") << QVariant(1234.5) << "1,235";
    QTest::newRow("text with blanks") << QVariant(QStringLiteral(" 75 ")) << "75";
}

void tst_ReportRenderer::yearlyRowText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    ReportData data;
    data.columns = QStringList{QStringLiteral("SK残")};
    data.rows = {{value}};
    ReportControl field;
    field.column = QStringLiteral("SK残");
    field.format = QStringLiteral("##,###,##0");
    QCOMPARE(ReportRenderer::rowText(field, data, 0), text);
}

void tst_ReportRenderer::unknownColumnThrows()
{
    ReportData data;
    data.columns = QStringList{QStringLiteral("SK残")};
    data.rows = {{1}};
    ReportControl field;
    field.column = QStringLiteral("SK累計");
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, ReportRenderer::rowText(field, data, 0));
}

void tst_ReportRenderer::yearlyPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("one row") << 1 << 1;
    QTest::newRow("fifteen rows") << 15 << 1;
    QTest::newRow("sixteen rows") << 16 << 2;
    QTest::newRow("every year of 75") << 75 << 5;
}

void tst_ReportRenderer::yearlyPages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    const ReportLayout layout = ReportLayouts::artApartSS();
    ReportData data;
    ReportSamples::fillYearly(data, ReportSamples::apartmentYears(), ReportSamples::displayYears(1), true);
    data.rows.resize(rows);
    const auto rendered = render(layout, data);
    QCOMPARE(int(rendered.size()), pages);
    // Every page repeats the title and starts at the first body row.
    for (int p = 0; p < pages; ++p) {
        QVERIFY(texts(rendered[p]).contains(QStringLiteral("経営計画ご提案書")));
        const DrawItem *year = textAt(rendered[p], textPlace(layout, QStringLiteral("Field12")));
        QVERIFY(year);
        QCOMPARE(year->text, QString::number(p * 15 + 1));
    }
    const int lastRow = (rows - 1) % 15;
    const DrawItem *last = textAt(rendered.back(), textPlace(layout, QStringLiteral("Field01"), lastRow * 283));
    QVERIFY(last);
    QCOMPARE(last->text, QString::number(rows));
    QVERIFY(!textAt(rendered.back(), textPlace(layout, QStringLiteral("Field01"), (lastRow + 1) * 283)));
}

void tst_ReportRenderer::noDataOnlyForAnEmptyRecordSet()
{
    ReportData empty;
    empty.columns = ReportSamples::yearlyColumns();
    QVERIFY(ReportRenderer::hasNoData(ReportLayouts::artParkSS(), empty));
    QVERIFY(render(ReportLayouts::artParkSS(), empty).empty());
    QVERIFY(!ReportRenderer::hasNoData(ReportLayouts::artParking(), empty));
    QCOMPARE(int(render(ReportLayouts::artApartment(), empty).size()), 1);
    QCOMPARE(ReportRenderer::kNoDataMessage, QStringLiteral("印刷データがありません。"));
}

void tst_ReportRenderer::renderingTwiceGivesTheSamePages()
{
    ReportData sheet = ReportSamples::apartmentSheet();
    sheet.graph = PlanGraph::draw(ReportSamples::graphInput(ReportSamples::apartmentYears(), 4, 2, {7100, 4875}));
    const ReportLayout layout = ReportLayouts::artApartment();
    QVERIFY(render(layout, sheet) == render(layout, sheet));

    ReportData yearly;
    ReportSamples::fillYearly(yearly, ReportSamples::apartmentYears(), ReportSamples::displayYears(4));
    const ReportLayout table = ReportLayouts::artApartSS();
    const auto first = render(table, yearly);
    QCOMPARE(int(yearly.rows.size()), 15);
    QVERIFY(first == render(table, yearly));
}

void tst_ReportRenderer::longTextsFitTheirFields()
{
    const ReportLayout layout = ReportLayouts::artParking();
    ReportData data;
    const QString longName(30, QChar(0x9577)); // thirty full-width characters
    data.fields.insert(QStringLiteral("fldName"), longName);
    data.fields.insert(QStringLiteral("fldYosan4"), QStringLiteral("-2,147,483,648"));
    const DrawList page = render(layout, data).front();
    for (const char *name : {"fldName", "fldYosan4"}) {
        const DrawItem *item = textAt(page, textPlace(layout, QString::fromUtf8(name)));
        QVERIFY(item);
        QVERIFY(item->fit);
        QVERIFY(item->clip);
        QVERIFY(layout.control(QString::fromUtf8(name))->rect.contains(item->rect));
    }
}

QTEST_MAIN(tst_ReportRenderer)
#include "tst_ReportRenderer.moc"
