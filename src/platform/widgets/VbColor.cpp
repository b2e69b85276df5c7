#include "VbColor.h"

#include <QApplication>

QPalette::ColorRole VbColor::systemRole(int index)
{
    switch (index) {
    case 0:
        return QPalette::Mid; // scroll bars
    case 2:
    case 13:
        return QPalette::Highlight;
    case 5:
        return QPalette::Base;
    case 6:
    case 21:
        return QPalette::Shadow;
    case 7:
    case 19:
        return QPalette::WindowText;
    case 8:
        return QPalette::Text;
    case 9:
    case 14:
        return QPalette::HighlightedText;
    case 12:
    case 16:
        return QPalette::Dark; // button shadow: the grey of display-only fields
    case 15:
        return QPalette::Button;
    case 17:
        return QPalette::PlaceholderText; // grey text
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light;
    case 22:
        return QPalette::Midlight; // the light grey of fields without tab stop
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window; // desktop, menus, borders
    }
}

QColor VbColor::toQColor(quint32 colour)
{
    if (isSystem(colour)) {
        const int index = int(colour & 0xFF);
        // The forms draw white text on the highlight, as on the scheme they were made
        // for: a desktop theme's pale highlight would leave that text unreadable.
        if (index == 13)
            return QColor(0, 0, 128);
        if (index == 14)
            return QColor(255, 255, 255);
        return QApplication::palette().color(QPalette::Active, systemRole(index));
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

quint32 VbColor::fromQColor(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

quint32 VbColor::translate(quint32 colour)
{
    return isSystem(colour) ? fromQColor(toQColor(colour)) : colour;
}
