#pragma once

#include <QHash>
#include <QString>

#include <array>

class cDao;

/// The master M_償却: the annual depreciation rate by useful life for the
/// declining-balance (定率法) and straight-line (定額法) methods, as fractions.
/// The method index is the one of the depreciation-method list (0 定率法, 1 定額法),
/// whose texts are also the names of the rate columns.
class DepreciationRates
{
public:
    /// Reads the whole master; when it cannot be read, keeps what was loaded before
    /// and throws DaoError.
    void load(cDao &dao);

    /// The rate as a fraction; 0 for another method or a life without a row.
    double rate(int method, int life) const;
    /// The rate as the entry form shows it in 償却率: percent.
    double percent(int method, int life) const { return rate(method, life) * 100; }
    /// "定率法" or "定額法"; empty for another index.
    static QString methodName(int method);

private:
    QHash<int, std::array<double, 2>> m_rates;
};
