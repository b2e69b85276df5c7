#include "DesktopServices.h"

#include "MsgBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace
{

int present(const QString &prompt, int style, const QString &title, QWidget *parent)
{
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Vanrek") : title);
    box.setText(prompt);
    switch (style & 0x70) {
    case MsgBox::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgBox::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgBox::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgBox::Information:
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
    case MsgBox::OKCancel:
        buttons = {{QMessageBox::Ok, MsgBox::OK, QStringLiteral("OK")},
                   {QMessageBox::Cancel, MsgBox::Cancel, QStringLiteral("キャンセル")}};
        break;
    case MsgBox::YesNo:
        buttons = {{QMessageBox::Yes, MsgBox::Yes, QStringLiteral("はい(&Y)")},
                   {QMessageBox::No, MsgBox::No, QStringLiteral("いいえ(&N)")}};
        break;
    case MsgBox::YesNoCancel:
        buttons = {{QMessageBox::Yes, MsgBox::Yes, QStringLiteral("はい(&Y)")},
                   {QMessageBox::No, MsgBox::No, QStringLiteral("いいえ(&N)")},
                   {QMessageBox::Cancel, MsgBox::Cancel, QStringLiteral("キャンセル")}};
        break;
    default:
        buttons = {{QMessageBox::Ok, MsgBox::OK, QStringLiteral("OK")}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const B &b : buttons)
        all |= b.std;
    box.setStandardButtons(all);
    for (const B &b : buttons)
        box.button(b.std)->setText(b.text);
    const int defIndex = (style & MsgBox::DefaultButton2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(buttons.at(defIndex).std);
    if (buttons.size() > 1 && (style & 7) != MsgBox::YesNo)
        box.setEscapeButton(QMessageBox::Cancel);
    // A window that keeps itself above the others (the start-up's splash) would cover the
    // box, whoever owns it: it steps aside while the box is open and comes back after.
    QList<QPointer<QWidget>> covering;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            covering << w;
            w->hide();
        }
    }
    const int r = box.exec();
    for (const QPointer<QWidget> &w : covering)
        if (w)
            w->show();
    for (const B &b : buttons)
        if (r == b.std)
            return b.answer;
    return (style & 7) == MsgBox::YesNo ? MsgBox::No : MsgBox::Cancel;
}

} // namespace

void installDesktopServices()
{
    MsgBox::setPresenter(present);
    Desktop::setBeeper([] { QApplication::beep(); });
    Desktop::setUrlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); });
}
