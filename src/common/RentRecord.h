#pragma once

#include "RentRow.h"

#include <QString>
#include <QVariant>

#include <cstdint>

/// One dwelling type of an apartment plan as its row of W_家賃 / D_家賃 holds it,
/// every field. Values are as stored: a null variant for NULL.
struct RentRecord {
    int32_t id1 = 0;    ///< ID1: property number
    int32_t id2 = 0;    ///< ID2: plan number
    QString type;       ///< タイプ: "A" to "E"
    QVariant madori;    ///< 間取り: floor plan
    QVariant senyu;     ///< 専有面積: floor area per dwelling, square metres
    QVariant setai;     ///< 世帯数: dwellings of this type
    QVariant tyusya;    ///< 駐車台数: parking spaces
    QVariant yatin;     ///< 月家賃: monthly rent per dwelling, thousand yen
    QVariant kyoeki;    ///< 月共益費: monthly common charge per dwelling, thousand yen
    QVariant tyusyaryo; ///< 月駐車料: monthly parking fee per dwelling, thousand yen
    QVariant sikikin;   ///< 敷金: deposit per dwelling, thousand yen

    /// The fields the grid footers and the projection read.
    RentRow toRentRow() const
    {
        RentRow r;
        r.rent = yatin;
        r.commonCharge = kyoeki;
        r.households = setai;
        r.parkingFee = tyusyaryo;
        r.deposit = sikikin;
        return r;
    }
};
