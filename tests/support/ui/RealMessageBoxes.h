#pragma once

#include "DesktopServices.h"
#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>

/// While it lives, message boxes are Qt's own, shown as the program shows them, and
/// each is answered with the Enter key, which arrives through the box's window as a
/// user's key does. Closed by a key, a box leaves its parent window inactive.
///
/// It keeps what it saw of each box it answered, in order: a box is looked at in the
/// step that answers it, so none goes unseen however slowly the machine runs.
class RealMessageBoxes
{
public:
    /// How a box is described in answered(): its title unless the test says otherwise,
    /// as the box and the windows around it are while it waits for its answer.
    using Look = std::function<QString(const QMessageBox &box)>;

    explicit RealMessageBoxes(Look look = [](const QMessageBox &box) { return box.windowTitle(); })
    {
        installDesktopServices();
        MsgBox::setAutoAnswer(false);
        QObject::connect(&m_timer, &QTimer::timeout, [this, look = std::move(look)] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || !box->windowHandle())
                return;
            // A box that the key has not closed yet is pressed again, not told twice.
            if (box != m_last) {
                m_last = box;
                m_answered << look(*box);
            }
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

    /// The boxes answered so far, as the look described them.
    const QStringList &answered() const { return m_answered; }

private:
    QTimer m_timer;
    QPointer<QMessageBox> m_last;
    QStringList m_answered;
};
