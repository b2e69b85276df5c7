#include "FixedPrinterCatalog.h"

QStringList FixedPrinterCatalog::printerNames() const
{
    QStringList names;
    for (const Printer &p : m_printers)
        names << p.name;
    return names;
}

const FixedPrinterCatalog::Printer *FixedPrinterCatalog::find(const QString &device) const
{
    const QString name = installedName(device);
    for (const Printer &p : m_printers)
        if (p.name == name)
            return &p;
    return nullptr;
}

QStringList FixedPrinterCatalog::ports(const QString &device) const
{
    const Printer *p = find(device);
    return p ? p->ports : QStringList();
}

QList<PrinterCatalog::Entry> FixedPrinterCatalog::listedPaperSizes(const QString &device) const
{
    const Printer *p = find(device);
    return p ? p->sizes : QList<Entry>();
}

QList<PrinterCatalog::Entry> FixedPrinterCatalog::paperBins(const QString &device) const
{
    const Printer *p = find(device);
    return p ? p->bins : QList<Entry>();
}

QPageSize FixedPrinterCatalog::defaultPageSize(const QString &device) const
{
    const Printer *p = find(device);
    return p ? p->defaultSize : QPageSize(QPageSize::A4);
}
