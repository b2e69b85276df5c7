#include "ImText.h"

#include "VbRuntime.h"

#include <QValidator>
#include <QtDebug>

/// Cuts what was just inserted so the whole text stays within the limit.
class TextLimitValidator : public QValidator
{
public:
    explicit TextLimitValidator(ImText *box) : QValidator(box), m_box(box) {}

    State validate(QString &input, int &pos) const override
    {
        QString clean;
        clean.reserve(input.size());
        int removedBeforeCursor = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (input.at(i).unicode() < 0x20 || input.at(i).unicode() == 0x7F) {
                if (i < pos)
                    ++removedBeforeCursor;
                continue;
            }
            clean += input.at(i);
        }
        pos -= removedBeforeCursor;
        input = clean;
        const int limit = m_box->m_maxLength;
        if (limit <= 0 || m_box->lengthOf(input) <= limit)
            return Acceptable;

        // Held characters stay whole; what the edit put in is cut at its own end.
        const ImBox::Edit edit = m_box->editOf(input, pos);
        const QString before = input.left(edit.start);
        const QString after = input.mid(edit.insertEnd);
        const int room = limit - m_box->lengthOf(before) - m_box->lengthOf(after);
        if (room < 0) {
            // The held text alone passes the limit: keep the head of the whole.
            input = m_box->fitted(input, limit);
            pos = qMin(pos, int(input.size()));
            return Acceptable;
        }
        const QString kept = m_box->fitted(input.mid(edit.start, edit.insertEnd - edit.start), room);
        input = before + kept + after;
        pos = int(before.size() + kept.size());
        return Acceptable;
    }

private:
    ImText *m_box;
};

ImText::ImText(QWidget *parent) : ImBox(parent)
{
    setValidator(new TextLimitValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this] {
        try {
            Q_EMIT Change();
        } catch (...) {
            qWarning("ImText: a Change handler failed");
        }
    });
}

void ImText::setMaxLength(int length)
{
    m_maxLength = qMax(0, length);
    if (m_maxLength > 0 && lengthOf(text()) > m_maxLength)
        setText(fitted(text(), m_maxLength));
}

void ImText::setLengthAsByte(bool on)
{
    m_lengthAsByte = on;
    setMaxLength(m_maxLength);
}

int ImText::lengthOf(const QString &text) const
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the code page's range; counts as double-byte
            n += m_lengthAsByte ? 2 : 1;
            continue;
        }
        n += m_lengthAsByte ? vb::ansiCharBytes(c) : 1;
    }
    return n;
}

QString ImText::fitted(const QString &text, int limit) const
{
    int n = 0;
    int i = 0;
    while (i < text.size()) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const int width = pair ? (m_lengthAsByte ? 2 : 1) : (m_lengthAsByte ? vb::ansiCharBytes(text.at(i)) : 1);
        if (n + width > limit)
            break;
        n += width;
        i += pair ? 2 : 1;
    }
    return text.left(i);
}
