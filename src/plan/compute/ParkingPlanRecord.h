#pragma once

#include "ParkingPlanInput.h"
#include "PlanRecordFor.h"

/// The plan record of a parking plan, table D_駐車場: its 14 input fields with their
/// controls, their kinds and the members of the projection's input they fill.
namespace ParkingPlanRecord
{

const PlanRecordFor<ParkingPlanInput> &description();

} // namespace ParkingPlanRecord
