#pragma once

#include "DaoRows.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <initializer_list>
#include <variant>

/// The columns of a table in the table's order, each with the member of a record
/// type that holds its value: the one place that says which column is which field,
/// for reading rows into records, writing records as rows, and the captions of the
/// grids that show them. A whole-number member takes the value as an integer, a text
/// member as text, a variant member as stored (null for NULL).
template <class Record> class RecordColumns
{
public:
    using Member = std::variant<int32_t Record::*, QString Record::*, QVariant Record::*>;
    struct Column {
        QString name;
        Member member;
    };

    RecordColumns(std::initializer_list<Column> columns) : m_columns(columns) {}

    const QVector<Column> &columns() const { return m_columns; }
    QStringList names() const
    {
        QStringList list;
        for (const Column &c : m_columns)
            list << c.name;
        return list;
    }
    /// The name of the column a member holds; empty for a member without a column.
    template <class T> QString name(T Record::*member) const
    {
        for (const Column &c : m_columns)
            if (c.member == Member(member))
                return c.name;
        return QString();
    }

    /// The record's values in the order of the columns.
    QVariantList values(const Record &record) const
    {
        QVariantList list;
        list.reserve(m_columns.size());
        for (const Column &c : m_columns)
            std::visit([&](auto member) { list << QVariant(record.*member); }, c.member);
        return list;
    }
    /// A row of a query as a record, every column read by its name; throws DaoError
    /// for a column the query did not give.
    Record record(const DaoRows &rows, int row) const
    {
        Record r;
        for (const Column &c : m_columns) {
            const QVariant v = rows.value(row, c.name);
            std::visit([&](auto member) { assign(r.*member, v); }, c.member);
        }
        return r;
    }
    QVector<Record> records(const DaoRows &rows) const
    {
        QVector<Record> list;
        list.reserve(rows.count());
        for (int i = 0; i < rows.count(); ++i)
            list << record(rows, i);
        return list;
    }

private:
    static void assign(int32_t &field, const QVariant &v) { field = v.toInt(); }
    static void assign(QString &field, const QVariant &v) { field = v.toString(); }
    static void assign(QVariant &field, const QVariant &v) { field = v; }

    QVector<Column> m_columns;
};
