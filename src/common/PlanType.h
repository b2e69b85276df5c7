#pragma once

#include <optional>

/// The kind of a plan. The database stores it as a number (TYPE of T_収支) and each
/// kind keeps its plan rows in a table of its own: D_駐車場, D_賃貸マンション, D_店舗.
/// A store plan has titles and report layouts but no entry form.
enum class PlanType { Parking = 1, Apartment = 2, Store = 3 };

/// The plan type a stored number names; none for any other number. A number read
/// from the database, or a window's Pro_Type, stays a number until the program acts
/// on the type, since it may name no type at all.
constexpr std::optional<PlanType> planTypeOf(int number)
{
    if (number < int(PlanType::Parking) || number > int(PlanType::Store))
        return std::nullopt;
    return PlanType(number);
}

/// The number the database stores for a plan type.
constexpr int planTypeNumber(PlanType type)
{
    return int(type);
}
