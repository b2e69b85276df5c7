#include "ImNumber.h"

#include "VbRuntime.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <QValidator>
#include <QtDebug>

#include <cmath>
#include <stdexcept>

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

/// Keeps what the user types a plain number the box can take.
class NumberValidator : public QValidator
{
public:
    NumberValidator(ImNumber *box, const bool *showing) : QValidator(box), m_box(box), m_showing(showing) {}

    State validate(QString &input, int &pos) const override
    {
        Q_UNUSED(pos)
        if (*m_showing)
            return Acceptable; // the box's own text, as the display format shows it
        for (QChar &c : input) {
            const ushort u = c.unicode();
            if (u >= 0xFF10 && u <= 0xFF19)
                c = QChar(u - 0xFF10 + '0');
            else if (u == 0xFF0D || u == 0x2212 || u == 0x30FC)
                c = QLatin1Char('-');
            else if (u == 0xFF0E)
                c = QLatin1Char('.');
        }
        const int decimals = m_box->Decimals();
        const QString pattern =
            decimals > 0 ? QStringLiteral("^-?[0-9]{0,%1}(\\.[0-9]{0,%2})?$").arg(kMaxIntegerDigits).arg(decimals)
                         : QStringLiteral("^-?[0-9]{0,%1}$").arg(kMaxIntegerDigits);
        return QRegularExpression(pattern).match(input).hasMatch() ? Acceptable : Invalid;
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
