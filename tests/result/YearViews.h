#pragma once

#include "YearView.h"
#include "mdlMain.h"

// The year view of a display interval as the shell builds it (its year list and
// both conditions, "%" for SQLite's remainder included).
inline YearView yearView(int interval)
{
    gDispInterval = int16_t(interval);
    BuildYearFilter();
    return YearView::fromSettings(gDispInterval, gYears, gYearFilter, gYearFilterSK);
}
