#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <optional>

class cDao;

/// A plan record table (D_駐車場, D_賃貸マンション), keyed by ID1 and ID2, described
/// once: its input fields in the table's order, each with the control of the entry
/// form it is loaded into and saved from and the kind it is stored as. The entry form
/// loads and saves the record by it; PlanRecordFor adds what the projection reads.
class PlanRecord
{
public:
    /// How a field's control holds its value.
    enum class ControlKind { Text, Combo, Number, Check };

    struct Field {
        QString name;    ///< 名称, 料金1, ...
        QString control; ///< txtName, numRyokin1, ...
        ControlKind controlKind;
        int sqlKind; ///< cBase::SqlText, SqlLong or SqlDouble
    };
    /// The fields of each control kind, from UTF-8 names.
    static Field text(const char *name, const char *control);
    static Field combo(const char *name, const char *control);
    static Field number(const char *name, const char *control, int sqlKind);
    static Field check(const char *name, const char *control);

    const QString &table() const { return m_table; }
    /// The registration's step that stores the record, for the error log (SaveParkingData).
    const QString &saveProcedure() const { return m_saveProcedure; }
    /// The fields after ID1 and ID2, in the table's order.
    const QVector<Field> &fields() const { return m_fields; }

    /// The stored values of the plan's record in the order of fields(); none when the
    /// plan has no record yet. Throws DaoError when the query fails.
    std::optional<QVector<QVariant>> read(cDao &dao, int32_t id1, int32_t id2) const;
    /// Stores the values (in the order of fields(), as the controls hold them) by the
    /// kinds of their fields: an UPDATE of the plan's record, or an INSERT when no row
    /// was updated. Throws when a statement fails (a failed UPDATE never leads to a
    /// second record) or a value does not fit its field.
    void write(cDao &dao, int32_t id1, int32_t id2, const QVector<QVariant> &values) const;

    /// The value a control shows for a stored value, by the field's conversion: the
    /// trimmed text, a list index (a negative or empty one selects the first entry), a
    /// whole or a fractional number (NULL reads as 0), a check state of 0 or 1.
    static QVariant shownValue(const Field &field, const QVariant &stored);

protected:
    PlanRecord(const QString &table, const QString &saveProcedure, QVector<Field> fields);

private:
    QString m_table;
    QString m_saveProcedure;
    QVector<Field> m_fields;
};
