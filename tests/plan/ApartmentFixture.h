#pragma once

#include "EntryFixtures.h"

/// What the apartment entry tests add to the entry fixtures: the settings they run
/// with, and stored rent rows and loans.
namespace ApartmentFixture
{

/// Building tax rates, the useful lives of the six structures, the list defaults
/// (reinforced concrete, declining balance, no extra depreciation), single entry.
inline QByteArray defaultIni()
{
    return "[CONST]\r\n固定資産税=\"1.4\"\r\n都市計画税=\"0.3\"\r\n耐用年数0=\"22\"\r\n耐用年数1=\"20\"\r\n"
           "耐用年数2=\"19\"\r\n耐用年数3=\"27\"\r\n耐用年数4=\"34\"\r\n耐用年数5=\"47\"\r\n"
           "[DEFAULT]\r\n構造=\"5\"\r\n減価方法=\"0\"\r\n割増償却=\"1\"\r\n[SETTING]\r\n家賃=\"0\"\r\n借入金=\"0\"\r\n";
}

/// A rent row of plan 1 of property 1: type, floor plan, area, dwellings, spaces,
/// rent, common charge, parking fee, deposit.
inline bool addRent(const QString &values, const QString &table = QStringLiteral("D_家賃"))
{
    return runSql(QStringLiteral("INSERT INTO %1 VALUES (1, 1, %2)").arg(table, values));
}

/// A stored loan of plan 1 of property 1 at 2.5 % over 20 years, equal instalments.
inline bool addLoan(int renban, int amount)
{
    return EntryFixtures::addLoan(QStringLiteral("D_借入金"), 1, 1, renban, QStringLiteral("銀行"), amount, 0, 20, 2.5);
}

/// The rows of a plan in a table.
inline int count(const QString &table, int id1 = 1, int id2 = 1)
{
    return EntryFixtures::count(table, QStringLiteral("ID1 = %1 AND ID2 = %2").arg(id1).arg(id2));
}

} // namespace ApartmentFixture
