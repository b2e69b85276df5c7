#pragma once

#include "PlanRecord.h"

#include <initializer_list>
#include <variant>

/// The record of a plan type together with what its projection reads of it: each
/// field that feeds the projection names the member of the plan type's input
/// (ParkingPlanInput, ApartmentPlanInput) it fills. The program makes the input from
/// the values of the entry form's controls, the tests' fixtures from the stored record
/// (PlanInputLoader), both through fill(). The site and the rows are not the record's.
template <class Input> class PlanRecordFor : public PlanRecord
{
public:
    /// The input member of a field: none, a value as its control holds it, a list index.
    using Member = std::variant<std::monostate, QVariant Input::*, int Input::*>;
    struct Column {
        Field field;
        Member input = {};
    };

    PlanRecordFor(const QString &table, const QString &saveProcedure, std::initializer_list<Column> columns)
        : PlanRecord(table, saveProcedure, fieldsOf(columns))
    {
        for (const Column &c : columns)
            m_members << c.input;
    }

    /// Sets the members of the input from the record's values, in the order of fields():
    /// a value member takes the value as it is, a list index member its whole number.
    void fill(Input &input, const QVector<QVariant> &values) const
    {
        for (int i = 0; i < m_members.size(); ++i) {
            const QVariant &v = values.at(i);
            if (const auto *value = std::get_if<QVariant Input::*>(&m_members.at(i)))
                input.*(*value) = v;
            else if (const auto *index = std::get_if<int Input::*>(&m_members.at(i)))
                input.*(*index) = v.toInt();
        }
    }

private:
    static QVector<Field> fieldsOf(std::initializer_list<Column> columns)
    {
        QVector<Field> fields;
        for (const Column &c : columns)
            fields << c.field;
        return fields;
    }

    QVector<Member> m_members;
};
