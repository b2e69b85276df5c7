#pragma once

// Made-up but realistic report data of a parking plan and an apartment plan, as the plan
// window hands it to the report layouts: sheet fields as formatted text, the yearly record set
// unformatted under its column aliases, and the rows the graph is drawn from. Header only, so
// that only the tests and benchmarks that use it link the report library.

#include "PlanGraph.h"
#include "ReportData.h"
#include "VbRuntime.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

namespace ReportSamples
{

inline QString amount(double v)
{
    return vb::format(v, QStringLiteral("##,###,##0"));
}

inline QString decimals(double v)
{
    return vb::format(v, QStringLiteral("##0.00"));
}

/// The 45 column aliases of the yearly record set, in their order.
inline QStringList yearlyColumns()
{
    QStringList columns;
    for (const QString &table : {QStringLiteral("SK"), QStringLiteral("SE")}) {
        columns << table + QStringLiteral("年");
        for (int i = 1; i <= 9; ++i)
            columns << table + QStringLiteral("収入%1").arg(i);
        columns << table + QStringLiteral("収入計");
        for (int i = 1; i <= 9; ++i)
            columns << table + QStringLiteral("支出%1").arg(i);
        columns << table + QStringLiteral("支出計");
        columns << (table == QLatin1String("SK") ? QStringLiteral("SK残") : QStringLiteral("SE課税"));
        if (table == QLatin1String("SK"))
            columns << QStringLiteral("SK累計");
    }
    return columns;
}

/// One year of a plan's cash flow (SK) and profit and loss (SE), in thousand yen.
struct SampleYear {
    int year = 0;
    std::array<qint64, 9> skIncome{};
    std::array<qint64, 9> skExpense{};
    std::array<qint64, 9> seIncome{};
    std::array<qint64, 9> seExpense{};
    qint64 balance = 0; // running balance after this year
    qint64 skIncomeTotal() const { return std::accumulate(skIncome.begin(), skIncome.end(), qint64(0)); }
    qint64 skExpenseTotal() const { return std::accumulate(skExpense.begin(), skExpense.end(), qint64(0)); }
    qint64 seIncomeTotal() const { return std::accumulate(seIncome.begin(), seIncome.end(), qint64(0)); }
    qint64 seExpenseTotal() const { return std::accumulate(seExpense.begin(), seExpense.end(), qint64(0)); }
};

// A level annual payment: interest part and principal part of year `year` (1-based).
inline void annuityYear(double principal, double rate, int years, int year, double *interest, double *repayment)
{
    *interest = 0;
    *repayment = 0;
    if (year > years)
        return;
    const double payment = principal * rate / (1 - std::pow(1 + rate, -years));
    double rest = principal;
    for (int y = 1; y <= year; ++y) {
        *interest = rest * rate;
        *repayment = payment - *interest;
        rest -= *repayment;
    }
}

/// 75 years of a parking plan: 30 cars at 18 thousand yen a month, a 10,000 loan over 10 years.
inline std::vector<SampleYear> parkingYears()
{
    std::vector<SampleYear> years;
    qint64 balance = -4100; // own funds paid at the start
    for (int y = 1; y <= 75; ++y) {
        SampleYear s;
        s.year = y;
        const double fee = 30 * 18 * 12 * 0.95 * std::pow(1.02, (y - 1) / 5);
        const double landTax = 1400 * std::pow(1.01, (y - 1) / 3);
        double interest, repayment;
        annuityYear(10000, 0.025, 10, y, &interest, &repayment);
        s.skIncome[0] = std::llround(fee);
        s.skExpense[0] = std::llround(interest + repayment);
        s.skExpense[1] = std::llround(landTax);
        s.skExpense[2] = 300;
        s.seIncome[0] = s.skIncome[0];
        s.seExpense[0] = std::llround(interest);
        s.seExpense[1] = s.skExpense[1];
        s.seExpense[2] = 300 + (y <= 10 ? 1410 : 0); // management and the paving written off
        balance += s.skIncomeTotal() - s.skExpenseTotal();
        s.balance = balance;
        years.push_back(s);
    }
    return years;
}

/// 75 years of an apartment plan: 18 dwellings, loans of 200,000 (30 years) and 45,680 (15 years),
/// a large repair every 15 years.
inline std::vector<SampleYear> apartmentYears()
{
    std::vector<SampleYear> years;
    qint64 balance = -30000;
    double book = 262500;
    for (int y = 1; y <= 75; ++y) {
        SampleYear s;
        s.year = y;
        const double rise = std::pow(1.02, std::min(y - 1, 20) / 3);
        const double rent = 2190 * 12 * 0.95 * rise;
        const double parking = 180 * 12 * 0.95;
        double i1, r1, i2, r2;
        annuityYear(200000, 0.02, 30, y, &i1, &r1);
        annuityYear(45680, 0.025, 15, y, &i2, &r2);
        const double upkeep = (rent + parking) * 0.05 + (y % 15 == 0 ? 38000 : 0);
        const double buildingTax = 2600 * std::pow(0.97, y - 1);
        const double landTax = 900 * std::pow(1.01, (y - 1) / 3);
        const double depreciation = y <= 47 ? book * 0.048 : 0;
        book -= depreciation;
        s.skIncome[0] = std::llround(rent);
        s.skIncome[1] = std::llround(parking);
        s.skExpense[0] = std::llround(i1 + r1 + i2 + r2);
        s.skExpense[1] = std::llround(upkeep);
        s.skExpense[2] = std::llround(buildingTax);
        s.skExpense[3] = std::llround(landTax);
        s.seIncome[0] = s.skIncome[0];
        s.seIncome[1] = s.skIncome[1];
        s.seExpense[0] = std::llround(depreciation);
        s.seExpense[1] = std::llround(i1 + i2);
        s.seExpense[2] = s.skExpense[1];
        s.seExpense[3] = s.skExpense[2];
        s.seExpense[4] = s.skExpense[3];
        s.seExpense[5] = 450;
        balance += s.skIncomeTotal() - s.skExpenseTotal();
        s.balance = balance;
        years.push_back(s);
    }
    return years;
}

/// The 15 display years of an interval: 1 every year, 2 every 2 years, 3 every 5, 4 automatic.
inline std::array<int, 15> displayYears(int interval)
{
    std::array<int, 15> years{};
    for (int k = 1; k <= 15; ++k) {
        switch (interval) {
        case 2:
            years[k - 1] = 2 * k;
            break;
        case 3:
            years[k - 1] = 5 * k;
            break;
        case 4:
            years[k - 1] = k <= 10 ? k : 10 + 5 * (k - 10);
            break;
        default:
            years[k - 1] = k;
        }
    }
    return years;
}

/// The yearly record set of the display years (or of every year when `all`), unformatted.
inline void fillYearly(ReportData &data, const std::vector<SampleYear> &plan, const std::array<int, 15> &years,
                       bool all = false)
{
    data.columns = yearlyColumns();
    data.rows.clear();
    for (const SampleYear &s : plan) {
        if (!all && std::find(years.begin(), years.end(), s.year) == years.end())
            continue;
        QVector<QVariant> row;
        row << s.year;
        for (qint64 v : s.skIncome)
            row << v;
        row << s.skIncomeTotal();
        for (qint64 v : s.skExpense)
            row << v;
        row << s.skExpenseTotal() << s.skIncomeTotal() - s.skExpenseTotal() << s.balance;
        row << s.year;
        for (qint64 v : s.seIncome)
            row << v;
        row << s.seIncomeTotal();
        for (qint64 v : s.seExpense)
            row << v;
        row << s.seExpenseTotal() << s.seIncomeTotal() - s.seExpenseTotal();
        data.rows.append(row);
    }
}

/// The graph input of a plan for an interval and size, its scale taken over this plan alone.
inline PlanGraphInput graphInput(const std::vector<SampleYear> &plan, int interval, int dispSize, const QSizeF &picture)
{
    PlanGraphInput in;
    in.years = displayYears(interval);
    in.dispSize = dispSize;
    in.picture = picture;
    const int lastYear = in.years.back();
    bool firstRow = true;
    for (const SampleYear &s : plan) {
        if (s.year > lastYear)
            break;
        PlanGraphRow row{s.year, qint32(s.skIncomeTotal()), qint32(s.skExpenseTotal()), qint32(s.balance)};
        in.rows.push_back(row);
        if (firstRow) {
            in.scale = {row.balance, row.balance, row.income, row.expenditure};
            firstRow = false;
        }
        in.scale.maxBalance = std::max(in.scale.maxBalance, row.balance);
        in.scale.minBalance = std::min(in.scale.minBalance, row.balance);
        in.scale.maxIncome = std::max(in.scale.maxIncome, row.income);
        in.scale.maxExpenditure = std::max(in.scale.maxExpenditure, row.expenditure);
    }
    return in;
}

/// The property and loan blocks both sheets share.
inline void fillCommonSheet(ReportData &data, const QString &property, double siteArea, double landValue)
{
    data.fields.insert(QStringLiteral("fldBuken"), property);
    data.fields.insert(QStringLiteral("fldSikiti1"), vb::format(siteArea, QStringLiteral("####0.00")));
    data.fields.insert(QStringLiteral("fldSikiti2"), amount(landValue));
}

inline void fillLoan(ReportData &data, int row, const QString &lender, double amountValue, const QString &method,
                     int from1, int to1, double rate1, int from2 = 0, int to2 = 0, double rate2 = 0)
{
    const auto key = [row](int c) { return QStringLiteral("fldKariire%1%2").arg(row).arg(c); };
    data.fields.insert(key(1), lender);
    data.fields.insert(key(2), amount(amountValue));
    data.fields.insert(key(3), method);
    data.fields.insert(key(4), QString::number(from1));
    data.fields.insert(key(5), QString::number(to1));
    data.fields.insert(key(6), vb::format(rate1, QStringLiteral("#0.00")));
    if (from2 > 0) {
        data.fields.insert(key(7), QString::number(from2));
        data.fields.insert(key(8), QString::number(to2));
        data.fields.insert(key(9), vb::format(rate2, QStringLiteral("#0.00")));
    }
}

/// The parking conditions sheet of a plan with one loan of one rate period.
inline ReportData parkingSheet()
{
    ReportData data;
    data.fields.insert(QStringLiteral("fldName"), QStringLiteral("月極駐車場計画（アスファルト舗装）"));
    fillCommonSheet(data, QStringLiteral("世田谷区桜丘三丁目 田中様所有地"), 826.45, 320);
    const std::pair<const char *, QString> values[] = {
        {"fldRyokin1", amount(25)},   {"fldRyokin2", amount(30)},   {"fldRyokin3", amount(18)},
        {"fldYosan1", amount(12000)}, {"fldYosan2", amount(600)},   {"fldYosan3", amount(1500)},
        {"fldYosan4", amount(14100)}, {"fldSikin1", amount(4100)},  {"fldKeikaku1", decimals(5)},
        {"fldKeikaku2", amount(3)},   {"fldKeikaku3", decimals(1)}, {"fldKeikaku4", amount(5)},
        {"fldKeikaku5", decimals(2)},
    };
    for (const auto &[name, text] : values)
        data.fields.insert(QString::fromUtf8(name), text);
    fillLoan(data, 1, QStringLiteral("さくら信用金庫 桜丘支店"), 10000, QStringLiteral("元利均等"), 1, 10, 2.5);
    return data;
}

/// The apartment conditions sheet of a plan with three dwelling types and two loans.
inline ReportData apartmentSheet()
{
    ReportData data;
    auto set = [&data](const QString &name, const QString &text) { data.fields.insert(name, text); };
    set(QStringLiteral("fldName"), QStringLiteral("賃貸マンション計画 ＲＣ造３階建て"));
    fillCommonSheet(data, QStringLiteral("横浜市青葉区美しが丘二丁目 山本様所有地"), 1250, 280);
    set(QStringLiteral("fldKaoku11"), QStringLiteral("鉄骨鉄筋コンクリート造"));
    set(QStringLiteral("fldKaoku12"), QStringLiteral("1棟 18戸 3階建て"));
    set(QStringLiteral("fldKaoku2"), QStringLiteral("1520.5"));
    set(QStringLiteral("fldKaoku3"), QStringLiteral("185000"));
    struct Rent {
        const char *plan;
        double area;
        int households, parking, rent, common, fee, deposit;
    };
    const Rent rents[] = {{"2LDK", 65.5, 6, 6, 120, 5, 10, 240},
                          {"3LDK", 75.2, 6, 6, 140, 5, 10, 280},
                          {"1LDK", 45, 6, 6, 90, 5, 10, 180}};
    double total1 = 0, total2 = 0, total3 = 0;
    for (int k = 1; k <= 3; ++k) {
        const Rent &r = rents[k - 1];
        const auto key = [k](int c) { return QStringLiteral("fldYatin%1%2").arg(k).arg(c); };
        set(key(1), QString::fromUtf8(r.plan));
        set(key(2), vb::format(r.area, QStringLiteral("####0.00")));
        set(key(3), QString::number(r.households));
        set(key(4), QString::number(r.parking));
        set(key(5), amount(r.rent));
        set(key(6), amount(r.common));
        set(key(7), amount(r.fee));
        set(key(8), amount(r.deposit));
        total1 += r.households * (r.rent + r.common);
        total2 += r.households * r.fee;
        total3 += r.households * r.deposit;
    }
    set(QStringLiteral("fldYatin61"), amount(total1));
    set(QStringLiteral("fldYatin62"), amount(total2));
    set(QStringLiteral("fldYatin63"), amount(total3));
    const double budget[] = {250000, 12500, 1500, 750, 60, 900, 600, 400, 300, 200, 100, 267310};
    for (int i = 1; i <= 12; ++i)
        set(QStringLiteral("fldYosan%1").arg(i), amount(budget[i - 1]));
    set(QStringLiteral("fldKasai"), QStringLiteral("10"));
    set(QStringLiteral("fldSikin1"), amount(30000));
    set(QStringLiteral("fldSikin2"), amount(4320));
    fillLoan(data, 1, QStringLiteral("住宅金融支援機構"), 200000, QStringLiteral("元利均等"), 1, 10, 1.8, 11, 30, 2.2);
    fillLoan(data, 2, QStringLiteral("横浜中央銀行 青葉台支店"), 32990, QStringLiteral("元金均等"), 1, 15, 2.5);
    set(QStringLiteral("fldGenka1"), QStringLiteral("定率法"));
    set(QStringLiteral("fldGenka2"), QStringLiteral("47"));
    set(QStringLiteral("fldGenka3"), decimals(4.8));
    set(QStringLiteral("fldGenka4"), amount(240000));
    set(QStringLiteral("fldGenka5"), amount(10000));
    set(QStringLiteral("fldGenka6"), QStringLiteral("行わない"));
    set(QStringLiteral("fldKeikaku1"), decimals(5));
    set(QStringLiteral("fldKeikaku2"), decimals(15));
    set(QStringLiteral("fldKeikaku3"), QStringLiteral("20"));
    set(QStringLiteral("fldKeikaku4"), QStringLiteral("3"));
    set(QStringLiteral("fldKeikaku5"), decimals(2));
    set(QStringLiteral("fldKeikaku6"), QStringLiteral("3"));
    set(QStringLiteral("fldKeikaku7"), decimals(1));
    set(QStringLiteral("fldKeikaku8"), amount(150));
    set(QStringLiteral("fldKeikaku9"), decimals(5));
    return data;
}

} // namespace ReportSamples
