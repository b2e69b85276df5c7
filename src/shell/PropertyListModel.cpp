#include "PropertyListModel.h"

#include "Globals.h"
#include "VbRuntime.h"
#include "cDao.h"

PropertyListModel::PropertyListModel(QObject *parent) : RowListModel(parent) {}

void PropertyListModel::reload()
{
    reloadRows([] {
        QVector<Row> rows;
        const DaoRows read = gDao().query(QStringLiteral("SELECT") + QStringLiteral(" *") + QStringLiteral("FROM ") +
                                          QStringLiteral("D_物件"));
        for (int i = 0; i < read.count(); ++i)
            rows.append({read.value(i, QStringLiteral("ID1")), read.value(i, QStringLiteral("物件名")),
                         read.value(i, QStringLiteral("敷地面積")), read.value(i, QStringLiteral("評価額"))});
        return rows;
    });
}

int PropertyListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PropertyListModel::areaText(const QVariant &area)
{
    if (vb::isNull(area) || vb::isEmpty(area))
        return QString();
    return vb::format(area, QStringLiteral("0.00"));
}

QString PropertyListModel::valueText(const QVariant &value)
{
    if (vb::isNull(value) || vb::isEmpty(value))
        return QString();
    return vb::format(value, QStringLiteral("#,##0"));
}

QVariant PropertyListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const Row &r = row(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColID1:
            return r.id1;
        case ColName:
            return vb::isNull(r.name) ? QVariant() : r.name;
        case ColArea:
            return areaText(r.area);
        case ColValue:
            return valueText(r.value);
        default:
            return QVariant();
        }
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() >= ColArea ? Qt::AlignRight : Qt::AlignLeft));
    return QVariant();
}

QVariant PropertyListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColID1:
        return QStringLiteral("ID1");
    case ColName:
        return QStringLiteral("物件名");
    case ColArea:
        return QStringLiteral("敷地面積(㎡)");
    case ColValue:
        return QStringLiteral("評価額(千円)");
    default:
        return QVariant();
    }
}
