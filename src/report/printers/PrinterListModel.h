#pragma once

#include "RowListModel.h"

#include <QVariant>

struct PrinterListRow {
    QVariant id;
    QVariant reportName;
    QVariant printerName;
    QVariant printMode;
};

/// The rows of M_Printer as the printer-settings list shows them, in report-name
/// order: ID (hidden), 帳票名, プリンタ名 (the NT-family or the other family's
/// field, by the OS flag) and 印刷設定 (the stored print mode; the grid's value
/// list shows its caption).
class PrinterListModel : public RowListModel<PrinterListRow>
{
public:
    using Row = PrinterListRow;
    enum Column { ColID, ColReportName, ColPrinterName, ColPrintMode, ColumnCount };

    explicit PrinterListModel(QObject *parent = nullptr);

    /// Reads the table again; when the query fails, no rows and a DaoError.
    void reload(int osFlag);

    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
};
