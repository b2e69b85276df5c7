#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

/// The forms runtime's loosely typed values and its conversion and formatting
/// helpers, as the services rely on them. A QVariant stands for the runtime's
/// variant: an invalid QVariant is Empty, a null one (vb::null(), or a database
/// NULL) is Null. Dates are QDate/QDateTime; the runtime's serial date (days
/// from 1899-12-30) converts with toSerial/fromSerial.
namespace vb
{

QVariant null();
bool isEmpty(const QVariant &v);
bool isNull(const QVariant &v);

/// The runtime's numeric test: numbers, booleans (true is -1) and text that reads
/// as a number (sign, digits, ".", exponent, "," grouping, blanks, "¥"/"\" symbol, &H hex).
/// A NaN is not numeric; an infinity is (and has no text form, see cstr).
bool isNumeric(const QVariant &v, double *out = nullptr);
/// True for date values and for text that reads as a date ("2001/1/5", "2001-01-05", "13:05").
bool isDate(const QVariant &v);
/// Date-time of a date value or date text; invalid when it is none.
QDateTime toDateTime(const QVariant &v);

/// General text form: "." decimal point, up to 15 significant digits, exponent form
/// "1E+20" for large or small magnitudes; dates in the short form "yyyy/MM/dd".
/// NaN and the infinities give "", so they read as an empty value.
QString cstr(const QVariant &v);
/// The runtime's Trim: removes leading and trailing blanks (U+0020) only.
QString trim(const QString &s);
QString numberText(double d);

/// Days from 1899-12-30 00:00, the time as a fraction of a day.
double toSerial(const QDateTime &dt);
QDateTime fromSerial(double serial);

/// The runtime's Format for the patterns the program uses: numbers ("#,##0", "##,###,##0",
/// "0.00", "####0.00", "###", "00", "0%", ...), dates ("yyyy/mm/dd", "hh:nn:ss",
/// "yyyy/mm/dd hh:mm:ss", "mm" after "hh" meaning minutes) and text placeholders ("@@/@@", "!@@@").
/// Number patterns take up to three sections, positive;negative;zero: an empty or missing
/// negative section writes the positive one with a minus sign, an empty or missing zero section
/// the positive one. Numbers round halves away from zero on their decimal digits (2.5 gives "3",
/// 0.125 at two places "0.13"), unlike Currency arithmetic. Numeric text formats as its number.
QString format(const QVariant &v, const QString &pattern);

/// Bytes of a text in the Japanese ANSI code page: one for ASCII and half-width
/// katakana, two for every other character.
int ansiCharBytes(QChar c);
int ansiLength(const QString &s);
/// The leading characters of s that fit in maxBytes, never half of a double-byte one.
QString ansiLeft(const QString &s, int maxBytes);

/// StrConv wide and narrow: ASCII and half-width katakana to and from full width.
QString toWide(const QString &s);
QString toNarrow(const QString &s);

} // namespace vb
