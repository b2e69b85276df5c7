#include "PlanView.h"

#include "mdlMain.h"

PlanView PlanView::current()
{
    PlanView view;
    view.years = YearView::fromSettings(gDispInterval, gYears, gYearFilter, gYearFilterSK);
    view.dispSize = gDispSize;
    view.graphOnly = gGraphOnly;
    return view;
}
