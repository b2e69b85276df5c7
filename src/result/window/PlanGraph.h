#pragma once

#include "DrawList.h"

#include <QColor>
#include <QSizeF>

#include <array>
#include <vector>

/// One year row of a plan's graph (`T_収支`), amounts in thousand yen.
struct PlanGraphRow {
    int year = 0;
    qint32 income = 0;      ///< 収入
    qint32 expenditure = 0; ///< 支出
    qint32 balance = 0;     ///< 収支累計
};

/// The scale look-ups, taken over all plans of the property for the years up to the last
/// display year (0 where the look-up found nothing).
struct PlanGraphScale {
    qint32 maxBalance = 0;     ///< MAX(収支累計)
    qint32 minBalance = 0;     ///< MIN(収支累計)
    qint32 maxIncome = 0;      ///< MAX(収入)
    qint32 maxExpenditure = 0; ///< MAX(支出)
};

/// Everything the graph of one plan is drawn from.
struct PlanGraphInput {
    /// The plan's rows from year 1 up to the last display year, ordered by year; a row's
    /// place in the list is its year.
    std::vector<PlanGraphRow> rows;
    PlanGraphScale scale;
    /// The 15 display years of the interval (gYears).
    std::array<int, 15> years{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    /// 1 large, 2 middle, 3 small (only every second year is labelled); others count as 2.
    int dispSize = 2;
    /// The picture's size in twips (PlanWindowGeometry::picture()).
    QSizeF picture{7100, 4875};
    /// The plot area keeps the picture's own back colour, the system's button face.
    QColor plotBackColor{212, 208, 200};
};

/// The plan graph as a pure function: green income bars upward and orange-red expenditure
/// bars downward at half scale, the blue running balance line at full scale, both value axes
/// labelled with five grid lines, the year marks of the 15 display years. The result is a
/// drawing in twips of the picture's size; a plan without rows gives a list without items.
class PlanGraph
{
public:
    static const QColor kIncome;      ///< RGB(0, 255, 0)
    static const QColor kExpenditure; ///< RGB(255, 56, 0), also negative axis labels
    static const QColor kBalance;     ///< RGB(0, 128, 255)
    static const QString kFontFace;
    static constexpr double kFontPoints = 8;
    /// The balance line is two pixels wide at 15 twips to the pixel.
    static constexpr double kBalancePenTwips = 30;

    static DrawList draw(const PlanGraphInput &input);

    /// The scale top for a value: (first digit + 1) × 10^(digits − 1), or 10^digits when the
    /// first digit is 9; always greater than |v| (0 gives 1, 1234 gives 2000, −3400 gives 4000).
    static qint64 MaxMemoriVal(qint64 v);
    /// The balance axis step: half the scale top of the larger extreme (an odd top keeps its
    /// half when the maximum decides, is cut to a whole number when the minimum does).
    static double balanceStep(const PlanGraphScale &scale);
    /// The bar axis step: half the scale top of the larger of income and expenditure, whole.
    static qint64 barStep(const PlanGraphScale &scale);

private:
    /// The white margins, the two value-axis lines and the four titles around the plot.
    static void picGraphDrawBase(DrawList &list, const QColor &plotBackColor, const QSize &plot);
};
