#include "LayoutBuilder.h"

#include <algorithm>

const QColor LayoutBuilder::kHeadingFill(255, 192, 128);
const QString LayoutBuilder::kCaptionFace = QStringLiteral("ＭＳ Ｐゴシック");
const QString LayoutBuilder::kValueFace = QStringLiteral("ＭＳ ゴシック");

LayoutBuilder::LayoutBuilder(ReportSection &section, std::vector<double> rowBounds)
    : m_section(section), m_bounds(std::move(rowBounds))
{
    std::sort(m_bounds.begin(), m_bounds.end());
}

double LayoutBuilder::rowHeight(double top) const
{
    const auto next = std::upper_bound(m_bounds.begin(), m_bounds.end(), top);
    return next == m_bounds.end() ? 283 : *next - top;
}

ReportControl &LayoutBuilder::add(ReportControl control)
{
    m_section.controls.push_back(std::move(control));
    return m_section.controls.back();
}

ReportControl &LayoutBuilder::textControl(ReportControl::Kind kind, const QString &name, const QString &text,
                                          double left, double top, double width, double height)
{
    ReportControl c;
    c.name = name;
    c.kind = kind;
    c.rect = QRectF(left, top, width, height > 0 ? height : rowHeight(top));
    c.text = text;
    c.fontFace = kind == ReportControl::Field ? kValueFace : kCaptionFace;
    c.align = (kind == ReportControl::Field ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    return add(std::move(c));
}

ReportControl &LayoutBuilder::label(const QString &name, const QString &text, double left, double top, double width,
                                    double height)
{
    return textControl(ReportControl::Label, name, text, left, top, width, height);
}

ReportControl &LayoutBuilder::heading(const QString &name, const QString &text, double left, double top, double width,
                                      double height)
{
    ReportControl &c = label(name, text, left, top, width, height);
    c.back = kHeadingFill;
    return c;
}

ReportControl &LayoutBuilder::columnHeading(const QString &name, const QString &text, double left, double top,
                                            double width, double height)
{
    ReportControl &c = heading(name, text, left, top, width, height);
    c.align = Qt::AlignCenter;
    return c;
}

ReportControl &LayoutBuilder::centred(const QString &name, const QString &text, double left, double top, double width,
                                      double height)
{
    ReportControl &c = label(name, text, left, top, width, height);
    c.align = Qt::AlignCenter;
    return c;
}

ReportControl &LayoutBuilder::number(const QString &name, const QString &sample, double left, double top, double width,
                                     double height)
{
    return textControl(ReportControl::Field, name, sample, left, top, width, height);
}

ReportControl &LayoutBuilder::text(const QString &name, const QString &sample, double left, double top, double width,
                                   double height)
{
    ReportControl &c = number(name, sample, left, top, width, height);
    c.align = Qt::AlignLeft | Qt::AlignVCenter;
    return c;
}

ReportControl &LayoutBuilder::area(ReportControl::Kind kind, const QString &name, double left, double top, double width,
                                   double height)
{
    ReportControl c;
    c.name = name;
    c.kind = kind;
    c.rect = QRectF(left, top, width, height);
    return add(std::move(c));
}

ReportControl &LayoutBuilder::box(const QString &name, double left, double top, double width, double height)
{
    return area(ReportControl::Box, name, left, top, width, height);
}

ReportControl &LayoutBuilder::picture(const QString &name, double left, double top, double width, double height)
{
    return area(ReportControl::Picture, name, left, top, width, height);
}

void LayoutBuilder::line(const QLineF &line)
{
    ReportControl c;
    c.name = QStringLiteral("Line%1").arg(++m_lines);
    c.kind = ReportControl::Line;
    c.line = line;
    add(std::move(c));
}

void LayoutBuilder::hline(double y, double x1, double x2)
{
    line(QLineF(x1, y, x2, y));
}

void LayoutBuilder::vline(double x, double y1, double y2)
{
    line(QLineF(x, y1, x, y2));
}
