#pragma once

#include "FormButtons.h"
#include "LineButton.h"
#include "fDlgPrint.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

/// While it lives, presses "印　刷" in every print confirmation that shows, as a user
/// does, and keeps the titles of the confirmations it answered, in order.
class PrintConfirmations
{
public:
    PrintConfirmations()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<fDlgPrint *>(top);
                if (!dialog || !dialog->isVisible())
                    continue;
                m_asked << dialog->windowTitle();
                for (LineButton *b : dialog->findChildren<LineButton *>(QStringLiteral("cmdButton")))
                    if (!b->isHidden() && b->Caption() == QStringLiteral("印　刷"))
                        FormButtons::click(b);
            }
        });
        m_timer.start(20);
    }

    const QStringList &asked() const { return m_asked; }

private:
    QTimer m_timer;
    QStringList m_asked;
};
