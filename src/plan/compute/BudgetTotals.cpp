#include "BudgetTotals.h"

#include "cBase.h"

namespace
{

constexpr int kStraightLine = 1; // 定額法 in the depreciation-method list

Currency boxValue(const QVariant &value)
{
    return Currency::fromDouble(cBase().CvtDbl(value));
}

} // namespace

Currency BudgetTotals::YosanTotal(const Items &numYosan)
{
    Currency total;
    for (const QVariant &item : numYosan)
        total += boxValue(item);
    return total;
}

BudgetTotals::Genka BudgetTotals::GenkaTotal(const QVariant &numYosan1, const QVariant &numYosan2, int cmbGenka1)
{
    Genka g;
    g.base = boxValue(numYosan1) + boxValue(numYosan2);
    g.residual = Residual(g.base, cmbGenka1);
    return g;
}

Currency BudgetTotals::Residual(Currency base, int cmbGenka1)
{
    if (cmbGenka1 != kStraightLine)
        return Currency();
    // A tenth of the base rounded to the nearest unit could exceed the tenth (1234.5
    // would show 1235), which the registration refuses; the whole part never does.
    constexpr int64_t tenUnits = 10 * Currency::Scale;
    int64_t units = base.raw() / tenUnits;
    if (base.raw() % tenUnits < 0)
        --units;
    return Currency::fromInt(units);
}
