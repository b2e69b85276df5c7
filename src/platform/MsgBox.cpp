#include "MsgBox.h"

#include <QDebug>
#include <QUrl>

namespace
{

QList<int> &queue()
{
    static QList<int> q;
    return q;
}

MsgBox::Recorder &recorderSlot()
{
    static MsgBox::Recorder r;
    return r;
}

bool &autoAnswer()
{
    static bool on = false;
    return on;
}

MsgBox::Presenter &presenterSlot()
{
    static MsgBox::Presenter p;
    return p;
}

std::function<void()> &beeperSlot()
{
    static std::function<void()> b;
    return b;
}

std::function<bool(const QUrl &)> &openerSlot()
{
    static std::function<bool(const QUrl &)> o;
    return o;
}

} // namespace

int MsgBox::defaultAnswer(int style)
{
    const int buttons = style & 7;
    const bool second = style & DefaultButton2;
    switch (buttons) {
    case OKCancel:
        return second ? Cancel : OK;
    case YesNo:
    case YesNoCancel:
        return second ? No : Yes;
    default:
        return OK;
    }
}

int MsgBox::show(const QString &prompt, int style, const QString &title, QWidget *parent)
{
    if (recorderSlot())
        recorderSlot()({prompt, style, title});
    if (!queue().isEmpty())
        return queue().takeFirst();
    if (autoAnswer() || !presenterSlot()) {
        if (!autoAnswer())
            qWarning().noquote() << "message box without a display:" << title << prompt;
        return defaultAnswer(style);
    }
    return presenterSlot()(prompt, style, title, parent);
}

void MsgBox::setPresenter(Presenter presenter)
{
    presenterSlot() = std::move(presenter);
}

void MsgBox::setNextAnswer(int answer)
{
    queue().append(answer);
}

void MsgBox::clearNextAnswers()
{
    queue().clear();
}

void MsgBox::setRecorder(Recorder recorder)
{
    recorderSlot() = std::move(recorder);
}

void MsgBox::setAutoAnswer(bool on)
{
    autoAnswer() = on;
}

void Desktop::setBeeper(std::function<void()> beeper)
{
    beeperSlot() = std::move(beeper);
}

void Desktop::beep()
{
    if (beeperSlot())
        beeperSlot()();
}

void Desktop::setUrlOpener(std::function<bool(const QUrl &)> opener)
{
    openerSlot() = std::move(opener);
}

bool Desktop::openUrl(const QUrl &url)
{
    return openerSlot() && openerSlot()(url);
}
