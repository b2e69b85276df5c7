#pragma once

#include "LoanRow.h"
#include "RentRow.h"

#include <QVariant>
#include <QVector>

/// What an apartment projection reads: the values of the entry form's boxes and
/// combo boxes (named after them; an invalid variant is an empty box, a list index
/// of -1 nothing selected), the rent rows in タイプ order and the loan rows in 連番 order.
struct ApartmentPlanInput {
    QVariant numKaoku3; ///< 建物3: number of dwellings
    QVariant numKaoku4; ///< 建物4: floors
    QVariant numKaoku5; ///< 建物5: floor area, square metres
    QVariant numKaoku6; ///< 建物6: building value per square metre, thousand yen
    QVariant numKaoku7; ///< 建物7: building fixed-asset tax rate, percent
    QVariant numKaoku8; ///< 建物8: building city-planning tax rate, percent
    QVariant chkKaoku9; ///< 建物9: mid/high-rise fire-resistant dwelling, 0 or 1

    QVariant numSikiti1; ///< D_物件 敷地面積
    QVariant numSikiti2; ///< D_物件 評価額 per square metre
    QVariant numSikiti3; ///< D_物件 固定資産税税率
    QVariant numSikiti4; ///< D_物件 都市計画税税率

    // Budget items read by the other costs (予算3 .. 予算11).
    QVariant numYosan3;  ///< water connection charge, spread over 15 years
    QVariant numYosan4;  ///< discharge contribution, spread over 15 years
    QVariant numYosan5;  ///< stamp duty, year 1
    QVariant numYosan6;  ///< acquisition tax, year 1
    QVariant numYosan7;  ///< fire-insurance premium, spread over the insurance period
    QVariant numYosan8;  ///< registration costs, year 1
    QVariant numYosan9;  ///< guarantee fee, year 1
    QVariant numYosan10; ///< interest during construction, year 1
    QVariant numYosan11; ///< other costs, year 1
    QVariant numKasai;   ///< 火災保険: fire-insurance period, years

    int cmbGenka1 = -1; ///< 減価1: 0 定率法 (declining balance), 1 定額法 (straight line)
    QVariant numGenka2; ///< 減価2: useful life, years
    QVariant numGenka3; ///< 減価3: depreciation rate, percent
    QVariant numGenka4; ///< 減価4: depreciation base
    QVariant numGenka5; ///< 減価5: residual value
    int cmbGenka6 = -1; ///< 減価6: 0 行う (extra depreciation), 1 行わない

    QVariant numKeikaku1; ///< 計画1: vacancy rate, percent
    QVariant numKeikaku2; ///< 計画2: tenant turnover per year, percent
    QVariant numKeikaku3; ///< 計画3: rents rise up to this year
    QVariant numKeikaku4; ///< 計画4: rents rise every N years
    QVariant numKeikaku5; ///< 計画5: rent rise per step, percent
    QVariant numKeikaku6; ///< 計画6: land value rises every N years
    QVariant numKeikaku7; ///< 計画7: land value rise per step, percent
    QVariant numKeikaku8; ///< 計画8: repair cost per turnover, thousand yen
    QVariant numKeikaku9; ///< 計画9: upkeep, percent of income

    QVector<RentRow> rents;
    QVector<LoanRow> loans;
};
