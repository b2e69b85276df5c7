#pragma once

#include <QString>

#include <array>
#include <cstdint>

/// The years a plan window shows for one display interval, handed to the readers
/// as one value: the fifteen display years (ascending), the condition on 年 that
/// bounds the yearly rows from above, and the condition on SK.年 that selects the
/// fifteen years of the yearly report. An interval that was never valid has zero
/// years and empty conditions.
struct YearView {
    int interval = 0; ///< 1 every year, 2 every second year, 3 every fifth year, 4 automatic
    std::array<int, 15> years{};
    QString filter;   ///< condition on 年, e.g. "年 <= 15"
    QString filterSK; ///< condition on SK.年, e.g. "SK.年 % 2 = 0 AND SK.年 <= 30"

    /// The last display year: the table lists every year up to it.
    int lastYear() const { return years.back(); }

    /// The view of the shell's module settings (the year list at indexes 1 to 15).
    static YearView fromSettings(int interval, const std::array<int16_t, 16> &years1To15, const QString &filter,
                                 const QString &filterSK);
};
