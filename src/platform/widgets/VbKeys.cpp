#include "VbKeys.h"

#include <QKeyEvent>
#include <QStringList>

int VbKeys::keyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Return;
    case Qt::Key_Shift:
        return Shift;
    case Qt::Key_Control:
        return Control;
    case Qt::Key_Alt:
        return Menu;
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Space:
        return Space;
    case Qt::Key_PageUp:
        return PageUp;
    case Qt::Key_PageDown:
        return PageDown;
    case Qt::Key_End:
        return End;
    case Qt::Key_Home:
        return Home;
    case Qt::Key_Left:
        return Left;
    case Qt::Key_Up:
        return Up;
    case Qt::Key_Right:
        return Right;
    case Qt::Key_Down:
        return Down;
    case Qt::Key_Insert:
        return Insert;
    case Qt::Key_Delete:
        return Delete;
    default:
        return 0;
    }
}

int VbKeys::keyCode(const QKeyEvent *event)
{
    return event ? keyCode(event->key()) : 0;
}

int VbKeys::shift(Qt::KeyboardModifiers modifiers)
{
    int s = 0;
    if (modifiers & Qt::ShiftModifier)
        s |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        s |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        s |= AltMask;
    return s;
}

namespace
{

int namedKey(const QString &name)
{
    const QString n = name.toUpper();
    if (n == QLatin1String("ENTER"))
        return VbKeys::Return;
    if (n == QLatin1String("DOWN"))
        return VbKeys::Down;
    if (n == QLatin1String("UP"))
        return VbKeys::Up;
    if (n == QLatin1String("LEFT"))
        return VbKeys::Left;
    if (n == QLatin1String("RIGHT"))
        return VbKeys::Right;
    if (n == QLatin1String("TAB"))
        return VbKeys::Tab;
    if (n == QLatin1String("ESC") || n == QLatin1String("ESCAPE"))
        return VbKeys::Escape;
    if (n.size() >= 2 && n.startsWith(QLatin1Char('F'))) {
        bool ok = false;
        const int f = n.mid(1).toInt(&ok);
        if (ok && f >= 1 && f <= 12)
            return VbKeys::F1 + f - 1;
    }
    if (n.size() == 1)
        return VbKeys::keyCode(n.at(0).unicode());
    return 0;
}

} // namespace

bool VbKeys::inKeyList(const QString &list, const QKeyEvent *event)
{
    if (!event)
        return false;
    const int code = keyCode(event);
    if (code == 0)
        return false;
    const int mods = shift(event->modifiers());
    for (QString entry : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        entry = entry.trimmed();
        int want = 0;
        while (!entry.isEmpty() && QStringLiteral("+^%").contains(entry.at(0)) && entry.size() > 1) {
            want |= entry.at(0) == QLatin1Char('+') ? ShiftMask : entry.at(0) == QLatin1Char('^') ? CtrlMask : AltMask;
            entry.remove(0, 1);
        }
        if (entry.startsWith(QLatin1Char('{')) && entry.endsWith(QLatin1Char('}')))
            entry = entry.mid(1, entry.size() - 2);
        if (namedKey(entry) == code && want == mods)
            return true;
    }
    return false;
}
