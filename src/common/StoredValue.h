#pragma once

#include <QVariant>

/// The value a field stores for a control's value, bound as it is, and the kind the
/// field is written as (cBase::SqlText, SqlLong, SqlDouble): the trimmed text, a whole
/// number (halves to even) within the 32-bit column, or a double; null for an empty
/// value, as the SQL literals have it. A number that does not fit its column throws
/// std::overflow_error: it is never stored cut to the limit.
QVariant storedValue(const QVariant &value, int kind);
