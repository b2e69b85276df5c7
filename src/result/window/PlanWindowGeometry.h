#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <array>

/// The plan window's layout at one size setting, in twips: every control placed by one
/// factor from its place at the middle size, the window's outer size, and the plot area the
/// graph draws into. Every value is computed from the base layout, so switching sizes back and
/// forth never drifts. The plan window and the conditions sheet both size the graph from here.
class PlanWindowGeometry
{
public:
    /// The window height kept in graph-only mode, as a share of the full height.
    static constexpr double kGraphOnlyShare = 0.695;

    /// 1 large, 2 middle, 3 small; a setting outside 1 to 3 (a hand-edited settings file)
    /// counts as the middle size.
    static int effectiveSize(int dispSize);
    /// 1.45, 1.0 or 1 / 1.45.
    static double factor(int dispSize);
    /// The plot area of a picture of the given size: its width − 2660 and height − 760,
    /// made whole twips with halves to even.
    static QSize plotSize(const QSizeF &picture);

    /// frameAllowance: the outer height of a window frame with caption plus 30 twips; it is
    /// added to the window height unscaled.
    explicit PlanWindowGeometry(int dispSize = 2, bool graphOnly = false, double frameAllowance = 0);

    double factor() const { return m_factor; }
    QRectF picture() const { return scaled(120, 120, 7100, 4875); }
    QRectF grid() const { return scaled(120, 5160, 5775, 2250); }
    /// Widths of the columns 年, 収入, 支出, 累計.
    std::array<double, 4> gridColumnWidths() const;
    double gridRowHeight() const { return 200 * m_factor; }
    double fontPoints() const { return 9 * m_factor; }
    QRectF image() const { return scaled(6000, 5160, 1215, 885); }
    QRectF inputButton() const { return scaled(6000, 6120, 1215, 375); }
    QRectF printButton() const { return scaled(6000, 6600, 1215, 375); }
    QRectF deleteButton() const { return scaled(6000, 7080, 1215, 375); }
    /// Outer width and height of the window (graph-only cuts the height to 0.695 of it).
    QSizeF windowSize() const;
    QSize plotSize() const { return plotSize(picture().size()); }

private:
    QRectF scaled(double left, double top, double width, double height) const;

    double m_factor = 1.0;
    bool m_graphOnly = false;
    double m_frameAllowance = 0;
};
