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

constexpr int64_t kPow10[] = {1,
                              10,
                              100,
                              1000,
                              10000,
                              100000,
                              1000000,
                              10000000,
                              100000000,
                              1000000000,
                              10000000000,
                              100000000000,
                              1000000000000,
                              10000000000000,
                              100000000000000,
                              1000000000000000,
                              10000000000000000,
                              100000000000000000,
                              1000000000000000000};

// The 15 significant digits of mantissa * 2^-shift * 10^p, rounded to nearest;
// false on an exact tie.
bool roundDigits(uint64_t mantissa, int shift, int p, __int128 *digits)
{
    const __int128 num = __int128(mantissa) * kPow10[p];
    const __int128 q = num >> shift;
    const __int128 r = num - (q << shift);
    const __int128 half = __int128(1) << (shift - 1);
    if (r == half)
        return false;
    *digits = q + (r > half ? 1 : 0);
    return true;
}

// The definition: the 15-digit decimal form of the double, rounded to four places
// with halves to even, so 0.00015 (stored as 0.000149999..) rounds as the decimal
// the user typed.
Currency fromDoubleViaText(double value)
{
    if (!std::isfinite(value))
        throw CurrencyOverflow();
    Currency c;
    if (std::fabs(value) < 9e14 && Currency::tryParse(QString::number(value, 'g', 15), &c))
        return c;
    const double scaled = roundHalfEven(value * Currency::Scale);
    if (scaled >= 9.2233720368547758e18 || scaled < -9.2233720368547758e18)
        throw CurrencyOverflow();
    return Currency::fromRaw(int64_t(scaled));
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
    // The same value as fromDoubleViaText, with the 15-digit rounding done exactly in
    // integers; ties there, exponent forms and large values take the text route.
    const double a = std::fabs(value);
    // Below 1e-4 the runtime's 15-digit text has an exponent; from 9e14 on it is not used.
    if (!(a >= 2e-4 && a < 9e14))
        return fromDoubleViaText(value);
    int e2 = 0;
    const double m = std::frexp(a, &e2);
    const uint64_t mantissa = uint64_t(std::ldexp(m, 53)); // a = mantissa * 2^(e2 - 53), exactly
    const int shift = 53 - e2;                             // 4 to 66 in this range
    int k = int(std::floor(std::log10(a)));                // decimal exponent, corrected below
    __int128 digits = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int p = 14 - k;
        if (p < 0 || p > 18)
            return fromDoubleViaText(value);
        if (!roundDigits(mantissa, shift, p, &digits))
            return fromDoubleViaText(value);
        if (digits < kPow10[14]) {
            --k;
            continue;
        }
        if (digits > kPow10[15]) {
            ++k;
            continue;
        }
        if (digits == kPow10[15]) { // rounded up to the next power of ten
            digits = kPow10[14];
            ++k;
        }
        if (k < -4)
            return fromDoubleViaText(value);
        // The digits times 10^(k - 14), in ten-thousandths.
        const int64_t raw = k >= 10 ? int64_t(digits) * kPow10[k - 10] : roundHalfEvenDiv(digits, kPow10[10 - k]);
        return fromRaw(value < 0 ? -raw : raw);
    }
    return fromDoubleViaText(value);
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
    // Keep every fractional digit so the rounding to four places is exact.
    __int128 fracNum = 0, fracDen = 1;
    for (QChar c : fracPart.left(30)) {
        fracNum = fracNum * 10 + (c.unicode() - '0');
        fracDen *= 10;
    }
    try {
        __int128 total = whole * fracDen + fracNum;
        if (neg)
            total = -total;
        *out = fromRaw(roundHalfEvenDiv(total * Scale, fracDen));
    } catch (const std::exception &) {
        return false;
    }
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
