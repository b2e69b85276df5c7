#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <optional>

class cDao;

/// The plan record of an apartment plan, table D_賃貸マンション: its 40 input fields
/// in the table's order, each with the control of the entry form it is loaded into
/// and saved from and the kind it is stored as. Reading throws DaoError when the
/// query fails; writing goes through the registration.
namespace ApartmentPlanRecord
{

/// How a field's control holds its value.
enum class ControlKind { Text, Combo, Number, Check };

struct Field {
    QString name;    ///< 名称, 建物1, ...
    QString control; ///< txtName, cmbKaoku1, ...
    ControlKind controlKind;
    int sqlKind; ///< cBase::SqlText, SqlLong or SqlDouble
};

/// The 40 fields after ID1 and ID2, in the table's order.
const QVector<Field> &fields();

/// The stored values of the plan's record in the order of fields(); none when the
/// plan has no record yet.
std::optional<QVector<QVariant>> read(cDao &dao, int32_t id1, int32_t id2);

/// The value a control shows for a stored value, by the field's conversion: the
/// trimmed text, a list index (a negative or empty one selects the first entry), a
/// whole or a fractional number (NULL reads as 0), a check state of 0 or 1.
QVariant shownValue(const Field &field, const QVariant &stored);

} // namespace ApartmentPlanRecord
