#include "YearView.h"

YearView YearView::fromSettings(int interval, const std::array<int16_t, 16> &years1To15, const QString &filter,
                                const QString &filterSK)
{
    YearView view;
    view.interval = interval;
    for (size_t i = 0; i < view.years.size(); ++i)
        view.years[i] = years1To15[i + 1];
    view.filter = filter;
    view.filterSK = filterSK;
    return view;
}
