#include "ParkingProjection.h"

#include "cBase.h"

#include <stdexcept>

ParkingProjection::ParkingProjection(const ParkingPlanInput &in)
{
    const cBase base;
    m_vacancy = base.CvtDbl(in.numKeikaku1);
    m_landTaxRate = base.CvtDbl(in.numSikiti3);
    m_cityTaxRate = base.CvtDbl(in.numSikiti4);
    m_budgetTotal = base.CvtLng(in.numYosan4);

    // The fee and the land value rise by compound steps; a year's level is the
    // previous year's times the rise when the year is a rise year.
    const int feeInterval = base.CvtLng(in.numKeikaku4);
    const double feeRise = base.CvtDbl(in.numKeikaku5);
    const int landInterval = base.CvtLng(in.numKeikaku2);
    const double landRise = base.CvtDbl(in.numKeikaku3);
    // Cars times fee times 12 months is a Long product: past 32 bits the income fails.
    const std::optional<int32_t> yearlyFee = longProduct({base.CvtLng(in.numRyokin2), base.CvtLng(in.numRyokin3), 12});
    m_feeOverflow = !yearlyFee;
    m_feeLevel[1] = yearlyFee.value_or(0);
    m_landLevel[1] = base.CvtLng(in.numSikiti2) * base.CvtDbl(in.numSikiti1);
    for (int i = 2; i <= Years; ++i) {
        m_feeLevel[i] = risesIn(i, feeInterval) ? (feeRise / 100 + 1) * m_feeLevel[i - 1] : m_feeLevel[i - 1];
        m_landLevel[i] = risesIn(i, landInterval) ? (landRise / 100 + 1) * m_landLevel[i - 1] : m_landLevel[i - 1];
    }

    setLoans(in.loans);
}

void ParkingProjection::GetInTyusya(int year, Currency &amount)
{
    step("GetInTyusya", [&] {
        requireYear(year);
        if (m_feeOverflow)
            throw std::overflow_error("Long overflow");
        amount = toCurrency((100 - m_vacancy) * m_feeLevel[year] * 0.01, m_last[Tyusya]);
    });
}

void ParkingProjection::GetOutToti(int year, Currency &amount)
{
    step("GetOutToti", [&] {
        requireYear(year);
        const double v = m_landLevel[year];
        amount = toCurrency(m_landTaxRate * v / 100 + m_cityTaxRate * v / 100, m_last[Toti]);
    });
}

void ParkingProjection::GetOutSyokei(int year, Currency &amount)
{
    step("GetOutSyokei", [&] {
        requireYear(year);
        amount = Currency::fromInt(year == 1 ? m_budgetTotal : 0);
    });
}

void ParkingProjection::Compute(int year)
{
    ParkingYearFigures f;
    GetInTyusya(year, f.income);
    GetOutGankin(year, f.principal);
    GetOutKinri(year, f.interest);
    GetOutToti(year, f.landTax);
    GetOutSyokei(year, f.firstYearCost);
    step("Compute", [&] {
        // The first-year cost is an expense of the profit-and-loss statement only.
        f.cashExpense = whole(f.principal + f.interest + f.landTax);
        f.plExpense = whole(f.interest + f.landTax + f.firstYearCost);
        // The balance keeps the income's decimals; only the stored figures are whole.
        const Currency balance = m_balance + f.income - f.cashExpense;

        YearResult r;
        r.year = year;
        r.type = PlanType::Parking;
        r.summary = {f.income, f.cashExpense, balance};
        r.cashFlow.income1 = f.income;
        r.cashFlow.incomeTotal = f.income;
        r.cashFlow.out1 = f.principal + f.interest;
        r.cashFlow.out2 = f.landTax;
        r.cashFlow.out3 = f.firstYearCost;
        r.cashFlow.outTotal = f.cashExpense;
        r.cashFlow.balance = balance;
        r.profitLoss.income1 = f.income;
        r.profitLoss.incomeTotal = f.income;
        r.profitLoss.out1 = f.interest;
        r.profitLoss.out2 = f.landTax;
        r.profitLoss.out3 = f.firstYearCost;
        r.profitLoss.outTotal = f.plExpense;

        m_fig = f;
        m_result = r;
        m_balance = balance;
    });
}
