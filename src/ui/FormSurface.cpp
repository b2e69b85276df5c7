#include "FormSurface.h"

#include "FocusInView.h"
#include "ScreenRoom.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

FormSurface::FormSurface(QWidget *window) : QScrollArea(window), m_window(window)
{
    setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control; the area itself is no stop.
    setFocusPolicy(Qt::NoFocus);
    setWidget(new QWidget);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(this);
    window->installEventFilter(this);
    keepFocusInView(this);
}

void FormSurface::setLayoutSize(const QSize &size)
{
    widget()->setFixedSize(size);
    m_window->setFixedSize(size);
}

bool FormSurface::eventFilter(QObject *watched, QEvent *event)
{
    // Before the window is placed: a dialog centres itself by the size it has then.
    if (watched == m_window && event->type() == QEvent::Show && !event->spontaneous())
        fitWindow();
    return QScrollArea::eventFilter(watched, event);
}

void FormSurface::fitWindow()
{
    const QSize layout = widget()->size();
    const QRect room = clientRoom(m_window);
    if (room.isEmpty())
        return;
    // A scroll bar takes its breadth from the other direction.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool across = layout.width() > room.width();
    const bool down = layout.height() + (across ? bar : 0) > room.height();
    across = across || (down && layout.width() + bar > room.width());
    const QSize size(layout.width() + (down ? bar : 0), layout.height() + (across ? bar : 0));
    m_window->setFixedSize(size.boundedTo(room.size()));
}
