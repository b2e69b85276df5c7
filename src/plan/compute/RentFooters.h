#pragma once

#include "RentRow.h"

#include <QVector>

#include <cstdint>

/// The three totals under the rent grid, which are the base of an apartment plan's
/// income: monthly rent with common charge, monthly parking fees and deposits, each
/// summed over the rows times their households. The sums are exact 64-bit integers.
struct RentFooters {
    int64_t rent = 0;    ///< footer of 月共益費: sum of (月家賃 + 月共益費) × 世帯数
    int64_t parking = 0; ///< footer of 月駐車料: sum of 月駐車料 × 世帯数
    int64_t deposit = 0; ///< footer of 敷金: sum of 敷金 × 世帯数

    /// Throws CurrencyOverflow when a total leaves the 64-bit range.
    static RentFooters fromRows(const QVector<RentRow> &rows);
};
