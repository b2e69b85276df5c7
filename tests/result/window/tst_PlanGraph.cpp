// The plan graph's primitives for worked cases, at the middle size (picture 7100 x 4875,
// plot 4440 x 4115, zero line 2458, grid lines at 4415 - 978.75 k for k = 0 to 4).
#include "PlanGraph.h"

#include <QtTest>

#include <algorithm>

namespace
{

constexpr double kW = 4440;
constexpr double kH = 4115;

std::vector<const DrawItem *> itemsOf(const DrawList &list, DrawItem::Kind kind)
{
    std::vector<const DrawItem *> out;
    for (const DrawItem &item : list.items) {
        if (item.kind == kind)
            out.push_back(&item);
    }
    return out;
}

// The texts printed at an x position, top to bottom in the order they were drawn.
std::vector<const DrawItem *> textsAt(const DrawList &list, double x)
{
    std::vector<const DrawItem *> out;
    for (const DrawItem *item : itemsOf(list, DrawItem::Text)) {
        if (qFuzzyCompare(item->rect.left() + 1, x + 1))
            out.push_back(item);
    }
    return out;
}

// The first text of that content starting left of `before` (the right axis repeats "0").
const DrawItem *textWith(const DrawList &list, const QString &text, double before = 1e9)
{
    for (const DrawItem *item : itemsOf(list, DrawItem::Text)) {
        if (item->text == text && item->rect.left() < before)
            return item;
    }
    return nullptr;
}

// Income bars are the green rectangles, in row order.
std::vector<QRectF> bars(const DrawList &list, const QColor &colour)
{
    std::vector<QRectF> out;
    for (const DrawItem *item : itemsOf(list, DrawItem::Rect)) {
        if (item->brush == colour)
            out.push_back(item->rect);
    }
    return out;
}

PlanGraphInput input(int rows, qint32 income = 1000, qint32 expenditure = 800, qint32 balance = 200)
{
    PlanGraphInput in;
    for (int y = 1; y <= rows; ++y)
        in.rows.push_back({y, income, expenditure, balance * y});
    in.scale = {balance * rows, balance, income, expenditure};
    return in;
}

std::array<int, 15> everyFive()
{
    std::array<int, 15> years{};
    for (int k = 1; k <= 15; ++k)
        years[k - 1] = 5 * k;
    return years;
}

} // namespace

class tst_PlanGraph : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void MaxMemoriVal_data();
    void MaxMemoriVal();
    void steps_data();
    void steps();
    void emptyPlanDrawsNothing();
    void frameTitlesAndItemCount();
    void balanceAxisLabels();
    void barAxisLabels();
    void allZero();
    void everyFiveYears();
    void automaticInterval();
    void barsAndBalanceLine();
    void smallSizeLabelsEvenMarks();
    void hugeAmounts();
    void rowsPastTheLastYearAreNotDrawn();
    void drawingTwiceGivesTheSameList();
};

void tst_PlanGraph::MaxMemoriVal_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("top");
    QTest::newRow("0") << qint64(0) << qint64(1);
    QTest::newRow("5") << qint64(5) << qint64(6);
    QTest::newRow("9") << qint64(9) << qint64(10);
    QTest::newRow("1234") << qint64(1234) << qint64(2000);
    QTest::newRow("2000") << qint64(2000) << qint64(3000);
    QTest::newRow("9500") << qint64(9500) << qint64(10000);
    QTest::newRow("-3400") << qint64(-3400) << qint64(4000);
    QTest::newRow("120000") << qint64(120000) << qint64(200000);
    QTest::newRow("largest 32-bit") << qint64(2147483647) << qint64(3000000000);
    QTest::newRow("smallest 32-bit") << qint64(-2147483648LL) << qint64(3000000000);
    QTest::newRow("nine digits of 9") << qint64(999999999) << qint64(1000000000);
}

void tst_PlanGraph::MaxMemoriVal()
{
    QFETCH(qint64, value);
    QFETCH(qint64, top);
    QCOMPARE(PlanGraph::MaxMemoriVal(value), top);
}

void tst_PlanGraph::steps_data()
{
    QTest::addColumn<PlanGraphScale>("scale");
    QTest::addColumn<double>("balanceStep");
    QTest::addColumn<qint64>("barStep");
    QTest::newRow("worked case") << PlanGraphScale{120000, -30000, 5000, 8400} << 100000.0 << qint64(4500);
    QTest::newRow("all zero") << PlanGraphScale{0, 0, 0, 0} << 0.0 << qint64(0);
    // A maximum of 2 gives the top 3, whose half is kept; a minimum of -2 cuts it to 1.
    QTest::newRow("odd top from the maximum") << PlanGraphScale{2, 0, 0, 0} << 1.5 << qint64(0);
    QTest::newRow("odd top from the minimum") << PlanGraphScale{0, -2, 0, 0} << 1.0 << qint64(0);
    QTest::newRow("income decides") << PlanGraphScale{-10, -500, 9500, 300} << 300.0 << qint64(5000);
    QTest::newRow("32-bit limits") << PlanGraphScale{2147483647, -2147483647 - 1, 2147483647, 2147483647}
                                   << 1500000000.0 << qint64(1500000000);
}

void tst_PlanGraph::steps()
{
    QFETCH(PlanGraphScale, scale);
    QFETCH(double, balanceStep);
    QFETCH(qint64, barStep);
    QCOMPARE(PlanGraph::balanceStep(scale), balanceStep);
    QCOMPARE(PlanGraph::barStep(scale), barStep);
}

void tst_PlanGraph::emptyPlanDrawsNothing()
{
    PlanGraphInput in;
    in.scale = {5000, -100, 900, 700}; // other plans of the property have values
    const DrawList list = PlanGraph::draw(in);
    QVERIFY(list.items.empty());
    QCOMPARE(list.size, QSizeF(7100, 4875));
}

void tst_PlanGraph::frameTitlesAndItemCount()
{
    const DrawList list = PlanGraph::draw(input(15));
    // Back colour, 4 margins, 2 axes, 4 titles, 3 per row, 2 x 5 labels with grid lines,
    // the left axis with its "0", 15 marks with 15 labels.
    QCOMPARE(int(list.items.size()), 1 + 4 + 2 + 4 + 3 * 15 + 20 + 2 + 30);

    const QRectF margins[] = {QRectF(0, 0, 1250, 4875), QRectF(kW + 1250, 0, 7100 - kW - 1250, 4875),
                              QRectF(0, 0, 7100, 400), QRectF(0, kH + 400, 7100, 4875 - kH - 400)};
    for (int i = 0; i < 4; ++i) {
        const DrawItem &m = list.items[1 + i];
        QCOMPARE(m.rect, margins[i]);
        QCOMPARE(m.brush, QColor(Qt::white));
    }
    QCOMPARE(list.items[0].rect, QRectF(1250, 400, kW, kH));
    QCOMPARE(list.items[5].line, QLineF(1250, 300, 1250, kH + 400));
    QCOMPARE(list.items[6].line, QLineF(kW + 1250, 300, kW + 1250, kH + 400));

    const struct {
        const char *text;
        QPointF at;
    } titles[] = {{"収入・支出", {870, 150}},
                  {"収支累計", {kW + 1250 - 320, 150}},
                  {"(千円)", {7100 - 700, 4875 / 2.0}},
                  {"(年)", {7100 - 500, 4875 - 300}},
                  {"0", {1180, 4875 - 300}}};
    for (const auto &t : titles) {
        const auto found = std::find_if(list.items.begin(), list.items.end(), [&](const DrawItem &item) {
            return item.kind == DrawItem::Text && item.text == QString::fromUtf8(t.text) && item.rect.topLeft() == t.at;
        });
        QVERIFY2(found != list.items.end(), t.text);
        QCOMPARE(found->pen, QColor(Qt::black));
        QCOMPARE(found->fontPoints, 8.0);
    }
}

void tst_PlanGraph::balanceAxisLabels()
{
    PlanGraphInput in = input(15);
    in.scale = {120000, -30000, 5000, 8400};
    const DrawList list = PlanGraph::draw(in);
    const auto labels = textsAt(list, kW + 1300);
    QCOMPARE(int(labels.size()), 5);
    const char *texts[] = {"-200,000", "-100,000", "0", "100,000", "200,000"};
    // tickC = 100000, sC = 3915 / 100000 / 4: the grid lines are 978.75 twips apart.
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(labels[k]->text, QString::fromUtf8(texts[k]));
        QCOMPARE(labels[k]->rect.top(), kH + 300 - 978.75 * k - 70);
        QCOMPARE(labels[k]->pen, k < 2 ? PlanGraph::kExpenditure : QColor(Qt::black));
    }
}

void tst_PlanGraph::barAxisLabels()
{
    PlanGraphInput in = input(15);
    in.scale = {120000, -30000, 5000, 8400};
    const DrawList list = PlanGraph::draw(in);
    // Each label starts 120 twips per plain character left of the axis.
    const struct {
        const char *text;
        double x;
    } labels[] = {{"-18,000", 1250 - 120 * 6},
                  {"-9,000", 1250 - 120 * 5},
                  {"0", 1250 - 120},
                  {"9,000", 1250 - 120 * 4},
                  {"18,000", 1250 - 120 * 5}};
    for (int k = 0; k < 5; ++k) {
        const DrawItem *item = textWith(list, QString::fromUtf8(labels[k].text), 1250);
        QVERIFY2(item, labels[k].text);
        QCOMPARE(item->rect.left(), labels[k].x);
        QCOMPARE(item->rect.top(), kH + 300 - 978.75 * k - 70);
        QCOMPARE(item->pen, k < 2 ? PlanGraph::kExpenditure : QColor(Qt::black));
    }
    // Both axes' grid lines coincide: ten lines across the plot at five heights.
    int gridLines = 0;
    for (const DrawItem *item : itemsOf(list, DrawItem::Line)) {
        if (item->line.x1() == 1250 && item->line.x2() == kW + 1250 && item->line.y1() == item->line.y2()) {
            ++gridLines;
            const double k = (kH + 300 - item->line.y1()) / 978.75;
            QCOMPARE(k, std::round(k));
        }
    }
    QCOMPARE(gridLines, 10);
}

void tst_PlanGraph::allZero()
{
    PlanGraphInput in = input(15, 0, 0, 0);
    in.scale = {};
    const DrawList list = PlanGraph::draw(in);
    const auto right = textsAt(list, kW + 1300);
    QCOMPARE(int(right.size()), 5);
    for (const DrawItem *label : right) {
        QCOMPARE(label->text, QStringLiteral("0"));
        QCOMPARE(label->rect.top(), kH + 300 - 70);
    }
    for (const QRectF &bar : bars(list, PlanGraph::kIncome))
        QCOMPARE(bar.height(), 0.0);
    for (const DrawItem *item : itemsOf(list, DrawItem::Line)) {
        if (item->pen == PlanGraph::kBalance) {
            QCOMPARE(item->line.y1(), 2458.0);
            QCOMPARE(item->line.y2(), 2458.0);
        }
    }
}

void tst_PlanGraph::everyFiveYears()
{
    PlanGraphInput in = input(75);
    in.years = everyFive();
    const DrawList list = PlanGraph::draw(in);
    const auto income = bars(list, PlanGraph::kIncome);
    QCOMPARE(int(income.size()), 75);
    // A column is 4440 / 15 = 296 twips: years 1 to 4 at 0.2 to 0.8 of it, year 5 on the mark.
    const double edges[] = {1250, 1309, 1368, 1428, 1487, 1546};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(income[i].left(), edges[i]);
        QCOMPARE(income[i].right(), edges[i + 1]);
    }
    QCOMPARE(income[74].right(), 1250 + kW);
    const DrawItem *label = textWith(list, QStringLiteral("75"));
    QVERIFY(label);
    QCOMPARE(label->rect.topLeft(), QPointF(1250 + kW - 70, 4875 - 300));
}

void tst_PlanGraph::automaticInterval()
{
    PlanGraphInput in = input(35);
    in.years = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 35};
    const DrawList list = PlanGraph::draw(in);
    const auto income = bars(list, PlanGraph::kIncome);
    QCOMPARE(int(income.size()), 35);
    // Year 10 on mark 10 (2960 + 1250); years 11 to 14 a fifth of a column apart; 15 on mark 11.
    QCOMPARE(income[9].right(), 4210.0);
    QCOMPARE(income[10].right(), std::rint((10 + 0.2) * 296 + 1250));
    QCOMPARE(income[13].right(), std::rint((10 + 0.8) * 296 + 1250));
    QCOMPARE(income[14].right(), 11 * 296.0 + 1250);
    QVERIFY(textWith(list, QStringLiteral("35")));
    QVERIFY(!textWith(list, QStringLiteral("11")));
}

void tst_PlanGraph::barsAndBalanceLine()
{
    PlanGraphInput in;
    in.rows = {{1, 4000, 6000, -2000}, {2, 5000, 8400, -5400}};
    in.scale = {120000, -30000, 5000, 8400};
    const DrawList list = PlanGraph::draw(in);
    // sB = 3915 / 4500 / 4; bars at half scale: 4000 / 2 x sB = 435.
    const double sB = 3915.0 / 4500 / 4;
    const auto income = bars(list, PlanGraph::kIncome);
    const auto expense = bars(list, PlanGraph::kExpenditure);
    QCOMPARE(income[0], QRectF(QPointF(1250, 2458 - 2000 * sB), QPointF(1546, 2458)));
    QCOMPARE(expense[1], QRectF(QPointF(1546, 2458), QPointF(1842, 2458 + 4200 * sB)));
    // The tallest bar stays below the first grid line.
    QVERIFY(expense[1].bottom() < 2458 + 978.75);

    std::vector<QLineF> balance;
    for (const DrawItem *item : itemsOf(list, DrawItem::Line)) {
        if (item->pen == PlanGraph::kBalance) {
            balance.push_back(item->line);
            QCOMPARE(item->penTwips, PlanGraph::kBalancePenTwips);
        }
    }
    QCOMPARE(int(balance.size()), 2);
    const double sC = 3915.0 / 100000 / 4;
    QCOMPARE(balance[0], QLineF(1250, 2458, 1546, 2458 + 2000 * sC));
    // The next segment starts at the rounded end of the previous one.
    QCOMPARE(balance[1], QLineF(1546, std::rint(2458 + 2000 * sC), 1842, 2458 + 5400 * sC));
}

void tst_PlanGraph::smallSizeLabelsEvenMarks()
{
    PlanGraphInput in = input(15);
    in.dispSize = 3;
    in.picture = QSizeF(7100 / 1.45, 4875 / 1.45);
    const DrawList list = PlanGraph::draw(in);
    int marks = 0;
    for (const DrawItem *item : itemsOf(list, DrawItem::Line)) {
        if (item->line.x1() == item->line.x2() && item->line.y1() == 400 && item->pen == QColor(Qt::black))
            ++marks;
    }
    QCOMPARE(marks, 15 + 1); // the fifteen marks and the left axis
    QStringList yearLabels;
    for (const DrawItem *item : itemsOf(list, DrawItem::Text)) {
        if (item->rect.top() == in.picture.height() - 300 && item->text != QLatin1String("0") &&
            item->text != QStringLiteral("(年)"))
            yearLabels << item->text;
    }
    QCOMPARE(yearLabels, QStringList({"2", "4", "6", "8", "10", "12", "14"}));

    in.dispSize = 9; // counts as the middle size: every year is labelled
    in.picture = QSizeF(7100, 4875);
    QVERIFY(textWith(PlanGraph::draw(in), QStringLiteral("15")));
}

void tst_PlanGraph::hugeAmounts()
{
    PlanGraphInput in;
    in.rows = {{1, 2147483647, 2147483647, 2147483647}, {2, 0, 0, -2147483647 - 1}};
    in.scale = {2147483647, -2147483647 - 1, 2147483647, 2147483647};
    const DrawList list = PlanGraph::draw(in);
    QVERIFY(textWith(list, QStringLiteral("3,000,000,000")));
    QVERIFY(textWith(list, QStringLiteral("-3,000,000,000")));
    const DrawItem *left = textWith(list, QStringLiteral("-6,000,000,000"));
    QVERIFY(left);
    QCOMPARE(left->rect.left(), 0.0); // would start left of the picture
    for (const QRectF &bar : bars(list, PlanGraph::kIncome))
        QVERIFY(bar.top() >= 400);
}

void tst_PlanGraph::rowsPastTheLastYearAreNotDrawn()
{
    const DrawList list = PlanGraph::draw(input(20));
    QCOMPARE(int(bars(list, PlanGraph::kIncome).size()), 15);
    for (const QRectF &bar : bars(list, PlanGraph::kIncome))
        QVERIFY(bar.right() <= 1250 + kW);
}

void tst_PlanGraph::drawingTwiceGivesTheSameList()
{
    PlanGraphInput in = input(75);
    in.years = everyFive();
    QVERIFY(PlanGraph::draw(in) == PlanGraph::draw(in));
}

QTEST_GUILESS_MAIN(tst_PlanGraph)
#include "tst_PlanGraph.moc"
