#pragma once

#include "PlanType.h"

#include <QStringList>

/// The table that holds the records of a plan type.
inline QString planTable(PlanType type)
{
    switch (type) {
    case PlanType::Parking:
        return QStringLiteral("D_駐車場");
    case PlanType::Apartment:
        return QStringLiteral("D_賃貸マンション");
    case PlanType::Store:
        return QStringLiteral("D_店舗");
    }
    return QString();
}

/// The tables that hold a plan's rows under its ID1 and ID2, in the order a plan is
/// deleted: the records, the rent and loan rows, then the three result tables. The
/// plan window's discard, the property's deletion and the free plan number all go
/// by this one list.
inline const QStringList &planRowTables()
{
    static const QStringList tables = {planTable(PlanType::Parking), planTable(PlanType::Apartment),
                                       QStringLiteral("D_家賃"),     QStringLiteral("D_借入金"),
                                       QStringLiteral("T_収支"),     QStringLiteral("T_収支計画"),
                                       QStringLiteral("T_損益計算")};
    return tables;
}
