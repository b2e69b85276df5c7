#pragma once

/// A report's page margins, in twips from the paper's edges. A layout sets its own
/// in its constructor; centring the layout on the paper replaces left and right.
struct ReportPageSettings {
    double LeftMargin = 1440;
    double RightMargin = 1440;
    double TopMargin = 1440;
    double BottomMargin = 1440;
};
