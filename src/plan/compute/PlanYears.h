#pragma once

/// Every plan is computed, stored and shown for the years 1 to 75.
inline constexpr int kPlanYears = 75;
