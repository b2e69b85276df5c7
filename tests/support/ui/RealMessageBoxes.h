#pragma once

#include "DesktopServices.h"
#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

/// While it lives, message boxes are Qt's own, shown as the program shows them, and
/// each is answered with the Enter key, which arrives through the box's window as a
/// user's key does. Closed by a key, a box leaves its parent window inactive.
class RealMessageBoxes
{
public:
    RealMessageBoxes()
    {
        installDesktopServices();
        MsgBox::setAutoAnswer(false);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->isVisible() && box->windowHandle())
                QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        });
        m_timer.start(10);
    }
    ~RealMessageBoxes()
    {
        MsgBox::setPresenter({});
        MsgBox::setAutoAnswer(true);
    }
    RealMessageBoxes(const RealMessageBoxes &) = delete;
    RealMessageBoxes &operator=(const RealMessageBoxes &) = delete;

private:
    QTimer m_timer;
};
