#pragma once

#include "RentFooters.h"
#include "RentRecord.h"
#include "RowGridModel.h"

#include <QVector>

/// The rent rows of one plan (its rows of W_家賃 in タイプ order) as the rent grid
/// shows them, one row per dwelling type; the data control of the apartment form's
/// rent grid (DataYatin). Display values are formatted as the grid shows them; the
/// records keep the values as stored.
class RentGridModel : public RowGridModel
{
    Q_OBJECT

public:
    enum Column { Type, Madori, Senyu, Setai, Tyusya, Yatin, Kyoeki, Tyusyaryo, Sikikin, ColumnCount };

    explicit RentGridModel(QObject *parent = nullptr);

    void Requery() override;
    /// Shows the given rows (callers that read them themselves).
    void setRecords(const QVector<RentRecord> &records);

    int RecordCount() const override { return int(m_records.size()); }
    /// タイプ of a row; a new row takes the next letter.
    QVariant key(int row) const override { return m_records.at(row).type; }
    QVariant newKey() const override;
    const QVector<RentRecord> &records() const { return m_records; }
    /// The three totals under the grid, by the rule the projection uses.
    RentFooters footers() const;

    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<RentRecord> m_records;
};
