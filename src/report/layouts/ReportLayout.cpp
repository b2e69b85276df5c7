#include "ReportLayout.h"

#include <algorithm>

double ReportControl::rightEdge() const
{
    if (kind == Line)
        return std::max(line.x1(), line.x2());
    return rect.left() + rect.width();
}

const ReportControl *ReportLayout::control(const QString &name) const
{
    for (const ReportSection *section : {&pageHeader, &detail, &pageFooter}) {
        for (const ReportControl &c : section->controls) {
            if (c.name == name)
                return &c;
        }
    }
    return nullptr;
}

int ReportLayout::count(ReportControl::Kind kind) const
{
    int n = 0;
    for (const ReportSection *section : {&pageHeader, &detail, &pageFooter})
        n += int(std::count_if(section->controls.begin(), section->controls.end(),
                               [kind](const ReportControl &c) { return c.kind == kind; }));
    return n;
}

double ReportLayout::rightEdge() const
{
    double right = 0;
    for (const ReportSection *section : {&pageHeader, &detail, &pageFooter}) {
        for (const ReportControl &c : section->controls)
            right = std::max(right, c.rightEdge());
    }
    return right;
}
