#pragma once

#include <QAbstractTableModel>
#include <QVector>

#include <exception>
#include <utility>

/// A list window's rows as a table model: plain Row structs, read again as a whole. The
/// model that derives gives the columns and their texts.
template <class Row> class RowListModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    const Row &row(int index) const { return m_rows.at(index); }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

protected:
    /// The rows read gives take the place of the old ones. A list that cannot be read shows
    /// no rows: when read throws, the model is left empty and the error goes on to the caller.
    template <class F> void reloadRows(F &&read)
    {
        QVector<Row> rows;
        std::exception_ptr failure;
        try {
            rows = std::forward<F>(read)();
        } catch (...) {
            failure = std::current_exception();
        }
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        if (failure)
            std::rethrow_exception(failure);
    }

private:
    QVector<Row> m_rows;
};
