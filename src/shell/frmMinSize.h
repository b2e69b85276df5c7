#pragma once

#include <QMdiSubWindow>

/// A plan-window frame with a client area of 1590 by 30 twips, never shown: its
/// outer height is the height of a workspace child window with (almost) no content,
/// which the plan windows use to lay themselves out.
class frmMinSize : public QMdiSubWindow
{
public:
    explicit frmMinSize(QWidget *parent = nullptr);

    /// The outer height in twips: title bar, frame and the 30-twip client area.
    static double OuterHeight();
};
