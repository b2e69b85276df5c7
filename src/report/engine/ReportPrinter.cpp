#include "ReportPrinter.h"

#include "PaperCodes.h"
#include "PrinterCatalog.h"

#include <QPrinter>

namespace
{

ReportPrinter::SetupRunner s_setupRunner;

} // namespace

ReportPrinter::ReportPrinter()
    : m_pageSize(PrinterCatalog::current().defaultPageSize(PrinterCatalog::current().defaultPrinterName()))
{
}

void ReportPrinter::setDeviceName(const QString &name)
{
    const PrinterCatalog &catalog = PrinterCatalog::current();
    const QString installed = catalog.installedName(name);
    if (!installed.isEmpty()) {
        m_device = installed;
        return;
    }
    // With the print system down nothing can be looked up: the name is kept, and the
    // print says that no printer can be reached.
    if (catalog.isEmpty() && !catalog.reachable()) {
        m_device = name;
        return;
    }
    // Without any printer the report goes to a PDF file, not to a default printer.
    throw ReportError(ReportError::PrinterNotFound,
                      QStringLiteral("プリンタ「%1」が見つかりません。\r\n").arg(name) +
                          (catalog.isEmpty() ? QStringLiteral("帳票はPDFファイルに保存します。")
                                             : QStringLiteral("通常使うプリンタで印刷します。")));
}

int ReportPrinter::PaperSize() const
{
    return PaperCodes::paperCode(m_pageSize);
}

void ReportPrinter::setPaperSize(int code)
{
    if (const auto size = PaperCodes::pageSize(code))
        m_pageSize = *size;
}

void ReportPrinter::setOrientation(int orientation)
{
    if (orientation != 1 && orientation != 2)
        throw ReportError(ReportError::BadOrientation,
                          QStringLiteral("印刷方向の値 %1 は使用できません。").arg(orientation));
    m_landscape = orientation == 2;
}

double ReportPrinter::PaperWidth() const
{
    return PaperCodes::paperWidthTwips(m_pageSize, pageOrientation());
}

void ReportPrinter::applyTo(QPrinter &printer) const
{
    const PrinterCatalog &catalog = PrinterCatalog::current();
    const QString device = catalog.installedName(m_device.isEmpty() ? catalog.defaultPrinterName() : m_device);
    if (!device.isEmpty())
        printer.setPrinterName(device);
    // The paper and its orientation; the printer's margins are those it cannot print on, and the
    // report places its pages from the paper's corner whatever they are.
    printer.setPageLayout(QPageLayout(m_pageSize, pageOrientation(), QMarginsF()));
    showUnprintable(printer);
    if (const auto source = PaperCodes::paperSource(m_bin))
        printer.setPaperSource(*source);
    if (ColorMode == 1 || ColorMode == 2)
        printer.setColorMode(ColorMode == 1 ? QPrinter::GrayScale : QPrinter::Color);
    if (Duplex >= 1 && Duplex <= 3) {
        static const QPrinter::DuplexMode modes[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide,
                                                     QPrinter::DuplexShortSide};
        printer.setDuplex(modes[Duplex - 1]);
    }
    if (Copies > 0)
        printer.setCopyCount(Copies);
    printer.setCollateCopies(Collate == 1);
    if (FromPage > 0 && ToPage >= FromPage)
        printer.setFromTo(FromPage, ToPage);
    if (PrintQuality > 0)
        printer.setResolution(PrintQuality);
}

QMarginsF ReportPrinter::unprintableMargins(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    // Qt gives a queue's margins as the sheet lies, in either orientation (Qt 6.4 takes the
    // PPD's imageable area as it is); a PDF file is not turned.
    const QMarginsF sheet = layout.minimumMargins();
    if (layout.orientation() != QPageLayout::Landscape || printer.outputFormat() != QPrinter::NativeFormat)
        return sheet;
    switch (PrinterCatalog::current().landscapeTurn(printer.printerName())) {
    case PrinterCatalog::LandscapeTurn::Plus90: // the page's top to the sheet's left
        return QMarginsF(sheet.bottom(), sheet.left(), sheet.top(), sheet.right());
    case PrinterCatalog::LandscapeTurn::Minus90: // the page's top to the sheet's right
        return QMarginsF(sheet.top(), sheet.right(), sheet.bottom(), sheet.left());
    case PrinterCatalog::LandscapeTurn::Unknown:
        break;
    }
    return sheet;
}

QMarginsF ReportPrinter::showUnprintable(QPrinter &printer)
{
    const QMarginsF unprintable = unprintableMargins(printer);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    if (printer.outputFormat() != QPrinter::NativeFormat || layout.margins() == unprintable)
        return unprintable;
    // Qt keeps a page's margins at least its minimum ones except in full-page mode, and keeps
    // them as they are when the mode changes back.
    layout.setMode(QPageLayout::FullPageMode);
    layout.setMargins(unprintable);
    printer.setPageLayout(layout);
    printer.setFullPage(false);
    return unprintable;
}

ReportPrinter::SetupChoice ReportPrinter::SetupDialog(QWidget *owner, const QString &acceptText) const
{
    return s_setupRunner ? s_setupRunner(owner, *this, acceptText) : SetupChoice();
}

void ReportPrinter::setChoice(const SetupChoice &choice)
{
    if (!choice.device.isEmpty())
        setDeviceName(choice.device);
    setPaperSize(choice.paperSize);
    if (choice.paperBin != 0)
        m_bin = choice.paperBin;
    setOrientation(choice.orientation == 2 ? 2 : 1);
}

void ReportPrinter::setSetupRunner(SetupRunner runner)
{
    s_setupRunner = std::move(runner);
}
