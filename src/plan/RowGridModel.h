#pragma once

#include "WorkRowStore.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <optional>

class cDao;

/// What the row grids of the entry forms have in common: the data control behind a
/// grid of a plan's work rows (rent rows, loans). The grid shows the records and,
/// while the grid offers one, an empty new-row line after the last record.
class RowGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    /// The plan whose work rows Requery reads.
    void setPlan(cDao *dao, int32_t id1, int32_t id2);
    /// The records shown (the new-row line not counted).
    virtual int RecordCount() const = 0;
    /// Reads the plan's work rows again. Throws a ProcedureError when the query
    /// fails; the rows shown are then unchanged.
    virtual void Requery() = 0;

    /// The key of a record (連番, タイプ) and the key of a new record after the last.
    virtual QVariant key(int row) const = 0;
    virtual QVariant newKey() const = 0;

    /// Whether the new-row line follows the last record.
    bool AllowAddNew() const { return m_allowAddNew; }
    void setAllowAddNew(bool on);
    bool isAddNewRow(int row) const { return m_allowAddNew && row == RecordCount(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;

protected:
    /// The plan's work rows; none before setPlan.
    std::optional<WorkRowStore> workRows() const;

private:
    cDao *m_dao = nullptr;
    int32_t m_id1 = 0;
    int32_t m_id2 = 0;
    bool m_allowAddNew = true;
};
