#include "PrinterCatalog.h"

#include "PaperCodes.h"
#include "QueuePpd.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

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

    QList<Entry> listedPaperSizes(const QString &device) const override
    {
        QList<Entry> out;
        const QPrinterInfo info = QPrinterInfo::printerInfo(installedName(device));
        if (info.isNull())
            return out;
        for (const QPageSize &size : info.supportedPageSizes())
            out.append({PaperCodes::paperCode(size), size.name()});
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

    bool reachable() const override
    {
        // Qt lists no printer both when none is installed and when the scheduler is down.
        http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 3000, nullptr);
        if (!http)
            return false;
        httpClose(http);
        return true;
    }

    QString jobRefusal(const QString &device) const override
    {
        // Qt's print engine hands the job over as its painter ends and keeps the print
        // system's answer to itself; libcups keeps the last answer of this thread.
        if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
            return QString();
        const QString refusal = QString::fromUtf8(cupsLastErrorString());
        const QString reason = stateMessage(installedName(device));
        return reason.isEmpty() ? refusal : refusal + QStringLiteral("\r\n") + reason;
    }

    LandscapeTurn landscapeTurn(const QString &device) const override
    {
        const int turn = QueuePpd::landscapeTurn(installedName(device));
        return turn == 90 ? LandscapeTurn::Plus90 : turn == -90 ? LandscapeTurn::Minus90 : LandscapeTurn::Unknown;
    }

private:
    /// The queue's state message: the reason given when it was told to stop taking jobs.
    static QString stateMessage(const QString &queue)
    {
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                         queue.toUtf8().constData());
        ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "printer-state-message");
        ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        const char *text = ippGetString(ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT), 0, nullptr);
        const QString message = text ? QString::fromUtf8(text) : QString();
        ippDelete(response);
        return message;
    }
};

std::shared_ptr<PrinterCatalog> &installed()
{
    static std::shared_ptr<PrinterCatalog> catalog;
    return catalog;
}

} // namespace

QList<PrinterCatalog::Entry> PrinterCatalog::paperSizes(const QString &device) const
{
    QList<Entry> out = listedPaperSizes(device);
    out.removeIf([](const Entry &e) { return !PaperCodes::pageSize(e.code); });
    return out;
}

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
