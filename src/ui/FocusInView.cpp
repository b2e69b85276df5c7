#include "FocusInView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>

namespace
{

constexpr int kMargin = 50;

// How far the view moves along one axis for [low, high] to show in a view of length room.
int shift(int low, int high, int room)
{
    if (high - low + 1 > room)
        return (low + high) / 2 - room / 2;
    if (high >= room)
        return high - room + 1;
    return low < 0 ? low : 0;
}

void showControl(QAbstractScrollArea *area, QWidget *control)
{
    QWidget *view = area->viewport();
    const QRect shown(control->mapTo(view, QPoint()), control->size());
    if (view->rect().contains(shown))
        return;
    // The scroll bars move a form's surface and a workspace's windows alike.
    const QRect wanted = shown.marginsAdded(QMargins(kMargin, kMargin, kMargin, kMargin));
    QScrollBar *across = area->horizontalScrollBar();
    QScrollBar *down = area->verticalScrollBar();
    across->setValue(across->value() + shift(wanted.left(), wanted.right(), view->width()));
    down->setValue(down->value() + shift(wanted.top(), wanted.bottom(), view->height()));
}

} // namespace

void keepFocusInView(QAbstractScrollArea *area)
{
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget *, QWidget *now) {
        if (now && QApplication::mouseButtons() == Qt::NoButton && area->viewport()->isAncestorOf(now))
            showControl(area, now);
    });
}
