#include "ParkingPlanRecord.h"

#include "PlanTables.h"
#include "cBase.h"

const PlanRecordFor<ParkingPlanInput> &ParkingPlanRecord::description()
{
    using In = ParkingPlanInput;
    using R = PlanRecord;
    constexpr int L = cBase::SqlLong;
    constexpr int D = cBase::SqlDouble;
    // clang-format off
    static const PlanRecordFor<In> record(planTable(PlanType::Parking), QStringLiteral("SaveParkingData"), {
        {R::text("名称", "txtName")},
        {R::number("料金1", "numRyokin1", D)},
        {R::number("料金2", "numRyokin2", L), &In::numRyokin2},
        {R::number("料金3", "numRyokin3", L), &In::numRyokin3},
        {R::number("予算1", "numYosan1", L)},
        {R::number("予算2", "numYosan2", L)},
        {R::number("予算3", "numYosan3", L)},
        {R::number("予算4", "numYosan4", L), &In::numYosan4},
        {R::number("計画1", "numKeikaku1", D), &In::numKeikaku1},
        {R::number("計画2", "numKeikaku2", L), &In::numKeikaku2},
        {R::number("計画3", "numKeikaku3", D), &In::numKeikaku3},
        {R::number("計画4", "numKeikaku4", L), &In::numKeikaku4},
        {R::number("計画5", "numKeikaku5", D), &In::numKeikaku5},
        {R::number("資金1", "numSikin1", L)},
    });
    // clang-format on
    return record;
}
