#include "ApartmentPlanRecord.h"

#include "PlanTables.h"
#include "cBase.h"

const PlanRecordFor<ApartmentPlanInput> &ApartmentPlanRecord::description()
{
    using In = ApartmentPlanInput;
    using R = PlanRecord;
    constexpr int L = cBase::SqlLong;
    constexpr int D = cBase::SqlDouble;
    // clang-format off
    static const PlanRecordFor<In> record(planTable(PlanType::Apartment), QStringLiteral("SaveApartmentData"), {
        {R::text("名称", "txtName")},
        {R::combo("建物1", "cmbKaoku1")},
        {R::number("建物2", "numKaoku2", L)},
        {R::number("建物3", "numKaoku3", L), &In::numKaoku3},
        {R::number("建物4", "numKaoku4", L), &In::numKaoku4},
        {R::number("建物5", "numKaoku5", D), &In::numKaoku5},
        {R::number("建物6", "numKaoku6", L), &In::numKaoku6},
        {R::number("建物7", "numKaoku7", D), &In::numKaoku7},
        {R::number("建物8", "numKaoku8", D), &In::numKaoku8},
        {R::check("建物9", "chkKaoku9"), &In::chkKaoku9},
        {R::number("予算1", "numYosan1", L)},
        {R::number("予算2", "numYosan2", L)},
        {R::number("予算3", "numYosan3", L), &In::numYosan3},
        {R::number("予算4", "numYosan4", L), &In::numYosan4},
        {R::number("予算5", "numYosan5", L), &In::numYosan5},
        {R::number("予算6", "numYosan6", L), &In::numYosan6},
        {R::number("予算7", "numYosan7", L), &In::numYosan7},
        {R::number("予算8", "numYosan8", L), &In::numYosan8},
        {R::number("予算9", "numYosan9", L), &In::numYosan9},
        {R::number("予算10", "numYosan10", L), &In::numYosan10},
        {R::number("予算11", "numYosan11", L), &In::numYosan11},
        {R::number("予算12", "numYosan12", L)},
        {R::number("資金1", "numSikin1", L)},
        {R::number("資金2", "numSikin2", L)},
        {R::combo("減価1", "cmbGenka1"), &In::cmbGenka1},
        {R::number("減価2", "numGenka2", L), &In::numGenka2},
        {R::number("減価3", "numGenka3", D), &In::numGenka3},
        {R::number("減価4", "numGenka4", L), &In::numGenka4},
        {R::number("減価5", "numGenka5", L), &In::numGenka5},
        {R::combo("減価6", "cmbGenka6"), &In::cmbGenka6},
        {R::number("計画1", "numKeikaku1", D), &In::numKeikaku1},
        {R::number("計画2", "numKeikaku2", D), &In::numKeikaku2},
        {R::number("計画3", "numKeikaku3", L), &In::numKeikaku3},
        {R::number("計画4", "numKeikaku4", L), &In::numKeikaku4},
        {R::number("計画5", "numKeikaku5", D), &In::numKeikaku5},
        {R::number("計画6", "numKeikaku6", L), &In::numKeikaku6},
        {R::number("計画7", "numKeikaku7", D), &In::numKeikaku7},
        {R::number("計画8", "numKeikaku8", L), &In::numKeikaku8},
        {R::number("計画9", "numKeikaku9", D), &In::numKeikaku9},
        {R::number("火災保険", "numKasai", L), &In::numKasai},
    });
    // clang-format on
    return record;
}
