#include "RentGridModel.h"

#include "PlanRows.h"
#include "VbRuntime.h"
#include "WorkRowStore.h"
#include "cBase.h"

RentGridModel::RentGridModel(QObject *parent) : RowGridModel(parent)
{
    setObjectName(QStringLiteral("DataYatin"));
}

void RentGridModel::Requery()
{
    QVector<RentRecord> rows;
    if (const auto store = workRows())
        rows = store->readRents();
    setRecords(rows);
}

void RentGridModel::setRecords(const QVector<RentRecord> &records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

QVariant RentGridModel::newKey() const
{
    return QString(QChar(u'A' + RecordCount()));
}

RentFooters RentGridModel::footers() const
{
    QVector<RentRow> rows;
    rows.reserve(m_records.size());
    for (const RentRecord &r : m_records)
        rows << r.toRentRow();
    return RentFooters::fromRows(rows);
}

int RentGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RentGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment h = index.column() == Type     ? Qt::AlignHCenter
                                : index.column() == Madori ? Qt::AlignLeft
                                                           : Qt::AlignRight;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole || index.row() >= RecordCount())
        return QVariant();
    const RentRecord &r = m_records.at(index.row());
    const auto shown = [](const QVariant &value, const char *format) {
        // NULL shows nothing; a number in the column's format.
        const QString text = cBase().CvtStr(value);
        return text.isEmpty() ? QString() : vb::format(cBase().CvtDbl(value), QString::fromLatin1(format));
    };
    switch (index.column()) {
    case Type:
        return r.type;
    case Madori:
        return cBase().CvtStr(r.madori);
    case Senyu:
        return shown(r.senyu, "0.00");
    case Setai:
        return shown(r.setai, "##,##0");
    case Tyusya:
        return shown(r.tyusya, "##,##0");
    case Yatin:
        return shown(r.yatin, "##,##0");
    case Kyoeki:
        return shown(r.kyoeki, "##,##0");
    case Tyusyaryo:
        return shown(r.tyusyaryo, "##,##0");
    case Sikikin:
        return shown(r.sikikin, "##,##0");
    default:
        return QVariant();
    }
}

QVariant RentGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return RowGridModel::headerData(section, orientation, role);
    // The columns are captioned with their field names: every column after the plan key.
    static const QStringList captions = PlanRows::rentColumns().names().mid(2);
    return captions.value(section);
}
