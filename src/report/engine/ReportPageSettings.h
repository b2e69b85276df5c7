#pragma once

#include <cmath>

/// A report's page margins, in twips from the paper's edges. A layout sets its own
/// in its constructor; centring the layout on the paper replaces left and right.
struct ReportPageSettings {
    double LeftMargin = 1440;
    double RightMargin = 1440;
    double TopMargin = 1440;
    double BottomMargin = 1440;

    /// The left margin that centres a layout whose widest item ends at rightEdge on
    /// paper paperWidth wide (twips): half the free width taken to the nearest whole
    /// twip (halves to even); 0 when nothing is free.
    static double centringMargin(double paperWidth, double rightEdge)
    {
        // nearbyint rounds halves to the even neighbour in the default rounding mode.
        const double free = std::nearbyint(paperWidth - rightEdge);
        return free > 0 ? free / 2 : 0;
    }
    /// Centres the layout by its left margin (right margin 0); nothing changes when
    /// nothing of the paper is free.
    void centre(double paperWidth, double rightEdge)
    {
        const double margin = centringMargin(paperWidth, rightEdge);
        if (margin <= 0)
            return;
        LeftMargin = margin;
        RightMargin = 0;
    }
};
