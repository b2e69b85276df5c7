#pragma once

#include "ApartmentPlanInput.h"
#include "LoanSchedule.h"
#include "Projection.h"
#include "ProjectionSettings.h"
#include "RentFooters.h"

#include <array>
#include <vector>

/// The year figures of an apartment plan, in thousand yen.
struct YearFigures {
    Currency InYatin;    ///< rent income (rent and common charge, after rises and vacancy)
    Currency InTyusya;   ///< parking income
    Currency OutGenka;   ///< depreciation
    Currency OutGankin;  ///< loan principal
    Currency OutKinri;   ///< loan interest
    Currency OutIji;     ///< management and upkeep
    Currency OutSyuzen;  ///< repairs at tenant turnover
    Currency OutKaoku;   ///< building taxes
    Currency OutToti;    ///< land taxes
    Currency OutSyokei;  ///< other costs
    Currency InTotal;    ///< income, whole
    Currency OutTotal;   ///< cash expenditure, whole
    Currency PlInTotal;  ///< income of the profit-and-loss statement, whole
    Currency PlOutTotal; ///< profit-and-loss expenses, whole
};

/// The 75-year projection of an apartment plan (plan type 2): rent and parking income
/// from the rent rows with rises and vacancy; upkeep, repairs, building and land taxes
/// and loan repayments as cash expenditure; depreciation and the other costs as
/// profit-and-loss expenses only. Totals and the running balance are whole numbers.
class ApartmentProjection : public Projection
{
public:
    ApartmentProjection(const ApartmentPlanInput &input, const ProjectionSettings &settings);

    void Compute(int year) override;
    const YearFigures &figures() const { return m_fig; }
    /// The totals under the rent grid that the income is based on.
    const RentFooters &footers() const { return m_footers; }

    void GetInYatin(int year, Currency &amount);
    void GetInTyusya(int year, Currency &amount);
    void GetOutGenka(int year, Currency &amount);
    /// Reads the year's PlInTotal, so Compute sets that first.
    void GetOutIji(int year, Currency &amount);
    void GetOutSyuzen(int year, Currency &amount);
    void GetOutKaoku(int year, Currency &amount);
    void GetOutToti(int year, Currency &amount);
    void GetOutSyokei(int year, Currency &amount);

private:
    void buildDepreciation(const ApartmentPlanInput &in, const ProjectionSettings &settings);
    double floorAreaPerDwelling() const;

    RentFooters m_footers;
    bool m_rentOverflow = false;
    bool m_parkingOverflow = false;
    double m_vacancy = 0;
    // Income levels before vacancy and the land value, by year (index 1 to 75).
    std::array<double, Years + 1> m_rentLevel{};
    std::array<double, Years + 1> m_parkingLevel{};
    std::array<double, Years + 1> m_landLevel{};
    std::array<double, Years + 1> m_depreciation{};

    int32_t m_dwellings = 0;
    double m_floors = 0;
    double m_floorArea = 0;
    int32_t m_buildingValue = 0;
    double m_buildingTaxRate = 0;
    double m_buildingCityRate = 0;
    bool m_fireResistant = false;
    double m_landTaxRate = 0;
    double m_landCityRate = 0;
    int32_t m_turnover = 0;
    int32_t m_repairCost = 0;
    double m_upkeep = 0;
    std::array<double, 12> m_yosan{}; // index 3 to 11
    double m_fireInsuranceYears = 0;

    YearFigures m_fig;
    enum Term { Yatin, Tyusya, Genka, Iji, Syuzen, Kaoku, Toti, Syokei, TermCount };
    std::array<Conversion, TermCount> m_last{};
};
