#include "ImNumber.h"

#include "VbRuntime.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <QValidator>
#include <QtDebug>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace
{

// Integer digits beyond this lose precision in a double.
constexpr int kMaxIntegerDigits = 15;

int decimalsOf(const QString &pattern)
{
    const QString first = pattern.section(QLatin1Char(';'), 0, 0);
    const int dot = first.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return 0;
    int n = 0;
    for (int i = dot + 1; i < first.size(); ++i) {
        const QChar c = first.at(i);
        if (c == QLatin1Char('0') || c == QLatin1Char('#'))
            ++n;
        else
            break;
    }
    return n;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Full-width digits, signs, point and comma count as their half-width forms.
QChar halfWidth(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(u - 0xFF10 + '0');
    if (u == 0xFF0D || u == 0x2212 || u == 0x30FC)
        return QLatin1Char('-');
    if (u == 0xFF0E)
        return QLatin1Char('.');
    if (u == 0xFF0C)
        return QLatin1Char(',');
    return c;
}

/// Turns `input`, the box's text after `edit`, into a plain number the box can take,
/// moving `pos` with it; false when the edit is refused. What the edit put in (a typed
/// character, a paste, a drop, an input method's phrase) loses the blanks around it and
/// commas between digits; decimals past the box's are cut where they are all put in by
/// this edit. A typed character that would be cut is refused, and so is a paste that is
/// no number typing could give (it is never read digit by digit) or that puts in nothing.
bool takeNumberText(const ImBox::Edit &edit, QString &input, int &pos, int decimals)
{
    for (QChar &c : input)
        c = halfWidth(c);
    const int head = edit.start;
    const int end = edit.insertEnd;
    int first = head;
    while (first < end && input.at(first).isSpace())
        ++first;
    int last = end;
    while (last > first && input.at(last - 1).isSpace())
        --last;

    QString kept;
    std::vector<int> origin; // where each kept character stands in input
    for (int i = 0; i < input.size(); ++i) {
        if (i >= head && i < end && (i < first || i >= last))
            continue;
        kept += input.at(i);
        origin.push_back(i);
    }
    QString text;
    std::vector<int> from;
    for (int k = 0; k < kept.size(); ++k) {
        // Grouping as the display shows it.
        if (kept.at(k) == QLatin1Char(',') && k > 0 && k + 1 < kept.size() && isDigit(kept.at(k - 1)) &&
            isDigit(kept.at(k + 1)))
            continue;
        text += kept.at(k);
        from.push_back(origin[size_t(k)]);
    }

    static const QRegularExpression number(QStringLiteral("^-?([0-9]*)(?:\\.([0-9]*))?$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch() || m.capturedLength(1) > kMaxIntegerDigits)
        return false;
    const auto putIn = [&](int k) { return from[size_t(k)] >= head && from[size_t(k)] < end; };
    if (m.capturedLength(2) > decimals) {
        // The point stays, as typing leaves it; digits the box held before are never cut.
        const int cut = int(m.capturedStart(2)) + decimals;
        for (int k = cut; k < text.size(); ++k) {
            if (!putIn(k))
                return false;
        }
        text.truncate(cut);
        from.resize(size_t(cut));
    }
    // An edit that put something in and kept none of it (a comma or blank typed over a
    // selection) is refused: it deletes nothing either.
    bool taken = end == head;
    for (int k = 0; k < text.size() && !taken; ++k)
        taken = putIn(k);
    if (!taken)
        return false;
    if (text == input)
        return true;
    int moved = 0;
    for (const int i : from)
        moved += i < pos ? 1 : 0;
    input = text;
    pos = moved;
    return true;
}

/// Keeps what the user types or pastes a plain number the box can take.
class NumberValidator : public QValidator
{
public:
    NumberValidator(ImNumber *box, const bool *showing) : QValidator(box), m_box(box), m_showing(showing) {}

    State validate(QString &input, int &pos) const override
    {
        if (*m_showing)
            return Acceptable; // the box's own text, as the display format shows it
        return takeNumberText(m_box->editOf(input, pos), input, pos, m_box->Decimals()) ? Acceptable : Invalid;
    }

private:
    ImNumber *m_box;
    const bool *m_showing;
};

std::optional<double> parseTyped(const QString &text)
{
    bool ok = false;
    const double d = text.toDouble(&ok); // "", "-", "." and "-." are no number
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d == 0 ? 0.0 : d;
}

} // namespace

ImNumber::ImNumber(QWidget *parent) : ImBox(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new NumberValidator(this, &m_showing));
    connect(this, &QLineEdit::textEdited, this, &ImNumber::takeTypedText);
}

QVariant ImNumber::Value() const
{
    if (m_value && m_rangeGuard && outOfRange(*m_value))
        return nearerBound(*m_value);
    return TypedValue();
}

QVariant ImNumber::TypedValue() const
{
    return m_value ? QVariant(*m_value) : vb::null();
}

void ImNumber::setValue(const QVariant &value)
{
    if (vb::isNull(value) || vb::isEmpty(value) ||
        (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())) {
        store(std::nullopt);
        showValue();
        return;
    }
    double d = 0;
    if (!vb::isNumeric(value, &d) || std::isnan(d) || (!std::isfinite(d) && !m_rangeGuard))
        throw std::invalid_argument("型が一致しません。");
    if (m_rangeGuard && outOfRange(d)) {
        store(nearerBound(d));
        showValue();
        try {
            Q_EMIT ValueClamped(d);
        } catch (...) {
            qWarning("ImNumber: a ValueClamped handler failed");
        }
        return;
    }
    store(d == 0 ? 0.0 : d);
    showValue();
}

void ImNumber::ClearControl()
{
    setValue(vb::null());
}

void ImNumber::setDisplayFormat(const QString &pattern)
{
    m_displayFormat = pattern;
    showValue();
}

void ImNumber::setFormat(const QString &pattern)
{
    m_format = pattern;
    showValue();
}

int ImNumber::Decimals() const
{
    if (m_decimals >= 0)
        return m_decimals;
    return decimalsOf(m_format.isEmpty() ? m_displayFormat : m_format);
}

void ImNumber::setDecimals(int decimals)
{
    m_decimals = decimals;
    showValue();
}

QString ImNumber::FormatNumber(double value, const QString &pattern)
{
    if (pattern.isEmpty())
        return vb::numberText(value);
    const QStringList sections = pattern.split(QLatin1Char(';'));
    const QString first = sections.value(0);
    if (value == 0 && sections.size() > 2 && !sections.at(2).isEmpty())
        return vb::format(0.0, sections.at(2));
    if (value < 0 && sections.size() > 1 && !sections.at(1).isEmpty())
        return vb::format(-value, sections.at(1));
    return vb::format(value, first);
}

QString ImNumber::editText() const
{
    if (!m_value)
        return QString();
    const double v = *m_value;
    const QString text = QString::number(v, 'f', Decimals());
    // A value that rounds to zero shows no minus sign.
    return parseTyped(text) == 0.0 ? QString::number(0.0, 'f', Decimals()) : text;
}

void ImNumber::showValue()
{
    QString shown;
    if (m_editing || !m_value) {
        shown = editText();
    } else {
        const QString pattern = m_displayFormat.isEmpty() ? m_format : m_displayFormat;
        shown = pattern.isEmpty() ? editText() : FormatNumber(*m_value, pattern);
    }
    if (text() == shown)
        return;
    m_showing = true;
    setText(shown);
    m_showing = false;
}

void ImNumber::store(std::optional<double> value)
{
    const bool same = value.has_value() == m_value.has_value() && (!value || *value == *m_value);
    m_value = value;
    if (same)
        return;
    try {
        Q_EMIT Change();
    } catch (...) {
        qWarning("ImNumber: a Change handler failed");
    }
}

void ImNumber::takeTypedText(const QString &text)
{
    store(parseTyped(text));
}

void ImNumber::startEditing()
{
    m_editing = true;
    showValue();
}

void ImNumber::leave()
{
    checkRange();
    if (window()->focusWidget() == this)
        return; // a range handler gave the focus back to the box
    m_editing = false;
    showValue();
}

void ImNumber::focusInEvent(QFocusEvent *event)
{
    if (!m_editing && !isReadOnly())
        startEditing();
    ImBox::focusInEvent(event);
}

void ImNumber::focusOutEvent(QFocusEvent *event)
{
    ImBox::focusOutEvent(event);
    // A pop-up (the box's own menu) keeps the box in editing.
    if (!m_editing || event->reason() == Qt::PopupFocusReason)
        return;
    // Another window keeps it in editing for the user's return, but the value is judged
    // now: the focus may move on in this window before it is active again, and then
    // the box hears nothing of it.
    if (event->reason() == Qt::ActiveWindowFocusReason) {
        checkRange();
        return;
    }
    leave();
}

void ImNumber::startEditingByKey()
{
    if (m_editing || isReadOnly())
        return;
    // Entered without a focus event: the window is not active, yet the key is here.
    startEditing();
    if (!hasFocus() && HighlightText())
        selectAll(); // as entering the box does
}

void ImNumber::keyPressEvent(QKeyEvent *event)
{
    startEditingByKey();
    ImBox::keyPressEvent(event);
}

void ImNumber::inputMethodEvent(QInputMethodEvent *event)
{
    startEditingByKey();
    ImBox::inputMethodEvent(event);
}

bool ImNumber::focusNextPrevChild(bool next)
{
    // In a window that is not active the focus moves on without a focus-out: the box
    // is left here, as the focus-out would have left it.
    const bool unnoticed = m_editing && !hasFocus();
    const bool moved = ImBox::focusNextPrevChild(next);
    if (unnoticed && window()->focusWidget() != this)
        leave();
    return moved;
}

void ImNumber::checkRange()
{
    if (m_checking || !m_value || !outOfRange(*m_value))
        return;
    m_checking = true; // a handler's message box takes the focus to another window
    bool keep = false;
    try {
        Q_EMIT InvalidRange(&keep);
    } catch (...) {
        qWarning("ImNumber: an InvalidRange handler failed");
    }
    m_checking = false;
    if (keep || !m_value || !outOfRange(*m_value))
        return;
    store(nearerBound(*m_value));
}
