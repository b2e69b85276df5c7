#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QtTest>

/// Types text into a widget the way a user does: ASCII as key presses, anything
/// else (Japanese, full-width digits) as the input method's committed text.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(widget, &commit);
        }
    }
}
