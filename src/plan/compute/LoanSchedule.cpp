#include "LoanSchedule.h"

#include "Annuity.h"
#include "PlanYears.h"
#include "cBase.h"

#include <algorithm>

LoanSchedule::LoanSchedule(const LoanRow &row)
{
    const cBase base;
    m_amount = base.CvtLng(row.amount);
    m_method = base.CvtLng(row.method);
    m_term = base.CvtLng(row.term);
    m_end1 = std::max(0, base.CvtLng(row.end1));
    m_secondPeriod = base.CvtLng(row.end2) > m_end1;
    m_rate1 = base.CvtDbl(row.rate1);
    m_rate2 = base.CvtDbl(row.rate2);
    if (m_method != LoanRow::LevelPayment || m_term < 1 || m_amount == 0)
        return;

    const double months = double(m_term) * 12;
    const int horizon = std::min(m_term, kPlanYears) * 12;
    // The month after which the second rate applies; none when the term ends first.
    const bool switches = m_secondPeriod && m_end1 < m_term;
    const int64_t firstMonths = switches ? int64_t(m_end1) * 12 : horizon;
    m_monthInterest.reserve(size_t(horizon));
    m_monthPrincipal.reserve(size_t(horizon));

    const Annuity first(m_rate1 / 100 / 12, months, m_amount);
    appendMonths(first, 1, std::min<int64_t>(firstMonths, horizon), 0);
    if (firstMonths >= horizon)
        return;
    // What is still owed when the second period starts is repaid over the months left.
    const Annuity second(m_rate2 / 100 / 12, months - double(firstMonths), first.balanceAfter(double(firstMonths)));
    appendMonths(second, firstMonths + 1, horizon, firstMonths);
}

void LoanSchedule::appendMonths(const Annuity &annuity, int64_t from, int64_t to, int64_t offset)
{
    // The balance at the start of each year comes from the closed form; the months of
    // the year follow from it, so a long loan needs one power a year, not one a month.
    double balance = 0;
    for (int64_t k = from; k <= to; ++k) {
        const int64_t period = k - offset;
        if (k == from || (k - 1) % 12 == 0)
            balance = annuity.balanceAfter(double(period - 1));
        const double interest = balance * annuity.rate();
        const double principal = annuity.payment() - interest;
        m_monthInterest.push_back(interest);
        m_monthPrincipal.push_back(principal);
        balance -= principal;
    }
}

bool LoanSchedule::contributes(int year) const
{
    return m_term >= 1 && year <= m_term && m_amount != 0 && year >= 1 && year <= kPlanYears;
}

double LoanSchedule::rateOfYear(int year) const
{
    if (year <= m_end1 || !m_secondPeriod)
        return m_rate1;
    return m_rate2;
}

void LoanSchedule::addInterest(int year, double &sum) const
{
    if (!contributes(year))
        return;
    if (m_method == LoanRow::LevelPayment) {
        for (int m = (year - 1) * 12; m < year * 12; ++m)
            sum += m_monthInterest[size_t(m)];
    } else if (m_method == LoanRow::LevelPrincipal) {
        sum += double(m_amount) / m_term * (m_term - year + 1) * rateOfYear(year) / 100;
    }
}

void LoanSchedule::addPrincipal(int year, double &sum) const
{
    if (!contributes(year))
        return;
    if (m_method == LoanRow::LevelPayment) {
        for (int m = (year - 1) * 12; m < year * 12; ++m)
            sum += m_monthPrincipal[size_t(m)];
    } else if (m_method == LoanRow::LevelPrincipal) {
        sum += double(m_amount) / m_term;
    }
}
