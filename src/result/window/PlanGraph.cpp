#include "PlanGraph.h"

#include "PlanWindowGeometry.h"
#include "VbRuntime.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

const QColor PlanGraph::kIncome(0, 255, 0);
const QColor PlanGraph::kExpenditure(255, 56, 0);
const QColor PlanGraph::kBalance(0, 128, 255);
const QString PlanGraph::kFontFace = QStringLiteral("ＭＳ ゴシック");

namespace
{

// The plot area lies 1250 twips from the left, 400 from the top; the margins around it
// carry the labels and titles.
constexpr double kLeft = 1250;
constexpr double kTop = 400;

// A text printed at a point, as the picture box prints at its current position: the point is
// the top left of the text's line.
void printAt(DrawList &list, double x, double y, const QString &text, const QColor &colour)
{
    const double lineHeight = PlanGraph::kFontPoints * 20 * 1.5;
    DrawItem &item =
        list.text(QRectF(x, y, std::max<double>(600, text.size() * 20 * PlanGraph::kFontPoints), lineHeight), text,
                  colour, PlanGraph::kFontFace, PlanGraph::kFontPoints, Qt::AlignLeft | Qt::AlignTop);
    item.clip = false;
}

QString axisLabel(double value)
{
    return vb::format(value, QStringLiteral("###,###,##0"));
}

} // namespace

qint64 PlanGraph::MaxMemoriVal(qint64 v)
{
    const quint64 magnitude = v < 0 ? quint64(0) - quint64(v) : quint64(v);
    const QString digits = QString::number(magnitude);
    const int first = digits.at(0).digitValue();
    const auto n = int(digits.size());
    qint64 power = 1;
    for (int i = 1; i < n; ++i)
        power *= 10;
    return first == 9 ? power * 10 : (first + 1) * power;
}

double PlanGraph::balanceStep(const PlanGraphScale &scale)
{
    const qint64 mx = scale.maxBalance;
    const qint64 mn = scale.minBalance;
    if (std::llabs(mn) >= mx)
        return double(MaxMemoriVal(mn) / 2);
    return MaxMemoriVal(mx) / 2.0;
}

qint64 PlanGraph::barStep(const PlanGraphScale &scale)
{
    const qint64 a = scale.maxIncome;
    const qint64 b = -qint64(scale.maxExpenditure);
    return (std::llabs(b) >= a ? MaxMemoriVal(b) : MaxMemoriVal(a)) / 2;
}

void PlanGraph::picGraphDrawBase(DrawList &list, const QColor &plotBackColor, const QSize &plot)
{
    const double sw = list.size.width();
    const double sh = list.size.height();
    const double w = plot.width();
    const double h = plot.height();
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);

    // The picture's back colour shows only inside the plot area; the margins are white.
    list.rect(QRectF(kLeft, kTop, w, h), QColor(), plotBackColor);
    list.rect(QRectF(QPointF(0, 0), QPointF(kLeft, sh)), white, white);
    list.rect(QRectF(QPointF(w + kLeft, 0), QPointF(sw, sh)), white, white);
    list.rect(QRectF(QPointF(0, 0), QPointF(sw, kTop)), white, white);
    list.rect(QRectF(QPointF(0, h + kTop), QPointF(sw, sh)), white, white);
    list.line(QPointF(kLeft, 300), QPointF(kLeft, h + kTop), black);
    list.line(QPointF(w + kLeft, 300), QPointF(w + kLeft, h + kTop), black);
    printAt(list, 870, 150, QStringLiteral("収入・支出"), black);
    printAt(list, w + kLeft - 320, 150, QStringLiteral("収支累計"), black);
    printAt(list, sw - 700, sh / 2, QStringLiteral("(千円)"), black);
    printAt(list, sw - 500, sh - 300, QStringLiteral("(年)"), black);
}

DrawList PlanGraph::draw(const PlanGraphInput &input)
{
    DrawList list;
    list.size = input.picture;
    if (input.rows.empty())
        return list; // the picture stays empty: no frame, no labels

    const double sh = input.picture.height();
    const QSize plot = PlanWindowGeometry::plotSize(input.picture);
    const double w = plot.width();
    const double h = plot.height();
    const QColor black(0, 0, 0);
    picGraphDrawBase(list, input.plotBackColor, plot);

    const double y0 = std::rint(h / 2 + kTop);
    const double tickC = balanceStep(input.scale);
    const double sC = tickC != 0 ? (h - 200) / tickC / 4 : 1;
    const double tickB = double(barStep(input.scale));
    const double sB = tickB != 0 ? (h - 200) / tickB / 4 : 1;
    const double column = w / 15;
    const auto &years = input.years;

    // Rows between two display years are spread evenly between their marks, the rows before
    // the first display year between the axis and the first mark.
    int k = 1;
    int j = 1;
    double xp = kLeft;
    double yp = y0;
    for (std::size_t i = 1; i <= input.rows.size(); ++i) {
        const PlanGraphRow &row = input.rows[i - 1];
        double x;
        bool lastMark = false;
        if (int(i) == years[k - 1]) {
            x = std::rint(column * k + kLeft);
            lastMark = k == 15;
            if (k < 15)
                ++k;
            j = 1;
        } else {
            double t;
            if (k == 1) {
                t = double(j) / std::max(1, years[0]);
            } else {
                t = double(j) / std::max(1, years[k - 1] - years[k - 2]) + (k - 1);
            }
            x = std::rint(t * column + kLeft);
            ++j;
        }
        list.rect(QRectF(QPointF(xp, y0 - row.income / 2.0 * sB), QPointF(x, y0)).normalized(), kIncome, kIncome);
        list.rect(QRectF(QPointF(xp, y0 + row.expenditure / 2.0 * sB), QPointF(x, y0)).normalized(), kExpenditure,
                  kExpenditure);
        const double yBalance = y0 - row.balance * sC;
        list.line(QPointF(xp, yp), QPointF(x, yBalance), kBalance, kBalancePenTwips);
        xp = x;
        yp = std::rint(yBalance);
        // Rows past the last display year would fall outside the plot area.
        if (lastMark)
            break;
    }

    for (int step = -2; step <= 2; ++step) {
        const double y = (h + 300) - tickC * sC * (step + 2);
        printAt(list, w + 1300, y - 70, axisLabel(step * tickC), step < 0 ? kExpenditure : black);
        list.line(QPointF(kLeft, y), QPointF(w + kLeft, y), black);
    }
    for (int step = -2; step <= 2; ++step) {
        const double y = (h + 300) - tickB * sB * (step + 2);
        const double v = step * tickB * 2;
        // Labels end left of the axis, by their plain length; a very long one starts at the
        // picture's edge rather than outside it.
        const double x = std::max(0.0, kLeft - 120 * QString::number(qint64(v)).size());
        printAt(list, x, y - 70, axisLabel(v), step < 0 ? kExpenditure : black);
        list.line(QPointF(kLeft, y), QPointF(w + kLeft, y), black);
    }
    list.line(QPointF(kLeft, kTop), QPointF(kLeft, h + kTop), black);
    printAt(list, 1180, sh - 300, QStringLiteral("0"), black);

    const bool small = PlanWindowGeometry::effectiveSize(input.dispSize) == 3;
    for (int mark = 1; mark <= 15; ++mark) {
        const double x = column * mark + kLeft;
        list.line(QPointF(x, kTop), QPointF(x, h + kTop), black);
        if (!small || mark % 2 == 0)
            printAt(list, x - 70, sh - 300, QString::number(years[mark - 1]), black);
    }
    return list;
}
