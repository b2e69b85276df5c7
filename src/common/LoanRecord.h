#pragma once

#include "LoanRow.h"

#include <QString>
#include <QVariant>

#include <cstdint>

/// One loan of a plan as its row of W_借入金 / D_借入金 holds it, every field.
/// Values are as stored: a null variant for NULL. The second rate period is either
/// complete (start, end and rate) or absent (all three NULL).
struct LoanRecord {
    int32_t id1 = 0;    ///< ID1: property number
    int32_t id2 = 0;    ///< ID2: plan number
    int32_t renban = 0; ///< 連番: loan number 1..3
    QVariant lender;    ///< 借入先名称
    QVariant amount;    ///< 借入金額, thousand yen
    QVariant method;    ///< 返済方式: 0 元利均等, 1 元金均等
    QVariant start1;    ///< 返済開始1: always 1
    QVariant end1;      ///< 返済終了1
    QVariant rate1;     ///< 金利1, percent
    QVariant start2;    ///< 返済開始2, or NULL
    QVariant end2;      ///< 返済終了2, or NULL
    QVariant rate2;     ///< 金利2, percent, or NULL
    QVariant term;      ///< 返済期間, years

    /// The fields the projections read.
    LoanRow toLoanRow() const
    {
        LoanRow r;
        r.amount = amount;
        r.method = method;
        r.end1 = end1;
        r.rate1 = rate1;
        r.end2 = end2;
        r.rate2 = rate2;
        r.term = term;
        return r;
    }
};
