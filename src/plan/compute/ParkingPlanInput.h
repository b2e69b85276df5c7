#pragma once

#include "LoanRow.h"

#include <QVariant>
#include <QVector>

/// What a parking projection reads: the values of the entry form's boxes (named after
/// them; an invalid variant is an empty box) and the plan's loan rows in 連番 order.
struct ParkingPlanInput {
    QVariant numRyokin2;  ///< 料金2: number of cars
    QVariant numRyokin3;  ///< 料金3: monthly fee per car, thousand yen
    QVariant numKeikaku1; ///< 計画1: vacancy rate, percent
    QVariant numKeikaku2; ///< 計画2: land value rises every N years; 0 never
    QVariant numKeikaku3; ///< 計画3: land value rise, percent per step
    QVariant numKeikaku4; ///< 計画4: fee rises every N years; 0 never
    QVariant numKeikaku5; ///< 計画5: fee rise, percent per step
    QVariant numSikiti1;  ///< D_物件 敷地面積: site area, square metres
    QVariant numSikiti2;  ///< D_物件 評価額: land value per square metre, thousand yen
    QVariant numSikiti3;  ///< D_物件 固定資産税税率: percent
    QVariant numSikiti4;  ///< D_物件 都市計画税税率: percent
    QVariant numYosan4;   ///< 予算4: paving budget total, thousand yen
    QVector<LoanRow> loans;
};
