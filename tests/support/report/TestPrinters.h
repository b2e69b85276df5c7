#pragma once

#include "FixedPrinterCatalog.h"

#include <memory>

/// Two installed printers, "Office Laser" the default: the catalog the report tests run on.
inline std::shared_ptr<FixedPrinterCatalog> officePrinters()
{
    FixedPrinterCatalog::Printer laser;
    laser.name = QStringLiteral("Office Laser");
    laser.ports = {QStringLiteral("Office Laser")};
    laser.sizes = {{9, QStringLiteral("A4")}, {13, QStringLiteral("JIS B5")}, {1, QStringLiteral("Letter")}};
    laser.bins = {{7, QStringLiteral("自動選択")}, {2, QStringLiteral("下段トレイ")}};
    FixedPrinterCatalog::Printer back;
    back.name = QStringLiteral("Back Office");
    back.ports = {QStringLiteral("Back Office")};
    back.sizes = {{9, QStringLiteral("A4")}, {8, QStringLiteral("A3")}};
    back.bins = {{1, QStringLiteral("上段トレイ")}};
    return std::make_shared<FixedPrinterCatalog>(QList<FixedPrinterCatalog::Printer>{laser, back},
                                                 QStringLiteral("Office Laser"));
}
