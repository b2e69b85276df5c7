#pragma once

#include "ResultRow.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QVector>

/// The plan window's yearly table: one line per result row with the columns
/// 年, 収入, 支出 and 累計, right-aligned, amounts in the money format. Read only.
/// The headings of the three amount columns carry the colour of their series in
/// the graph as their background, so the table doubles as the graph's legend.
class YearlyTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Year, Income, Expense, Balance, ColumnCount };

    explicit YearlyTableModel(QObject *parent = nullptr);

    void setRows(QVector<ResultRow> rows);
    const QVector<ResultRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// The graph colour of an amount column (income, expenditure, balance); invalid for 年.
    static QColor seriesColor(int column);
    /// The number format of the amount columns.
    static QString moneyFormat();

private:
    QVector<ResultRow> m_rows;
};
