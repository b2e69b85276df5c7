#include "frmGraph.h"

#include "FormButtons.h"
#include "LineButton.h"
#include "PlanBuilders.h"
#include "PlanWindowFixture.h"
#include "PrintedPdf.h"
#include "PrinterSetupDialog.h"
#include "RequiredTools.h"
#include "ShownBoxes.h"
#include "fDlgPrint.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace
{

const QString kSheet = QStringLiteral("経営計画ご提案書１");
const QString kTables = QStringLiteral("経営計画ご提案書２");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd");
// How long a job may take to arrive whole: a guard far above the seconds a queue takes,
// however busy the machine.
constexpr int kJobGuardMs = 60000;

QString tool(const char *name)
{
    return RequiredTools::path(QString::fromLatin1(name));
}

/// A CUPS scheduler of the test's own: configuration, socket, spool and logs in a private
/// folder, no network port. Its PDF queues have the paper list of the cups-pdf driver and
/// write the PDF each job hands over into a file of the folder, text layer and all (the
/// driver's own back end would write into the user's home through PostScript).
class PrivateCups
{
public:
    QString socket() const { return m_dir.filePath(QStringLiteral("cups.sock")); }
    QString file(const QString &queue) const { return m_dir.filePath(queue + QStringLiteral(".pdf")); }

    bool start()
    {
        // The filters run as the scheduler's own user and must reach the spool.
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        const QString folder = m_dir.path();
        write(QStringLiteral("cupsd.conf"), QStringLiteral("Listen %1\nBrowsing No\nWebInterface No\nLogLevel warn\n"
                                                           "DefaultAuthType None\n<Policy default>\n<Limit All>\n"
                                                           "Order deny,allow\n</Limit>\n</Policy>\n")
                                                .arg(socket()));
        write(QStringLiteral("cups-files.conf"),
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                             "ErrorLog %1/error_log\nAccessLog %1/access_log\nPageLog %1/page_log\nFileDevice Yes\n")
                  .arg(folder));
        QDir(folder).mkdir(QStringLiteral("spool"));
        QFile ppd(kPpd);
        if (!ppd.open(QIODevice::ReadOnly))
            return false;
        const QString pdf = QString::fromUtf8(ppd.readAll()) +
                            QStringLiteral("*cupsFilter2: \"application/pdf application/pdf 0 gziptoany\"\n");
        write(QStringLiteral("pdf.ppd"), pdf);
        // A printer that cannot print the outer 10 mm left, 15 mm right, 12 mm top and 15 mm bottom of A4.
        write(QStringLiteral("margins.ppd"),
              QString(pdf).replace(QStringLiteral("A4/A4: \"0 0 595 842\""),
                                   QStringLiteral("A4/A4: \"28.35 42.52 552.48 807.98\"")));
        // One that cannot print the outer 40 mm (113.39 points) on any side: deeper than the
        // reports' own 25.4 mm above and below.
        write(QStringLiteral("deep.ppd"),
              QString(pdf).replace(QStringLiteral("A4/A4: \"0 0 595 842\""),
                                   QStringLiteral("A4/A4: \"113.39 113.39 481.61 728.61\"")));
        // Margins of their own on each side of A4: L 5 / R 35 / T 38 / B 30 mm (14.17, 99.21, 107.72,
        // 85.04 points), a landscape page turned by Plus90 as the driver's PPD says (its top to the
        // sheet's left); and L 5 / R 35 / T 5 / B 5 mm, turned by Minus90 (its top to the right).
        write(QStringLiteral("unequal.ppd"),
              QString(pdf).replace(QStringLiteral("A4/A4: \"0 0 595 842\""),
                                   QStringLiteral("A4/A4: \"14.17 85.04 495.79 734.28\"")));
        write(QStringLiteral("minus90.ppd"), QString(pdf)
                                                 .replace(QStringLiteral("A4/A4: \"0 0 595 842\""),
                                                          QStringLiteral("A4/A4: \"14.17 14.17 495.79 827.83\""))
                                                 .replace(QStringLiteral("Plus90"), QStringLiteral("Minus90")));
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(tool("cupsd"), {QStringLiteral("-F"), QStringLiteral("-c"), m_dir.filePath("cupsd.conf"),
                                      QStringLiteral("-s"), m_dir.filePath("cups-files.conf")});
        // Up once it listens: the folder is new, so the socket is its. A minute is a guard far
        // above its start, however busy the machine.
        for (int i = 0; i < 1200 && m_cupsd.state() != QProcess::NotRunning; ++i) {
            if (QFile::exists(socket()))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    bool addQueue(const QString &name, const QString &ppd = QStringLiteral("pdf.ppd"))
    {
        return admin(tool("lpadmin"),
                     {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("file://") + file(name), QStringLiteral("-P"), m_dir.filePath(ppd)});
    }
    bool admin(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    QString log() const
    {
        QFile f(m_dir.filePath(QStringLiteral("error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    void stop()
    {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000))
            m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }

private:
    void write(const QString &name, const QString &text)
    {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/cups-XXXXXX")};
    QProcess m_cupsd;
};

/// A whole PDF has arrived: the queue wrote the job to its end.
bool complete(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.size() > 0 && f.readAll().trimmed().endsWith("%%EOF");
}

bool near(const QSizeF &a, const QSizeF &b)
{
    return qAbs(a.width() - b.width()) < 1 && qAbs(a.height() - b.height()) < 1;
}

template <class T> T *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

void press(fDlgPrint *confirmation, const QString &caption)
{
    for (LineButton *b : confirmation->findChildren<LineButton *>(QStringLiteral("cmdButton")))
        if (!b->isHidden() && b->Caption() == caption)
            FormButtons::click(b);
}

QAction *previewTool(QPrintPreviewDialog *preview, const char *text)
{
    for (QAction *a : preview->findChildren<QAction *>())
        if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", text))
            return a;
    return nullptr;
}

} // namespace

// Both reports of a plan through a real print system: the stored queue, paper and orientation
// of each report reach the PDF its queue writes; the preview's page set-up and print keep the
// report's paper; a queue that takes no jobs is told, not passed over.
class tst_PrintQueues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void printsEachReportOnItsQueue();
    void previewKeepsTheReportsPaper();
    void refusedJobIsTold();
    void pageKeepsOutOfThePrintersMargins_data();
    void pageKeepsOutOfThePrintersMargins();

private:
    /// Presses the plan window's print button; answer is called every 20 ms meanwhile.
    void print(const std::function<void()> &answer);

    PrivateCups m_cups;
    PlanWindowFixture f;
    frmGraph *m_window = nullptr;
};

void tst_PrintQueues::initTestCase()
{
    const QString missing = RequiredTools::missing({"cupsd", "lpadmin", "cupsreject", "cupsaccept"});
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QVERIFY2(QFile::exists(kPpd), "the cups-pdf driver (printer-driver-cups-pdf) is not installed");
    // Before anything asks the print system: libcups reads the server once.
    qputenv("CUPS_SERVER", m_cups.socket().toLocal8Bit());
    QVERIFY2(m_cups.start(), qPrintable(m_cups.log()));
    QVERIFY(m_cups.addQueue(QStringLiteral("Front-Desk")));
    QVERIFY(m_cups.addQueue(QStringLiteral("Back-Office")));
    QVERIFY(m_cups.addQueue(QStringLiteral("Edge-Margins"), QStringLiteral("margins.ppd")));
    QVERIFY(m_cups.addQueue(QStringLiteral("Deep-Margins"), QStringLiteral("deep.ppd")));
    QVERIFY(m_cups.addQueue(QStringLiteral("Unequal"), QStringLiteral("unequal.ppd")));
    QVERIFY(m_cups.addQueue(QStringLiteral("Minus90"), QStringLiteral("minus90.ppd")));
    QVERIFY(m_cups.admin(tool("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Front-Desk")}));
}

void tst_PrintQueues::cleanupTestCase()
{
    m_cups.stop();
}

void tst_PrintQueues::init()
{
    QVERIFY(f.setUp());
    addProperty();
    addParkingPlan();
    // The sheet to the second queue on A4 landscape, the tables to the default queue on JIS B5.
    execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PaperSize, PaperDirect, PaperBin, "
                           "PrintMode, Kind) VALUES (2, '経営計画ご提案書１', 'Back-Office', 9, 2, 0, 0, 1)"));
    execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PaperSize, PaperDirect, PaperBin, "
                           "PrintMode, Kind) VALUES (3, '経営計画ご提案書２', NULL, 13, 1, 0, 0, 1)"));
    for (const QString &queue : {QStringLiteral("Front-Desk"), QStringLiteral("Back-Office"),
                                 QStringLiteral("Edge-Margins"), QStringLiteral("Deep-Margins")})
        QFile::remove(m_cups.file(queue));
    m_window = f.open(1, 1);
}

void tst_PrintQueues::cleanup()
{
    m_cups.admin(tool("cupsaccept"), {QStringLiteral("Back-Office")});
    f.tearDown();
    VERIFY_TOOLS_RAN();
}

void tst_PrintQueues::print(const std::function<void()> &answer)
{
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    connect(&poll, &QTimer::timeout, this, [&] {
        answer();
        // A dialog nobody answers must not hold the test for ever.
        if (clock.elapsed() > 60000)
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
    });
    poll.start(20);
    FormButtons::click(m_window->findChild<QWidget *>(QStringLiteral("lbutPrint")));
}

void tst_PrintQueues::printsEachReportOnItsQueue()
{
    print([] {
        if (fDlgPrint *confirmation = shown<fDlgPrint>())
            press(confirmation, QStringLiteral("印　刷"));
    });
    const QString sheet = m_cups.file(QStringLiteral("Back-Office"));
    const QString tables = m_cups.file(QStringLiteral("Front-Desk"));
    QTRY_VERIFY_WITH_TIMEOUT(complete(sheet) && complete(tables), kJobGuardMs);
    QVERIFY2(near(PrintedPdf::pageSize(sheet), QSizeF(297, 210)), "A4 landscape");
    QVERIFY2(near(PrintedPdf::pageSize(tables), QSizeF(182, 257)), "JIS B5 portrait");
    // The sample plan: 10 cars on テスト物件; year 1 leaves 540 income.
    // As written: the text layer carries the sheet's own characters.
    const QString sheetText = PrintedPdf::text(sheet);
    for (const QString &s : {QStringLiteral("第一駐車場"), QStringLiteral("テスト物件")})
        QVERIFY2(sheetText.contains(s), qPrintable(s));
    QVERIFY(PrintedPdf::text(tables).contains(QStringLiteral("540")));
    QVERIFY(shownBoxes().isEmpty());
}

// The tables previewed on their JIS B5: the preview's page set-up, accepted as it opens, and its
// print dialog start from that paper, and the job goes out on it.
void tst_PrintQueues::previewKeepsTheReportsPaper()
{
    QStringList seen;
    int step = 0;
    print([&] {
        if (fDlgPrint *confirmation = shown<fDlgPrint>()) {
            press(confirmation, confirmation->windowTitle().startsWith(kTables) ? QStringLiteral("プレビュー")
                                                                                : QStringLiteral("キャンセル"));
            return;
        }
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *preview = qobject_cast<QPrintPreviewDialog *>(dialog);
        if (!preview) {
            // The page set-up or print dialog the preview opened, accepted as it opens.
            QString what = QString::fromLatin1(dialog->metaObject()->className());
            if (auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("butOK")))
                what = ok->text() + QLatin1Char(' ') +
                       dialog->findChild<QComboBox *>(QStringLiteral("cmbPrinter"))->currentText() + QLatin1Char(' ') +
                       dialog->findChild<QComboBox *>(QStringLiteral("cmbSize"))->currentText();
            seen << what;
            QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            return;
        }
        if (step > 1)
            return;
        seen << QStringLiteral("preview %1").arg(preview->printer()->pageLayout().pageSize().windowsId());
        QAction *tool = previewTool(preview, step++ == 0 ? "Page setup" : "Print");
        QVERIFY(tool);
        QMetaObject::invokeMethod(tool, &QAction::trigger, Qt::QueuedConnection);
    });
    const QString tables = m_cups.file(QStringLiteral("Front-Desk"));
    QTRY_VERIFY_WITH_TIMEOUT(complete(tables), kJobGuardMs);
    QVERIFY2(near(PrintedPdf::pageSize(tables), QSizeF(182, 257)), "JIS B5 portrait");
    QCOMPARE(seen, (QStringList{"preview 13", "OK Front-Desk B5 (JIS)", "preview 13", "印　刷 Front-Desk B5 (JIS)"}));
    QVERIFY(!QFile::exists(m_cups.file(QStringLiteral("Back-Office"))));
}

// The second queue takes no jobs: the sheet's job is told as the print job's failure and
// logged, and nothing goes on as if it had printed; the tables still print on theirs.
void tst_PrintQueues::refusedJobIsTold()
{
    QVERIFY(m_cups.admin(tool("cupsreject"),
                         {QStringLiteral("-r"), QStringLiteral("紙詰まり点検中"), QStringLiteral("Back-Office")}));
    QList<qsizetype> boxesAtConfirmation;
    print([&] {
        if (fDlgPrint *confirmation = shown<fDlgPrint>()) {
            boxesAtConfirmation << shownBoxes().size();
            press(confirmation, QStringLiteral("印　刷"));
        }
    });
    QTRY_VERIFY_WITH_TIMEOUT(complete(m_cups.file(QStringLiteral("Front-Desk"))), kJobGuardMs);
    QVERIFY(!QFile::exists(m_cups.file(QStringLiteral("Back-Office"))));
    QCOMPARE(boxesAtConfirmation, (QList<qsizetype>{0, 1}));
    QCOMPARE(shownBoxes().size(), 1);
    const MsgBox::Shown box = shownBoxes().at(0);
    QCOMPARE(box.title, QStringLiteral("PrintDialog"));
    QCOMPARE(box.style, int(MsgBox::Critical));
    QVERIFY2(box.prompt.contains(QStringLiteral("「Back-Office」")) &&
                 box.prompt.contains(QStringLiteral("紙詰まり点検中")),
             qPrintable(box.prompt));
    // One line: the error, the queue and its reason.
    const QStringList log = f.errorLog().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(log.size() == 1 && log[0].contains(QStringLiteral("Back-Office")) &&
                 log[0].contains(QStringLiteral("紙詰まり点検中")),
             qPrintable(f.errorLog()));
}

void tst_PrintQueues::pageKeepsOutOfThePrintersMargins_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QMarginsF>("margins"); // on the sheet: left, top, right, bottom, in millimetres
    QTest::addColumn<bool>("preview");      // printed from the preview
    // The widest margin of the first two printers on every side.
    const QMarginsF edge(15, 15, 15, 15), deep(40, 40, 40, 40), unequal(5, 38, 35, 30);
    QTest::newRow("sheet, A4 portrait") << kSheet << 1 << QStringLiteral("Edge-Margins") << edge << false;
    QTest::newRow("tables, A4 landscape") << kTables << 2 << QStringLiteral("Edge-Margins") << edge << false;
    // 40 mm on every side: the sheet, drawn smaller to the 130 mm between the sides, is moved
    // down out of the top margin; the tables (205 mm high) are also drawn smaller to the
    // 130 mm between the top and bottom margins of A4 landscape.
    QTest::newRow("sheet, A4 portrait, deep margins") << kSheet << 1 << QStringLiteral("Deep-Margins") << deep << false;
    QTest::newRow("tables, A4 landscape, deep margins")
        << kTables << 2 << QStringLiteral("Deep-Margins") << deep << false;
    // A landscape page turned onto the sheet meets its margins of other sides.
    QTest::newRow("tables, A4 landscape, unequal") << kTables << 2 << QStringLiteral("Unequal") << unequal << false;
    QTest::newRow("tables, A4 landscape, from the preview")
        << kTables << 2 << QStringLiteral("Unequal") << unequal << true;
    QTest::newRow("tables, A4 landscape, Minus90")
        << kTables << 2 << QStringLiteral("Minus90") << QMarginsF(5, 5, 35, 5) << false;
    // Where it lay within them as it was placed before, it stays: below the 38 mm at the top of
    // the page (the sheet's left).
    QTest::newRow("sheet, A4 landscape, unequal")
        << kSheet << 2 << QStringLiteral("Unequal") << QMarginsF(38, 38, 35, 30) << false;
}

// On a printer with margins the page the queue receives is centred on the paper and keeps its
// ink out of the margins: out of the 15 mm the widest margin of the first printer takes, the
// sheet (182.5 mm wide) drawn smaller to the 180 mm between, the tables keeping the report's
// 25.4 mm above and below; out of all four 40 mm margins of the second; out of each on the sheet.
void tst_PrintQueues::pageKeepsOutOfThePrintersMargins()
{
    QFETCH(QString, report);
    QFETCH(int, orientation);
    QFETCH(QString, queue);
    QFETCH(QMarginsF, margins);
    QFETCH(bool, preview);
    QFile::remove(m_cups.file(queue));
    execSql(QStringLiteral("UPDATE M_Printer SET PrinterNameNT='%1', PaperSize=9, PaperDirect=%2 "
                           "WHERE ReportName='%3'")
                .arg(queue)
                .arg(orientation)
                .arg(report));
    QMarginsF faded; // by the preview, on the page as it lies
    print([&] {
        if (fDlgPrint *confirmation = shown<fDlgPrint>())
            press(confirmation, !confirmation->windowTitle().startsWith(report) ? QStringLiteral("キャンセル")
                                : preview                                       ? QStringLiteral("プレビュー")
                                                                                : QStringLiteral("印　刷"));
        else if (auto *setup = shown<PrinterSetupDialog>()) // opened by the preview's print
            QMetaObject::invokeMethod(setup, &QDialog::accept, Qt::QueuedConnection);
        else if (auto *window = shown<QPrintPreviewDialog>(); window && faded.isNull()) {
            faded = window->printer()->pageLayout().margins(QPageLayout::Millimeter);
            QMetaObject::invokeMethod(previewTool(window, "Print"), &QAction::trigger, Qt::QueuedConnection);
        }
    });
    const QString file = m_cups.file(queue);
    QTRY_VERIFY_WITH_TIMEOUT(complete(file), kJobGuardMs);
    // The print system turns a landscape page as the queue's PPD says: Plus90 its top to the sheet's left.
    const auto onSheet = [&](const QMarginsF &m) {
        return orientation == 1     ? m
               : queue == "Minus90" ? QMarginsF(m.bottom(), m.left(), m.top(), m.right())
                                    : QMarginsF(m.top(), m.right(), m.bottom(), m.left());
    };
    const QMarginsF free = PrintedPdf::freePaper(file, 100), sheet = onSheet(free), spare = sheet - margins;
    if (preview)
        QCOMPARE(onSheet(faded).toMargins(), margins.toMargins());
    QVERIFY2(qAbs(free.left() - free.right()) < 1 &&
                 std::min({spare.left(), spare.top(), spare.right(), spare.bottom()}) > -0.5,
             qPrintable(QString::asprintf("on the sheet %.1f %.1f %.1f %.1f mm", sheet.left(), sheet.top(),
                                          sheet.right(), sheet.bottom())));
}

QTEST_MAIN(tst_PrintQueues)
#include "tst_PrintQueues.moc"
