#include "RentFooters.h"

#include "Currency.h"
#include "cBase.h"

#include <limits>

namespace
{

void add(int64_t &total, __int128 term)
{
    const __int128 sum = __int128(total) + term;
    if (sum > std::numeric_limits<int64_t>::max() || sum < std::numeric_limits<int64_t>::min())
        throw CurrencyOverflow();
    total = int64_t(sum);
}

} // namespace

RentFooters RentFooters::fromRows(const QVector<RentRow> &rows)
{
    const cBase base;
    RentFooters f;
    for (const RentRow &r : rows) {
        const __int128 households = base.CvtLng(r.households);
        add(f.rent, (__int128(base.CvtLng(r.rent)) + base.CvtLng(r.commonCharge)) * households);
        add(f.parking, __int128(base.CvtLng(r.parkingFee)) * households);
        add(f.deposit, __int128(base.CvtLng(r.deposit)) * households);
    }
    return f;
}
