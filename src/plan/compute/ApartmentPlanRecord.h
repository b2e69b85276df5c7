#pragma once

#include "ApartmentPlanInput.h"
#include "PlanRecordFor.h"

/// The plan record of an apartment plan, table D_賃貸マンション: its 40 input fields
/// with their controls, their kinds and the members of the projection's input they fill.
namespace ApartmentPlanRecord
{

const PlanRecordFor<ApartmentPlanInput> &description();

} // namespace ApartmentPlanRecord
