#pragma once

#include "LoanSchedule.h"
#include "ParkingPlanInput.h"
#include "Projection.h"

#include <array>
#include <vector>

/// The yearly values of a parking plan, in thousand yen.
struct ParkingYearFigures {
    Currency income;        ///< fee income after rises and vacancy
    Currency principal;     ///< loan principal repaid
    Currency interest;      ///< loan interest
    Currency landTax;       ///< land fixed-asset and city-planning taxes
    Currency firstYearCost; ///< the budget total in year 1, else 0
    Currency cashExpense;   ///< principal + interest + land tax, whole
    Currency plExpense;     ///< interest + land tax + first-year cost, whole
};

/// The 75-year projection of a parking plan (plan type 1): fee income less vacancy,
/// land taxes on a rising land value, loan repayments, and the paving budget as a
/// profit-and-loss expense of year 1 only. The running balance carries the income's
/// four decimals; the stored rows make every figure whole.
class ParkingProjection : public Projection
{
public:
    explicit ParkingProjection(const ParkingPlanInput &input);

    void Compute(int year) override;
    const ParkingYearFigures &figures() const { return m_fig; }

    void GetInTyusya(int year, Currency &amount);
    void GetOutToti(int year, Currency &amount);
    void GetOutSyokei(int year, Currency &amount);

private:
    double m_vacancy = 0;
    double m_landTaxRate = 0;
    double m_cityTaxRate = 0;
    int32_t m_budgetTotal = 0;
    bool m_feeOverflow = false;
    // Fee income before vacancy and land value, by year (index 1 to 75).
    std::array<double, Years + 1> m_feeLevel{};
    std::array<double, Years + 1> m_landLevel{};
    ParkingYearFigures m_fig;
    enum Term { Tyusya, Toti, TermCount };
    std::array<Conversion, TermCount> m_last{};
};
