#pragma once

#include <QColor>
#include <QPalette>

/// Colours as the forms keep them: 0x00BBGGRR for a plain colour (red in the lowest
/// byte), or 0x80000000 plus a system colour index for a colour of the user's
/// scheme. System colours are taken from the application palette when used, so a
/// field painted "window background" follows the desktop theme; the highlight is
/// always navy with white text (the scheme the forms were made for), so the white
/// text the forms put on it reads under any theme.
class VbColor
{
public:
    // The system colours the forms name.
    static constexpr quint32 Window = 0x80000005;     // field background
    static constexpr quint32 WindowText = 0x80000008; // field text
    static constexpr quint32 Highlight = 0x8000000D;
    static constexpr quint32 ButtonFace = 0x8000000F; // form and button background
    static constexpr quint32 ButtonShadow = 0x80000010;
    static constexpr quint32 ButtonText = 0x80000012; // label and button text
    static constexpr quint32 Light3D = 0x80000016;

    static bool isSystem(quint32 colour) { return colour & 0x80000000u; }
    /// The palette role that stands for a system colour index.
    static QPalette::ColorRole systemRole(int index);
    /// The colour to paint with; system colours come from the application palette.
    static QColor toQColor(quint32 colour);
    /// A plain colour as 0x00BBGGRR.
    static quint32 fromQColor(const QColor &colour);
    /// A system colour replaced by its present plain value; a plain colour unchanged.
    static quint32 translate(quint32 colour);
};
