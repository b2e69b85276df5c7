#include "LoanGridModel.h"

#include "PlanRows.h"
#include "WorkRowStore.h"

LoanGridModel::LoanGridModel(QObject *parent) : RowGridModel(parent)
{
    setObjectName(QStringLiteral("DataKariire"));
}

void LoanGridModel::Requery()
{
    QVector<LoanRecord> rows;
    if (const auto store = workRows())
        rows = store->readLoans();
    setRecords(rows);
}

void LoanGridModel::setRecords(const QVector<LoanRecord> &records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

int LoanGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LoanGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::TextAlignmentRole) {
        const bool left = index.column() == Lender || index.column() == Method;
        return QVariant::fromValue(Qt::Alignment(left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole || index.row() >= RecordCount())
        return QVariant();
    const LoanRecord &r = m_records.at(index.row());
    switch (index.column()) {
    case Lender:
        return r.lender;
    case Amount:
        return r.amount;
    case Method:
        return r.method;
    case Start:
        return QVariantList{r.start1, r.start2};
    case End:
        return QVariantList{r.end1, r.end2};
    case Rate:
        return QVariantList{r.rate1, r.rate2};
    default:
        return QVariant();
    }
}

QVariant LoanGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return RowGridModel::headerData(section, orientation, role);
    // Two heading lines, as the rows have: the first period's columns above the second's.
    const auto &columns = PlanRows::loanColumns();
    static const QStringList captions = {columns.name(&LoanRecord::lender) + QLatin1Char('\n'),
                                         columns.name(&LoanRecord::amount) + QLatin1Char('\n'),
                                         columns.name(&LoanRecord::method) + QLatin1Char('\n'),
                                         QStringLiteral("\nから"),
                                         QStringLiteral("\nまで"),
                                         columns.name(&LoanRecord::rate1) + QLatin1Char('\n') +
                                             columns.name(&LoanRecord::rate2)};
    return captions.value(section);
}
