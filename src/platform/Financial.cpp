#include "Financial.h"

#include "Annuity.h"

namespace vb
{

double IPMT(double rate, double per, double nper, double pv)
{
    const double interest = Annuity(rate, nper, pv).interest(per);
    return interest == 0 ? 0.0 : -interest; // no "-0" at rate 0
}

double PPMT(double rate, double per, double nper, double pv)
{
    return -Annuity(rate, nper, pv).principal(per);
}

} // namespace vb
