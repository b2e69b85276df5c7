#include "VbFont.h"

#include <QStringList>

namespace
{

// IPA's two Gothic faces name every ideograph by itself in a PDF's text; Noto Sans CJK shares
// its glyphs between ideographs and radicals, and a PDF then names "入" as the radical "⼊".
const QString kProportional = QStringLiteral("IPAPGothic");
const QString kFixed = QStringLiteral("IPAGothic");
// For what the IPA faces lack, or when they are not installed.
const QString kProportionalFallback = QStringLiteral("Noto Sans CJK JP");
const QString kFixedFallback = QStringLiteral("Noto Sans Mono CJK JP");

QString squeezed(const QString &face)
{
    // Full-width and half-width spellings of the face names are both in use.
    QString s;
    for (QChar c : face) {
        const ushort u = c.unicode();
        if (u == 0x3000 || u == ' ')
            continue;
        s += (u >= 0xFF01 && u <= 0xFF5E) ? QChar(u - 0xFEE0) : c;
    }
    return s.toUpper();
}

} // namespace

bool VbFont::isFixedPitch(const QString &face)
{
    const QString s = squeezed(face);
    return s == QStringLiteral("MSゴシック") || s == QStringLiteral("MSGOTHIC") || s == QStringLiteral("MS明朝") ||
           s == QStringLiteral("MSMINCHO");
}

QString VbFont::family(const QString &face)
{
    if (isFixedPitch(face))
        return kFixed;
    const QString s = squeezed(face);
    if (s == QStringLiteral("MSPゴシック") || s == QStringLiteral("MSPGOTHIC") || s == QStringLiteral("MSP明朝") ||
        s == QStringLiteral("MSPMINCHO") || s == QStringLiteral("MSUIGOTHIC"))
        return kProportional;
    return face;
}

QFont VbFont::make(const QString &face, double pointSize, bool bold)
{
    const bool fixed = isFixedPitch(face);
    QFont font(family(face));
    font.setFamilies(
        QStringList{family(face), fixed ? kFixed : kProportional, fixed ? kFixedFallback : kProportionalFallback});
    font.setStyleHint(fixed ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
