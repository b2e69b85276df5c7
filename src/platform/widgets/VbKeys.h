#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

/// Key codes and shift states as the forms' key handlers see them: the virtual key
/// codes (Enter 13, Up 38, Down 40, F4 115, ...) and the shift mask (Shift 1,
/// Ctrl 2, Alt 4).
class VbKeys
{
public:
    enum Code {
        Back = 8,
        Tab = 9,
        Return = 13,
        Shift = 16,
        Control = 17,
        Menu = 18,
        Escape = 27,
        Space = 32,
        PageUp = 33,
        PageDown = 34,
        End = 35,
        Home = 36,
        Left = 37,
        Up = 38,
        Right = 39,
        Down = 40,
        Insert = 45,
        Delete = 46,
        F1 = 112,
        F4 = 115,
        F12 = 123
    };
    enum ShiftMask { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

    /// The key code of a Qt key; 0 for a key that has none.
    static int keyCode(int qtKey);
    static int keyCode(const QKeyEvent *event);
    static int shift(Qt::KeyboardModifiers modifiers);

    /// Whether the event is one of the keys of a list written as the input boxes
    /// take it: comma-separated entries, each "{Name}" or a single character, with
    /// "+" (Shift), "^" (Ctrl) and "%" (Alt) in front; "{Enter},{Down}" or
    /// "+{Enter},{Up}". Modifiers must match exactly.
    static bool inKeyList(const QString &list, const QKeyEvent *event);
};
