#include "cPrinter.h"

#include "DbFixture.h"
#include "FakeLayout.h"
#include "FormButtons.h"
#include "Globals.h"
#include "LineButton.h"
#include "MsgBox.h"
#include "RecordingPrintJob.h"
#include "ShownBoxes.h"
#include "TestPrinters.h"
#include "cDao.h"
#include "fDlgPrint.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

// The print job: which printer setting a report gets, what the confirmation
// offers, what each answer does, and that the report is unloaded on every path.
class tst_cPrinter : public QObject
{
    Q_OBJECT

private:
    struct Dialog {
        bool shown = false;
        QString title;
        QString prompt;
        QStringList buttons;
    };

    static void addSetting(const QString &name, const QString &printer, int size, int direct, int bin, int mode)
    {
        static int id = 10;
        execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PrinterPortNT, PaperSize, "
                               "PaperDirect, PaperBin, PrintMode, Kind) VALUES (%1, '%2', %3, NULL, %4, %5, %6, %7, 1)")
                    .arg(++id)
                    .arg(QString(name).replace(QLatin1Char('\''), QStringLiteral("''")))
                    .arg(printer.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + printer + QLatin1Char('\''))
                    .arg(size)
                    .arg(direct)
                    .arg(bin)
                    .arg(mode));
    }
    /// When the confirmation opens, notes what it shows and clicks the button with the caption.
    static void answer(Dialog &seen, const QString &caption)
    {
        QTimer::singleShot(0, [&seen, caption] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *d = qobject_cast<fDlgPrint *>(w);
                if (!d || !d->isVisible())
                    continue;
                seen.shown = true;
                seen.title = d->windowTitle();
                seen.prompt = d->findChild<QLabel *>(QStringLiteral("lblPrompt"))->text();
                LineButton *target = nullptr;
                for (LineButton *b : d->findChildren<LineButton *>(QStringLiteral("cmdButton"))) {
                    if (b->isHidden())
                        continue;
                    seen.buttons << b->Caption();
                    if (b->Caption() == caption)
                        target = b;
                }
                std::sort(seen.buttons.begin(), seen.buttons.end(), [](const QString &a, const QString &b) {
                    const QStringList order{"プレビュー", "印　刷", "キャンセル"};
                    return order.indexOf(a) < order.indexOf(b);
                });
                if (target)
                    FormButtons::click(target);
                else
                    d->close();
            }
        });
    }
    std::unique_ptr<FakeLayout> layout() { return std::make_unique<FakeLayout>(1, 9000, m_log, true); }
    std::unique_ptr<cPrinter> job(const QString &name, int orientation = 1)
    {
        auto p = std::make_unique<cPrinter>();
        p->setReportName(name);
        p->setActiveReport(layout());
        p->setOrientation(orientation);
        p->setKind(1);
        p->setDatabase(gDao());
        return p;
    }

    DbFixture m_db;
    std::shared_ptr<FakeLayoutLog> m_log;
    int m_beeps = 0;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_db.setUp());
        PrinterCatalog::install(officePrinters());
        m_log = std::make_shared<FakeLayoutLog>();
        m_beeps = 0;
        Desktop::setBeeper([this] { ++m_beeps; });
    }
    void cleanup()
    {
        Desktop::setBeeper(nullptr);
        PrinterCatalog::install(nullptr);
        m_db.tearDown();
    }

    void ownRowDecides()
    {
        addSetting(QStringLiteral("経営計画ご提案書１"), QStringLiteral("Back Office"), 8, 2, 1, 1);
        auto p = job(QStringLiteral("経営計画ご提案書１"), 1);
        Dialog seen;
        answer(seen, QStringLiteral("印　刷"));
        QCOMPARE(p->PrintDialog(0), 2);
        QCOMPARE(seen.title, QStringLiteral("経営計画ご提案書１ 印刷確認"));
        QCOMPARE(seen.prompt, QStringLiteral("「経営計画ご提案書１」を印刷します。"));
        QCOMPARE(seen.buttons, QStringList({"印　刷", "キャンセル"}));
        QCOMPARE(m_log->runs.size(), size_t(1));
        const FakeLayoutLog::Run &run = m_log->runs[0];
        QCOMPARE(run.what, QStringLiteral("print"));
        QCOMPARE(run.caption, QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(run.documentName, QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(run.device, QStringLiteral("Back Office"));
        QCOMPARE(run.paperSize, 8);
        QCOMPARE(run.paperBin, 1);
        // The row's own orientation, not the caller's; the job's reads -1 afterwards.
        QCOMPARE(run.orientation, 2);
        QCOMPARE(p->Orientation(), -1);
        QCOMPARE(m_log->restarts, 1);
        QCOMPARE(m_log->unloaded, 1);
        QVERIFY(!p->activeReport());
        QVERIFY(shownBoxes().isEmpty());
    }

    void standardRowFallback_data()
    {
        QTest::addColumn<int>("callerOrientation");
        QTest::addColumn<int>("printed");
        QTest::newRow("caller's portrait") << 1 << 1;
        QTest::newRow("caller's landscape") << 2 << 2;
        QTest::newRow("-1 takes the standard row's") << -1 << 2;
    }
    void standardRowFallback()
    {
        QFETCH(int, callerOrientation);
        execSql(QStringLiteral("UPDATE M_Printer SET PaperDirect=2, PaperSize=13, PrintMode=2 "
                               "WHERE ReportName='(標準プリンタ設定)'"));
        auto p = job(QStringLiteral("経営計画ご提案書２"), callerOrientation);
        Dialog seen;
        answer(seen, QStringLiteral("プレビュー"));
        QCOMPARE(p->PrintDialog(0), 4);
        QCOMPARE(seen.buttons, QStringList({"プレビュー", "キャンセル"}));
        QCOMPARE(m_log->runs.size(), size_t(1));
        QCOMPARE(m_log->runs[0].what, QStringLiteral("preview"));
        QCOMPARE(m_log->runs[0].paperSize, 13);
        QTEST(m_log->runs[0].orientation, "printed");
        QCOMPARE(m_log->runs[0].device, QString());
        QCOMPARE(p->Orientation(), callerOrientation);
        QVERIFY(shownBoxes().isEmpty());
    }

    void neitherRowWarnsOnce()
    {
        execSql(QStringLiteral("DELETE FROM M_Printer"));
        auto p = job(QStringLiteral("経営計画ご提案書１"), 1);
        Dialog seen;
        answer(seen, QStringLiteral("キャンセル"));
        QCOMPARE(p->PrintDialog(0), 1);
        QCOMPARE(m_beeps, 1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(
            shownBoxes().at(0).prompt,
            QStringLiteral("経営計画ご提案書１のプリンタ設定データが見つかりません。\r\n標準のプリンタを使用します。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("印刷確認"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical | MsgBox::OKOnly));
        QCOMPARE(seen.buttons, QStringList({"プレビュー", "印　刷", "キャンセル"}));
        QVERIFY(m_log->runs.empty());
        QCOMPARE(m_log->unloaded, 1);
    }

    void apostropheInTheName()
    {
        addSetting(QStringLiteral("Owner's plan"), QStringLiteral("Office Laser"), 9, 1, 0, 2);
        auto p = job(QStringLiteral("Owner's plan"));
        Dialog seen;
        answer(seen, QStringLiteral("キャンセル"));
        QCOMPARE(p->PrintDialog(0), 1);
        QCOMPARE(seen.buttons, QStringList({"プレビュー", "キャンセル"}));
        QVERIFY(shownBoxes().isEmpty());
    }

    void withoutThePrintTable()
    {
        auto p = std::make_unique<cPrinter>();
        p->setReportName(QStringLiteral("経営計画ご提案書１"));
        p->setActiveReport(layout());
        p->setUsePrintTable(false); // no database needed
        Dialog seen;
        answer(seen, QStringLiteral("印　刷"));
        QCOMPARE(p->PrintDialog(0), 2);
        QCOMPARE(seen.buttons, QStringList({"プレビュー", "印　刷", "キャンセル"}));
        QCOMPARE(m_log->runs[0].device, QString());
        QCOMPARE(m_log->runs[0].paperSize, 9);
        QCOMPARE(m_log->runs[0].orientation, 1);
        QVERIFY(shownBoxes().isEmpty());
    }

    void missingColumnIsShown()
    {
        addSetting(QStringLiteral("R"), QString(), 13, 2, 1, 1);
        execSql(QStringLiteral("ALTER TABLE M_Printer DROP COLUMN PaperBin"));
        auto p = job(QStringLiteral("R"));
        QCOMPARE(p->PrintDialog(1), 1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("PrintDialog"));
        QVERIFY2(shownBoxes().at(0).prompt.contains(QStringLiteral("PaperBin")), qPrintable(shownBoxes().at(0).prompt));
        QVERIFY(m_log->runs.empty());
    }

    void skipPrintsWithoutAsking()
    {
        auto p = job(QStringLiteral("経営計画ご提案書１"));
        Dialog seen;
        answer(seen, QStringLiteral("キャンセル"));
        QCOMPARE(p->PrintDialog(1), 2);
        QCoreApplication::processEvents();
        QVERIFY(!seen.shown);
        QCOMPARE(m_log->runs.size(), size_t(1));
        QCOMPARE(m_log->runs[0].what, QStringLiteral("print"));
    }

    void printModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("buttons");
        const QStringList all{"プレビュー", "印　刷", "キャンセル"};
        QTest::newRow("0 choose") << 0 << all;
        QTest::newRow("1 print") << 1 << QStringList{"印　刷", "キャンセル"};
        QTest::newRow("2 preview") << 2 << QStringList{"プレビュー", "キャンセル"};
        QTest::newRow("3") << 3 << all;
        QTest::newRow("4") << 4 << all;
        QTest::newRow("9 no question") << 9 << all;
    }
    void printModes()
    {
        QFETCH(int, mode);
        addSetting(QStringLiteral("R"), QString(), 9, 1, 0, mode);
        auto p = job(QStringLiteral("R"));
        Dialog seen;
        answer(seen, QStringLiteral("キャンセル"));
        QCOMPARE(p->PrintDialog(0), 1);
        QTEST(seen.buttons, "buttons");
        QVERIFY(m_log->runs.empty());
    }

    void closingTheDialogCancels()
    {
        auto p = job(QStringLiteral("経営計画ご提案書１"));
        Dialog seen;
        answer(seen, QStringLiteral("(close box)"));
        QCOMPARE(p->PrintDialog(0), 1);
        QVERIFY(seen.shown);
        QVERIFY(m_log->runs.empty());
        QCOMPARE(m_log->unloaded, 1);
        QCoreApplication::processEvents();
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<fDlgPrint *>(w));
    }

    void errorIsShownAndTheReportUnloaded()
    {
        auto p = std::make_unique<cPrinter>();
        p->setReportName(QStringLiteral("経営計画ご提案書１"));
        p->setActiveReport(layout()); // no database given
        Dialog seen;
        answer(seen, QStringLiteral("印　刷"));
        QCOMPARE(p->PrintDialog(0), 1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("PrintDialog"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCoreApplication::processEvents();
        QVERIFY(!seen.shown);
        QCOMPARE(m_log->unloaded, 1);
        QVERIFY(!p->activeReport());
        // Without a report there is nothing to run: the same message, and result 1.
        QCOMPARE(p->PrintDialog(1), 1);
        QCOMPARE(shownBoxes().size(), 2);
    }

    // Settings in a damaged file: the job says so in its one box, in words, and prints nothing.
    void damagedSettingsAreToldInOneBox()
    {
        const QString path = m_db.db().path();
        gDao().Disconnect();
        QVERIFY(damageTable(path, QStringLiteral("M_Printer")));
        QVERIFY(gDao().Connect(path));
        const ErrLogRecorder log;
        auto p = job(QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(p->PrintDialog(0), 1);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(boxText(shownBoxes().at(0)), damagedFileBox(path, QStringLiteral("PrintDialog"), MsgBox::Critical));
        // The engine's own words are kept in the log.
        QCOMPARE(log.lines(), QStringList(QStringLiteral("cPrinter|PrintDialog|データベースファイルが壊れています。 "
                                                         "(database disk image is malformed Unable to fetch row)")));
        QVERIFY(m_log->runs.empty());
        QCOMPARE(m_log->unloaded, 1);
    }

    void storedPrinterThatIsGone()
    {
        addSetting(QStringLiteral("R"), QStringLiteral("Gone"), 13, 2, 0, 1);
        auto p = job(QStringLiteral("R"));
        QCOMPARE(p->PrintDialog(1), 2);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("SetPrinterParam"));
        // The default printer, the stored paper and orientation.
        QCOMPARE(m_log->runs[0].device, QString());
        QCOMPARE(m_log->runs[0].paperSize, 13);
        QCOMPARE(m_log->runs[0].orientation, 2);
    }

    void storedPrintersMissingAreTold_data()
    {
        QTest::addColumn<bool>("printers");
        QTest::addColumn<QStringList>("told");
        // Other printers exist: each report goes to the default printer, and each says so.
        QTest::newRow("printers, not the stored ones")
            << true
            << QStringList{QStringLiteral("プリンタ「Gone」が見つかりません。\r\n通常使うプリンタで印刷します。"),
                           QStringLiteral("プリンタ「Gone too」が見つかりません。\r\n通常使うプリンタで印刷します。")};
        // No printer at all: both reports of the command go to PDF files, which is told once.
        QTest::newRow("no printer at all")
            << false
            << QStringList{QStringLiteral("プリンタ「Gone」が見つかりません。\r\n帳票はPDFファイルに保存します。")};
    }
    // Both reports of a print command, one job after the other, each with a stored printer that
    // is not installed: what the boxes titled "SetPrinterParam" tell.
    void storedPrintersMissingAreTold()
    {
        QFETCH(bool, printers);
        QFETCH(QStringList, told);
        if (!printers)
            PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>());
        addSetting(QStringLiteral("経営計画ご提案書１"), QStringLiteral("Gone"), 9, 1, 0, 0);
        addSetting(QStringLiteral("経営計画ご提案書２"), QStringLiteral("Gone too"), 9, 1, 0, 0);
        auto p = job(QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(p->PrintDialog(1), 2);
        p->setReportName(QStringLiteral("経営計画ご提案書２"));
        p->setActiveReport(layout());
        QCOMPARE(p->PrintDialog(1), 2);
        QStringList shown;
        for (const MsgBox::Shown &box : shownBoxes()) {
            QCOMPARE(box.title, QStringLiteral("SetPrinterParam"));
            QCOMPARE(box.style, int(MsgBox::Critical));
            shown << box.prompt;
        }
        QCOMPARE(shown, told);
    }

    // The print system takes queue names in any letter case, and so does the job.
    void storedPrinterInOtherLetterCase()
    {
        addSetting(QStringLiteral("R"), QStringLiteral("BACK OFFICE"), 8, 2, 0, 1);
        auto p = job(QStringLiteral("R"));
        QCOMPARE(p->PrintDialog(1), 2);
        QCOMPARE(m_log->runs[0].device, QStringLiteral("Back Office"));
        QVERIFY(shownBoxes().isEmpty());
    }

    void recordSetAndTwoJobs()
    {
        auto p = job(QStringLiteral("経営計画ご提案書１"));
        QCOMPARE(p->PrintDialog(1), 2);
        ReportData rows;
        rows.columns = {QStringLiteral("年")};
        rows.rows = {{1}, {2}, {3}};
        p->setReportName(QStringLiteral("経営計画ご提案書２"));
        p->setActiveReport(layout());
        p->setRecordSet(rows);
        QCOMPARE(p->PrintDialog(1), 2);
        QCOMPARE(m_log->runs.size(), size_t(2));
        QCOMPARE(m_log->runs[0].rows, -1);
        QCOMPARE(m_log->runs[1].rows, 3);
        QCOMPARE(m_log->runs[1].caption, QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(m_log->unloaded, 2);
    }

    void kindSelectsTheRows()
    {
        addSetting(QStringLiteral("R"), QStringLiteral("Back Office"), 8, 1, 0, 1);
        execSql(QStringLiteral("UPDATE M_Printer SET Kind=2 WHERE ReportName='R'"));
        auto p = job(QStringLiteral("R"));
        QCOMPARE(p->PrintDialog(1), 2);
        QCOMPARE(m_log->runs[0].device, QString()); // the standard row of class 1
        p->setActiveReport(layout());
        p->setKind(2);
        QCOMPARE(p->PrintDialog(1), 2);
        QCOMPARE(m_log->runs[1].device, QStringLiteral("Back Office"));
    }

    void factoryGivesTheInstalledJob()
    {
        QVERIFY(!createPrintJob());
        cPrinter::install();
        QVERIFY(dynamic_cast<cPrinter *>(createPrintJob().get()));
        auto log = std::make_shared<RecordingPrintJob::Log>();
        log->answers << PrintJob::Preview;
        setPrintJobFactory([log] { return std::make_unique<RecordingPrintJob>(log); });
        std::unique_ptr<PrintJob> recording = createPrintJob();
        setPrintJobFactory(nullptr);
        ReportData rows;
        rows.columns = {QStringLiteral("年")};
        rows.rows = {{1}};
        recording->setReportName(QStringLiteral("経営計画ご提案書２"));
        recording->setActiveReport(layout());
        recording->setOrientation(1);
        recording->setRecordSet(rows);
        recording->setDatabase(gDao());
        QCOMPARE(recording->PrintDialog(0), int(PrintJob::Preview));
        QCOMPARE(recording->PrintDialog(0), int(PrintJob::Cancel));
        QCOMPARE(log->calls.size(), size_t(2));
        const RecordingPrintJob::Call &call = log->calls[0];
        QCOMPARE(call.reportName, QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(call.orientation, 1);
        QVERIFY(call.databaseSet);
        QCOMPARE(call.report->Caption(), QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(call.report->DAODataControl1().Recordset()->rows.size(), 1);
        QVERIFY(!log->calls[1].report); // each job needs its own layout
        QVERIFY(m_log->runs.empty());
        QVERIFY(!createPrintJob()); // an empty factory installs none
    }
};

QTEST_MAIN(tst_cPrinter)
#include "tst_cPrinter.moc"
