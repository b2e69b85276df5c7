#include "ProgramParts.h"

#include "ActiveReport.h"
#include "FixedPrinterCatalog.h"
#include "FormButtons.h"
#include "Globals.h"
#include "ImText.h"
#include "LineButton.h"
#include "LoanGrid.h"
#include "MDIForm1.h"
#include "MsgBox.h"
#include "PrintConfirmations.h"
#include "PrintedPdf.h"
#include "PropertyListModel.h"
#include "RegistryStore.h"
#include "RequiredTools.h"
#include "ShownBoxes.h"
#include "TestDb.h"
#include "TypeText.h"
#include "cDao.h"
#include "fDlgPrint.h"
#include "frmDataDetail.h"
#include "frmDataList.h"
#include "frmGraph.h"
#include "frmInputApartment.h"
#include "frmInputKariire.h"
#include "frmInputParking.h"
#include "frmInputYatin.h"
#include "frmMsgbox.h"
#include "frmType.h"
#include "mdlMain.h"
#include "mdlMainStart.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace
{

const QString kSheet = QStringLiteral("経営計画ご提案書１");
const QString kTables = QStringLiteral("経営計画ご提案書２");

template <class T = QWidget> T *child(QWidget *form, const char *name)
{
    T *w = form->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("%s has no control %s", qPrintable(form->objectName()), name);
    return w;
}

/// Gives the box the focus, as a click does, and types over what it holds. The user types
/// into the window in front: one whose dialog has just closed is waited for until it is
/// active again.
void type(QWidget *form, const char *name, const QString &text)
{
    if (!form->isActiveWindow()) {
        form->activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(form),
                 qPrintable(form->objectName() + QStringLiteral(" did not become active")));
    }
    QWidget *box = child(form, name);
    box->setFocus(Qt::MouseFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
    typeText(box, text);
}

void click(QWidget *form, const char *name)
{
    FormButtons::click(child(form, name));
}

/// Runs body on the modal window of class T that the next click opens, once it shows and
/// is active, the way a user answers the window in front of them. After a minute without it (a
/// guard far above the moment a window takes, however busy the machine) the test fails and the
/// modal window in the way is closed, so nothing hangs.
template <class T> void whenModal(std::function<void(T *)> body)
{
    auto *poll = new QTimer;
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, body] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *window = qobject_cast<T *>(modal); window && window->isVisible()) {
            // Typed keys reach only the active window, and only there does the focus move.
            if (!window->isActiveWindow()) {
                window->activateWindow();
                return;
            }
            poll->stop();
            poll->deleteLater();
            body(window);
            return;
        }
        if (waited->elapsed() > 60000) {
            poll->stop();
            poll->deleteLater();
            QTest::qFail(qPrintable(QStringLiteral("no %1 opened").arg(QLatin1String(T::staticMetaObject.className()))),
                         __FILE__, __LINE__);
            if (modal)
                modal->close();
        }
    });
    poll->start(10);
}

/// The rows of a query as "a|b;c|d", NULL written as NULL.
QString rows(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    if (!q.exec(sql))
        return QStringLiteral("error: ") + sql;
    QStringList out;
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        out << fields.join(QLatin1Char('|'));
    }
    return out.join(QLatin1Char(';'));
}

/// An amount as the reports and the plan window print it: thousands grouped with commas.
QString grouped(qint64 amount)
{
    return QLocale(QLocale::English).toString(amount);
}

QString nfkc(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC);
}

/// Whether some line of the text holds exactly these words, blanks between them.
bool hasLine(const QString &text, const QStringList &words)
{
    const QString wanted = nfkc(words.join(QLatin1Char(' ')));
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.simplified() == wanted)
            return true;
    return false;
}

} // namespace

// The whole program in-process on a fresh database, used as a user uses it: a property
// registered and opened, a parking and an apartment plan entered and registered through
// the chooser, their windows, both reports of each printed to PDF (no printer installed)
// and checked against the stored rows, a plan changed through its window, a plan discarded.
class tst_EndToEnd : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<QTemporaryDir> m_pdfDir;
    QStringList m_pdfAsked; // "title|suggested file name" of each file chooser
    QTimer m_watchdog;      // fails a step that waits on a window nobody answers
    // The modal window in front at the watchdog's last look.
    QPointer<QWidget> m_inFront;

    MDIForm1 *workspace() const
    {
        auto *list = qobject_cast<frmDataList *>(MainWindow());
        return list ? list->workspace() : nullptr;
    }
    frmGraph *planWindow(int id2) const
    {
        for (PlanWindow *w : workspace()->planWindows())
            if (w->Pro_ID2().toInt() == id2)
                return qobject_cast<frmGraph *>(w);
        return nullptr;
    }
    /// Presses the workspace's add button and picks a type in the chooser; the entry form
    /// it opens is filled and registered by fill.
    template <class Form> void addPlan(int type, std::function<void(Form *)> fill)
    {
        whenModal<frmType>([type, fill](frmType *chooser) {
            whenModal<Form>(fill);
            for (QPushButton *b : chooser->findChildren<QPushButton *>(QStringLiteral("butType")))
                if (b->property("index").toInt() == type)
                    b->click();
        });
        click(workspace(), "lbutAdd");
    }
    /// The window's yearly table, line by line as it shows: "年|収入|支出|累計".
    static QStringList shownYears(frmGraph *w)
    {
        const QAbstractItemModel *m = child<QTableView>(w, "TDBGrid")->model();
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }
    /// The same years as stored in T_収支, formatted as the table shows them.
    static QStringList storedYears(int id2, int lastYear)
    {
        QSqlQuery q(gDao().CurrentDB());
        q.exec(QStringLiteral("SELECT 年, 収入, 支出, 収支累計 FROM T_収支 WHERE ID1 = 1 AND ID2 = %1 AND 年 <= %2 "
                              "ORDER BY 年")
                   .arg(id2)
                   .arg(lastYear));
        QStringList out;
        while (q.next())
            out << QStringList{q.value(0).toString(), grouped(q.value(1).toLongLong()),
                               grouped(q.value(2).toLongLong()), grouped(q.value(3).toLongLong())}
                       .join(QLatin1Char('|'));
        return out;
    }
    /// Presses 印刷 on the window and answers "印　刷" in each confirmation; the PDF files
    /// are saved under the names offered. Returns the confirmations' titles.
    QStringList printToPdf(frmGraph *w)
    {
        if (!w)
            return {QStringLiteral("no window")};
        const PrintConfirmations answer;
        click(w, "lbutPrint");
        return answer.asked();
    }
    /// The file a plan's report was saved to, under the name offered.
    QString pdfPath(const QString &plan, const QString &report) const
    {
        return m_pdfDir->filePath(plan + QLatin1Char('_') + report + QStringLiteral(".pdf"));
    }
    /// The printed yearly tables hold the stored year's line of each table: the year, the
    /// amounts of the layout's columns, then income less expenditure (the balance of
    /// 収支計画, followed by its running total; the taxable amount of 損益計算).
    static void checkYearLines(const QString &text, int id2, int year, const QStringList &skColumns,
                               const QStringList &seColumns)
    {
        const auto line = [&](const QString &table, const QStringList &columns, bool runningTotal) {
            QSqlQuery q(gDao().CurrentDB());
            QVERIFY(q.exec(
                QStringLiteral("SELECT %1, 収入計 - 支出計%2 FROM %3 WHERE ID1 = 1 AND ID2 = %4 AND 年 = %5")
                    .arg(columns.join(QLatin1Char(',')), runningTotal ? QStringLiteral(", 累計") : QString(), table)
                    .arg(id2)
                    .arg(year)));
            QVERIFY(q.next());
            QStringList words{QString::number(year)};
            for (int i = 0; i < q.record().count(); ++i)
                if (!q.value(i).isNull())
                    words << grouped(q.value(i).toLongLong());
            QVERIFY2(hasLine(text, words), qPrintable(table + ": " + words.join(' ') + "\n" + text));
        };
        line(QStringLiteral("T_収支計画"), skColumns, true);
        line(QStringLiteral("T_損益計算"), seColumns, false);
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void registerAProperty();
    void openItsWorkspace();
    void addAParkingPlan();
    void addAnApartmentPlan();
    void printBothPlansToPdf();
    void changeTheParkingFeeFromItsWindow();
    void discardTheApartmentPlan();
};

void tst_EndToEnd::initTestCase()
{
    MsgBox::setAutoAnswer(true);
    clearShownBoxes();
    m_db = std::make_unique<TestDb>();
    QVERIFY2(m_db->isValid(), qPrintable(m_db->error()));
    // The program's folder: the database, the settings file as shipped, the registry.
    setAppPath(m_db->folder());
    RegistryStore::setFilePath(QDir(m_db->folder()).filePath(QStringLiteral("Vanrek.reg")));
    QVERIFY(QFile::copy(QStringLiteral(VANREK_DB_SQL_DIR "/../data/Vanrek.ini"),
                        QDir(m_db->folder()).filePath(QStringLiteral("Vanrek.ini"))));
    QFile::setPermissions(QDir(m_db->folder()).filePath(QStringLiteral("Vanrek.ini")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // No printer here: each report goes to a PDF file in the test's folder.
    m_pdfDir = std::make_unique<QTemporaryDir>(QDir(m_db->folder()).filePath(QStringLiteral("pdf-XXXXXX")));
    PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>());
    installProgramParts();
    ActiveReport::setPdfChooser([this](QWidget *, const QString &title, const QString &suggested) {
        m_pdfAsked << title + QLatin1Char('|') + QFileInfo(suggested).fileName();
        return m_pdfDir->filePath(QFileInfo(suggested).fileName());
    });
    QCOMPARE(Main(0), StartResult::Started);
    QVERIFY(MainWindow());
    QVERIFY(QTest::qWaitForWindowExposed(MainWindow()));
    QCOMPARE(gTaxRate, 5.0);
}

// A step stuck on a modal window fails with the message boxes it saw, and every modal
// window is closed (answering Yes to whatever the closing asks) until the step can end.
// Stuck is the same window in front at two looks 20 seconds apart: its answer comes within
// milliseconds of its showing, however long a busy machine takes over the rest of the step.
void tst_EndToEnd::init()
{
    clearShownBoxes();
    m_inFront = nullptr;
    m_watchdog.setInterval(20000);
    m_watchdog.callOnTimeout(this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (m_watchdog.interval() > 100) {
            const bool stuck = modal && modal == m_inFront;
            m_inFront = modal;
            if (!stuck)
                return;
            QStringList seen;
            for (const MsgBox::Shown &box : shownBoxes())
                seen << box.prompt;
            QTest::qFail(qPrintable(QStringLiteral("stuck on %1; boxes: %2")
                                        .arg(QLatin1String(modal->metaObject()->className()), seen.join(" / "))),
                         __FILE__, __LINE__);
            m_watchdog.setInterval(100);
        }
        if (!modal)
            return;
        MsgBox::setNextAnswer(MsgBox::Yes);
        modal->close();
    });
    m_watchdog.start();
}

void tst_EndToEnd::cleanup()
{
    m_watchdog.stop();
    m_watchdog.disconnect();
    VERIFY_TOOLS_RAN();
}

void tst_EndToEnd::cleanupTestCase()
{
    if (MDIForm1 *w = workspace())
        w->close();
    EndMain();
    ActiveReport::setPdfChooser(nullptr);
    PrinterCatalog::install(nullptr);
    // Nothing on the whole path was logged as an error.
    QFile log(QDir(m_db->folder()).filePath(QStringLiteral("ErrLog.txt")));
    QVERIFY2(!log.exists(), log.open(QIODevice::ReadOnly) ? log.readAll().constData() : "");
    releaseGlobals();
    RegistryStore::setFilePath(QString());
    m_db.reset();
}

void tst_EndToEnd::registerAProperty()
{
    auto *list = qobject_cast<frmDataList *>(MainWindow());
    QVERIFY(list);
    QCOMPARE(list->model()->rowCount(), 0);
    bool noticed = false;
    whenModal<frmDataDetail>([&noticed](frmDataDetail *d) {
        type(d, "txtName", QStringLiteral("駅前の土地"));
        type(d, "numSikiti", QStringLiteral("1000"));
        type(d, "numHyoka", QStringLiteral("100"));
        // A new property is followed by the notice that stored properties cannot be changed.
        whenModal<frmMsgbox>([&noticed](frmMsgbox *notice) {
            noticed = true;
            notice->Command1->click();
        });
        click(d, "lbutAdd");
    });
    click(list, "lbutNew");
    QVERIFY(noticed);
    QVERIFY(shownBoxes().isEmpty());
    // The tax rates come from the settings file as shipped.
    QCOMPARE(rows(QStringLiteral("SELECT * FROM D_物件")), QStringLiteral("1|駅前の土地|1000|100|1.4|0.3"));
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(list->model()->index(0, 1).data().toString(), QStringLiteral("駅前の土地"));
}

void tst_EndToEnd::openItsWorkspace()
{
    auto *list = qobject_cast<frmDataList *>(MainWindow());
    click(list, "lbutSelect");
    QVERIFY(!list->isVisible());
    MDIForm1 *w = workspace();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("物件名　[駅前の土地]"));
    QVERIFY(w->planWindows().isEmpty());
}

void tst_EndToEnd::addAParkingPlan()
{
    QString loanDialog;
    addPlan<frmInputParking>(1, [&loanDialog](frmInputParking *f) {
        type(f, "txtName", QStringLiteral("駅前駐車場"));
        type(f, "numRyokin1", "25"); // area per car: 1000 ㎡ take 40 cars
        type(f, "numRyokin3", "5");
        type(f, "numYosan1", "1000");
        type(f, "numKeikaku1", "10");
        type(f, "numSikin1", "50");
        whenModal<frmInputKariire>([&loanDialog](frmInputKariire *d) {
            loanDialog = d->windowTitle();
            type(d, "txtName", QStringLiteral("中央信金"));
            type(d, "numKariire", "1000");
            child<QComboBox>(d, "cmbHensai")->setCurrentIndex(1);
            type(d, "numNen1", "10");
            type(d, "numKinri1", "2");
            click(d, "lbutAdd");
        });
        click(f, "lbutNewKariire");
        click(f, "lbutAdd");
    });
    QVERIFY(!loanDialog.isEmpty());
    QVERIFY2(shownBoxes().isEmpty(), qPrintable(shownBoxes().value(0).prompt));
    QCOMPARE(rows(QStringLiteral("SELECT ID1, ID2, 名称, 料金1, 料金2, 料金3, 予算4, 資金1 FROM D_駐車場")),
             QStringLiteral("1|1|駅前駐車場|25|40|5|1050|50"));
    QCOMPARE(rows(QStringLiteral("SELECT 連番, 借入先名称, 借入金額, 返済期間 FROM D_借入金 WHERE ID2 = 1")),
             QStringLiteral("1|中央信金|1000|10"));
    for (const char *table : {"T_収支", "T_収支計画", "T_損益計算"})
        QCOMPARE(rows(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID1 = 1 AND ID2 = 1").arg(table)),
                 QStringLiteral("75"));

    frmGraph *w = planWindow(1);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("計画名  [駅前駐車場]"));
    // Every year 1 to 15 as stored. Year 1: 40 cars × 5 × 12 less 10 % vacancy = 2,160;
    // land taxes 100 × 1000 × 1.7 % = 1,700 and the loan's first 100 + 20 interest.
    const QStringList shown = shownYears(w);
    QCOMPARE(shown, storedYears(1, 15));
    QCOMPARE(shown.value(0), QStringLiteral("1|2,160|1,820|340"));
}

void tst_EndToEnd::addAnApartmentPlan()
{
    int rentDialogs = 0;
    addPlan<frmInputApartment>(2, [&rentDialogs](frmInputApartment *f) {
        type(f, "txtName", QStringLiteral("駅前マンション"));
        type(f, "numKaoku2", "1");
        type(f, "numKaoku3", "5");
        type(f, "numKaoku4", "3");
        type(f, "numKaoku5", "300.5");
        type(f, "numKaoku6", "150");
        const auto rent = [f, &rentDialogs](const char *madori, const char *area, const char *dwellings,
                                            const char *spaces, const char *yatin, const char *kyoeki,
                                            const char *tyusyaryo, const char *sikikin) {
            whenModal<frmInputYatin>([=, &rentDialogs](frmInputYatin *d) {
                ++rentDialogs;
                type(d, "txtMadori", QString::fromUtf8(madori));
                type(d, "numSenyu", area);
                type(d, "numSetai", dwellings);
                type(d, "numTyusya", spaces);
                type(d, "numYatin", yatin);
                type(d, "numKyoeki", kyoeki);
                type(d, "numTyusyaryo", tyusyaryo);
                type(d, "numSikikin", sikikin);
                click(d, "lbutAdd");
            });
            click(f, "lbutNewYatin");
        };
        rent("1K", "25", "3", "3", "100", "10", "5", "300");
        rent("2DK", "40", "2", "0", "200", "0", "0", "400");
        type(f, "numYosan1", "200000"); // consumption tax 10,000
        type(f, "numYosan3", "5300");
        type(f, "numSikin1", "15300");
        type(f, "numSikin2", "0");
        for (int i = 1; i <= 9; ++i)
            type(f, QStringLiteral("numKeikaku%1").arg(i).toLatin1().constData(), QString::number(i == 1 ? 5 : i));
        type(f, "numKasai", "10");
        whenModal<frmInputKariire>([](frmInputKariire *d) {
            type(d, "txtName", QStringLiteral("みどり銀行"));
            type(d, "numKariire", "200000");
            type(d, "numNen1", "30");
            type(d, "numKinri1", "2.5");
            click(d, "lbutAdd");
        });
        click(f, "lbutNewKariire");
        click(f, "lbutAdd");
    });
    QCOMPARE(rentDialogs, 2);
    QVERIFY2(shownBoxes().isEmpty(), qPrintable(shownBoxes().value(0).prompt));
    QCOMPARE(rows(QStringLiteral("SELECT ID2, 名称, 予算12, 資金1 FROM D_賃貸マンション")),
             QStringLiteral("2|駅前マンション|215300|15300"));
    QCOMPARE(rows(QStringLiteral("SELECT タイプ, 間取り, 世帯数, 月家賃 FROM D_家賃 WHERE ID2 = 2 ORDER BY タイプ")),
             QStringLiteral("A|1K|3|100;B|2DK|2|200"));
    QCOMPARE(rows(QStringLiteral("SELECT 借入先名称, 借入金額 FROM D_借入金 WHERE ID2 = 2")),
             QStringLiteral("みどり銀行|200000"));
    // Year 1: rents (100 + 10) × 3 + 200 × 2 = 730 a month and parking 5 × 3 = 15, less 5 %
    // vacancy: 8,760 × 0.95 = 8,322 and 180 × 0.95 = 171.
    QCOMPARE(rows(QStringLiteral("SELECT 収入1, 収入2, 収入計 FROM T_収支計画 WHERE ID2 = 2 AND 年 = 1")),
             QStringLiteral("8322|171|8493"));

    frmGraph *w = planWindow(2);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("計画名  [駅前マンション]"));
    QCOMPARE(shownYears(w), storedYears(2, 15));
    QCOMPARE(shownYears(w).size(), 15);
    QCOMPARE(workspace()->planWindows().size(), 2);
}

void tst_EndToEnd::printBothPlansToPdf()
{
    const QString confirmSheet = kSheet + QStringLiteral(" 印刷確認");
    const QString confirmTables = kTables + QStringLiteral(" 印刷確認");
    QCOMPARE(printToPdf(planWindow(1)), (QStringList{confirmSheet, confirmTables}));
    QCOMPARE(printToPdf(planWindow(2)), (QStringList{confirmSheet, confirmTables}));
    // The chooser offered each report under its plan's name and its own.
    const QString parking = QStringLiteral("PDFファイルに保存|駅前駐車場_");
    const QString apartment = QStringLiteral("PDFファイルに保存|駅前マンション_");
    QCOMPARE(m_pdfAsked, (QStringList{parking + kSheet + ".pdf", parking + kTables + ".pdf",
                                      apartment + kSheet + ".pdf", apartment + kTables + ".pdf"}));
    QVERIFY2(shownBoxes().isEmpty(), qPrintable(shownBoxes().value(0).prompt));

    const auto text = [](const QString &path) { return nfkc(PrintedPdf::text(path, true)); };
    const auto contains = [](const QString &text, const QString &what) { return text.contains(nfkc(what)); };

    // The conditions sheets: one page each, with the names and inputs as stored.
    for (const QString &plan : {QStringLiteral("駅前駐車場"), QStringLiteral("駅前マンション")}) {
        QCOMPARE(PrintedPdf::pages(pdfPath(plan, kSheet)), 1);
        QCOMPARE(PrintedPdf::pages(pdfPath(plan, kTables)), 1);
    }
    const QString property = rows(QStringLiteral("SELECT 物件名 FROM D_物件 WHERE ID1 = 1"));
    const QString parkingSheet = text(pdfPath(QStringLiteral("駅前駐車場"), kSheet));
    for (const QString &what : {property, rows(QStringLiteral("SELECT 名称 FROM D_駐車場 WHERE ID2 = 1")),
                                rows(QStringLiteral("SELECT 借入先名称 FROM D_借入金 WHERE ID2 = 1")),
                                QStringLiteral("1,000"), QStringLiteral("1,050")})
        QVERIFY2(contains(parkingSheet, what), qPrintable(what + "\n" + parkingSheet));
    const QString apartmentSheet = text(pdfPath(QStringLiteral("駅前マンション"), kSheet));
    for (const QString &what :
         {property, rows(QStringLiteral("SELECT 名称 FROM D_賃貸マンション WHERE ID2 = 2")),
          rows(QStringLiteral("SELECT 借入先名称 FROM D_借入金 WHERE ID2 = 2")), QStringLiteral("200,000"),
          QStringLiteral("215,300"), QStringLiteral("1K"), QStringLiteral("2DK")})
        QVERIFY2(contains(apartmentSheet, what), qPrintable(what + "\n" + apartmentSheet));

    // The yearly tables: year 1 and year 15 of both tables, as stored.
    const QString parkingTables = text(pdfPath(QStringLiteral("駅前駐車場"), kTables));
    const QString apartmentTables = text(pdfPath(QStringLiteral("駅前マンション"), kTables));
    for (int year : {1, 15}) {
        checkYearLines(parkingTables, 1, year, {"収入1", "収入計", "支出1", "支出2", "支出計"},
                       {"収入1", "収入計", "支出1", "支出2", "支出3", "支出計"});
        checkYearLines(apartmentTables, 2, year,
                       {"収入1", "収入2", "収入計", "支出1", "支出2", "支出3", "支出4", "支出計"},
                       {"収入1", "収入2", "収入計", "支出1", "支出2", "支出3", "支出4", "支出5", "支出6", "支出計"});
    }
    for (const QString &tables : {parkingTables, apartmentTables})
        QVERIFY(contains(tables, QStringLiteral("経営計画ご提案書")));
}

void tst_EndToEnd::changeTheParkingFeeFromItsWindow()
{
    frmGraph *w = planWindow(1);
    QVERIFY(w);
    QString loadedName;
    whenModal<frmInputParking>([&loadedName](frmInputParking *f) {
        loadedName = child<ImText>(f, "txtName")->Text();
        type(f, "numRyokin3", "6");
        click(f, "lbutAdd");
    });
    click(w, "lbutInput");
    QCOMPARE(loadedName, QStringLiteral("駅前駐車場"));
    QVERIFY2(shownBoxes().isEmpty(), qPrintable(shownBoxes().value(0).prompt));
    // The same plan, updated in place: 40 cars × 6 × 12 less 10 % = 2,592 in year 1.
    QCOMPARE(rows(QStringLiteral("SELECT COUNT(*), 料金3 FROM D_駐車場")), QStringLiteral("1|6"));
    QCOMPARE(rows(QStringLiteral("SELECT COUNT(*) FROM T_収支 WHERE ID2 = 1")), QStringLiteral("75"));
    QCOMPARE(rows(QStringLiteral("SELECT 収入 FROM T_収支 WHERE ID2 = 1 AND 年 = 1")), QStringLiteral("2592"));
    QCOMPARE(planWindow(1), w);
    const QStringList shown = shownYears(w);
    QCOMPARE(shown, storedYears(1, 15));
    QCOMPARE(shown.value(0), QStringLiteral("1|2,592|1,820|772"));
    QCOMPARE(w->windowTitle(), QStringLiteral("計画名  [駅前駐車場]"));
}

void tst_EndToEnd::discardTheApartmentPlan()
{
    QPointer<frmGraph> w = planWindow(2);
    QVERIFY(w);
    MsgBox::setNextAnswer(MsgBox::Yes);
    click(w, "lbutDelete");
    QCOMPARE(shownBoxes().size(), 1);
    QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("破棄してよろしいですか?"));
    clearShownBoxes();
    QTRY_VERIFY(!w || !w->isVisible());
    QCOMPARE(workspace()->planWindows().size(), 1);
    QVERIFY(!planWindow(2));
    for (const char *table : {"D_賃貸マンション", "D_家賃", "D_借入金", "T_収支", "T_収支計画", "T_損益計算"})
        QCOMPARE(rows(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID2 = 2").arg(table)), QStringLiteral("0"));
    // The parking plan is untouched.
    QCOMPARE(rows(QStringLiteral("SELECT COUNT(*) FROM T_収支 WHERE ID2 = 1")), QStringLiteral("75"));
    QCOMPARE(rows(QStringLiteral("SELECT COUNT(*) FROM D_借入金 WHERE ID2 = 1")), QStringLiteral("1"));
}

QTEST_MAIN(tst_EndToEnd)
#include "tst_EndToEnd.moc"
