#include "YearlyTableModel.h"

#include "VbRuntime.h"

YearlyTableModel::YearlyTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void YearlyTableModel::setRows(QVector<ResultRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int YearlyTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int YearlyTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString YearlyTableModel::moneyFormat()
{
    return QStringLiteral("#,###,###,##0");
}

QColor YearlyTableModel::seriesColor(int column)
{
    switch (column) {
    case Income:
        return QColor(0, 255, 0);
    case Expense:
        return QColor(255, 56, 0);
    case Balance:
        return QColor(0, 128, 255);
    default:
        return QColor();
    }
}

QVariant YearlyTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const ResultRow &row = m_rows.at(index.row());
    switch (index.column()) {
    case Year:
        return QString::number(row.year);
    case Income:
        return vb::format(row.income, moneyFormat());
    case Expense:
        return vb::format(row.expense, moneyFormat());
    case Balance:
        return vb::format(row.balance, moneyFormat());
    default:
        return QVariant();
    }
}

QVariant YearlyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: {
        static const char *const captions[ColumnCount] = {"年", "収入", "支出", "累計"};
        return QString::fromUtf8(captions[section]);
    }
    case Qt::BackgroundRole:
        return section == Year ? QVariant() : QVariant(seriesColor(section));
    default:
        return QVariant();
    }
}
