#pragma once

#include "YearView.h"

/// What a plan window is shown with, as one value: the display years of the interval
/// (with their year conditions), the window size and the graph-only mode. The workspace's
/// Window menu changes the module settings; a window takes them as one PlanView each time
/// it reloads, redraws or lays itself out.
struct PlanView {
    YearView years;
    int dispSize = 2;       ///< 1 large, 2 middle, 3 small; another value counts as 2
    bool graphOnly = false; ///< the window is cut down to its graph

    /// The view of the shell's module settings (gDispInterval, gYears, the year filters,
    /// gDispSize, gGraphOnly).
    static PlanView current();
};
