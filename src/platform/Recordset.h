#pragma once

#include "DaoRows.h"

#include <QString>
#include <QVariant>

/// The stand-in for the engine's record set: a current-row cursor (BOF before the
/// first row, EOF after the last) over the rows of one query, read at once.
/// Values of NULL fields are null variants (vb::isNull).
class Recordset
{
public:
    explicit Recordset(DaoRows rows) : m_rows(std::move(rows)) {}

    bool isBOF() const { return m_rows.isEmpty() || m_pos < 0; }
    bool isEOF() const { return m_rows.isEmpty() || m_pos >= m_rows.count(); }
    void MoveFirst() { m_pos = 0; }
    void MoveLast() { m_pos = m_rows.count() - 1; }
    void MoveNext();
    void MovePrevious();
    /// Position of the current row, usable to come back to it (the engine's bookmark).
    int bookmark() const { return m_pos; }
    void setBookmark(int position) { m_pos = position; }
    int RecordCount() const { return m_rows.count(); }

    int FieldCount() const { return m_rows.columnCount(); }
    QString FieldName(int index) const { return m_rows.columnNames().value(index); }
    bool hasField(const QString &name) const { return m_rows.hasColumn(name); }
    /// Value of a field of the current row; throws DaoError when there is no current
    /// row or no such field (the engine's "no current record" and "item not found").
    QVariant Fields(const QString &name) const { return m_rows.value(m_pos, name); }
    QVariant Fields(int index) const { return m_rows.value(m_pos, index); }
    void Close()
    {
        m_rows = DaoRows(m_rows.columnNames(), {});
        m_pos = 0;
    }

private:
    DaoRows m_rows;
    int m_pos = 0;
};
