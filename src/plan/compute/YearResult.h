#pragma once

#include "Currency.h"
#include "PlanType.h"

#include <optional>

/// The three result rows of one plan year, before they are made whole numbers for
/// storage. Columns a plan type does not write are empty and stay NULL.
struct YearResult {
    int year = 0;
    PlanType type = PlanType::Parking; ///< TYPE of T_収支

    /// T_収支
    struct Summary {
        Currency income;  ///< 収入
        Currency expense; ///< 支出: cash expenditure
        Currency balance; ///< 収支累計: running balance after the year
    } summary;

    /// T_収支計画
    struct CashFlow {
        Currency income1;                ///< 収入1
        std::optional<Currency> income2; ///< 収入2
        Currency incomeTotal;            ///< 収入計
        Currency out1;                   ///< 支出1
        Currency out2;                   ///< 支出2
        Currency out3;                   ///< 支出3
        std::optional<Currency> out4;    ///< 支出4
        Currency outTotal;               ///< 支出計
        Currency balance;                ///< 累計
    } cashFlow;

    /// T_損益計算
    struct ProfitLoss {
        Currency income1;                ///< 収入1
        std::optional<Currency> income2; ///< 収入2
        Currency incomeTotal;            ///< 収入計
        Currency out1;                   ///< 支出1
        Currency out2;                   ///< 支出2
        Currency out3;                   ///< 支出3
        std::optional<Currency> out4;    ///< 支出4
        std::optional<Currency> out5;    ///< 支出5
        std::optional<Currency> out6;    ///< 支出6
        Currency outTotal;               ///< 支出計
    } profitLoss;
};
