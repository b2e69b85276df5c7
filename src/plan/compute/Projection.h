#pragma once

#include "Currency.h"
#include "ErrorTrap.h"
#include "LoanSchedule.h"
#include "PlanYears.h"
#include "YearResult.h"

#include <QString>
#include <QVector>

#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <vector>

/// What the parking and apartment projections share: the running balance that one
/// year hands to the next and the year's result rows. A projection is a pure
/// computation over its inputs: Compute(year) must be called for the years 1 to 75
/// in ascending order, each once, after the balance was set to 0. A failing step
/// throws a ProcedureError naming the step, with the runtime's message, for the
/// error log of the form that registers the plan.
class Projection
{
public:
    static constexpr int Years = kPlanYears;

    virtual ~Projection() = default;

    /// Computes one year (1 to 75) and advances the running balance.
    virtual void Compute(int year) = 0;
    /// The result rows of the year that Compute computed last.
    const YearResult &result() const { return m_result; }

    Currency balance() const { return m_balance; }
    void setBalance(Currency balance) { m_balance = balance; }

    /// Years 1 to 75 from a zero balance.
    QVector<YearResult> computeAll();

    /// The loan principal (interest) of the year, summed over the plan's loan rows.
    void GetOutGankin(int year, Currency &amount);
    void GetOutKinri(int year, Currency &amount);

protected:
    Projection() = default;

    /// A year outside 1 to 75 is an invalid argument of the step that asks for it.
    static void requireYear(int year);

    /// Runs body as the named step: an error leaves as a ProcedureError of the step,
    /// an overflow in the runtime's words.
    template <class F> static void step(const char *procedure, F &&body)
    {
        asStep(procedure, [&] {
            try {
                body();
            } catch (const std::overflow_error &) {
                throw std::overflow_error("オーバーフローしました。");
            }
        });
    }
    /// Currency(x) of a term's double (four decimals, as the runtime converts), with
    /// the last value of the term remembered: most terms keep it for many years.
    struct Conversion {
        double value = 0;
        Currency amount;
        bool valid = false;
    };
    static Currency toCurrency(double value, Conversion &last)
    {
        if (!last.valid || value != last.value || std::signbit(value) != std::signbit(last.value)) {
            last.amount = Currency::fromDouble(value); // throws before anything is remembered
            last.value = value;
            last.valid = true;
        }
        return last.amount;
    }
    /// A product of the runtime's 32-bit Long values: empty when it leaves the 32-bit
    /// range, which is an overflow of the term that uses it, never a wider value.
    static std::optional<int32_t> longProduct(std::initializer_list<int32_t> factors)
    {
        int32_t product = 1;
        for (int32_t f : factors)
            if (__builtin_mul_overflow(product, f, &product))
                return std::nullopt;
        return product;
    }
    /// Makes a sum whole, halves to even, without clamping (the registration refuses
    /// what does not fit its column instead).
    static Currency whole(Currency value) { return Currency::fromInt(value.roundToInt()); }
    /// True when a rise every `interval` years falls in `year`: years interval + 1,
    /// 2 * interval + 1, ...; an interval of 1 rises every year from year 2, 0 never.
    static bool risesIn(int year, int interval) { return interval >= 1 && year >= 2 && (year - 1) % interval == 0; }

    /// Schedules of the plan's loan rows, which GetOutGankin and GetOutKinri sum.
    void setLoans(const QVector<LoanRow> &rows)
    {
        m_loans.clear();
        m_loans.reserve(size_t(rows.size()));
        for (const LoanRow &row : rows)
            m_loans.emplace_back(row);
    }

    Currency m_balance;
    YearResult m_result;

private:
    using LoanPart = void (LoanSchedule::*)(int year, double &sum) const;
    /// The named step: one part of every loan row's repayment in the year, summed.
    void sumLoans(const char *procedure, LoanPart part, int year, Currency &amount, Conversion &last) const;

    std::vector<LoanSchedule> m_loans;
    Conversion m_lastGankin;
    Conversion m_lastKinri;
};
