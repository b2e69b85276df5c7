#pragma once

#include <QVariant>

/// The settings a projection depends on, filled by the caller from the module
/// settings and the CONST section of the settings file. The values are kept as read
/// (text or number); an absent key is an empty value and counts as 0.
struct ProjectionSettings {
    QVariant gTaxRate;   ///< consumption-tax rate, percent (entry rules only; the yearly figures do not use it)
    QVariant validYears; ///< CONST 有効期間: years, from year 1, with extra depreciation
    QVariant baseYear;   ///< CONST 基準年: a useful life below it takes 割増率1, otherwise 割増率2
    QVariant extraRate1; ///< CONST 割増率1
    QVariant extraRate2; ///< CONST 割増率2
};
