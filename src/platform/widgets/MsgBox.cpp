#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace
{

QList<int> &queue()
{
    static QList<int> q;
    return q;
}

QList<MsgBox::Shown> &shownList()
{
    static QList<MsgBox::Shown> h;
    return h;
}

bool &autoAnswer()
{
    static bool on = false;
    return on;
}

int defaultAnswer(int style)
{
    const int buttons = style & 7;
    const bool second = style & MsgBox::DefaultButton2;
    switch (buttons) {
    case MsgBox::OKCancel:
        return second ? MsgBox::Cancel : MsgBox::OK;
    case MsgBox::YesNo:
    case MsgBox::YesNoCancel:
        return second ? MsgBox::No : MsgBox::Yes;
    default:
        return MsgBox::OK;
    }
}

} // namespace

int MsgBox::show(const QString &prompt, int style, const QString &title, QWidget *parent)
{
    shownList().append({prompt, style, title});
    if (!queue().isEmpty())
        return queue().takeFirst();
    if (autoAnswer())
        return defaultAnswer(style);

    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Vanrek") : title);
    box.setText(prompt);
    switch (style & 0x70) {
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct B {
        QMessageBox::StandardButton std;
        int answer;
        QString text;
    };
    QList<B> buttons;
    switch (style & 7) {
    case OKCancel:
        buttons = {{QMessageBox::Ok, OK, QStringLiteral("OK")},
                   {QMessageBox::Cancel, Cancel, QStringLiteral("キャンセル")}};
        break;
    case YesNo:
        buttons = {{QMessageBox::Yes, Yes, QStringLiteral("はい(&Y)")},
                   {QMessageBox::No, No, QStringLiteral("いいえ(&N)")}};
        break;
    case YesNoCancel:
        buttons = {{QMessageBox::Yes, Yes, QStringLiteral("はい(&Y)")},
                   {QMessageBox::No, No, QStringLiteral("いいえ(&N)")},
                   {QMessageBox::Cancel, Cancel, QStringLiteral("キャンセル")}};
        break;
    default:
        buttons = {{QMessageBox::Ok, OK, QStringLiteral("OK")}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const B &b : buttons)
        all |= b.std;
    box.setStandardButtons(all);
    for (const B &b : buttons)
        box.button(b.std)->setText(b.text);
    const int defIndex = (style & DefaultButton2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(buttons.at(defIndex).std);
    if (buttons.size() > 1 && (style & 7) != YesNo)
        box.setEscapeButton(QMessageBox::Cancel);
    const int r = box.exec();
    for (const B &b : buttons)
        if (r == b.std)
            return b.answer;
    return (style & 7) == YesNo ? No : Cancel;
}

void MsgBox::setNextAnswer(int answer)
{
    queue().append(answer);
}

const QList<MsgBox::Shown> &MsgBox::history()
{
    return shownList();
}

void MsgBox::clearHistory()
{
    shownList().clear();
    queue().clear();
}

void MsgBox::setAutoAnswer(bool on)
{
    autoAnswer() = on;
}
