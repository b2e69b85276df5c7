#include "Currency.h"

#include <cmath>
#include <limits>

namespace
{

int64_t checked(__int128 v)
{
    if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
        throw CurrencyOverflow();
    return int64_t(v);
}

} // namespace

int64_t roundHalfEvenDiv(__int128 num, __int128 den)
{
    if (den == 0)
        throw std::domain_error("Division by zero");
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 q = num / den;
    __int128 r = num % den;
    if (r < 0) { // make the remainder non-negative so q is the floor
        r += den;
        q -= 1;
    }
    const __int128 twice = r * 2;
    if (twice > den || (twice == den && (q % 2 != 0)))
        q += 1;
    return checked(q);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // default rounding mode is to nearest, ties to even
}

Currency Currency::fromInt(int64_t units)
{
    return fromRaw(checked(__int128(units) * Scale));
}

Currency Currency::fromDouble(double value)
{
    // The runtime's conversion of a double: scaled to ten-thousandths in double
    // arithmetic, then rounded to the nearest whole number with halves to even.
    if (!std::isfinite(value))
        throw CurrencyOverflow();
    const double scaled = roundHalfEven(value * Scale);
    if (scaled >= 9.2233720368547758e18 || scaled < -9.2233720368547758e18)
        throw CurrencyOverflow();
    return fromRaw(int64_t(scaled));
}

bool Currency::tryParse(const QString &text, Currency *out)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    if (t.isEmpty())
        return false;
    bool neg = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        neg = t.startsWith(QLatin1Char('-'));
        t = t.mid(1);
    }
    const int dot = t.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? t : t.left(dot);
    const QString fracPart = dot < 0 ? QString() : t.mid(dot + 1);
    if (intPart.isEmpty() && fracPart.isEmpty())
        return false;
    for (QChar c : intPart + fracPart)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    __int128 whole = 0;
    for (QChar c : intPart) {
        whole = whole * 10 + (c.unicode() - '0');
        if (whole > __int128(std::numeric_limits<int64_t>::max()))
            return false;
    }
    // Four places are all the type holds: a digit past them that is not 0 would be
    // lost, so such text is refused rather than rounded behind the user's back.
    int64_t frac = 0;
    for (int i = 0; i < 4; ++i)
        frac = frac * 10 + (i < fracPart.size() ? fracPart.at(i).unicode() - '0' : 0);
    for (qsizetype i = 4; i < fracPart.size(); ++i)
        if (fracPart.at(i) != QLatin1Char('0'))
            return false;
    __int128 units = whole * Scale + frac;
    if (neg)
        units = -units;
    if (units > std::numeric_limits<int64_t>::max() || units < std::numeric_limits<int64_t>::min())
        return false;
    *out = fromRaw(int64_t(units));
    return true;
}

int64_t Currency::roundToInt() const
{
    return roundHalfEvenDiv(m_raw, Scale);
}

int64_t Currency::floor() const
{
    int64_t q = m_raw / Scale;
    if (m_raw % Scale < 0)
        --q;
    return q;
}

QString Currency::toString() const
{
    const bool neg = m_raw < 0;
    const uint64_t a = neg ? uint64_t(0) - uint64_t(m_raw) : uint64_t(m_raw);
    QString s = QString::number(a / Scale);
    uint64_t frac = a % Scale;
    if (frac) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return neg ? QLatin1Char('-') + s : s;
}

Currency Currency::operator+(Currency o) const
{
    return fromRaw(checked(__int128(m_raw) + o.m_raw));
}

Currency Currency::operator-(Currency o) const
{
    return fromRaw(checked(__int128(m_raw) - o.m_raw));
}

Currency Currency::operator-() const
{
    return fromRaw(checked(-__int128(m_raw)));
}

Currency Currency::operator*(Currency o) const
{
    return fromRaw(roundHalfEvenDiv(__int128(m_raw) * o.m_raw, Scale));
}

Currency Currency::operator*(int64_t n) const
{
    return fromRaw(checked(__int128(m_raw) * n));
}

Currency Currency::operator/(Currency o) const
{
    return fromRaw(roundHalfEvenDiv(__int128(m_raw) * Scale, o.m_raw));
}

Currency Currency::operator/(int64_t n) const
{
    return fromRaw(roundHalfEvenDiv(m_raw, n));
}
