#include "cAreport.h"

#include "ActiveReport.h"
#include "DaoDataControl.h"
#include "MsgBox.h"
#include "PrinterCatalog.h"
#include "ReportViewer.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <functional>

namespace
{

const PrinterCatalog &catalog()
{
    return PrinterCatalog::current();
}

/// Runs a list operation: an error is shown titled with the operation's name and gives -1.
template <class F> int listed(const char *operation, F &&body)
{
    try {
        return body();
    } catch (const std::exception &e) {
        MsgBox::show(QString::fromUtf8(e.what()), MsgBox::Critical, QString::fromLatin1(operation));
    }
    return -1;
}

QString deviceOrDefault(const QString &deviceName)
{
    return deviceName.isEmpty() ? catalog().defaultPrinterName() : deviceName;
}

} // namespace

void cAreport::SetDaoTable(DaoDataControl &control, const QString &databaseName, const QString &tableName)
{
    control.DatabaseName = databaseName;
    control.RecordsetType = 0;
    control.RecordSource = tableName;
}

void cAreport::SetDaoQuery(DaoDataControl &control, const QString &databaseName, const QString &sql, int recordsetType)
{
    control.DatabaseName = databaseName;
    control.RecordsetType = recordsetType;
    control.RecordSource = sql;
}

void cAreport::SetDaoRecordset(DaoDataControl &control, const ReportData &recordset)
{
    control.setRecordset(recordset);
}

int cAreport::GetPrinterDevice(QStringList &names)
{
    return listed("GetPrinterDevice", [&] {
        names = catalog().printerNames();
        return int(names.size());
    });
}

int cAreport::fillCombo(QComboBox *combo, const char *operation, bool needsDevice, const QString &deviceName,
                        int withoutDevice, const std::function<Entries(const QString &)> &entries)
{
    // Filling is no change of the user's: the box tells nobody, and repaints once.
    const QSignalBlocker quiet(combo);
    combo->setUpdatesEnabled(false);
    const int result = listed(operation, [&] {
        combo->clear();
        if (needsDevice && deviceName.isEmpty())
            return withoutDevice;
        const Entries list = entries(deviceName);
        for (const auto &entry : list)
            combo->addItem(entry.first, entry.second);
        // A filled box shows no choice until one is made.
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(QString());
        return int(list.size());
    });
    combo->setUpdatesEnabled(true);
    return result;
}

int cAreport::SetPrinterCombo(QComboBox *combo)
{
    return fillCombo(combo, "SetPrinterCombo", false, QString(), 0, [](const QString &) {
        Entries out;
        for (const QString &name : catalog().printerNames())
            out.append({name, QVariant()});
        return out;
    });
}

int cAreport::GetPrinterPort(QStringList &ports)
{
    return listed("GetPrinterPort", [&] {
        ports = catalog().ports(catalog().defaultPrinterName());
        return int(ports.size());
    });
}

int cAreport::SetPortCombo(QComboBox *combo, const QString &deviceName)
{
    return fillCombo(combo, "SetPortCombo", true, deviceName, -1, [](const QString &device) {
        Entries out;
        for (const QString &port : catalog().ports(device))
            out.append({port, QVariant()});
        return out;
    });
}

int cAreport::GetPaperSize(QVector<int> &codes, const QString &deviceName)
{
    return listed("GetPaperSize", [&] {
        codes.clear();
        for (const PrinterCatalog::Entry &e : catalog().paperSizes(deviceOrDefault(deviceName)))
            codes << e.code;
        return int(codes.size());
    });
}

int cAreport::SetPaperSizeCombo(QComboBox *combo, const QString &deviceName)
{
    return fillCombo(combo, "SetPaperSizeCombo", true, deviceName, -1, [](const QString &device) {
        Entries out;
        for (const PrinterCatalog::Entry &e : catalog().paperSizes(device))
            out.append({e.name, e.code});
        out.append({QStringLiteral("ユーザー定義サイズ"), UserDefinedSize});
        return out;
    });
}

int cAreport::GetPaperBin(QVector<int> &codes, QStringList &names, const QString &deviceName)
{
    return listed("GetPaperBin", [&] {
        codes.clear();
        names.clear();
        for (const PrinterCatalog::Entry &e : catalog().paperBins(deviceOrDefault(deviceName))) {
            codes << e.code;
            names << e.name;
        }
        return int(codes.size());
    });
}

int cAreport::SetPaperBinCombo(QComboBox *combo, const QString &deviceName)
{
    return fillCombo(combo, "SetPaperBinCombo", true, deviceName, 0, [](const QString &device) {
        Entries out;
        for (const PrinterCatalog::Entry &e : catalog().paperBins(device))
            out.append({e.name, e.code});
        return out;
    });
}

bool cAreport::SetPrinterParam(ActiveReport &report, const QString &DeviceName, const QString &PrinterPort,
                               int PaperBin, int PaperSize, int Orientation)
{
    ReportPrinter &printer = report.Printer();
    // Each setting on its own: one that fails is shown and the others still apply.
    const auto step = [](const std::function<void()> &apply) {
        try {
            apply();
        } catch (const std::exception &e) {
            MsgBox::show(QString::fromUtf8(e.what()), MsgBox::Critical, QStringLiteral("SetPrinterParam"));
        }
    };
    if (!DeviceName.isEmpty())
        step([&] { printer.setDeviceName(DeviceName); });
    if (!m_system.IsWindowsNT() && !PrinterPort.isEmpty())
        step([&] { printer.setPort(PrinterPort); });
    if (PaperBin != 0)
        step([&] { printer.setPaperBin(PaperBin); });
    if (PaperSize != 0)
        step([&] { printer.setPaperSize(PaperSize); });
    if (Orientation != 0)
        step([&] { printer.setOrientation(Orientation); });
    return true;
}

void cAreport::SetPrintParam(ActiveReport &report, const std::optional<QString> &documentName,
                             bool DisplayProgressDialog, int FromPage, int ToPage, std::optional<int> ColorMode,
                             int Duplex, std::optional<int> Copies, int Collate, int PrintQuality)
{
    if (documentName)
        report.setDocumentName(*documentName);
    ReportPrinter &printer = report.Printer();
    printer.DisplayProgressDialog = DisplayProgressDialog;
    printer.FromPage = FromPage;
    printer.ToPage = ToPage;
    if (ColorMode)
        printer.ColorMode = *ColorMode;
    printer.Duplex = Duplex;
    if (Copies)
        printer.Copies = *Copies;
    printer.Collate = Collate;
    if (PrintQuality != 0)
        printer.PrintQuality = PrintQuality;
}

void cAreport::SetViewParam(ReportViewer &viewer, int Zoom, bool ToolbarVisible, bool TOCEnabled, int TOCWidth)
{
    viewer.Zoom = Zoom;
    viewer.ToolbarVisible = ToolbarVisible;
    viewer.TOCEnabled = TOCEnabled;
    viewer.TOCWidth = TOCWidth;
}

void cAreport::PaperCenter(ActiveReport &report)
{
    const double edge = ActiveReport::rightEdge(report.renderPages(report.pageLayout()));
    report.PageSettings().centre(report.Printer().PaperWidth(), edge);
}
