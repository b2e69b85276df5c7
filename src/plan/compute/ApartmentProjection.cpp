#include "ApartmentProjection.h"

#include "cBase.h"

#include <algorithm>
#include <stdexcept>

namespace
{

// Buildings of this floor area per dwelling or more get the new-dwelling reduction
// of the building's fixed-asset tax, on their first 120 square metres per dwelling.
constexpr double kReducedFrom = 35.0;
constexpr double kReducedUpTo = 120.0;
// Residential land counts as small up to 200 square metres per dwelling.
constexpr double kSmallLand = 200.0;

} // namespace

ApartmentProjection::ApartmentProjection(const ApartmentPlanInput &in, const ProjectionSettings &settings)
{
    const cBase base;
    bool footersValid = true;
    try {
        m_footers = RentFooters::fromRows(in.rents);
    } catch (const CurrencyOverflow &) {
        footersValid = false; // the income terms report it
    }
    m_vacancy = base.CvtDbl(in.numKeikaku1);

    // Rents and parking fees rise up to year 計画3 and keep the last level after it;
    // the land value rises without a last year.
    const int32_t riseUntil = base.CvtLng(in.numKeikaku3);
    const int32_t riseInterval = base.CvtLng(in.numKeikaku4);
    const double risePercent = base.CvtDbl(in.numKeikaku5);
    const int32_t landInterval = base.CvtLng(in.numKeikaku6);
    const double landPercent = base.CvtDbl(in.numKeikaku7);
    // A footer is read as a Long (clamped like CvtLng) and made yearly as a Long
    // product: past 32 bits its income term fails.
    const auto yearly = [](int64_t footer) {
        return longProduct({int32_t(std::clamp<int64_t>(footer, -2147483647, 2147483647)), 12});
    };
    const std::optional<int32_t> rentYear = yearly(m_footers.rent);
    const std::optional<int32_t> parkingYear = yearly(m_footers.parking);
    m_rentOverflow = !footersValid || !rentYear;
    m_parkingOverflow = !footersValid || !parkingYear;
    m_rentLevel[1] = rentYear.value_or(0);
    m_parkingLevel[1] = parkingYear.value_or(0);
    m_landLevel[1] = base.CvtLng(in.numSikiti2) * base.CvtDbl(in.numSikiti1);
    for (int i = 2; i <= Years; ++i) {
        const bool rentRises = i <= riseUntil && risesIn(i, riseInterval);
        m_rentLevel[i] = rentRises ? (risePercent / 100 + 1) * m_rentLevel[i - 1] : m_rentLevel[i - 1];
        m_parkingLevel[i] = rentRises ? (risePercent / 100 + 1) * m_parkingLevel[i - 1] : m_parkingLevel[i - 1];
        m_landLevel[i] = risesIn(i, landInterval) ? (landPercent / 100 + 1) * m_landLevel[i - 1] : m_landLevel[i - 1];
    }

    m_dwellings = base.CvtLng(in.numKaoku3);
    m_floors = base.CvtDbl(in.numKaoku4);
    m_floorArea = base.CvtDbl(in.numKaoku5);
    m_buildingValue = base.CvtLng(in.numKaoku6);
    m_buildingTaxRate = base.CvtDbl(in.numKaoku7);
    m_buildingCityRate = base.CvtDbl(in.numKaoku8);
    m_fireResistant = base.CvtLng(in.chkKaoku9) == 1;
    m_landTaxRate = base.CvtDbl(in.numSikiti3);
    m_landCityRate = base.CvtDbl(in.numSikiti4);
    m_turnover = base.CvtLng(in.numKeikaku2);
    m_repairCost = base.CvtLng(in.numKeikaku8);
    m_upkeep = base.CvtDbl(in.numKeikaku9);
    const QVariant *yosan[] = {&in.numYosan3, &in.numYosan4, &in.numYosan5,  &in.numYosan6, &in.numYosan7,
                               &in.numYosan8, &in.numYosan9, &in.numYosan10, &in.numYosan11};
    for (int i = 0; i < 9; ++i)
        m_yosan[size_t(i + 3)] = base.CvtDbl(*yosan[i]);
    m_fireInsuranceYears = base.CvtDbl(in.numKasai);

    buildDepreciation(in, settings);

    setLoans(in.loans);
}

void ApartmentProjection::buildDepreciation(const ApartmentPlanInput &in, const ProjectionSettings &settings)
{
    const cBase base;
    const int32_t life = base.CvtLng(in.numGenka2);
    const double rate = base.CvtDbl(in.numGenka3);
    const int32_t amount = base.CvtLng(in.numGenka4);
    const bool extra = in.cmbGenka6 == 0;
    const int32_t extraYears = base.CvtLng(settings.validYears);
    // A factor that is missing, 0 or negative would wipe out or reverse the
    // depreciation; it means no extra instead.
    const auto factorOf = [&](const QVariant &v) {
        const double f = base.CvtDbl(v);
        return f > 0 ? f : 1.0;
    };
    const double factor =
        life < base.CvtLng(settings.baseYear) ? factorOf(settings.extraRate1) : factorOf(settings.extraRate2);
    const int lastYear = std::min(life, int32_t(Years));
    if (rate <= 0 || lastYear < 1)
        return;

    if (in.cmbGenka1 == 1) {
        // Straight line: the same share of the depreciable amount every year, raised
        // in the extra years; the year that passes the depreciable amount takes the
        // rest of it and later years take nothing.
        const double depreciable = double(amount) - base.CvtLng(in.numGenka5);
        if (depreciable <= 0)
            return;
        const double yearly = rate * depreciable / 100;
        double total = 0;
        for (int i = 1; i <= lastYear; ++i) {
            const double a = extra && i <= extraYears ? factor * yearly : yearly;
            total += a;
            if (total > depreciable) {
                m_depreciation[i] = a - (total - depreciable);
                break;
            }
            m_depreciation[i] = a;
        }
    } else if (in.cmbGenka1 == 0) {
        // Declining balance: the rate of the remaining book value, raised in the extra
        // years, never more than what remains; nothing once it is used up.
        double book = amount;
        for (int i = 1; i <= lastYear && book > 0; ++i) {
            double d = rate * book / 100;
            if (extra && i <= extraYears)
                d = d * factor;
            d = std::min(d, book);
            m_depreciation[i] = d;
            book -= d;
        }
    }
}

double ApartmentProjection::floorAreaPerDwelling() const
{
    // No dwellings gives no area per dwelling (the entry form refuses 0 dwellings).
    return m_dwellings == 0 ? 0.0 : m_floorArea / double(m_dwellings);
}

void ApartmentProjection::GetInYatin(int year, Currency &amount)
{
    step("GetInYatin", [&] {
        requireYear(year);
        if (m_rentOverflow)
            throw std::overflow_error("Long overflow");
        amount = toCurrency((100 - m_vacancy) * m_rentLevel[year] / 100, m_last[Yatin]);
    });
}

void ApartmentProjection::GetInTyusya(int year, Currency &amount)
{
    step("GetInTyusya", [&] {
        requireYear(year);
        if (m_parkingOverflow)
            throw std::overflow_error("Long overflow");
        amount = toCurrency((100 - m_vacancy) * m_parkingLevel[year] / 100, m_last[Tyusya]);
    });
}

void ApartmentProjection::GetOutGenka(int year, Currency &amount)
{
    step("GetOutGenka", [&] {
        requireYear(year);
        amount = toCurrency(m_depreciation[year], m_last[Genka]);
    });
}

void ApartmentProjection::GetOutIji(int year, Currency &amount)
{
    step("GetOutIji", [&] {
        requireYear(year);
        amount = toCurrency(m_fig.PlInTotal.toDouble() * m_upkeep / 100, m_last[Iji]);
    });
}

void ApartmentProjection::GetOutSyuzen(int year, Currency &amount)
{
    step("GetOutSyuzen", [&] {
        requireYear(year);
        if (year == 1 || m_turnover == 0) {
            amount = Currency();
            return;
        }
        const std::optional<int32_t> turnovers = longProduct({m_dwellings, m_turnover});
        if (!turnovers)
            throw std::overflow_error("Long overflow");
        amount = toCurrency(double(*turnovers) / 100 * m_repairCost, m_last[Syuzen]);
    });
}

void ApartmentProjection::GetOutKaoku(int year, Currency &amount)
{
    step("GetOutKaoku", [&] {
        requireYear(year);
        const double value = m_buildingValue * m_floorArea;
        if (value == 0) {
            amount = Currency();
            return;
        }
        const double area = floorAreaPerDwelling();
        const int reducedYears = m_fireResistant && m_floors >= 3 ? 5 : 3;
        const double full = m_buildingTaxRate * value / 100;
        double fixedAsset = full;
        if (area >= kReducedFrom && year <= reducedYears) {
            if (area <= kReducedUpTo)
                fixedAsset = m_buildingTaxRate * value / 100 / 2;
            else // halved on the first 120 square metres per dwelling, full on the rest
                fixedAsset = full * (kReducedUpTo / area) / 2 + full * ((area - kReducedUpTo) / area);
        }
        const double city = m_buildingCityRate * value / 100;
        amount = toCurrency(fixedAsset + city, m_last[Kaoku]);
    });
}

void ApartmentProjection::GetOutToti(int year, Currency &amount)
{
    step("GetOutToti", [&] {
        requireYear(year);
        const double land = m_landLevel[year];
        double fixedAsset = m_landTaxRate * land / 100;
        double city = m_landCityRate * land / 100;
        const double area = floorAreaPerDwelling();
        if (m_dwellings == 0) {
            // No dwellings, no residential land: the land is taxed in full.
        } else if (area <= kSmallLand) {
            fixedAsset = fixedAsset / 6;
            city = city / 3;
        } else {
            const double small = m_dwellings * kSmallLand;
            const double rest = m_floorArea - small;
            const double total = rest + small;
            fixedAsset = rest / total * fixedAsset / 3 + small / total * fixedAsset / 6;
            city = rest / total * city * 2 / 3 + small / total * city / 3;
        }
        amount = toCurrency(fixedAsset + city, m_last[Toti]);
    });
}

void ApartmentProjection::GetOutSyokei(int year, Currency &amount)
{
    step("GetOutSyokei", [&] {
        requireYear(year);
        double sum = 0;
        if (year == 1) {
            for (int i : {5, 6, 8, 9, 10, 11})
                sum += m_yosan[size_t(i)];
        }
        // Water-works and discharge contributions are spread over 15 years, the
        // fire-insurance premium over the insurance period.
        if (year < 16)
            sum += m_yosan[3] / 15 + m_yosan[4] / 15;
        if (year <= m_fireInsuranceYears)
            sum += m_yosan[7] / m_fireInsuranceYears;
        amount = toCurrency(sum, m_last[Syokei]);
    });
}

void ApartmentProjection::Compute(int year)
{
    YearFigures &f = m_fig;
    GetInYatin(year, f.InYatin);
    GetInTyusya(year, f.InTyusya);
    // Upkeep reads the year's income, so the income total comes before the costs.
    step("Compute", [&] {
        f.InTotal = whole(f.InYatin + f.InTyusya);
        f.PlInTotal = f.InTotal;
    });
    GetOutGenka(year, f.OutGenka);
    GetOutGankin(year, f.OutGankin);
    GetOutKinri(year, f.OutKinri);
    GetOutIji(year, f.OutIji);
    GetOutSyuzen(year, f.OutSyuzen);
    GetOutKaoku(year, f.OutKaoku);
    GetOutToti(year, f.OutToti);
    GetOutSyokei(year, f.OutSyokei);
    step("Compute", [&] {
        // Depreciation and other costs are profit-and-loss expenses only, principal
        // is cash expenditure only.
        f.OutTotal = whole(f.OutGankin + f.OutKinri + f.OutIji + f.OutSyuzen + f.OutKaoku + f.OutToti);
        f.PlOutTotal = whole(f.OutGenka + f.OutKinri + f.OutIji + f.OutSyuzen + f.OutKaoku + f.OutToti + f.OutSyokei);
        const Currency balance = whole(m_balance + f.InTotal - f.OutTotal);

        YearResult r;
        r.year = year;
        r.type = PlanType::Apartment;
        r.summary = {f.InTotal, f.OutTotal, balance};
        r.cashFlow.income1 = f.InYatin;
        r.cashFlow.income2 = f.InTyusya;
        r.cashFlow.incomeTotal = f.InTotal;
        r.cashFlow.out1 = f.OutGankin + f.OutKinri;
        r.cashFlow.out2 = f.OutSyuzen + f.OutIji;
        r.cashFlow.out3 = f.OutKaoku;
        r.cashFlow.out4 = f.OutToti;
        r.cashFlow.outTotal = f.OutTotal;
        r.cashFlow.balance = balance;
        r.profitLoss.income1 = f.InYatin;
        r.profitLoss.income2 = f.InTyusya;
        r.profitLoss.incomeTotal = f.PlInTotal;
        r.profitLoss.out1 = f.OutGenka;
        r.profitLoss.out2 = f.OutKinri;
        r.profitLoss.out3 = f.OutSyuzen + f.OutIji;
        r.profitLoss.out4 = f.OutKaoku;
        r.profitLoss.out5 = f.OutToti;
        r.profitLoss.out6 = f.OutSyokei;
        r.profitLoss.outTotal = f.PlOutTotal;

        m_result = r;
        m_balance = balance;
    });
}
