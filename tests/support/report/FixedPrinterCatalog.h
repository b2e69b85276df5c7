#pragma once

#include "PrinterCatalog.h"

/// A catalog held as plain values; tests install one to print on printers of their own.
class FixedPrinterCatalog : public PrinterCatalog
{
public:
    struct Printer {
        QString name;
        QStringList ports;
        QList<Entry> sizes; ///< as the print system lists them, those no run can apply too
        QList<Entry> bins;
        QPageSize defaultSize = QPageSize(QPageSize::A4);
    };

    explicit FixedPrinterCatalog(QList<Printer> printers = {}, QString defaultName = QString())
        : m_printers(std::move(printers)), m_default(std::move(defaultName))
    {
    }

    QStringList printerNames() const override;
    QString defaultPrinterName() const override { return m_default; }
    QStringList ports(const QString &device) const override;
    QList<Entry> paperBins(const QString &device) const override;
    QPageSize defaultPageSize(const QString &device) const override;
    bool reachable() const override { return m_reachable; }
    /// A catalog of no printers whose print system does not answer.
    void setReachable(bool on) { m_reachable = on; }

protected:
    QList<Entry> listedPaperSizes(const QString &device) const override;

private:
    const Printer *find(const QString &device) const;

    QList<Printer> m_printers;
    QString m_default;
    bool m_reachable = true;
};
