#pragma once

class QAbstractScrollArea;

/// Keeps the focused control in view in a scrolling area: when the focus moves into a
/// control within the area's viewport (the widget of a form's surface, the windows of a
/// workspace) that is not wholly in view, the area scrolls as little as shows it, with a
/// margin round it where there is room; a control larger than the view is centred. While
/// a mouse button is held nothing scrolls: the pointer is on what the user sees, and a
/// view moving under it would lose the click or the drag.
void keepFocusInView(QAbstractScrollArea *area);
