#include "ImBox.h"

#include "VbKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

ImBox::ImBox(QWidget *parent) : QLineEdit(parent)
{
    m_caption.Font = font();
    connect(this, &QLineEdit::textChanged, this, [this] { keepPlace(true); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { keepPlace(false); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { keepPlace(false); });
}

void ImBox::keepPlace(bool textChanged)
{
    // An input method moves the cursor before its text is judged: a place in a text not
    // yet reported is no place of the next edit.
    if (textChanged)
        m_placeText = text();
    else if (text() != m_placeText)
        return;
    m_placeCursor = cursorPosition();
    m_placeAnchor = !hasSelectedText()                  ? m_placeCursor
                    : m_placeCursor == selectionStart() ? selectionEnd()
                                                        : selectionStart();
}

ImBox::Edit ImBox::editOf(const QString &after, int pos) const
{
    const QString &before = m_placeText;
    const int start = qMin(m_placeAnchor, m_placeCursor);
    const int end = qMax(m_placeAnchor, m_placeCursor);
    const int put = int(after.size() - before.size()) + end - start;
    // Text put in at the place leaves the cursor behind it and the rest as it was.
    if (end <= before.size() && put >= 0 && pos == start + put && after.left(start) == before.left(start) &&
        after.mid(pos) == before.mid(end))
        return {start, end, pos};
    return {0, int(before.size()), int(after.size())};
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
