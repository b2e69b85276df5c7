#pragma once

/// The runtime's annuity functions for a loan repaid in level payments at the end
/// of each period with nothing left over (future value 0). Both return the part
/// of payment `per` as the runtime does: negated, so a positive present value
/// gives negative parts. A rate of 0 gives no interest and a principal part of
/// pv / nper. A period outside 1..nper, or nper below 1, throws std::domain_error
/// (the runtime's "invalid procedure call").
namespace vb
{

double IPMT(double rate, double per, double nper, double pv);
double PPMT(double rate, double per, double nper, double pv);

} // namespace vb
