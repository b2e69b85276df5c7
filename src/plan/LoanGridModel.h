#pragma once

#include "LoanRecord.h"
#include "RowGridModel.h"

#include <QVector>

/// The loan rows of one plan (its rows of W_借入金 in 連番 order) as the loan grid
/// shows them: one row per loan, and after the last loan the empty new-row line while
/// the grid offers one. The two rate periods share the period columns: a period
/// column's display value is the list {first period, second period}; the other
/// columns hold one value. Values are as stored; the grid's delegate formats them.
/// The data control of the plan forms' loan grid.
class LoanGridModel : public RowGridModel
{
    Q_OBJECT

public:
    enum Column { Lender, Amount, Method, Start, End, Rate, ColumnCount };

    explicit LoanGridModel(QObject *parent = nullptr);

    /// Reads the plan's work rows again. Throws a ProcedureError when the query
    /// fails; the rows shown are then unchanged.
    void Requery() override;
    /// Shows the given rows (tests and callers that read them themselves).
    void setRecords(const QVector<LoanRecord> &records);

    int RecordCount() const override { return int(m_records.size()); }
    /// 連番 of a loan; a new loan takes the next number.
    QVariant key(int row) const override { return m_records.at(row).renban; }
    QVariant newKey() const override { return RecordCount() + 1; }
    const QVector<LoanRecord> &records() const { return m_records; }

    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    /// Whether a column holds the two rate periods.
    static bool isPeriodColumn(int column) { return column >= Start && column <= Rate; }

private:
    QVector<LoanRecord> m_records;
};
