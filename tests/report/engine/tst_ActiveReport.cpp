#include "ActiveReport.h"

#include "ChildProcess.h"
#include "DesktopServices.h"
#include "FakeLayout.h"
#include "FileSizeLimit.h"
#include "FixedPrinterCatalog.h"
#include "MsgBox.h"
#include "PrintedPdf.h"
#include "PrinterSetupDialog.h"
#include "RegularFile.h"
#include "RequiredTools.h"
#include "ShownBoxes.h"
#include "TerminationSignals.h"
#include "TestFiles.h"
#include "TestPrinters.h"
#include "cAreport.h"
#include "cPrinter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A report's run on real output: PDF when no printer is installed, the preview,
// and the no-data and error messages.
class tst_ActiveReport : public QObject
{
    Q_OBJECT

private:
    /// Columns of the first page, rendered at 72 dpi in grey, from the left up to the first dark one.
    static int firstInkColumn(const QString &file)
    {
        const QImage image = PrintedPdf::image(file, 72);
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    return x;
        return -1;
    }
    /// A print job that goes straight to output, without its printer table.
    static void printAtOnce(std::unique_ptr<ActiveReport> report, const QString &name, int result = 2)
    {
        cPrinter job;
        job.setReportName(name);
        job.setUsePrintTable(false);
        job.setActiveReport(std::move(report));
        QCOMPARE(job.PrintDialog(1), result);
    }

    static inline QTemporaryDir *m_dir = nullptr;
    QStringList m_offered;
    QStringList m_answers;

private Q_SLOTS:
    void init()
    {
        clearShownBoxes();
        MsgBox::setAutoAnswer(true);
        m_dir = new QTemporaryDir;
        // No printer at all: a print goes to a PDF file the user names.
        PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>());
        m_offered.clear();
        m_answers.clear();
        ActiveReport::setPdfChooser([this](QWidget *, const QString &title, const QString &suggested) {
            m_offered << title + QLatin1Char('|') + suggested;
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        });
    }
    void cleanup()
    {
        ReportPrinter::setSetupRunner(nullptr);
        ActiveReport::setPdfChooser(nullptr);
        PrinterCatalog::install(nullptr);
        delete m_dir;
        m_dir = nullptr;
        VERIFY_TOOLS_RAN();
    }

    void withoutPrinterTheReportBecomesAPdf()
    {
        const QString file = m_dir->filePath(QStringLiteral("提案書.pdf"));
        m_answers << file;
        printAtOnce(std::make_unique<FakeLayout>(2, 6000), QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(m_offered.size(), 1);
        QVERIFY2(m_offered[0].startsWith(QStringLiteral("PDFファイルに保存|")), qPrintable(m_offered[0]));
        QVERIFY2(m_offered[0].endsWith(QStringLiteral("/経営計画ご提案書１.pdf")), qPrintable(m_offered[0]));
        QCOMPARE(PrintedPdf::pages(file), 2);
        // Centred on A4: 11,905.5 twips less 6,000 leaves 5,906 (the half to even);
        // the box starts 2,953 twips in, 147.65 points, so at 72 dpi its first dark
        // column is 147 or 148 (the layout's own margin of 1,440 twips would give 72).
        const int ink = firstInkColumn(file);
        QVERIFY2(ink == 147 || ink == 148, qPrintable(QString::number(ink)));
        QVERIFY(shownBoxes().isEmpty());
    }

    // A PDF that did not reach the disk whole: the file the user chose to overwrite keeps
    // what it held, and the job tells that it could not be written.
    void pdfThatDoesNotFitKeepsTheEarlierFile_data()
    {
        QTest::addColumn<RegularFile::SyncCall>("sync");
        QTest::addColumn<rlim_t>("room");
        // Less than the header, the page and the font a page of text embeds.
        QTest::newRow("disk with room for part of it") << RegularFile::SyncCall() << rlim_t(1024);
        // What follows a lost write moves up: the trailer's offset no longer meets "xref".
        QTest::newRow("write lost on the way") << RegularFile::SyncCall([](int fd) {
            const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
            const QByteArray pdf = fileBytes(path);
            return writeFileBytes(path, pdf.left(pdf.size() / 2) + pdf.mid(pdf.size() / 2 + 100)) ? 0 : -1;
        }) << RLIM_INFINITY;
    }
    void pdfThatDoesNotFitKeepsTheEarlierFile()
    {
        QFETCH(RegularFile::SyncCall, sync);
        QFETCH(rlim_t, room);
        const QString file = m_dir->filePath(QStringLiteral("提案書.pdf"));
        QVERIFY(writeFileBytes(file, "an earlier report"));
        m_answers << file;
        const QString told = QStringLiteral("「%1」に書き込めませんでした。").arg(file);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("cPrinter PrintDialog ") + told));
        {
            const FileSizeLimit limit(room);
            RegularFile::setSyncCall(sync);
            const auto restore = qScopeGuard([] { RegularFile::setSyncCall(nullptr); });
            printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書１"), 1);
        }
        QCOMPARE(fileBytes(file), QByteArray("an earlier report"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("提案書.pdf")});
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, told);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("PrintDialog"));
    }

    // The earlier file is replaced where it lies: the link the user chose keeps pointing at
    // it, and it keeps its permissions, the owner's alone.
    void earlierFileKeepsItsLinkAndRights()
    {
        const QString earlier = m_dir->filePath(QStringLiteral("提案書.pdf"));
        const QString chosen = m_dir->filePath(QStringLiteral("link.pdf"));
        QVERIFY(writeFileBytes(earlier, "an earlier report"));
        QVERIFY(QFile::setPermissions(earlier, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(earlier, chosen));
        m_answers << chosen;
        printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書１"));
        QVERIFY(QFileInfo(chosen).isSymLink());
        QCOMPARE(PrintedPdf::pages(earlier), 1);
        QVERIFY(!(QFile::permissions(earlier) & (QFile::ReadGroup | QFile::ReadOther)));
    }

    // A link whose file is not there yet is written through as well: the PDF is made where the
    // link points and the link stays; trying whether the place takes a file leaves nothing.
    void linkToAMissingFileIsWrittenThrough()
    {
        QDir dir(m_dir->path());
        QVERIFY(dir.mkdir(QStringLiteral("d")) && dir.mkdir(QStringLiteral("target")));
        const QString chosen = m_dir->filePath(QStringLiteral("d/out.pdf"));
        const QString target = m_dir->filePath(QStringLiteral("target/none.pdf"));
        QVERIFY(QFile::link(QStringLiteral("../target/none.pdf"), chosen));
        m_answers << chosen;
        printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(QFileInfo(chosen).symLinkTarget(), target);
        QCOMPARE(PrintedPdf::pages(target), 1);
        QCOMPARE(QDir(m_dir->filePath(QStringLiteral("d")))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("out.pdf")});
        QCOMPARE(QDir(m_dir->filePath(QStringLiteral("target")))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("none.pdf")});
    }

    // The system ends the program while the PDF is written (here while it is synced): the
    // write runs to its end first, so the chosen file holds the whole new report, nothing is
    // left beside it, and then the program ends. While a box of the report waits, it ends
    // there: the chosen file keeps what it held, and nothing is left beside it either.
    void signalDuringThePdfLeavesItWhole_data()
    {
        QTest::addColumn<bool>("rendered");
        QTest::newRow("while it is synced") << true;
        QTest::newRow("while the box of a rendering error waits") << false;
    }
    void signalDuringThePdfLeavesItWhole()
    {
        QFETCH(bool, rendered);
        if (const QString chosen = QFile::decodeName(testChildValue()); !chosen.isEmpty()) {
            delete m_dir; // its own, made by init(): the file is the test's
            m_dir = nullptr;
            TerminationSignals::install(nullptr);
            RegularFile::setSyncCall([](int fd) {
                struct stat st {
                };
                if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
                    ::raise(SIGTERM);
                return ::fsync(fd);
            });
            installDesktopServices(); // Qt's own box, which waits for an answer
            MsgBox::setAutoAnswer(false);
            MsgBox::setRecorder([](const MsgBox::Shown &) { ::raise(SIGTERM); });
            auto layout = std::make_unique<FakeLayout>(1);
            layout->failRendering = !rendered;
            m_answers << chosen;
            printAtOnce(std::move(layout), QStringLiteral("経営計画ご提案書１"));
            QCoreApplication::exec();
            ::_exit(91);
        }
        const QString file = m_dir->filePath(QStringLiteral("提案書.pdf"));
        QVERIFY(writeFileBytes(file, "an earlier report"));
        const pid_t child = startTestChild(QFile::encodeName(file));
        QVERIFY(child > 0);
        QCOMPARE(childEnd(child), QStringLiteral("exit 143"));
        if (rendered)
            QCOMPARE(PrintedPdf::pages(file), 1);
        else
            QCOMPARE(fileBytes(file), QByteArray("an earlier report"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("提案書.pdf")});
    }

    // The PDF's name lives in its folder, which is synced after the rename as well; a folder
    // that cannot be is logged, and the PDF counts as written.
    void folderThatCannotBeSyncedIsLogged()
    {
        const QString file = m_dir->filePath(QStringLiteral("提案書.pdf"));
        m_answers << file;
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^cPrinter PrintDialog %1 を保存しましたが、フォルダ %2 を")
                                   .arg(QRegularExpression::escape(file), QRegularExpression::escape(m_dir->path()))));
        {
            RegularFile::setSyncCall(&syncFailingForFolders);
            const auto restore = qScopeGuard([] { RegularFile::setSyncCall(nullptr); });
            printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書１"));
        }
        QCOMPARE(PrintedPdf::pages(file), 1);
        QVERIFY(shownBoxes().isEmpty());
    }

    // The PDF writer cannot open the hidden file beside the chosen one: the message names the chosen.
    void unopenableOutputIsToldByTheChosenName()
    {
        struct Layout : FakeLayout {
            std::vector<DrawList> renderPages(const QPageLayout &page) const override
            {
                QDir dir(m_dir->path()); // the hidden file is made by now: a folder in its place takes no PDF
                for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
                    if (dir.remove(name))
                        dir.mkdir(name);
                return FakeLayout::renderPages(page);
            }
        };
        const QString file = m_dir->filePath(QStringLiteral("提案書.pdf"));
        m_answers << file;
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        printAtOnce(std::make_unique<Layout>(), QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("[Error:4]  「%1」に印刷できません。").arg(file));
    }

    void aNameWithoutSuffixGetsOne()
    {
        m_answers << m_dir->filePath(QStringLiteral("plan"));
        printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(PrintedPdf::pages(m_dir->filePath(QStringLiteral("plan.pdf"))), 1);
    }

    void cancelledChoiceWritesNothing()
    {
        // Nothing printed: the job answers as cancelled.
        printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書１"), 1);
        QCOMPARE(m_offered.size(), 1);
        QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
        QVERIFY(shownBoxes().isEmpty());
    }

    void unwritablePlaceIsToldAndAskedAgain_data()
    {
        QTest::addColumn<bool>("pipe");
        // Nothing can be created in /proc, not even by root.
        QTest::newRow("folder that takes no file") << false;
        // Not opened at all: without a reader it would hold the program up.
        QTest::newRow("named pipe") << true;
    }
    void unwritablePlaceIsToldAndAskedAgain()
    {
        QFETCH(bool, pipe);
        const QString bad =
            pipe ? m_dir->filePath(QStringLiteral("pipe.pdf")) : QStringLiteral("/proc/vanrek-report.pdf");
        QVERIFY(!pipe || ::mkfifo(QFile::encodeName(bad).constData(), 0600) == 0);
        // A reader, so that a writer would not wait.
        const int reader = pipe ? ::open(QFile::encodeName(bad).constData(), O_RDONLY | O_NONBLOCK) : -1;
        const QString good = m_dir->filePath(QStringLiteral("ok.pdf"));
        m_answers << bad << good;
        printAtOnce(std::make_unique<FakeLayout>(1), QStringLiteral("経営計画ご提案書１"));
        if (reader >= 0)
            ::close(reader);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("PDFファイル「%1」に書き込めません。\r\n"
                                                           "書き込みのできる保存先を選んで下さい。")
                                                .arg(bad));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(m_offered.size(), 2);
        QVERIFY(m_offered[1].endsWith(bad)); // the second question starts from the refused path
        QCOMPARE(PrintedPdf::pages(good), 1);
    }

    // A stored printer while the print system does not answer: the user learns that no
    // printer can be reached before the PDF file is asked for.
    void unreachablePrintSystemIsToldBeforeThePdf()
    {
        auto none = std::make_shared<FixedPrinterCatalog>();
        none->setReachable(false);
        PrinterCatalog::install(none);
        qsizetype boxesAtChoice = -1;
        ActiveReport::setPdfChooser([&boxesAtChoice](QWidget *, const QString &, const QString &) {
            boxesAtChoice = shownBoxes().size();
            return QString();
        });
        auto layout = std::make_unique<FakeLayout>(1);
        cAreport().SetPrinterParam(*layout, QStringLiteral("Back-Office"), QString(), 0, 13, 1);
        printAtOnce(std::move(layout), QStringLiteral("経営計画ご提案書１"), 1);
        QCOMPARE(boxesAtChoice, 1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt,
                 QStringLiteral("印刷システムが応答しないため、プリンタに接続できません。\r\n"
                                "帳票はPDFファイルに保存します。"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
    }

    // The preview's print dialog on a printer that offers only Letter, for a report stored on
    // A3 landscape: the stored paper stays listed and chosen, as direct print applies it.
    void printDialogKeepsAStoredPaperThePrinterLacks()
    {
        FixedPrinterCatalog::Printer letter;
        letter.name = QStringLiteral("Letter Only");
        letter.sizes = {{1, QStringLiteral("Letter")}};
        letter.defaultSize = QPageSize(QPageSize::Letter);
        PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>(QList<FixedPrinterCatalog::Printer>{letter},
                                                                      QStringLiteral("Letter Only")));
        FakeLayout layout(1);
        cAreport().SetPrinterParam(layout, QStringLiteral("Letter Only"), QString(), 0, 8, 2);
        QStringList listed;
        ReportPrinter::SetupChoice shown;
        ReportPrinter::setSetupRunner([&](QWidget *owner, const ReportPrinter &start, const QString &acceptText) {
            PrinterSetupDialog dialog(start, acceptText, owner);
            const auto *sizes = dialog.findChild<QComboBox *>(QStringLiteral("cmbSize"));
            for (int i = 0; i < sizes->count(); ++i)
                listed << sizes->itemText(i);
            shown = dialog.choice();
            return ReportPrinter::SetupChoice(); // cancelled: nothing goes out
        });
        QVERIFY(!layout.PrintReport(true));
        QCOMPARE(listed, (QStringList{"Letter", "A3"}));
        QCOMPARE(shown.paperSize, 8);
        QCOMPARE(shown.orientation, 2);
    }

    // The print system stops while the print dialog is open: accepting it tells the user and
    // keeps the report as a PDF file, as printing without the dialog does.
    void printSystemStoppedDuringTheDialogGivesThePdf()
    {
        PrinterCatalog::install(officePrinters());
        ReportPrinter::setSetupRunner([](QWidget *, const ReportPrinter &, const QString &) {
            auto down = std::make_shared<FixedPrinterCatalog>();
            down->setReachable(false);
            PrinterCatalog::install(down);
            ReportPrinter::SetupChoice choice;
            choice.accepted = true;
            choice.device = QStringLiteral("Office Laser");
            choice.paperSize = 13;
            return choice;
        });
        const QString file = m_dir->filePath(QStringLiteral("stopped.pdf"));
        m_answers << file;
        FakeLayout layout(1);
        layout.setCaption(QStringLiteral("経営計画ご提案書２"));
        QVERIFY(layout.PrintReport(true));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt,
                 QStringLiteral("印刷システムが応答しないため、プリンタに接続できません。\r\n"
                                "帳票はPDFファイルに保存します。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(m_offered.size(), 1);
        QCOMPARE(PrintedPdf::pages(file), 1);
    }

    void noDataIsToldNotPrinted()
    {
        auto layout = std::make_unique<FakeLayout>(1);
        layout->withData = false;
        printAtOnce(std::move(layout), QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("印刷データがありません。"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Information));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("経営計画ご提案書２"));
        QVERIFY(m_offered.isEmpty());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void renderingErrorIsShownWithTheCaption()
    {
        m_answers << m_dir->filePath(QStringLiteral("err.pdf"));
        auto layout = std::make_unique<FakeLayout>(1);
        layout->failRendering = true;
        printAtOnce(std::move(layout), QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("[Error:1]  描画できません"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("経営計画ご提案書１"));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("err.pdf"))));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void previewIsMaximisedAtFullSize()
    {
        FakeLayout layout(3, 9000);
        layout.setCaption(QStringLiteral("経営計画ご提案書２"));
        bool seen = false;
        QRect normal;
        QRect screen;
        QTimer::singleShot(0, [&] {
            QPrintPreviewDialog *preview = layout.previewWindow();
            QVERIFY(preview && preview->isVisible());
            seen = true;
            QVERIFY(preview->windowState() & Qt::WindowMaximized);
            normal = preview->normalGeometry();
            screen = preview->screen()->availableGeometry();
            QCOMPARE(preview->windowTitle(), QStringLiteral("経営計画ご提案書２"));
            auto *view = preview->findChild<QPrintPreviewWidget *>();
            QCOMPARE(view->zoomFactor(), 1.0);
            QCOMPARE(view->pageCount(), 3);
            // Made again (as after a page set-up), the pages are the same.
            view->updatePreview();
            QCOMPARE(view->pageCount(), 3);
            QList<QAction *> tools = preview->findChild<QToolBar *>()->actions();
            QCOMPARE(tools.last()->text(), QStringLiteral("閉じる"));
            tools.last()->trigger();
        });
        layout.Show(1);
        QVERIFY(seen);
        // Where the desktop does not maximise it, the window still fills the screen.
        QCOMPARE(normal, screen);
        QVERIFY(!layout.previewWindow());
        QVERIFY(shownBoxes().isEmpty());
    }

    void previewCloseBoxEndsThePreview()
    {
        FakeLayout layout(1);
        QTimer::singleShot(0, [&] {
            QVERIFY(layout.previewWindow());
            layout.previewWindow()->close();
        });
        layout.Show(1);
        QVERIFY(!layout.previewWindow());
    }

    void previewWithoutDataOpensNothing()
    {
        FakeLayout layout(1);
        layout.withData = false;
        layout.setCaption(QStringLiteral("経営計画ご提案書２"));
        layout.Show(1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("印刷データがありません。"));
        QVERIFY(!layout.previewWindow());
    }

    void renderingIsStateless()
    {
        FakeLayout layout(2);
        const std::vector<DrawList> first = layout.renderPages(layout.pageLayout());
        const std::vector<DrawList> second = layout.renderPages(layout.pageLayout());
        QCOMPARE(first.size(), second.size());
        QCOMPARE(ActiveReport::rightEdge(first), ActiveReport::rightEdge(second));
        // Two runs into two files give pages alike.
        const QString a = m_dir->filePath(QStringLiteral("a.pdf"));
        const QString b = m_dir->filePath(QStringLiteral("b.pdf"));
        for (const QString &file : {a, b})
            QVERIFY(PrintedPdf::print(layout, file));
        QCOMPARE(PrintedPdf::pages(a), 2);
        QCOMPARE(firstInkColumn(a), firstInkColumn(b));
    }
};

QTEST_MAIN(tst_ActiveReport)
#include "tst_ActiveReport.moc"
