#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <compare>
#include <cstdint>
#include <stdexcept>

/// The runtime's fixed-point money type: a 64-bit count of ten-thousandths.
/// Every conversion into it rounds to four decimals with halves to the even
/// neighbour (banker's rounding); arithmetic that leaves the 64-bit range throws
/// CurrencyOverflow rather than wrapping, so a bad figure is never stored.
class CurrencyOverflow : public std::overflow_error
{
public:
    CurrencyOverflow() : std::overflow_error("Currency overflow") {}
};

class Currency
{
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    /// Whole units (thousand yen in this program).
    static Currency fromInt(int64_t units);
    /// A computed double as the runtime converts it: times 10,000 in double, then
    /// rounded halves to even; throws when out of range or not finite.
    static Currency fromDouble(double value);
    static constexpr Currency fromRaw(int64_t tenThousandths)
    {
        Currency c;
        c.m_raw = tenThousandths;
        return c;
    }
    /// Text typed or read as a number ("-1,234.5678"), exact to the last of its four
    /// places; false when the text is not a number, has a digit other than 0 past the
    /// fourth decimal, or lies outside -922337203685477.5808 to 922337203685477.5807.
    static bool tryParse(const QString &text, Currency *out);

    constexpr int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    /// Whole units, halves to even (the runtime's CLng rule).
    int64_t roundToInt() const;
    /// Integer part towards zero (the runtime's Fix).
    int64_t fix() const { return m_raw / Scale; }
    /// Largest whole value not above (the runtime's Int).
    int64_t floor() const;
    /// Plain text with up to four decimals and no grouping, e.g. "-12.5".
    QString toString() const;

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency operator-() const;
    /// Product rounded to four decimals, halves to even.
    Currency operator*(Currency o) const;
    Currency operator*(int64_t n) const;
    /// Quotient rounded to four decimals, halves to even; throws on a zero divisor.
    Currency operator/(Currency o) const;
    Currency operator/(int64_t n) const;
    Currency &operator+=(Currency o) { return *this = *this + o; }
    Currency &operator-=(Currency o) { return *this = *this - o; }

    constexpr auto operator<=>(const Currency &) const = default;
    constexpr bool isZero() const { return m_raw == 0; }

private:
    int64_t m_raw = 0;
};

Q_DECLARE_METATYPE(Currency)

/// Rounds a 128-bit numerator over a positive denominator, halves to even.
int64_t roundHalfEvenDiv(__int128 num, __int128 den);
/// Rounds a double to the nearest integer, halves to even (exact for the double given).
double roundHalfEven(double value);
