#pragma once

#include <QVariant>

/// One dwelling type of an apartment plan, as its row of W_家賃 / D_家賃 holds it; only
/// the fields that feed the grid footers (and so the projection) are kept.
struct RentRow {
    QVariant rent;         ///< 月家賃, monthly rent per dwelling
    QVariant commonCharge; ///< 月共益費, monthly common charge per dwelling
    QVariant households;   ///< 世帯数
    QVariant parkingFee;   ///< 月駐車料, monthly parking fee per dwelling
    QVariant deposit;      ///< 敷金, deposit per dwelling
};
