#pragma once

#include <QStringList>

/// The tables that hold a plan's rows under its ID1 and ID2, in the order a plan is
/// deleted: the records, the rent and loan rows, then the three result tables. The
/// plan window's discard, the property's deletion and the free plan number all go
/// by this one list.
inline const QStringList &planRowTables()
{
    static const QStringList tables = {QStringLiteral("D_駐車場"),  QStringLiteral("D_賃貸マンション"),
                                       QStringLiteral("D_家賃"),    QStringLiteral("D_借入金"),
                                       QStringLiteral("T_収支"),    QStringLiteral("T_収支計画"),
                                       QStringLiteral("T_損益計算")};
    return tables;
}
