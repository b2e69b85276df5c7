#include "VbRuntime.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace vb
{

QVariant null()
{
    return QVariant::fromValue(nullptr);
}

bool isEmpty(const QVariant &v)
{
    return !v.isValid();
}

bool isNull(const QVariant &v)
{
    return v.isValid() && v.isNull();
}

namespace
{

bool parseNumberText(QString t, double *out)
{
    t = t.trimmed();
    if (t.isEmpty())
        return false;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qint64 h = t.mid(2).toLongLong(&ok, 16);
        if (!ok)
            return false;
        if (out)
            *out = double(h);
        return true;
    }
    t.remove(QChar(0x00A5)).remove(QLatin1Char('\\')).remove(QChar(0xFFE5));
    t = t.trimmed();
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d{1,3}(,\\d{3})+|\\d+)?(\\.\\d*)?([eEdD][+-]?\\d+)?$"));
    if (!re.match(t).hasMatch())
        return false;
    QString n = t;
    n.remove(QLatin1Char(','));
    n.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    if (n == QLatin1String("+") || n == QLatin1String("-") || n == QLatin1String(".") || n.isEmpty())
        return false;
    bool ok = false;
    const double d = n.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    if (out)
        *out = d;
    return true;
}

} // namespace

bool isNumeric(const QVariant &v, double *out)
{
    if (!v.isValid() || v.isNull())
        return false;
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        if (out)
            *out = v.toBool() ? -1.0 : 0.0;
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
        // A NaN is no number: every numeric conversion of it gives 0, never the
        // value an integer cast of it happens to make.
        const double d = v.toDouble();
        if (std::isnan(d))
            return false;
        if (out)
            *out = d;
        return true;
    }
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return parseNumberText(v.toString(), out);
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return false;
    default:
        if (v.canConvert<double>() && v.typeName() && QByteArray(v.typeName()) == "Currency") {
            if (out)
                *out = v.toDouble();
            return true;
        }
        return false;
    }
}

namespace
{

QDateTime parseDateText(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression dateRe(
        QStringLiteral("^(\\d{1,4})[/-](\\d{1,2})(?:[/-](\\d{1,4}))?(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    static const QRegularExpression timeRe(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    if (auto m = timeRe.match(t); m.hasMatch()) {
        const QTime tm(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!tm.isValid())
            return {};
        return QDateTime(QDate(1899, 12, 30), tm);
    }
    auto m = dateRe.match(t);
    if (!m.hasMatch())
        return {};
    int y, mo, d;
    if (m.captured(3).isEmpty()) { // month/day of the current year
        y = QDate::currentDate().year();
        mo = m.captured(1).toInt();
        d = m.captured(2).toInt();
    } else {
        y = m.captured(1).toInt();
        mo = m.captured(2).toInt();
        d = m.captured(3).toInt();
        if (m.captured(1).size() <= 2) // two-digit year window: 00-29 is 20xx
            y += y < 30 ? 2000 : 1900;
    }
    const QDate date(y, mo, d);
    if (!date.isValid())
        return {};
    QTime tm(0, 0);
    if (!m.captured(4).isEmpty()) {
        tm = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!tm.isValid())
            return {};
    }
    return QDateTime(date, tm);
}

} // namespace

QDateTime toDateTime(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
        return v.toDateTime();
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), v.toTime());
    case QMetaType::QString:
        return parseDateText(v.toString());
    default:
        return {};
    }
}

bool isDate(const QVariant &v)
{
    return toDateTime(v).isValid();
}

QString numberText(double d)
{
    if (!std::isfinite(d)) // NaN and the infinities have no text: an empty value
        return QString();
    if (d == 0)
        return QStringLiteral("0");
    const double a = std::fabs(d);
    if (a >= 1e15 || a < 1e-4) {
        // Exponent form as the runtime writes it: 1E+20, 1.5E-05.
        QString s = QString::number(d, 'E', 14);
        const int e = s.indexOf(QLatin1Char('E'));
        QString mant = s.left(e);
        QString exp = s.mid(e + 1);
        if (mant.contains(QLatin1Char('.'))) {
            while (mant.endsWith(QLatin1Char('0')))
                mant.chop(1);
            if (mant.endsWith(QLatin1Char('.')))
                mant.chop(1);
        }
        const QChar sign = exp.at(0);
        QString digits = exp.mid(1);
        while (digits.size() > 2 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        return mant + QLatin1Char('E') + sign + digits;
    }
    QString s = QString::number(d, 'g', 15);
    if (s.contains(QLatin1Char('e'))) // QString chose exponent form for a small value: write it out
        s = QString::number(d, 'f', 15);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s;
}

QString cstr(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(v.toDouble());
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy/MM/dd"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy/MM/dd"));
        if (dt.date() == QDate(1899, 12, 30))
            return dt.time().toString(QStringLiteral("HH:mm:ss"));
        return dt.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    }
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        return v.toString();
    }
}

QString trim(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

double toSerial(const QDateTime &dt)
{
    const QDate epoch(1899, 12, 30);
    const qint64 days = epoch.daysTo(dt.date());
    return double(days) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime fromSerial(double serial)
{
    const double dayPart = std::floor(serial);
    const double frac = serial - dayPart;
    const QDate d = QDate(1899, 12, 30).addDays(qint64(dayPart));
    return QDateTime(d, QTime(0, 0).addMSecs(int(std::llround(frac * 86400000.0))));
}

namespace
{

QString formatDate(const QDateTime &dt, const QString &pattern)
{
    // "mm" right after an hour field means minutes; "nn" always does.
    QString out;
    bool afterHour = false;
    for (int i = 0; i < pattern.size();) {
        auto run = [&](QChar c) {
            int n = 0;
            while (i + n < pattern.size() && pattern.at(i + n).toLower() == c)
                ++n;
            return n;
        };
        const QChar c = pattern.at(i).toLower();
        int n = 0;
        if (c == QLatin1Char('y')) {
            n = run(c);
            out += n >= 4 ? QString::number(dt.date().year()).rightJustified(4, QLatin1Char('0'))
                          : QString::number(dt.date().year() % 100).rightJustified(2, QLatin1Char('0'));
            afterHour = false;
        } else if (c == QLatin1Char('m')) {
            n = run(c);
            const int val = afterHour ? dt.time().minute() : dt.date().month();
            out += n >= 2 ? QString::number(val).rightJustified(2, QLatin1Char('0')) : QString::number(val);
            afterHour = false;
        } else if (c == QLatin1Char('d')) {
            n = run(c);
            out += n >= 2 ? QString::number(dt.date().day()).rightJustified(2, QLatin1Char('0'))
                          : QString::number(dt.date().day());
            afterHour = false;
        } else if (c == QLatin1Char('h')) {
            n = run(c);
            out += n >= 2 ? QString::number(dt.time().hour()).rightJustified(2, QLatin1Char('0'))
                          : QString::number(dt.time().hour());
            afterHour = true;
        } else if (c == QLatin1Char('n')) {
            n = run(c);
            out += n >= 2 ? QString::number(dt.time().minute()).rightJustified(2, QLatin1Char('0'))
                          : QString::number(dt.time().minute());
            afterHour = false;
        } else if (c == QLatin1Char('s')) {
            n = run(c);
            out += n >= 2 ? QString::number(dt.time().second()).rightJustified(2, QLatin1Char('0'))
                          : QString::number(dt.time().second());
            afterHour = false;
        } else {
            out += pattern.at(i);
            n = 1;
        }
        i += n;
    }
    return out;
}

// The sections of a number pattern, split at the semicolons that are not quoted or escaped.
QStringList numberSections(const QString &pattern)
{
    QStringList sections{QString()};
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            sections.last() += c;
            sections.last() += pattern.at(++i);
        } else if (!quoted && c == QLatin1Char(';')) {
            sections.append(QString());
        } else {
            sections.last() += c;
        }
    }
    return sections;
}

// Literal text of a pattern section or a stretch of one: quotes dropped, escaped characters taken as they are.
QString patternLiteral(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"'))
            continue;
        if (c == QLatin1Char('\\') && i + 1 < text.size())
            out += text.at(++i);
        else
            out += c;
    }
    return out;
}

// The decimal digits of a >= 0 rounded to `decimals` places, halves away from zero. The
// rounding works on the value's 15 significant digits, as the runtime's formatting does, so
// 1.005 (stored as 1.00499999...) gives 1.01 at two places.
void roundedDigits(double a, int decimals, QString *intPart, QString *fracPart)
{
    QString digits = QStringLiteral("0");
    int point = 1; // digits before the decimal point
    if (a != 0) {
        const QString e = QString::number(a, 'e', 14); // d.dddddddddddddde+XX
        const int ePos = int(e.indexOf(QLatin1Char('e')));
        digits = e.left(1) + e.mid(2, ePos - 2);
        point = e.mid(ePos + 1).toInt() + 1;
        if (point < 1) {
            digits.prepend(QString(1 - point, QLatin1Char('0')));
            point = 1;
        }
    }
    const int keep = point + decimals;
    if (keep < digits.size()) {
        const bool up = digits.at(keep) >= QLatin1Char('5');
        digits.truncate(keep);
        int i = keep - 1;
        for (; up && i >= 0; --i) {
            if (digits.at(i) == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
                break;
            }
        }
        if (up && i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++point;
        }
    } else {
        digits += QString(keep - digits.size(), QLatin1Char('0'));
    }
    QString ip = digits.left(point);
    while (ip.size() > 1 && ip.startsWith(QLatin1Char('0')))
        ip.remove(0, 1);
    *intPart = ip;
    *fracPart = digits.mid(point);
}

bool isNumberPlaceholder(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char(',') || c == QLatin1Char('.');
}

// One section applied to a >= 0; `sign` is written in front when the text is not all zeros.
QString formatNumberSection(double a, const QString &section, bool sign)
{
    int first = -1, last = -1;
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && c == QLatin1Char('\\')) {
            ++i;
        } else if (!quoted && isNumberPlaceholder(c)) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return patternLiteral(section);
    if (section.contains(QLatin1Char('%')))
        a *= 100;
    const QString num = section.mid(first, last - first + 1);
    const int dot = int(num.indexOf(QLatin1Char('.')));
    const QString intPat = dot < 0 ? num : num.left(dot);
    QString fracPat = dot < 0 ? QString() : num.mid(dot + 1);
    fracPat.remove(QLatin1Char(','));
    const bool group = intPat.contains(QLatin1Char(','));
    const int minInt = int(intPat.count(QLatin1Char('0')));
    const int fracMax = int(fracPat.size());
    const int fracMin = int(fracPat.count(QLatin1Char('0')));

    QString ip, fp;
    roundedDigits(a, fracMax, &ip, &fp);
    while (fp.size() > fracMin && fp.endsWith(QLatin1Char('0')))
        fp.chop(1);
    if (ip == QLatin1String("0") && minInt == 0)
        ip.clear();
    while (ip.size() < minInt)
        ip.prepend(QLatin1Char('0'));
    if (group) {
        for (qsizetype i = ip.size() - 3; i > 0; i -= 3)
            ip.insert(i, QLatin1Char(','));
    }
    QString body = ip;
    if (!fp.isEmpty())
        body += QLatin1Char('.') + fp;
    else if (dot >= 0 && fracMax > 0 && fracMin > 0)
        body += QLatin1Char('.');
    const bool allZero =
        std::all_of(body.cbegin(), body.cend(), [](QChar c) { return c == '0' || c == ',' || c == '.'; });
    // "-0" is never written: a value that rounds to nothing prints unsigned.
    const QString minus = sign && !allZero ? QStringLiteral("-") : QString();
    return minus + patternLiteral(section.left(first)) + body + patternLiteral(section.mid(last + 1));
}

QString formatNumber(double d, const QString &pattern)
{
    // Sections positive;negative;zero. An empty or missing negative section prints the value
    // with the positive one and a minus sign; an empty or missing zero section uses the
    // positive one.
    const QStringList sections = numberSections(pattern);
    if (d < 0) {
        if (sections.size() >= 2 && !sections.at(1).isEmpty())
            return formatNumberSection(-d, sections.at(1), false);
        return formatNumberSection(-d, sections.at(0), true);
    }
    if (d == 0 && sections.size() >= 3 && !sections.at(2).isEmpty())
        return formatNumberSection(0, sections.at(2), false);
    return formatNumberSection(d, sections.at(0), false);
}

QString formatText(const QString &text, const QString &pattern)
{
    // "@" placeholders take characters from the right unless "!" asks for left fill.
    const bool left = pattern.startsWith(QLatin1Char('!'));
    const QString pat = left ? pattern.mid(1) : pattern;
    const int slots = int(pat.count(QLatin1Char('@')));
    QString src = text;
    QString filled;
    if (left) {
        int k = 0;
        for (QChar c : pat) {
            if (c == QLatin1Char('@'))
                filled += k < src.size() ? src.at(k++) : QLatin1Char(' ');
            else
                filled += c;
        }
        return filled;
    }
    const int pad = slots - int(src.size());
    int k = 0;
    int slot = 0;
    for (QChar c : pat) {
        if (c == QLatin1Char('@')) {
            if (slot++ < pad)
                filled += QLatin1Char(' ');
            else
                filled += k < src.size() ? src.at(k++) : QLatin1Char(' ');
        } else {
            filled += c;
        }
    }
    if (pad < 0) // more characters than placeholders: the surplus stays in front
        filled = src.left(-pad) + filled;
    return filled;
}

} // namespace

QString format(const QVariant &v, const QString &pattern)
{
    if (!v.isValid() || v.isNull())
        return QString();
    if (pattern.isEmpty())
        return cstr(v);
    if (pattern.contains(QLatin1Char('@')))
        return formatText(cstr(v), pattern);
    const bool datePattern = pattern.contains(QRegularExpression(QStringLiteral("[yYdDhHnNsS]|mm")));
    double d = 0;
    const bool numeric = isNumeric(v, &d);
    if (numeric && !std::isfinite(d)) // an infinity has no text, as a number or a date
        return QString();
    if (!datePattern && numeric)
        return formatNumber(d, pattern);
    if (datePattern) {
        QDateTime dt = toDateTime(v);
        if (!dt.isValid() && numeric)
            dt = fromSerial(d);
        if (dt.isValid())
            return formatDate(dt, pattern);
    }
    return cstr(v);
}

int ansiCharBytes(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F))
        return 1;
    return 2;
}

int ansiLength(const QString &s)
{
    int n = 0;
    for (QChar c : s)
        n += ansiCharBytes(c);
    return n;
}

QString ansiLeft(const QString &s, int maxBytes)
{
    int n = 0;
    int i = 0;
    for (; i < s.size(); ++i) {
        const int b = ansiCharBytes(s.at(i));
        if (n + b > maxBytes)
            break;
        n += b;
    }
    return s.left(i);
}

namespace
{

// Half-width katakana U+FF61..U+FF9F and their full-width forms, in order.
const char16_t kHalfKana[] = u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
const char16_t kFullKana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフ"
                             u"ヘホマミムメモヤユヨラリルレロワン゛゜";

// The full-width kana written as a half-width kana and a mark, in pairs of the same
// position: voiced ones with ﾞ, semi-voiced ones with ﾟ. The rest (ヷ ヺ ヵ ヶ ヮ ヰ ヱ ...)
// have no half-width form.
const char16_t kVoicedFull[] = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ";
const char16_t kVoicedHalf[] = u"ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎｳ";
const char16_t kSemiVoicedFull[] = u"パピプペポ";
const char16_t kSemiVoicedHalf[] = u"ﾊﾋﾌﾍﾎ";
constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;

// The position of c in the table's characters (its text without the terminator), or -1.
template <size_t N> int indexIn(const char16_t (&table)[N], char16_t c)
{
    const char16_t *p = std::char_traits<char16_t>::find(table, N - 1, c);
    return p ? int(p - table) : -1;
}

} // namespace

QString toWide(const QString &s)
{
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        const char16_t next = i + 1 < s.size() ? s.at(i + 1).unicode() : 0;
        if (u == 0x20) {
            out += QChar(0x3000);
        } else if (u > 0x20 && u < 0x7F) {
            out += QChar(char16_t(u + 0xFEE0));
        } else if (u >= 0xFF61 && u <= 0xFF9F) {
            // A mark joins the kana before it where the two make one full-width kana.
            const int voiced = next == kVoicedMark ? indexIn(kVoicedHalf, u) : -1;
            const int semi = next == kSemiVoicedMark ? indexIn(kSemiVoicedHalf, u) : -1;
            if (voiced >= 0) {
                out += QChar(kVoicedFull[voiced]);
                ++i;
            } else if (semi >= 0) {
                out += QChar(kSemiVoicedFull[semi]);
                ++i;
            } else {
                out += QChar(kFullKana[u - 0xFF61]);
            }
        } else {
            out += s.at(i);
        }
    }
    return out;
}

QString toNarrow(const QString &s)
{
    QString out;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == 0x3000) {
            out += QLatin1Char(' ');
        } else if (u > 0xFF00 && u < 0xFF5F) {
            out += QChar(char16_t(u - 0xFEE0));
        } else if (const int plain = indexIn(kFullKana, u); plain >= 0) {
            out += QChar(kHalfKana[plain]);
        } else if (const int voiced = indexIn(kVoicedFull, u); voiced >= 0) {
            out += QChar(kVoicedHalf[voiced]);
            out += QChar(kVoicedMark);
        } else if (const int semi = indexIn(kSemiVoicedFull, u); semi >= 0) {
            out += QChar(kSemiVoicedHalf[semi]);
            out += QChar(kSemiVoicedMark);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vb
