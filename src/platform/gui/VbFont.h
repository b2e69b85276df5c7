#pragma once

#include <QFont>
#include <QString>

/// Fonts named as the forms name them. The Japanese system faces map to installed
/// Japanese fonts with the same point size: the proportional "ＭＳ Ｐゴシック" to
/// IPAPGothic, the fixed-pitch "ＭＳ ゴシック" to IPAGothic, each with Noto Sans CJK JP
/// (Mono for the fixed pitch) behind it.
class VbFont
{
public:
    static QFont make(const QString &face, double pointSize, bool bold = false);
    /// The installed family that stands for a face name; other names pass unchanged.
    static QString family(const QString &face);
    static bool isFixedPitch(const QString &face);
};
