#pragma once

#include <cstdint>

/// One plan year of T_収支 as the plan window's graph and table show it; amounts in
/// thousand yen, read as 32-bit numbers (an empty value is 0).
struct ResultRow {
    int year = 0;        ///< 年
    int type = 0;        ///< TYPE: 1 parking, 2 apartment, 3 store
    int32_t income = 0;  ///< 収入
    int32_t expense = 0; ///< 支出: cash expenditure
    int32_t balance = 0; ///< 収支累計: running balance
};

/// The extremes of T_収支 over every plan of a property within the display years,
/// from which the graph takes its two scales; 0 where no row has a value.
struct ResultScales {
    int32_t maxBalance = 0; ///< MAX(収支累計)
    int32_t minBalance = 0; ///< MIN(収支累計)
    int32_t maxIncome = 0;  ///< MAX(収入)
    int32_t maxExpense = 0; ///< MAX(支出)
};
