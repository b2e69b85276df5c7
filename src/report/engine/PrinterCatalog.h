#pragma once

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>

/// The printers installed on this computer, as the printer settings and the
/// report's printer object see them: device names, the ports of a device, its
/// paper sizes and its paper bins, each with the driver's code. The program
/// reads the print system (QPrinterInfo); tests install a catalog of their own.
///
/// A job on this system reaches its printer through the printer's queue, so a
/// device's one port is its queue name. The print system treats queue names without
/// regard to letter case, and so does the catalog: a device may be named in any case.
class PrinterCatalog
{
public:
    struct Entry {
        int code = 0;
        QString name;
    };

    virtual ~PrinterCatalog() = default;

    virtual QStringList printerNames() const = 0;
    /// "" when no printer is installed.
    virtual QString defaultPrinterName() const = 0;
    virtual QStringList ports(const QString &device) const = 0;
    /// The device's paper sizes that a run can apply, in the print system's order: those whose
    /// driver code names a size. A size without a code, or with the user-defined 256, which
    /// names none, is left out: a setting could store it, but no page would take it.
    QList<Entry> paperSizes(const QString &device) const;
    virtual QList<Entry> paperBins(const QString &device) const = 0;
    /// The paper a new job on the device starts with (A4 when the device does not say).
    virtual QPageSize defaultPageSize(const QString &device) const = 0;
    /// False when the print system does not answer at all (its scheduler is down), as
    /// opposed to answering that no printer is installed.
    virtual bool reachable() const { return true; }
    /// Right after a job was handed to the device's queue: why the print system refused
    /// it, "" when it took the job.
    virtual QString jobRefusal(const QString &device) const { return QString(); }
    /// How the print system turns a landscape page onto the device's sheet: a quarter turn that
    /// takes the page's top to the sheet's left (Plus90) or to its right (Minus90); Unknown where
    /// the device has no description that could say (no PPD, no such device).
    enum class LandscapeTurn { Unknown, Plus90, Minus90 };
    virtual LandscapeTurn landscapeTurn(const QString &device) const { return LandscapeTurn::Unknown; }

    /// The installed device's own spelling of a name given in any letter case; "" when
    /// no such printer is installed.
    QString installedName(const QString &device) const;
    bool hasPrinter(const QString &device) const { return !installedName(device).isEmpty(); }
    bool isEmpty() const { return printerNames().isEmpty(); }

    /// The catalog in use: the print system's unless a test installed another.
    static const PrinterCatalog &current();
    /// Installs a catalog (null restores the print system's).
    static void install(std::shared_ptr<PrinterCatalog> catalog);

protected:
    /// Every paper size the device lists, with its driver code (0 when it has none).
    virtual QList<Entry> listedPaperSizes(const QString &device) const = 0;
};
