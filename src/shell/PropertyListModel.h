#pragma once

#include "RowListModel.h"

#include <QVariant>

struct PropertyListRow {
    QVariant id1;
    QVariant name;
    QVariant area;
    QVariant value;
};

/// The rows of D_物件 as the property list shows them: ID1 (hidden), 物件名,
/// 敷地面積 and 評価額, in the table's natural order.
class PropertyListModel : public RowListModel<PropertyListRow>
{
public:
    using Row = PropertyListRow;
    enum Column { ColID1, ColName, ColArea, ColValue, ColumnCount };

    explicit PropertyListModel(QObject *parent = nullptr);

    /// Reads the table again; when the query fails, no rows and a DaoError.
    void reload();

    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// The shown texts: two decimals for the area, thousands separators for the value.
    static QString areaText(const QVariant &area);
    static QString valueText(const QVariant &value);
};
