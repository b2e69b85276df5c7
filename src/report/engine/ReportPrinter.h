#pragma once

#include "ReportError.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

/// The printer object of a report: which printer a run goes to and on what paper.
/// It holds the settings only; a run makes a QPrinter from them (applyTo).
///
/// Codes are the driver's numbers the printer settings store: paper sizes map to
/// Qt page sizes (0, 256 and unknown codes leave the size as it is), bins to Qt's
/// trays, orientation 1 portrait and 2 landscape. Widths are in twips.
class ReportPrinter
{
public:
    /// The default printer of the catalog with its default paper, portrait.
    ReportPrinter();

    /// The device a run prints on; "" is the default printer.
    QString DeviceName() const { return m_device; }
    /// Takes the installed printer's spelling of a name in any letter case. Throws
    /// ReportError when no such printer is installed, saying where the report goes instead
    /// (the default printer, or a PDF file where there is no printer at all); the device is
    /// then unchanged. With the print system down nothing can be looked up: the name is kept
    /// as given.
    void setDeviceName(const QString &name);
    QString Port() const { return m_port; }
    void setPort(const QString &port) { m_port = port; }
    int PaperBin() const { return m_bin; }
    void setPaperBin(int code) { m_bin = code; }
    /// The paper's driver code; 0 when the size has none.
    int PaperSize() const;
    void setPaperSize(int code);
    QPageSize pageSize() const { return m_pageSize; }
    void setPageSize(const QPageSize &size) { m_pageSize = size; }
    /// 1 portrait, 2 landscape. Throws ReportError for any other value.
    int Orientation() const { return m_landscape ? 2 : 1; }
    void setOrientation(int orientation);
    QPageLayout::Orientation pageOrientation() const
    {
        return m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    }
    /// Width of the paper as it lies, in twips.
    double PaperWidth() const;

    // Job settings (written by cAreport::SetPrintParam).
    bool DisplayProgressDialog = true;
    int FromPage = 0;
    int ToPage = 0;
    int ColorMode = 0; ///< 1 monochrome, 2 colour, 0 the printer's own
    int Duplex = 0;    ///< 1 simplex, 2 long edge, 3 short edge, 0 the printer's own
    int Copies = 1;
    int Collate = 0;      ///< 1 collate
    int PrintQuality = 0; ///< dots per inch when positive

    /// Puts the settings on a printer: device (when installed), paper, orientation,
    /// tray and the job settings. The report places its pages from the paper's corner; the
    /// printer's margins are those it cannot print on (unprintableMargins), which the preview
    /// shows faded.
    void applyTo(QPrinter &printer) const;
    /// The margins of the page as it lies (points) that the printer cannot print on: the print
    /// system's for the paper, and where it turns a landscape page onto a queue's sheet, the
    /// sheet's margins as they fall on the turned page.
    static QMarginsF unprintableMargins(const QPrinter &printer);
    /// Gives a print queue's printer those margins as its own, for the preview to show them
    /// faded, and returns them.
    static QMarginsF showUnprintable(QPrinter &printer);

    /// What the printer set-up dialog chose.
    struct SetupChoice {
        bool accepted = false;
        QString device;
        int paperSize = 0; ///< 0 when no paper was chosen
        int orientation = 1;
        int paperBin = 0; ///< 0 when no source was chosen
    };
    using SetupRunner =
        std::function<SetupChoice(QWidget *owner, const ReportPrinter &start, const QString &acceptText)>;
    /// The set-up dialog (printer, paper, source, orientation), starting from this
    /// printer's settings; acceptText is the caption of its accept button. Cancelled
    /// when no dialog is installed.
    SetupChoice SetupDialog(QWidget *owner, const QString &acceptText = QStringLiteral("OK")) const;
    /// Takes what the dialog chose: the device, and the paper and source where one was chosen.
    void setChoice(const SetupChoice &choice);
    /// Who shows the set-up dialog: the program installs PrinterSetupDialog's at start-up,
    /// a test may answer in its place; an empty function installs none.
    static void setSetupRunner(SetupRunner runner);

private:
    QString m_device;
    QString m_port;
    int m_bin = 0;
    QPageSize m_pageSize;
    bool m_landscape = false;
};
