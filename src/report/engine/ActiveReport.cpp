#include "ActiveReport.h"

#include "ErrorTrap.h"
#include "MsgBox.h"
#include "PaperCodes.h"
#include "PdfOutputFile.h"
#include "PrinterCatalog.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsView>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace
{

ActiveReport::PdfChooser s_pdfChooser;

const QString kCloseTool = QStringLiteral("閉じる");

/// Passes the preview window's close request and its first showing to the report.
class PreviewWatcher : public QObject
{
public:
    PreviewWatcher(QObject *parent, std::function<bool()> onClose, std::function<void()> onShow)
        : QObject(parent), m_onClose(std::move(onClose)), m_onShow(std::move(onShow))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && m_onClose()) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::Show && m_onShow) {
            // Once: the print system's dialog sets its own zoom while it opens.
            auto onShow = std::move(m_onShow);
            m_onShow = nullptr;
            onShow();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> m_onClose;
    std::function<void()> m_onShow;
};

// The folder of the last PDF file saved in this run: the next one is likely to go beside it.
QString s_lastPdfFolder;

QString suggestedPdfPath(const QString &name)
{
    QString folder = s_lastPdfFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString file = name.trimmed().isEmpty() ? QStringLiteral("帳票") : name.trimmed();
    // A plan's name is free text: nothing in it may name another folder, read as two names in
    // the dialog (a quote) or hide the file from the next dialog (a leading dot).
    for (QChar &c : file)
        if (QStringView(u"/\\:*?<>|\"").contains(c))
            c = QLatin1Char('_');
    if (file.startsWith(QLatin1Char('.')))
        file[0] = QLatin1Char('_');
    return QDir(folder).filePath(file + QStringLiteral(".pdf"));
}

} // namespace

ActiveReport::ActiveReport()
{
    ActiveReport_Initialize();
}

ActiveReport::~ActiveReport()
{
    if (m_preview)
        m_preview->hide();
    restoreCursor();
    ActiveReport_Terminate();
}

void ActiveReport::ActiveReport_Initialize()
{
    m_viewer.WindowState = ReportViewer::Maximized;
    m_viewer.Zoom = 100;
}

void ActiveReport::ActiveReport_Terminate()
{
    m_pages.clear();
}

void ActiveReport::Restart()
{
    m_cancelled = false;
    m_pages.clear();
    m_data.Refresh();
}

QPageLayout ActiveReport::pageLayout() const
{
    // Points are 20 twips.
    const QMarginsF margins(m_pageSettings.LeftMargin / 20, m_pageSettings.TopMargin / 20,
                            m_pageSettings.RightMargin / 20, m_pageSettings.BottomMargin / 20);
    return QPageLayout(m_printer.pageSize(), m_printer.pageOrientation(), margins, QPageLayout::Point);
}

double ActiveReport::rightEdge(const std::vector<DrawList> &pages)
{
    return std::max(0.0, drawnBounds(pages).right());
}

QRectF ActiveReport::drawnBounds(const std::vector<DrawList> &pages)
{
    bool any = false;
    double left = 0, top = 0, right = 0, bottom = 0;
    const auto take = [&](const QPointF &p) {
        left = any ? std::min(left, p.x()) : p.x();
        right = any ? std::max(right, p.x()) : p.x();
        top = any ? std::min(top, p.y()) : p.y();
        bottom = any ? std::max(bottom, p.y()) : p.y();
        any = true;
    };
    for (const DrawList &page : pages) {
        for (const DrawItem &item : page.items) {
            switch (item.kind) {
            case DrawItem::Line:
                take(item.line.p1());
                take(item.line.p2());
                break;
            case DrawItem::Polyline:
                for (const QPointF &p : item.points)
                    take(p);
                break;
            case DrawItem::Rect:
            case DrawItem::Text:
                take(item.rect.topLeft());
                take(item.rect.bottomRight());
                break;
            }
        }
    }
    return any ? QRectF(QPointF(left, top), QPointF(right, bottom)) : QRectF();
}

double ActiveReport::placedTop(double topMargin, const QRectF &drawn, double paperHeight, double printerTop,
                               double printerBottom)
{
    if (drawn.isNull())
        return topMargin;
    if (topMargin + drawn.top() < printerTop)
        return printerTop - drawn.top();
    const double printableBottom = paperHeight - printerBottom;
    if (topMargin + drawn.bottom() > printableBottom)
        return std::max(printableBottom - drawn.bottom(), printerTop - drawn.top());
    return topMargin;
}

bool ActiveReport::liesWithin(const QMarginsF &unprintable) const
{
    const QRectF drawn = drawnBounds(m_pages);
    if (drawn.isNull())
        return true;
    const QRectF paper = pageLayout().fullRectPoints();
    const QRectF printable = QRectF(QPointF(0, 0), paper.size() * 20) - unprintable;
    // Within a thousandth of a twip: placedTop puts a page's edge on a margin by arithmetic.
    return printable.adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(drawn.translated(m_pageSettings.LeftMargin, m_top));
}

bool ActiveReport::startOutput(QPrinter &printer)
{
    if (!hasData()) {
        ActiveReport_ReportStart();
        ActiveReport_NoData();
        return false;
    }
    m_printer.applyTo(printer);
    printer.setDocName(m_documentName);
    return true;
}

bool ActiveReport::PrintReport(bool showDialog)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!startOutput(printer))
        return true;
    QWidget *owner = QApplication::activeWindow();
    if (showDialog && !PrinterCatalog::current().isEmpty()) {
        // Qt's print dialog would start from the queue's default paper, not the report's.
        ReportPrinter::SetupChoice choice = m_printer.SetupDialog(owner, QStringLiteral("印　刷"));
        if (!choice.accepted)
            return false;
        // The print system may have stopped while the dialog was open: no printer can be
        // taken then, and the report goes to the PDF file below on the paper chosen.
        if (PrinterCatalog::current().isEmpty())
            choice.device.clear();
        m_printer.setChoice(choice);
        m_printer.applyTo(printer);
    }
    // Asked again after the dialog, so that both ways to print end alike.
    const PrinterCatalog &catalog = PrinterCatalog::current();
    if (catalog.isEmpty()) {
        // Without a printer the report is kept as a PDF file rather than lost.
        if (!catalog.reachable())
            MsgBox::show(QStringLiteral("印刷システムが応答しないため、プリンタに接続できません。\r\n"
                                        "帳票はPDFファイルに保存します。"),
                         MsgBox::Exclamation, m_caption, owner);
        QString path = suggestedPdfPath(!m_offeredFileName.isEmpty() ? m_offeredFileName
                                        : m_documentName.isEmpty()   ? m_caption
                                                                     : m_documentName);
        for (;;) {
            path = choosePdfFile(owner, path);
            if (path.isEmpty())
                return false;
            if (QFileInfo(path).suffix().isEmpty())
                path += QStringLiteral(".pdf");
            if (PdfOutputFile::canWrite(path))
                break;
            MsgBox::show(QStringLiteral("PDFファイル「%1」に書き込めません。\r\n"
                                        "書き込みのできる保存先を選んで下さい。")
                             .arg(QDir::toNativeSeparators(path)),
                         MsgBox::Exclamation, m_caption, owner);
        }
        PdfOutputFile file(path);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file.writingPath());
        // The messages name the file the user chose, not the hidden one written beside it.
        m_pdfName = path;
        const auto chosen = qScopeGuard([this] { m_pdfName.clear(); });
        bool written = true;
        try {
            if (!handOver(printer))
                return true; // the report told its own error; nothing replaces the chosen file
        } catch (const ReportError &e) {
            if (e.number() != ReportError::JobRefused)
                throw;
            written = false;
        }
        if (!written || !file.commit())
            throw ReportError(ReportError::JobRefused,
                              QStringLiteral("「%1」に書き込めませんでした。").arg(QDir::toNativeSeparators(path)));
        s_lastPdfFolder = QFileInfo(path).absolutePath();
        // Written all the same: only a power cut now could lose the file's name.
        if (!file.folderSyncError().isEmpty())
            writeErrLog(file.folderSyncError(), QStringLiteral("cPrinter"), QStringLiteral("PrintDialog"));
        return true;
    }
    handOver(printer);
    return true;
}

bool ActiveReport::handOver(QPrinter &printer)
{
    m_handingOver = true;
    const auto done = qScopeGuard([this] { m_handingOver = false; });
    return run(printer);
}

void ActiveReport::tellPrintFailure(const QString &description, QWidget *owner)
{
    MsgBox::show(description, MsgBox::Critical, QStringLiteral("PrintDialog"), owner);
    // The log keeps one line per error.
    writeErrLog(QString(description).replace(QStringLiteral("\r\n"), QStringLiteral(" ")), QStringLiteral("cPrinter"),
                QStringLiteral("PrintDialog"));
}

QString ActiveReport::choosePdfFile(QWidget *owner, const QString &suggested) const
{
    return s_pdfChooser ? s_pdfChooser(owner, QStringLiteral("PDFファイルに保存"), suggested) : QString();
}

void ActiveReport::setPdfChooser(PdfChooser chooser)
{
    s_pdfChooser = std::move(chooser);
}

QString ActiveReport::pdfSaveDialog(QWidget *owner, const QString &title, const QString &suggested)
{
    return QFileDialog::getSaveFileName(owner, title, suggested, QStringLiteral("PDFファイル (*.pdf)"));
}

void ActiveReport::Show(int modal)
{
    Q_UNUSED(modal) // the job waits for the preview: it is always modal
    QPrinter printer(QPrinter::HighResolution);
    if (!startOutput(printer))
        return;
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    dialog.setWindowTitle(m_caption);
    m_preview = &dialog;

    if (auto *bar = dialog.findChild<QToolBar *>()) {
        // Qt's page set-up and print dialogs would start from a print queue's default paper:
        // the report's own set-up dialog takes their place, starting from the report's.
        // Without a queue, Qt's page set-up of the PDF writer keeps the paper as it is.
        const bool queues = !PrinterCatalog::current().isEmpty();
        for (QAction *tool : bar->actions()) {
            const auto retarget = [tool, &dialog](auto handler) {
                tool->disconnect(&dialog);
                QObject::connect(tool, &QAction::triggered, &dialog, handler);
            };
            if (queues && tool->text() == QCoreApplication::translate("QPrintPreviewDialog", "Page setup"))
                retarget([this, &dialog] { previewPageSetup(dialog); });
            else if (tool->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
                retarget([this, &dialog] { previewPrint(dialog); });
        }
        bar->setVisible(m_viewer.ToolbarVisible);
        bar->addSeparator();
        QAction *close = bar->addAction(kCloseTool);
        close->setObjectName(QStringLiteral("toolClose"));
        QObject::connect(bar, &QToolBar::actionTriggered, &dialog,
                         [this](QAction *tool) { ActiveReport_ToolbarClick(tool); });
    }
    auto *view = dialog.findChild<QPrintPreviewWidget *>();
    const int zoom = m_viewer.Zoom;
    dialog.installEventFilter(new PreviewWatcher(
        &dialog,
        [this] {
            bool cancel = false;
            ActiveReport_QueryClose(cancel, 0);
            return cancel;
        },
        [&dialog, view, zoom] {
            if (!view)
                return;
            if (zoom > 0) {
                // Through the window's own zoom box, so its fit buttons let go as well.
                auto *box =
                    dialog.findChild<QToolBar *>() ? dialog.findChild<QToolBar *>()->findChild<QComboBox *>() : nullptr;
                const int index = box ? box->findText(QStringLiteral("%1%").arg(zoom)) : -1;
                if (index >= 0 && index != box->currentIndex())
                    box->setCurrentIndex(index);
                view->setZoomFactor(zoom / 100.0);
            }
            // The first page from its top, once the maximised window has its size.
            QTimer::singleShot(0, view, [view] {
                view->setCurrentPage(1);
                if (auto *scroller = view->findChild<QGraphicsView *>())
                    scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->minimum());
            });
        }));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter *target) { run(*target); });
    if (m_viewer.WindowState == ReportViewer::Maximized) {
        // A desktop that does not maximise the window leaves it at this size, not at the
        // toolbar's.
        const QWidget *owner = dialog.parentWidget();
        if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
            dialog.setGeometry(screen->availableGeometry());
        dialog.setWindowState(Qt::WindowMaximized);
    } else if (m_viewer.WindowState == ReportViewer::Minimized)
        dialog.setWindowState(Qt::WindowMinimized);
    dialog.exec();
    m_preview = nullptr;
}

void ActiveReport::previewPageSetup(QPrintPreviewDialog &preview)
{
    try {
        const ReportPrinter::SetupChoice choice = m_printer.SetupDialog(&preview);
        if (!choice.accepted)
            return;
        m_printer.setChoice(choice);
        m_printer.applyTo(*preview.printer());
        if (auto *view = preview.findChild<QPrintPreviewWidget *>())
            view->updatePreview();
    } catch (const std::exception &e) {
        MsgBox::show(QString::fromUtf8(e.what()), MsgBox::Critical, m_caption, &preview);
    }
}

void ActiveReport::previewPrint(QPrintPreviewDialog &preview)
{
    try {
        // The preview's paper is the report's: printing starts from it.
        if (PrintReport(true))
            preview.accept();
    } catch (const std::exception &e) {
        tellPrintFailure(QString::fromUtf8(e.what()), &preview);
    }
}

bool ActiveReport::run(QPrinter &printer)
{
    m_cancelled = false;
    m_pages.clear();
    ActiveReport_ReportStart();
    try {
        if (!hasData()) {
            ActiveReport_NoData();
            return false;
        }
        // The preview's page set-up or its orientation tools may have changed the paper: the pages
        // follow it, and the preview shows the margins of the paper as it now lies.
        const QMarginsF sheet = ReportPrinter::showUnprintable(printer);
        const QPageLayout paper = printer.pageLayout();
        m_printer.setPageSize(paper.pageSize());
        m_printer.setOrientation(paper.orientation() == QPageLayout::Landscape ? 2 : 1);
        // The pages fit what this printer can print on this paper.
        QPageLayout page = pageLayout();
        QPageLayout printable = paper;
        printable.setUnits(page.units());
        page.setMode(QPageLayout::FullPageMode);
        const double paperHeight = page.fullRectPoints().height() * 20;
        const auto lay = [&](const QMarginsF &unprintable) {
            page.setMinimumMargins(unprintable);
            m_pages = renderPages(page);
            m_rightEdge = layoutRightEdge(m_pages);
            CenterLayout();
            m_top = placedTop(m_pageSettings.TopMargin, drawnBounds(m_pages), paperHeight, unprintable.top() * 20,
                              unprintable.bottom() * 20);
        };
        // A print system that turns a landscape page onto the sheet puts the sheet's margins on
        // other edges of the page than Qt's: pages laid within Qt's that lie within the sheet's
        // too go out as they are, the others are laid within the sheet's.
        lay(printable.minimumMargins());
        if (sheet != printable.minimumMargins() && !liesWithin(sheet * 20))
            lay(sheet);
        paintPages(printer);
        if (m_cancelled)
            return false;
        ActiveReport_ReportEnd();
        return true;
    } catch (const ReportError &e) {
        if (e.number() == ReportError::JobRefused && m_handingOver) {
            restoreCursor();
            throw;
        }
        bool cancelDisplay = false;
        ActiveReport_Error(e.number(), e.description(), cancelDisplay);
    } catch (const std::exception &e) {
        bool cancelDisplay = false;
        ActiveReport_Error(ReportError::General, QString::fromUtf8(e.what()), cancelDisplay);
    }
    restoreCursor();
    return false;
}

void ActiveReport::paintPages(QPrinter &printer)
{
    const QString pdfName = QDir::toNativeSeparators(m_pdfName.isEmpty() ? printer.outputFileName() : m_pdfName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target = printer.outputFormat() == QPrinter::PdfFormat ? pdfName : printer.printerName();
        throw ReportError(ReportError::OutputFailed, QStringLiteral("「%1」に印刷できません。").arg(target));
    }
    // Device pixels per twip of this printer: the same arithmetic as a form on the screen.
    const double sx = 1 / twipsPerPixelX(&printer);
    const double sy = 1 / twipsPerPixelY(&printer);
    const QRectF paper = pageLayout().fullRectPoints();
    // Pages are placed from the paper's corner on every printer. The painter's origin is the
    // corner of the area the printer can print on (the paper's own in full-page mode).
    const QPointF corner = -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft();
    // A printer whose top or bottom margin is deeper than the layout's own room there takes the
    // pages lower or higher (m_top); renderPages drew them to fit between its margins.
    for (size_t i = 0; i < m_pages.size() && !m_cancelled; ++i) {
        if (i > 0 && !printer.newPage())
            throw ReportError(ReportError::OutputFailed, QStringLiteral("次のページを印刷できません。"));
        ActiveReport_PageStart();
        const DrawList &page = m_pages[i];
        QSizeF size = page.size;
        if (size.isEmpty())
            size = QSizeF(paper.width() * 20 - m_pageSettings.LeftMargin - m_pageSettings.RightMargin,
                          paper.height() * 20 - m_pageSettings.TopMargin - m_pageSettings.BottomMargin);
        const QRectF target(corner.x() + m_pageSettings.LeftMargin * sx, corner.y() + m_top * sy, size.width() * sx,
                            size.height() * sy);
        paintDrawList(painter, page, target);
    }
    // The job is handed over here: to the print system, or written to its file.
    const bool written = painter.end();
    const bool queued = printer.outputFormat() == QPrinter::NativeFormat;
    if (!written)
        throw ReportError(ReportError::JobRefused,
                          queued ? QStringLiteral("プリンタ「%1」に印刷を渡せませんでした。").arg(printer.printerName())
                                 : QStringLiteral("「%1」に書き込めませんでした。").arg(pdfName));
    if (!queued || !m_handingOver)
        return;
    const QString refusal = PrinterCatalog::current().jobRefusal(printer.printerName());
    if (!refusal.isEmpty())
        throw ReportError(
            ReportError::JobRefused,
            QStringLiteral("プリンタ「%1」が印刷を受け付けませんでした。\r\n%2").arg(printer.printerName(), refusal));
}

void ActiveReport::CenterLayout()
{
    // The widest item is known once the pages are made.
    if (m_pages.empty())
        return;
    m_pageSettings.centre(m_printer.PaperWidth(), m_rightEdge);
}

void ActiveReport::ActiveReport_ToolbarClick(QAction *tool)
{
    if (tool && tool->text() == kCloseTool && m_preview)
        m_preview->hide();
}

void ActiveReport::ActiveReport_QueryClose(bool &cancel, int closeMode)
{
    // The user's close box only hides the window: the job then unloads the report.
    if (closeMode != 0 || !m_preview)
        return;
    m_preview->hide();
    cancel = true;
}

void ActiveReport::ActiveReport_PageStart()
{
    CenterLayout();
}

void ActiveReport::ActiveReport_ReportStart()
{
    if (!m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    CenterLayout();
}

void ActiveReport::ActiveReport_ReportEnd()
{
    restoreCursor();
}

void ActiveReport::ActiveReport_Error(int number, const QString &description, bool &cancelDisplay)
{
    restoreCursor();
    MsgBox::show(QStringLiteral("[Error:") + QString::number(number) + QStringLiteral("]  ") + description,
                 MsgBox::Critical, m_caption, m_preview ? m_preview.data() : QApplication::activeWindow());
    cancelDisplay = true;
    m_cancelled = true;
    hidePreviewIfMaximized();
}

void ActiveReport::ActiveReport_NoData()
{
    restoreCursor();
    MsgBox::show(QStringLiteral("印刷データがありません。"), MsgBox::Information, m_caption,
                 m_preview ? m_preview.data() : QApplication::activeWindow());
    m_printer.DisplayProgressDialog = false;
    m_cancelled = true;
    hidePreviewIfMaximized();
}

void ActiveReport::hidePreviewIfMaximized()
{
    // A restored preview stays for the user to close; a maximised one goes at once.
    if (m_preview && (m_preview->windowState() & Qt::WindowMaximized))
        QMetaObject::invokeMethod(m_preview.data(), &QWidget::hide, Qt::QueuedConnection);
}

void ActiveReport::restoreCursor()
{
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
}
