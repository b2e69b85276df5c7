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

/// Keeps the text of a focused box a plain number the box can take.
class NumberValidator : public QValidator
{
public:
    NumberValidator(ImNumber *box, const bool *editing) : QValidator(box), m_box(box), m_editing(editing) {}

    State validate(QString &input, int &pos) const override
    {
        Q_UNUSED(pos)
        if (!*m_editing)
            return Acceptable; // the display text set by the box itself
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
    const bool *m_editing;
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
    setValidator(new NumberValidator(this, &m_editing));
    connect(this, &QLineEdit::textEdited, this, &ImNumber::takeTypedText);
}

QVariant ImNumber::Value() const
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
    if (!vb::isNumeric(value, &d) || !std::isfinite(d))
        throw std::invalid_argument("型が一致しません。");
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
    if (m_editing) {
        if (text() != editText())
            setText(editText());
        return;
    }
    if (!m_value) {
        setText(QString());
        return;
    }
    const QString pattern = m_displayFormat.isEmpty() ? m_format : m_displayFormat;
    setText(pattern.isEmpty() ? editText() : FormatNumber(*m_value, pattern));
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

void ImNumber::focusInEvent(QFocusEvent *event)
{
    if (!m_editing && !isReadOnly()) {
        m_editing = true;
        setText(editText());
    }
    ImBox::focusInEvent(event);
}

void ImNumber::focusOutEvent(QFocusEvent *event)
{
    ImBox::focusOutEvent(event);
    // Switching windows or opening a pop-up keeps the box in editing.
    if (!m_editing || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    checkRange();
    if (hasFocus())
        return; // a range handler gave the focus back to the box
    m_editing = false;
    showValue();
}

void ImNumber::checkRange()
{
    if (!m_value || (*m_value >= m_min && *m_value <= m_max))
        return;
    bool keep = false;
    try {
        Q_EMIT InvalidRange(&keep);
    } catch (...) {
        qWarning("ImNumber: an InvalidRange handler failed");
    }
    if (keep || !m_value || (*m_value >= m_min && *m_value <= m_max))
        return;
    store(*m_value < m_min ? m_min : m_max);
}
