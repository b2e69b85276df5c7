#pragma once

#include "DaoDataControl.h"
#include "DrawList.h"
#include "ReportPageSettings.h"
#include "ReportPrinter.h"
#include "ReportViewer.h"

#include <QPageLayout>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QPrinter;
class QWidget;

/// A report layout at run time: its caption and document name, the printer and
/// page settings of the run, the data control, and the run itself (print, or a
/// modal preview) with the behaviour every layout shares: the hourglass while the
/// report is made, the layout centred on the paper, the no-data and error messages
/// titled with the caption, a maximised preview at 100 % with a "閉じる" tool.
///
/// A layout derives from it and gives its pages. Making pages is stateless: the
/// same page layout and data give the same pages however often they are made, so
/// the preview may make them again (page set-up, printing from the preview).
///
/// Each layout's pages are placed in twips from the top-left corner of the paper, on
/// every printer, the PDF file and the preview alike: a page's canvas is put at
/// (LeftMargin, TopMargin) at its own size, moved down (up) only where what the pages
/// draw would otherwise lie in the printer's top (bottom) margin (placedTop). A landscape
/// page the print system turns onto a queue's sheet meets the sheet's margins of other sides
/// (ReportPrinter::unprintableMargins): pages laid within the margins Qt gives that lie
/// within those too go out as they are, the others are laid within those.
/// Centring sets the left margin to half of what the widest item leaves free of
/// the paper's width, and the right margin to 0.
class ActiveReport
{
public:
    ActiveReport();
    virtual ~ActiveReport();
    ActiveReport(const ActiveReport &) = delete;
    ActiveReport &operator=(const ActiveReport &) = delete;

    /// The pages of the layout with its data, for a paper, orientation and margins; the
    /// page's minimum margins are the printer's own for that paper.
    virtual std::vector<DrawList> renderPages(const QPageLayout &page) const = 0;
    /// False when there is nothing to print (an empty record set of a table layout).
    virtual bool hasData() const = 0;

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    QString documentName() const { return m_documentName; }
    void setDocumentName(const QString &name) { m_documentName = name; }
    /// The name, without folder and ".pdf", a PDF file of the report is offered under; the
    /// document name (else the caption) when empty.
    QString offeredFileName() const { return m_offeredFileName; }
    void setOfferedFileName(const QString &name) { m_offeredFileName = name; }

    ReportPrinter &Printer() { return m_printer; }
    const ReportPrinter &Printer() const { return m_printer; }
    ReportPageSettings &PageSettings() { return m_pageSettings; }
    const ReportPageSettings &PageSettings() const { return m_pageSettings; }
    DaoDataControl &DAODataControl1() { return m_data; }
    const DaoDataControl &DAODataControl1() const { return m_data; }
    ReportViewer &Viewer() { return m_viewer; }

    /// Prepares a new run.
    virtual void Restart();
    /// Prints on the report's printer; with showDialog the print dialog comes first,
    /// starting from the report's printer, paper and orientation. Without any printer
    /// the report goes to a PDF file the user names, offered under offeredFileName() in the
    /// folder of the last PDF file saved in this run (at first the user's documents folder,
    /// else the home folder). False when the user cancelled (the
    /// dialog or the file's name). Throws ReportError JobRefused when the print system
    /// did not take the job, or the PDF file could not be written whole (an earlier file
    /// at that path is then kept).
    virtual bool PrintReport(bool showDialog);
    /// Opens the preview and returns when it has closed (every preview is modal).
    virtual void Show(int modal);

    /// The paper, orientation and margins the next run uses.
    QPageLayout pageLayout() const;
    /// Runs the report onto a printer or PDF writer already set up; false when
    /// nothing was output (no data, an error, cancelled).
    bool run(QPrinter &printer);
    /// The box and log line of a print job that failed while the report was handed over.
    static void tellPrintFailure(const QString &description, QWidget *owner);
    /// The greatest right edge of what the pages draw, in twips (lines by their
    /// larger end).
    static double rightEdge(const std::vector<DrawList> &pages);
    /// What the pages draw, all of them over each other, in twips of their canvas: the
    /// rectangle around every line, point and box (a text's box); null when they draw nothing.
    static QRectF drawnBounds(const std::vector<DrawList> &pages);
    /// Where the pages' canvas goes from the paper's top (twips), for a report's top margin:
    /// there, unless what they draw (drawn) would then lie in the printer's top margin, which
    /// moves it down just out of that margin, or else in the bottom margin, which moves it up
    /// just as far (never into the top margin).
    static double placedTop(double topMargin, const QRectF &drawn, double paperHeight, double printerTop,
                            double printerBottom);
    /// The right edge the layout is centred by: by default what its pages draw; a layout
    /// that knows its controls counts them all, drawn or not.
    virtual double layoutRightEdge(const std::vector<DrawList> &pages) const { return rightEdge(pages); }
    /// The preview window while it is open.
    QPrintPreviewDialog *previewWindow() const { return m_preview; }

    using PdfChooser = std::function<QString(QWidget *owner, const QString &title, const QString &suggested)>;
    /// Who asks for the PDF file a report goes to when there is no printer: the program
    /// installs pdfSaveDialog at start-up, a test may answer in its place. Without one the
    /// output is cancelled.
    static void setPdfChooser(PdfChooser chooser);
    /// The save dialog for a PDF file; "" when cancelled.
    static QString pdfSaveDialog(QWidget *owner, const QString &title, const QString &suggested);

protected:
    // The report engine's events, common to every layout.
    void ActiveReport_Initialize();
    void ActiveReport_Terminate();
    void ActiveReport_ToolbarClick(QAction *tool);
    void ActiveReport_Error(int number, const QString &description, bool &cancelDisplay);
    void ActiveReport_NoData();
    void ActiveReport_QueryClose(bool &cancel, int closeMode);
    void ActiveReport_PageStart();
    void ActiveReport_ReportStart();
    void ActiveReport_ReportEnd();
    void CenterLayout();

private:
    /// With data: the report's printer set up and true. Without: the engine's no-data
    /// events run and false.
    bool startOutput(QPrinter &printer);
    void paintPages(QPrinter &printer);
    /// Whether what the pages draw, where they are placed, lies within the paper less those
    /// margins (twips).
    bool liesWithin(const QMarginsF &unprintable) const;
    /// run() for a job that goes out: a job the print system refused throws.
    bool handOver(QPrinter &printer);
    void previewPageSetup(QPrintPreviewDialog &preview);
    void previewPrint(QPrintPreviewDialog &preview);
    void hidePreviewIfMaximized();
    void restoreCursor();
    QString choosePdfFile(QWidget *owner, const QString &suggested) const;

    QString m_caption;
    QString m_documentName;
    QString m_offeredFileName;
    ReportPrinter m_printer;
    ReportPageSettings m_pageSettings;
    DaoDataControl m_data;
    ReportViewer m_viewer;
    std::vector<DrawList> m_pages;
    double m_rightEdge = 0;
    double m_top = 0; // where the pages go from the paper's top (placedTop), in twips
    bool m_cancelled = false;
    bool m_waitCursor = false;
    bool m_handingOver = false;
    QString m_pdfName; // the PDF file the user chose, while it is written
    QPointer<QPrintPreviewDialog> m_preview;
};
