#include "RowGridModel.h"

void RowGridModel::setAllowAddNew(bool on)
{
    if (on == m_allowAddNew)
        return;
    const int row = RecordCount();
    if (on) {
        beginInsertRows(QModelIndex(), row, row);
        m_allowAddNew = true;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), row, row);
        m_allowAddNew = false;
        endRemoveRows();
    }
}

int RowGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RecordCount() + (m_allowAddNew ? 1 : 0);
}
