#include "ShownBoxes.h"

#include <QDir>

namespace
{

QList<MsgBox::Shown> &boxes()
{
    static QList<MsgBox::Shown> list;
    return list;
}

// Installed before main() in every test that links this file (by reading the boxes).
[[maybe_unused]] const bool recording = [] {
    MsgBox::setRecorder([](const MsgBox::Shown &box) { boxes().append(box); });
    return true;
}();

} // namespace

const QList<MsgBox::Shown> &shownBoxes()
{
    return boxes();
}

void clearShownBoxes()
{
    boxes().clear();
    MsgBox::clearNextAnswers();
}

QString boxText(const MsgBox::Shown &box)
{
    return box.title + QLatin1Char('|') + QString::number(box.style) + QLatin1Char('|') + box.prompt;
}

QString damagedFileBox(const QString &databasePath, const QString &title, int style)
{
    return boxText({QStringLiteral("データベースファイル「%1」が壊れています。\r\n読み込めないデータがあります。")
                        .arg(QDir::toNativeSeparators(databasePath)),
                    style, title});
}
