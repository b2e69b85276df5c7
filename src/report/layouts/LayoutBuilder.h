#pragma once

#include "ReportLayout.h"

#include <vector>

/// Adds controls to a layout section with the look the four report layouts share: captions
/// in the proportional face, values in the fixed-pitch one, 9 points, block headings filled.
/// A height of 0 takes the control down to the next row boundary of the section.
class LayoutBuilder
{
public:
    static const QColor kHeadingFill; ///< RGB(255, 192, 128)
    static const QString kCaptionFace;
    static const QString kValueFace;

    LayoutBuilder(ReportSection &section, std::vector<double> rowBounds);

    double rowHeight(double top) const;

    ReportControl &label(const QString &name, const QString &text, double left, double top, double width,
                         double height = 0);
    /// A block heading or a filled row caption.
    ReportControl &heading(const QString &name, const QString &text, double left, double top, double width,
                           double height = 0);
    /// A filled column heading, centred.
    ReportControl &columnHeading(const QString &name, const QString &text, double left, double top, double width,
                                 double height = 0);
    /// A centred caption without fill (table headers, column letters).
    ReportControl &centred(const QString &name, const QString &text, double left, double top, double width,
                           double height = 0);
    /// A value field aligned right (amounts, rates, counts).
    ReportControl &number(const QString &name, const QString &sample, double left, double top, double width,
                          double height = 0);
    /// A value field aligned left (names, code texts).
    ReportControl &text(const QString &name, const QString &sample, double left, double top, double width,
                        double height = 0);
    ReportControl &box(const QString &name, double left, double top, double width, double height);
    ReportControl &picture(const QString &name, double left, double top, double width, double height);
    void hline(double y, double x1, double x2);
    void vline(double x, double y1, double y2);

private:
    ReportControl &add(ReportControl control);
    /// A label (caption face, left) or a value field (value face, right) with its text.
    ReportControl &textControl(ReportControl::Kind kind, const QString &name, const QString &text, double left,
                               double top, double width, double height);
    /// A box or picture over a rectangle.
    ReportControl &area(ReportControl::Kind kind, const QString &name, double left, double top, double width,
                        double height);
    /// A line numbered after the ones before it.
    void line(const QLineF &line);

    ReportSection &m_section;
    std::vector<double> m_bounds;
    int m_lines = 0;
};
