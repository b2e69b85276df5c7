#include "PrinterListModel.h"

#include "PrinterSettingStore.h"
#include "cBase.h"

PrinterListModel::PrinterListModel(QObject *parent) : RowListModel(parent) {}

void PrinterListModel::reload(int osFlag)
{
    reloadRows([osFlag] {
        QVector<Row> rows;
        const DaoRows read = PrinterSettingStore::list();
        const QString printer = osFlag == 1 ? QStringLiteral("PrinterNameNT") : QStringLiteral("PrinterName9x");
        for (int i = 0; i < read.count(); ++i)
            rows.append({read.value(i, QStringLiteral("ID")), read.value(i, QStringLiteral("ReportName")),
                         read.value(i, printer), read.value(i, QStringLiteral("PrintMode"))});
        return rows;
    });
}

int PrinterListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PrinterListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const Row &r = row(index.row());
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
