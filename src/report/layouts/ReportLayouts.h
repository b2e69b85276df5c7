#pragma once

#include "ReportLayout.h"

/// The four proposal report layouts: the conditions sheets of "経営計画ご提案書１" (parking and
/// apartment, with the graph in `Image1`) and the yearly tables of "経営計画ご提案書２".
class ReportLayouts
{
public:
    static ReportLayout artParking();
    static ReportLayout artApartment();
    static ReportLayout artParkSS();
    static ReportLayout artApartSS();
    /// The layout of that name; an empty layout (no name) for an unknown one.
    static ReportLayout byName(const QString &name);
};
