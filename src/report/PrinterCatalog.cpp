#include "PrinterCatalog.h"

#include "PaperCodes.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

namespace
{

/// The print system's printers, asked afresh each time (printers come and go).
class SystemPrinterCatalog : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return QPrinterInfo::availablePrinterNames(); }
    QString defaultPrinterName() const override { return QPrinterInfo::defaultPrinterName(); }

    QStringList ports(const QString &device) const override
    {
        const QString queue = installedName(device);
        return queue.isEmpty() ? QStringList() : QStringList{queue};
    }

    QList<Entry> paperSizes(const QString &device) const override
    {
        QList<Entry> out;
        const QPrinterInfo info = QPrinterInfo::printerInfo(installedName(device));
        if (info.isNull())
            return out;
        for (const QPageSize &size : info.supportedPageSizes()) {
            // A size without a driver code could not be stored in a setting.
            const int code = PaperCodes::paperCode(size);
            if (code > 0)
                out.append({code, size.name()});
        }
        return out;
    }

    QList<Entry> paperBins(const QString &device) const override
    {
        QList<Entry> out;
        const QPrinterInfo info = QPrinterInfo::printerInfo(installedName(device));
        if (info.isNull())
            return out;
        // The print engine says which of Qt's trays the device offers.
        QPrinter printer(info);
        const QVariant sources = printer.printEngine()->property(QPrintEngine::PPK_PaperSources);
        for (const QVariant &source : sources.toList()) {
            const int code = PaperCodes::binCode(QPrinter::PaperSource(source.toInt()));
            if (code > 0)
                out.append({code, PaperCodes::PaperBinName(code)});
        }
        return out;
    }

    QPageSize defaultPageSize(const QString &device) const override
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(installedName(device));
        const QPageSize size = info.isNull() ? QPageSize() : info.defaultPageSize();
        return size.isValid() ? size : QPageSize(QPageSize::A4);
    }
};

std::shared_ptr<PrinterCatalog> &installed()
{
    static std::shared_ptr<PrinterCatalog> catalog;
    return catalog;
}

} // namespace

QString PrinterCatalog::installedName(const QString &device) const
{
    if (device.isEmpty())
        return QString();
    const QStringList names = printerNames();
    if (names.contains(device))
        return device;
    for (const QString &name : names)
        if (name.compare(device, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

const PrinterCatalog &PrinterCatalog::current()
{
    static const SystemPrinterCatalog system;
    if (const auto &c = installed())
        return *c;
    return system;
}

void PrinterCatalog::install(std::shared_ptr<PrinterCatalog> catalog)
{
    installed() = std::move(catalog);
}
