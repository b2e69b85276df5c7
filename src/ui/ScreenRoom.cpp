#include "ScreenRoom.h"

#include <QApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace
{

QMargins frameOf(const QWidget *widget)
{
    const QWindow *handle = widget ? widget->windowHandle() : nullptr;
    return handle ? handle->frameMargins() : QMargins();
}

QMargins windowFrame(const QWidget *window)
{
    QMargins frame = frameOf(window);
    if (frame.isNull() && window->parentWidget())
        frame = frameOf(window->parentWidget()->window());
    if (frame.isNull()) {
        for (const QWidget *other : QApplication::topLevelWidgets()) {
            frame = frameOf(other);
            if (!frame.isNull())
                break;
        }
    }
    return frame;
}

} // namespace

QRect clientRoom(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect();
    return screen->availableGeometry() - windowFrame(window);
}

void keepWithinScreen(QWidget *window)
{
    const QRect room = clientRoom(window);
    const QSize size = window->size();
    if (room.isEmpty() || (size.width() <= room.width() && size.height() <= room.height()))
        return;
    window->setGeometry(QRect(room.topLeft(), size.boundedTo(room.size())));
}
