#include "PrinterListModel.h"

#include "PrinterSettingStore.h"
#include "cBase.h"

PrinterListModel::PrinterListModel(QObject *parent) : QAbstractTableModel(parent) {}

bool PrinterListModel::reload(int osFlag)
{
    beginResetModel();
    m_rows.clear();
    std::unique_ptr<Recordset> rs = PrinterSettingStore::openList();
    if (rs && rs->RecordCount() > 0) {
        const QString printer = osFlag == 1 ? QStringLiteral("PrinterNameNT") : QStringLiteral("PrinterName9x");
        for (rs->MoveFirst(); !rs->isEOF(); rs->MoveNext())
            m_rows.append({rs->Fields(QStringLiteral("ID")), rs->Fields(QStringLiteral("ReportName")),
                           rs->Fields(printer), rs->Fields(QStringLiteral("PrintMode"))});
    }
    endResetModel();
    return rs != nullptr;
}

int PrinterListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PrinterListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PrinterListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const Row &r = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (index.column() == ColPrintMode ? Qt::AlignHCenter : Qt::AlignLeft));
    if (role != Qt::DisplayRole)
        return QVariant();
    const cBase base;
    switch (index.column()) {
    case ColID:
        return base.CvtStr(r.id);
    case ColReportName:
        return base.CvtStr(r.reportName);
    case ColPrinterName:
        return base.CvtStr(r.printerName);
    case ColPrintMode:
        return base.CvtStr(r.printMode);
    default:
        return QVariant();
    }
}

QVariant PrinterListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (section == ColPrintMode ? Qt::AlignHCenter : Qt::AlignLeft));
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColID:
        return QStringLiteral("ID");
    case ColReportName:
        return QStringLiteral("帳票名");
    case ColPrinterName:
        return QStringLiteral("プリンタ名");
    case ColPrintMode:
        return QStringLiteral("印刷設定");
    default:
        return QVariant();
    }
}
