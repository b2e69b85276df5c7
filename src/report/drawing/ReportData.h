#pragma once

#include "DrawList.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

#include <stdexcept>

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
    /// The value of a column of a row; an invalid variant for a row that is not there.
    /// Throws std::out_of_range for a column the rows do not have.
    QVariant value(int row, const QString &column) const
    {
        const int c = int(columns.indexOf(column));
        if (c < 0)
            throw std::out_of_range(
                QStringLiteral("このコレクションには項目がありません。(%1)").arg(column).toStdString());
        return row < 0 || row >= rows.size() ? QVariant() : rows[row].value(c);
    }
};
