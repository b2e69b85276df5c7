#pragma once

#include "Currency.h"

#include <QVariant>

#include <array>

/// The totals the apartment entry form derives from its budget boxes while the user
/// edits them: the budget total, and the depreciation base and residual value. The
/// arguments are the boxes' values (an empty or non-numeric box counts as 0); the
/// results are what the form puts into its total boxes. A total outside the money
/// range throws CurrencyOverflow, for the form's handler to log.
class BudgetTotals
{
public:
    /// The values of numYosan1 .. numYosan11, in that order.
    using Items = std::array<QVariant, 11>;

    struct Genka {
        Currency base;     ///< numGenka4 償却額
        Currency residual; ///< numGenka5 残存額
    };

    /// numYosan12 建設予算総額: the sum of the eleven budget items.
    static Currency YosanTotal(const Items &numYosan);
    /// numGenka4, the construction contract amount numYosan1 plus its consumption tax
    /// numYosan2, and numGenka5, its residual value for the depreciation method
    /// (the index of cmbGenka1: 0 定率法, 1 定額法, -1 none chosen).
    static Genka GenkaTotal(const QVariant &numYosan1, const QVariant &numYosan2, int cmbGenka1);
    /// The residual value filled in for a base: with the straight-line method the
    /// whole part of a tenth of it, so it never exceeds the tenth that the
    /// registration allows; with any other method 0.
    static Currency Residual(Currency base, int cmbGenka1);
};
