#pragma once

#include "DrawList.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

/// What a plan window hands a report layout to print: the text of every value field
/// by field name ("" for a field left unfilled, so no sample text prints), the graph
/// for the sheet's picture control, and the yearly rows unformatted under their
/// column names (the layout formats them).
struct ReportData {
    QHash<QString, QString> fields;
    DrawList graph; ///< empty (no items) when the sheet has no graph
    QStringList columns;
    QVector<QVector<QVariant>> rows;

    QString field(const QString &name) const { return fields.value(name); }
    /// The value of a column of a row; an invalid variant when there is no such column.
    QVariant value(int row, const QString &column) const
    {
        const int c = int(columns.indexOf(column));
        return c < 0 || row < 0 || row >= rows.size() ? QVariant() : rows[row].value(c);
    }
};
