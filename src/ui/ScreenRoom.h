#pragma once

#include <QRect>

class QWidget;

/// The room a top-level window has on its screen: the screen's available area (the
/// desktop's panels left out) less the frame the window system draws round the window.
/// Until the window's own frame is known, the frame of the window it opens over, or of
/// another window of the program, stands for it.
QRect clientRoom(const QWidget *window);
/// A resizable window larger than its room is made as large as the room and placed in
/// it; a window that fits is left as it is.
void keepWithinScreen(QWidget *window);
