#include "Annuity.h"

#include <cmath>
#include <stdexcept>

namespace
{
const char *const kInvalidCall = "プロシージャの呼び出し、または引数が不正です。";
}

// The balance after k payments is pv * (q^N - q^k) / (q^N - 1) with q = 1 + rate.
// Written as pv * expm1((k - N) * log q) / expm1(-N * log q) it keeps its precision
// for tiny rates and stays finite for huge rates and long terms, where q^N overflows.
Annuity::Annuity(double rate, double nper, double pv) : m_rate(rate), m_nper(nper), m_pv(pv)
{
    if (!(nper >= 1))
        throw std::domain_error(kInvalidCall);
    if (rate == 0) {
        m_payment = pv / nper;
    } else {
        m_log = std::log1p(rate);
        m_denom = std::expm1(-nper * m_log);
        m_payment = pv * rate / -m_denom;
    }
}

double Annuity::interest(double per) const
{
    if (!(per >= 1) || per > m_nper)
        throw std::domain_error(kInvalidCall);
    return m_rate == 0 ? 0.0 : balanceAfter(per - 1) * m_rate;
}

double Annuity::balanceAfter(double paid) const
{
    if (!(paid >= 0) || paid > m_nper)
        throw std::domain_error(kInvalidCall);
    if (m_rate == 0)
        return m_pv * (m_nper - paid) / m_nper;
    return m_pv * std::expm1((paid - m_nper) * m_log) / m_denom;
}
