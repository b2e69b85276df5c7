#pragma once

#include <QScrollArea>

/// The surface a form's controls are laid out on at the form's fixed size; it fills
/// the form's window. Where the screen's available area holds the layout, the window
/// takes exactly its size and nothing scrolls. On a smaller screen the window takes
/// the room the screen gives it (clientRoom) and the surface scrolls, so every control
/// can still be reached; a control that takes the focus is scrolled into view.
class FormSurface : public QScrollArea
{
    Q_OBJECT

public:
    /// Fills window, whose size it fits each time the window is shown.
    explicit FormSurface(QWidget *window);

    /// The parent of the form's controls.
    QWidget *surface() const { return widget(); }
    /// The layout's size in pixels; the window takes it until it is shown.
    void setLayoutSize(const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitWindow();

    QWidget *m_window;
};
