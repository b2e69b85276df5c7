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

void RowGridModel::setPlan(cDao *dao, int32_t id1, int32_t id2)
{
    m_dao = dao;
    m_id1 = id1;
    m_id2 = id2;
}

std::optional<WorkRowStore> RowGridModel::workRows() const
{
    if (!m_dao)
        return std::nullopt;
    return WorkRowStore(*m_dao, m_id1, m_id2);
}

int RowGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RecordCount() + (m_allowAddNew ? 1 : 0);
}
