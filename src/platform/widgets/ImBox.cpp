#include "ImBox.h"

#include "VbKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

ImBox::ImBox(QWidget *parent) : QLineEdit(parent)
{
    m_caption.Font = font();
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) { m_lastText = text; });
}

ImBox::EditedSpan ImBox::editedSpan(const QString &before, const QString &after)
{
    EditedSpan span;
    while (span.head < before.size() && span.head < after.size() && before.at(span.head) == after.at(span.head))
        ++span.head;
    while (span.tail < before.size() - span.head && span.tail < after.size() - span.head &&
           before.at(before.size() - 1 - span.tail) == after.at(after.size() - 1 - span.tail))
        ++span.tail;
    return span;
}

void ImBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Focus that comes back from another window or a pop-up is no new entry: the
    // cursor and selection stay as the user left them.
    const bool back = m_leftWithWindow;
    m_leftWithWindow = false;
    if (event->reason() == Qt::PopupFocusReason || (back && event->reason() == Qt::ActiveWindowFocusReason))
        return;
    // At once, so a key typed straight after the focus arrived replaces the content.
    select(m_highlightText);
    if (event->reason() != Qt::MouseFocusReason)
        return;
    // The click that gave the focus places the cursor after this: select again once it has.
    QPointer<ImBox> self(this);
    const bool on = m_highlightText;
    QTimer::singleShot(0, this, [self, on] {
        if (self && self->hasFocus())
            self->select(on);
    });
}

void ImBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    m_leftWithWindow = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

void ImBox::select(bool all)
{
    if (all)
        selectAll();
    else
        deselect();
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
