#include "ShownBoxes.h"

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
