#pragma once

/// A loan of present value pv repaid in nper level payments at the end of each
/// period at a constant rate per period, with nothing left over. It answers the
/// parts of each payment as positive amounts (for a positive pv); the runtime's
/// IPMT and PPMT (Financial.h) are these parts negated. The constants of the
/// schedule are worked out once, so walking every period of a long loan stays
/// cheap. A rate of 0 gives no interest and a principal part of pv / nper.
class Annuity
{
public:
    /// Throws std::domain_error when nper is below 1.
    Annuity(double rate, double nper, double pv);

    double rate() const { return m_rate; }
    double payment() const { return m_payment; }
    /// Interest part of payment `per` (1 to nper); throws std::domain_error outside.
    double interest(double per) const;
    /// Principal part of payment `per`.
    double principal(double per) const { return m_payment - interest(per); }
    /// Balance still owed after `paid` payments (0 to nper).
    double balanceAfter(double paid) const;

private:
    double m_rate;
    double m_nper;
    double m_pv;
    double m_log = 0;   // log(1 + rate)
    double m_denom = 0; // (1 + rate)^-nper - 1
    double m_payment;
};
