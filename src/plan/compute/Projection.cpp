#include "Projection.h"

void Projection::requireYear(int year)
{
    if (year < 1 || year > Years)
        throw std::out_of_range("プロシージャの呼び出し、または引数が不正です。");
}

void Projection::GetOutGankin(int year, Currency &amount)
{
    sumLoans("GetOutGankin", &LoanSchedule::addPrincipal, year, amount, m_lastGankin);
}

void Projection::GetOutKinri(int year, Currency &amount)
{
    sumLoans("GetOutKinri", &LoanSchedule::addInterest, year, amount, m_lastKinri);
}

void Projection::sumLoans(const char *procedure, LoanPart part, int year, Currency &amount, Conversion &last) const
{
    step(procedure, [&] {
        requireYear(year);
        double sum = 0;
        for (const LoanSchedule &loan : m_loans)
            (loan.*part)(year, sum);
        amount = toCurrency(sum, last);
    });
}

QVector<YearResult> Projection::computeAll()
{
    QVector<YearResult> rows;
    rows.reserve(Years);
    m_balance = Currency();
    for (int year = 1; year <= Years; ++year) {
        Compute(year);
        rows.append(m_result);
    }
    return rows;
}
