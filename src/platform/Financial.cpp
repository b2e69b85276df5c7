#include "Financial.h"

#include "Annuity.h"

namespace vb
{

double IPMT(double rate, double per, double nper, double pv)
{
    return -Annuity(rate, nper, pv).interest(per);
}

double PPMT(double rate, double per, double nper, double pv)
{
    return -Annuity(rate, nper, pv).principal(per);
}

} // namespace vb
