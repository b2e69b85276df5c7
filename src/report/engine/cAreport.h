#pragma once

#include "ReportData.h"
#include "cSystem.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <optional>

class ActiveReport;
class DaoDataControl;
class QComboBox;
struct ReportViewer;

/// What the rest of the program does with the report engine: binding a layout's
/// data control, listing the installed printers with their ports, paper sizes and
/// bins (into lists or into combo boxes whose item data carry the driver codes),
/// putting printer, job and viewer settings on a report, and centring a layout on
/// its paper. The lists come from the printer catalog; a device name that is
/// given but not installed lists nothing.
class cAreport
{
public:
    /// Item data of the entry that closes every paper-size list.
    static constexpr int UserDefinedSize = 256;

    // ---- data binding ----
    void SetDaoTable(DaoDataControl &control, const QString &databaseName, const QString &tableName);
    void SetDaoQuery(DaoDataControl &control, const QString &databaseName, const QString &sql, int recordsetType);
    void SetDaoRecordset(DaoDataControl &control, const ReportData &recordset);

    // ---- lists; the operations catch their errors, show them and return -1 ----
    int GetPrinterDevice(QStringList &names);
    int SetPrinterCombo(QComboBox *combo);
    /// The ports of the default printer.
    int GetPrinterPort(QStringList &ports);
    /// Without a device name the box stays empty and the result is -1.
    int SetPortCombo(QComboBox *combo, const QString &deviceName = QString());
    /// Without a device name: the default printer's sizes.
    int GetPaperSize(QVector<int> &codes, const QString &deviceName = QString());
    /// The device's sizes, then "ユーザー定義サイズ" (256); -1 and empty without a device name.
    int SetPaperSizeCombo(QComboBox *combo, const QString &deviceName = QString());
    int GetPaperBin(QVector<int> &codes, QStringList &names, const QString &deviceName = QString());
    /// Without a device name the box stays empty and the result is 0.
    int SetPaperBinCombo(QComboBox *combo, const QString &deviceName = QString());

    // ---- settings ----
    /// Applies what is given: a non-empty device, the port (only outside the NT
    /// family), non-zero bin, size and orientation codes. An error is shown titled
    /// "SetPrinterParam" and the next setting applied; the result is always true.
    bool SetPrinterParam(ActiveReport &report, const QString &DeviceName, const QString &PrinterPort, int PaperBin,
                         int PaperSize, int Orientation);
    void SetPrintParam(ActiveReport &report, const std::optional<QString> &documentName, bool DisplayProgressDialog,
                       int FromPage, int ToPage, std::optional<int> ColorMode = std::nullopt, int Duplex = 0,
                       std::optional<int> Copies = std::nullopt, int Collate = 0, int PrintQuality = 0);
    void SetViewParam(ReportViewer &viewer, int Zoom, bool ToolbarVisible, bool TOCEnabled, int TOCWidth = 0);
    /// Centres the report's layout on its paper by its left margin (right margin 0).
    void PaperCenter(ActiveReport &report);

private:
    using Entries = QList<QPair<QString, QVariant>>;
    int fillCombo(QComboBox *combo, const char *operation, bool needsDevice, const QString &deviceName,
                  int withoutDevice, const std::function<Entries(const QString &)> &entries);

    cSystem m_system;
};
