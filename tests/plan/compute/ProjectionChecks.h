#pragma once

#include "Currency.h"
#include "ErrorTrap.h"
#include "LoanRow.h"
#include "YearResult.h"

#include <QString>
#include <QVector>

/// Shared helpers of the projection tests: money from text, loan rows, and the
/// identities every projected year must keep.
namespace ProjectionChecks
{

inline Currency money(const char *text)
{
    Currency c;
    Currency::tryParse(QString::fromLatin1(text), &c);
    return c;
}

/// A loan row as the loan dialog stores it; secondStart 0 means one rate.
inline LoanRow loan(int amount, int method, int term, double rate1, int secondStart = 0, double rate2 = 0)
{
    LoanRow r;
    r.amount = amount;
    r.method = method;
    r.term = double(term);
    r.rate1 = rate1;
    if (secondStart > 0) {
        r.end1 = secondStart - 1;
        r.end2 = term;
        r.rate2 = rate2;
    } else {
        r.end1 = term;
    }
    return r;
}

/// The step that body's failure names and its message, as "GetInYatin|message";
/// empty when body did not fail.
template <class F> QString failedStep(F &&body)
{
    try {
        body();
    } catch (const ProcedureError &e) {
        return e.procedure() + QLatin1Char('|') + e.message();
    }
    return QString();
}

/// Empty when every year keeps the identities, else the first broken one.
inline QString brokenIdentity(const QVector<YearResult> &rows)
{
    Currency previous;
    for (const YearResult &r : rows) {
        const QString at = QStringLiteral("year %1: ").arg(r.year);
        if (r.summary.balance - previous != r.summary.income - r.summary.expense)
            return at + QStringLiteral("balance change is not income - expenditure");
        if (r.cashFlow.balance != r.summary.balance || r.cashFlow.incomeTotal != r.summary.income ||
            r.cashFlow.outTotal != r.summary.expense)
            return at + QStringLiteral("cash-flow totals differ from the summary");
        if (r.profitLoss.incomeTotal != r.summary.income)
            return at + QStringLiteral("profit-and-loss income differs");
        if (r.summary.expense.raw() % Currency::Scale != 0)
            return at + QStringLiteral("expenditure is not whole");
        previous = r.summary.balance;
    }
    return QString();
}

} // namespace ProjectionChecks
