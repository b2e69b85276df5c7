#pragma once

#include "LoanRow.h"

#include <cstdint>
#include <vector>

class Annuity;

/// The repayment of one loan row, year by year, as both projections take it.
///
/// The rate of a year is 金利1 up to 返済終了1 and 金利2 after it when the row has a
/// second period (返済終了2 after 返済終了1); a year outside both periods keeps the
/// rate of the last one. A level-payment (元利均等) loan is an annuity of its whole
/// amount over its whole term, paid monthly; at the start of a second period the
/// balance still owed is spread anew over the remaining months at the new rate, so
/// the principal parts of every loan add up to its amount. A level-principal
/// (元金均等) loan repays amount / term a year with the year's interest on the balance
/// at the start of the year. Years past the term, a term or amount of 0 and an
/// unknown method add nothing.
class LoanSchedule
{
public:
    explicit LoanSchedule(const LoanRow &row);

    /// Adds the year's interest (principal) to sum, month by month for a
    /// level-payment loan, in the order the yearly terms sum them.
    void addInterest(int year, double &sum) const;
    void addPrincipal(int year, double &sum) const;
    /// Annual rate of the year, percent.
    double rateOfYear(int year) const;

private:
    bool contributes(int year) const;
    void appendMonths(const Annuity &annuity, int64_t from, int64_t to, int64_t offset);

    int32_t m_amount = 0;
    int32_t m_method = 0;
    int32_t m_term = 0;
    int32_t m_end1 = 0;
    bool m_secondPeriod = false;
    double m_rate1 = 0;
    double m_rate2 = 0;
    // Level payment: interest and principal part of each month, month 1 first,
    // for the months of the first 75 years of the term.
    std::vector<double> m_monthInterest;
    std::vector<double> m_monthPrincipal;
};
