#include "StoredValue.h"

#include "VbRuntime.h"
#include "cBase.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

QVariant storedValue(const QVariant &value, int kind)
{
    const cBase base;
    if (base.CvtStr(value).isEmpty())
        return vb::null();
    switch (kind) {
    case cBase::SqlText:
        return base.CvtStr(value);
    case cBase::SqlLong: {
        const double whole = std::nearbyint(base.CvtDbl(value)); // halves to even
        if (!(whole >= std::numeric_limits<int32_t>::min() && whole <= std::numeric_limits<int32_t>::max()))
            throw std::overflow_error("オーバーフローしました。");
        return int(whole);
    }
    case cBase::SqlDouble:
        return base.CvtDbl(value);
    default:
        throw std::invalid_argument("プロシージャの呼び出し、または引数が不正です。");
    }
}
