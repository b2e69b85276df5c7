#include "cBase.h"

#include "Currency.h"
#include "MsgBox.h"
#include "VbRuntime.h"

#include <cmath>

namespace
{

const QDateTime kDateZero(QDate(1899, 12, 30), QTime(0, 0));

// Lays text into an "@" pattern: the text's characters fill the placeholders in order.
QString layInto(const QString &text, const QString &pattern)
{
    QString out;
    int k = 0;
    for (QChar c : pattern)
        out += c == QLatin1Char('@') ? (k < text.size() ? text.at(k++) : QLatin1Char(' ')) : c;
    return out;
}

bool convertDateText(const QString &s, QDateTime *out)
{
    const QDateTime dt = vb::toDateTime(s);
    if (!dt.isValid())
        return false;
    *out = dt;
    return true;
}

} // namespace

bool cBase::IsData(const QVariant &value) const
{
    return !vb::isEmpty(value) && !vb::isNull(value);
}

QString cBase::CvtStr(const QVariant &value) const
{
    if (!IsData(value))
        return QString();
    return vb::trim(vb::cstr(value));
}

int16_t cBase::CvtInt(const QVariant &value) const
{
    double d = 0;
    if (!IsData(value) || !vb::isNumeric(value, &d))
        return 0;
    const double r = roundHalfEven(d);
    if (r < -32768 || r > 32767)
        return 0;
    return int16_t(r);
}

int32_t cBase::CvtLng(QVariant &value) const
{
    double d = 0;
    if (!IsData(value) || !vb::isNumeric(value, &d))
        return 0;
    if (d > 2147483647.0) {
        value = QVariant(int(2147483647));
        d = 2147483647.0;
    } else if (d <= -2147483647.0) {
        value = QVariant(int(-2147483647));
        d = -2147483647.0;
    }
    return int32_t(roundHalfEven(d));
}

int32_t cBase::CvtLng(const QVariant &value) const
{
    QVariant copy = value;
    return CvtLng(copy);
}

double cBase::CvtDbl(const QVariant &value) const
{
    double d = 0;
    if (!IsData(value) || !vb::isNumeric(value, &d))
        return 0;
    return d;
}

float cBase::CvtSng(const QVariant &value) const
{
    const double d = CvtDbl(value);
    if (std::fabs(d) > 3.402823466e38)
        return 0;
    return float(d);
}

QDateTime cBase::CvtDate(const QVariant &value) const
{
    QString s = CvtStr(value);
    if (!s.isEmpty() && !vb::isNumeric(s)) {
        // Text that reads as a date becomes year/month/day; other text stays as it is.
        const QDateTime dt = vb::toDateTime(s);
        if (dt.isValid())
            s = vb::format(dt, QStringLiteral("yyyy/mm/dd"));
    }
    QDateTime result = kDateZero;
    switch (s.size()) {
    case 4:
        if (!convertDateText(layInto(s, QStringLiteral("@@/@@")), &result))
            return kDateZero;
        break;
    case 5:
        if (s.at(2) != QLatin1Char('/') || !convertDateText(s, &result))
            return kDateZero;
        break;
    case 6:
        if (!convertDateText(layInto(s, QStringLiteral("@@/@@/@@")), &result))
            return kDateZero;
        break;
    case 8:
        if (!convertDateText(s.at(2) == QLatin1Char('/') ? s : layInto(s, QStringLiteral("@@@@/@@/@@")), &result))
            return kDateZero;
        break;
    case 10:
        if (!convertDateText(s.at(4) == QLatin1Char('/') ? s : layInto(s, QStringLiteral("@@@@/@@/@@")), &result))
            return kDateZero;
        break;
    default:
        break;
    }
    return result;
}

QDateTime cBase::CvtTime(const QVariant &value) const
{
    QString s = CvtStr(value);
    if (s.isEmpty())
        return kDateZero;
    if (!vb::isNumeric(s)) {
        const QDateTime dt = vb::toDateTime(s);
        if (!dt.isValid())
            return kDateZero;
        s = vb::format(dt, QStringLiteral("hh:nn:ss"));
    }
    const QDateTime dt = vb::toDateTime(s);
    return dt.isValid() ? dt : kDateZero;
}

QString cBase::CvtSQL(QVariant &value, int kind) const
{
    if (CvtStr(value).isEmpty())
        return QStringLiteral("NULL");
    switch (kind) {
    case SqlText: {
        QString t = CvtStr(value);
        QVector<int32_t> pos;
        const int32_t n = GetStrPositions(1, t, QStringLiteral("'"), pos);
        for (int32_t i = 0; i < n; ++i)
            t = InsertStr(pos[i] + i, t, QStringLiteral("'"));
        return QLatin1Char('\'') + t + QLatin1Char('\'');
    }
    case SqlInt:
        return QString::number(CvtInt(value));
    case SqlLong:
        return QString::number(CvtLng(value));
    case SqlDouble:
        return vb::numberText(CvtDbl(value));
    case SqlDateHash:
    case SqlDateToDate:
    case SqlDateQuoted:
    case SqlTime:
    case SqlDateTimeToDate: {
        if (CvtStr(value) == QLatin1String("0") || !vb::isDate(value))
            return QStringLiteral("NULL");
        const QString d = vb::format(CvtDate(value), QStringLiteral("yyyy/mm/dd"));
        switch (kind) {
        case SqlDateHash:
            return QLatin1Char('#') + d + QLatin1Char('#');
        case SqlDateToDate:
            return QStringLiteral("to_date('%1','yyyy/mm/dd')").arg(d);
        case SqlDateQuoted:
            return QLatin1Char('\'') + d + QLatin1Char('\'');
        case SqlTime: {
            const QDateTime t(QDate(2000, 1, 1), vb::toDateTime(value).time());
            return QLatin1Char('\'') + vb::format(t, QStringLiteral("yyyy/mm/dd hh:nn:ss")) + QLatin1Char('\'');
        }
        default: {
            const QDateTime dt = vb::toDateTime(value);
            return QStringLiteral("to_date('%1','yyyy/mm/dd hh24:mi:ss')")
                .arg(vb::format(dt, QStringLiteral("yyyy/mm/dd hh:mm:ss")));
        }
        }
    }
    default:
        return QString();
    }
}

QString cBase::CvtSQL(const QVariant &value, int kind) const
{
    QVariant copy = value;
    return CvtSQL(copy, kind);
}

QVariant cBase::CvtSQLEx(const QVariant &value, int kind) const
{
    if (CvtStr(value).isEmpty())
        return vb::null();
    switch (kind) {
    case SqlText:
        return CvtStr(value);
    case SqlInt:
        return int(CvtInt(value));
    case SqlLong:
        return int(CvtLng(value));
    case SqlDouble:
        return CvtDbl(value);
    case SqlDateHash:
    case SqlDateToDate:
    case SqlDateQuoted:
    case SqlTime:
        if (CvtStr(value) == QLatin1String("0") || !vb::isDate(value))
            return vb::null();
        return CvtDate(value);
    default:
        return QVariant();
    }
}

QVariant cBase::CvtMdb(const QVariant &value) const
{
    if (vb::isNull(value))
        return vb::null();
    if (vb::isEmpty(value) || vb::cstr(value).isEmpty())
        return vb::null();
    if (vb::isNumeric(value) && CvtDbl(value) == 0)
        return vb::null();
    return value;
}

void cBase::CvtJunkChar(QString &text, const QString &replacement, const QString &set) const
{
    if (replacement.isEmpty())
        return;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (set.contains(text.at(i)))
            text[i] = replacement.at(0);
}

QString cBase::InsertStr(int32_t position, const QString &text, const QString &insert) const
{
    if (position < 0)
        return text;
    return text.left(position) + insert + text.mid(position);
}

int cBase::MsgBoxBeep(const QString &prompt, int32_t buttons, const QString &title) const
{
    try {
        Desktop::beep();
        return MsgBox::show(prompt, buttons, title);
    } catch (...) {
        return 0;
    }
}

QString cBase::NullTrim(QString &text, bool doubleNul) const
{
    if (!doubleNul) {
        const qsizetype p = text.indexOf(QChar(0));
        if (p >= 0)
            text = text.left(p);
    } else {
        const qsizetype p = text.indexOf(QString(2, QChar(0)));
        if (p >= 0)
            text = text.left(p);
        const qsizetype q = text.indexOf(QChar(0));
        if (q >= 0)
            text[q] = QLatin1Char(' ');
    }
    return vb::trim(text);
}

QString cBase::GetAppVersion(int major, int minor, int revision, const QString &numberFormat) const
{
    return QStringLiteral("Ver %1.%2.%3")
        .arg(CvtInt(major))
        .arg(vb::format(int(CvtInt(minor)), numberFormat))
        .arg(vb::format(int(CvtInt(revision)), numberFormat));
}

QDateTime cBase::FOMonth(const QDateTime &date) const
{
    return QDateTime(QDate(date.date().year(), date.date().month(), 1), QTime(0, 0));
}

QDateTime cBase::EOMonth(const QDateTime &date) const
{
    return FOMonth(date).addMonths(1).addDays(-1);
}

int32_t cBase::StrLen(const QVariant &value) const
{
    return int32_t(CvtStr(value).size());
}

int32_t cBase::StrLenB(const QVariant &value) const
{
    return StrLen(value) * 2;
}

QString cBase::FixStrFormat(const QVariant &value, int width, bool leftAligned) const
{
    QString pattern(qMax(width, 0), QLatin1Char('@'));
    if (leftAligned)
        pattern.prepend(QLatin1Char('!'));
    return vb::format(vb::cstr(value), pattern);
}

int32_t cBase::InStrR(int, const QString &text, const QString &find, int mode) const
{
    if (mode != 0 && mode != 1)
        return -1;
    const int32_t len = int32_t(text.size());
    const int32_t l = int32_t(find.size());
    if (l == 0) {
        if (len == 0)
            return -1;
        return len >= 2 ? len : 1;
    }
    const Qt::CaseSensitivity cs = mode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    int32_t p = len;
    while (p >= 1) {
        if (QStringView(text).mid(p - 1, l).compare(find, cs) == 0)
            return p;
        p -= l;
    }
    return p;
}

int32_t cBase::InStrRB(int start, const QString &text, const QString &find, int mode) const
{
    return InStrR(start, text, find, mode);
}

int32_t cBase::StrCount(int32_t start, const QString &text, const QString &find, int mode) const
{
    if (start < 1 || (mode != 0 && mode != 1))
        return -1;
    const Qt::CaseSensitivity cs = mode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const int32_t limit = int32_t(text.size());
    int32_t count = 0;
    qsizetype from = start - 1;
    while (count < limit) {
        const qsizetype p = text.indexOf(find, from, cs);
        if (p < 0 || from > text.size())
            break;
        ++count;
        from = p + find.size();
    }
    return count;
}

int32_t cBase::StrCountB(int32_t start, const QString &text, const QString &find, int mode) const
{
    if (start < 1 || (mode != 0 && mode != 1))
        return -1;
    // Byte-wise search in the UTF-16 form of the text.
    const QByteArray hay(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const QByteArray needle(reinterpret_cast<const char *>(find.utf16()), find.size() * 2);
    const QByteArray h = mode == 1 ? hay.toLower() : hay;
    const QByteArray n = mode == 1 ? needle.toLower() : needle;
    const int32_t limit = int32_t(text.size());
    int32_t count = 0;
    qsizetype from = start - 1;
    while (count < limit) {
        const qsizetype p = h.indexOf(n, from);
        if (p < 0 || from > h.size())
            break;
        ++count;
        from = p + n.size();
    }
    return count;
}

bool cBase::IsDateEx(const QString &text) const
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return false;
    for (const QString &p : parts) {
        if (p.isEmpty()) // an empty part is no number: not a date
            return false;
        for (QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
    }
    const QString &ys = parts.at(0);
    const int month = parts.at(1).toInt();
    const int day = parts.at(2).size() > 3 ? 99 : parts.at(2).toInt();
    if (month < 1 || month > 12 || parts.at(1).size() > 3)
        return false;
    int days = 31;
    if (month == 4 || month == 6 || month == 9 || month == 11) {
        days = 30;
    } else if (month == 2) {
        // Divisibility on the digit string, so a year of any length works.
        auto divisible = [&](int m) {
            int r = 0;
            for (QChar c : ys)
                r = (r * 10 + (c.unicode() - '0')) % m;
            return r == 0;
        };
        days = 28 + (divisible(4) ? 1 : 0) - (divisible(100) ? 1 : 0) + (divisible(400) ? 1 : 0);
    }
    return day >= 1 && day <= days;
}

int32_t cBase::LenANSI(const QVariant &value) const
{
    return vb::ansiLength(CvtStr(value));
}

QString cBase::CnvWide(const QVariant &value, int width, bool fullWidthPad) const
{
    QString s = IsData(value) ? vb::toWide(vb::cstr(value)) : QString();
    if (width >= 1) {
        if (s.size() < width)
            s += fullWidthPad ? QString(width - s.size(), QChar(0x3000))
                              : QString(2 * (width - s.size()), QLatin1Char(' '));
        else
            s = s.left(width);
    }
    return s;
}

QString cBase::CnvNarrow(const QVariant &value, int width) const
{
    QString s = IsData(value) ? vb::toNarrow(vb::cstr(value)) : QString();
    if (width >= 1) {
        if (s.size() < width)
            s += QString(2 * (width - s.size()), QLatin1Char(' '));
        else
            s = s.left(width);
    }
    return s;
}

QString cBase::EditString(const QVariant &value, int width, const QString &pad, int32_t alignment) const
{
    QString s = vb::cstr(value);
    int len = vb::ansiLength(s);
    if (len > width) {
        s = PickString(s, 1, width);
        len = width;
    }
    const QString padChar = pad.isEmpty() ? QStringLiteral(" ") : pad.left(1);
    const int d = width - len;
    if (vb::ansiLength(padChar) == 1) {
        const QString p(1, padChar.at(0));
        switch (alignment) {
        case 0:
            return s + p.repeated(d);
        case 1:
            return p.repeated(d) + s;
        case 2:
            return p.repeated(d / 2) + s + p.repeated(d - d / 2);
        default:
            return QString();
        }
    }
    const int k = d % 2 == 0 ? d / 2 : (d - 1) / 2;
    const QString odd = d % 2 ? QStringLiteral(" ") : QString();
    switch (alignment) {
    case 0:
        return s + padChar.repeated(k) + odd;
    case 1:
        return padChar.repeated(k) + s + odd;
    case 2:
        return padChar.repeated(k / 2) + odd + s + padChar.repeated(k - k / 2);
    default:
        return QString();
    }
}

QString cBase::PickString(const QString &text, int start, int count) const
{
    return PickString2(text, start, count);
}

QString cBase::PickString2(const QString &text, int32_t start, int count) const
{
    if (text.isEmpty())
        return QString();
    const int bytes = vb::ansiLength(text);
    if (start < 1)
        start = 1;
    if (count < 0)
        count = 0;
    if (start + count > bytes)
        count = bytes;
    // Walk the characters by byte offset; a double-byte character cut in half is dropped.
    QString out;
    int pos = 1;
    const int end = start + count; // exclusive
    for (QChar c : text) {
        const int b = vb::ansiCharBytes(c);
        if (pos >= start && pos + b <= end)
            out += c;
        pos += b;
        if (pos >= end)
            break;
    }
    return out;
}

int32_t cBase::CountStrFrom(int32_t start, const QString &text, const QString &find) const
{
    if (start < 1 || find.isEmpty())
        return 0;
    int32_t n = 0;
    qsizetype from = start - 1;
    for (;;) {
        const qsizetype p = text.indexOf(find, from);
        if (p < 0)
            break;
        ++n;
        from = p + find.size();
    }
    return n;
}

int32_t cBase::GetStrPositions(int32_t start, const QString &text, const QString &find,
                               QVector<int32_t> &positions) const
{
    const int32_t n = CountStrFrom(start, text, find);
    if (n == 0)
        return 0;
    positions = QVector<int32_t>(n, 0);
    qsizetype from = start - 1;
    for (int32_t i = 0; i < n; ++i) {
        const qsizetype p = text.indexOf(find, from);
        if (p < 0)
            break;
        positions[i] = int32_t(p + 1);
        from = p + find.size();
    }
    return n;
}
