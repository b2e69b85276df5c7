#include "ImBox.h"

#include "VbKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

ImBox::ImBox(QWidget *parent) : QLineEdit(parent)
{
    m_caption.Font = font();
}

void ImBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    // Selection is set after the line edit has placed its cursor for the mouse click.
    QPointer<ImBox> self(this);
    const bool select = m_highlightText;
    QTimer::singleShot(0, this, [self, select] {
        if (!self || !self->hasFocus())
            return;
        if (select)
            self->selectAll();
        else
            self->deselect();
    });
}

void ImBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_nextCtrl.trimmed().isEmpty() && VbKeys::inKeyList(m_nextCtrl, event)) {
        event->accept();
        focusNextPrevChild(true);
        return;
    }
    if (!m_prevCtrl.trimmed().isEmpty() && VbKeys::inKeyList(m_prevCtrl, event)) {
        event->accept();
        focusNextPrevChild(false);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
