#pragma once

#include <QVariant>

/// One loan of a plan, as its row of W_借入金 / D_借入金 holds it. Each member is the
/// stored value (a null variant for NULL, an invalid one for an empty box) and is read
/// through cBase by the projections, so an empty value counts as 0.
struct LoanRow {
    /// Codes of 返済方式, the IDs of K_返済方式.
    enum Method { LevelPayment = 0, LevelPrincipal = 1 };

    QVariant amount; ///< 借入金額, thousand yen
    QVariant method; ///< 返済方式
    QVariant end1;   ///< 返済終了1: last year of the first rate period
    QVariant rate1;  ///< 金利1: annual rate of the first period, percent
    QVariant end2;   ///< 返済終了2: last year of the second period; NULL with one rate
    QVariant rate2;  ///< 金利2: annual rate of the second period, percent; NULL with one rate
    QVariant term;   ///< 返済期間: repayment term, years
};
