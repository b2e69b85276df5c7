#include "frmSysPrintDtl.h"

#include "DbFixture.h"
#include "FormButtons.h"
#include "Globals.h"
#include "ImText.h"
#include "LineButton.h"
#include "MsgBox.h"
#include "PrinterSetupDialog.h"
#include "ReportPrinter.h"
#include "ShownBoxes.h"
#include "TestPrinters.h"
#include "TypeText.h"
#include "WriteLock.h"
#include "cDao.h"
#include "cFoldDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>

// The printer-setting editor: lists, new and edit modes, checks and messages,
// and what is written (or, on failure, not written).
class tst_frmSysPrintDtl : public QObject
{
    Q_OBJECT

private:
    /// The rows as "ID|ReportName|NameNT|PortNT|Name9x|Port9x|Size|Direct|Bin|Mode|Memo|Kind", by ID.
    static QStringList rows()
    {
        return queryRowList(QStringLiteral("SELECT ID, ReportName, PrinterNameNT, PrinterPortNT, PrinterName9x, "
                                           "PrinterPort9x, PaperSize, PaperDirect, PaperBin, PrintMode, Memo, Kind "
                                           "FROM M_Printer ORDER BY ID"));
    }
    static const QString &standardRow()
    {
        static const QString row = QStringLiteral("1|(標準プリンタ設定)|NULL|NULL|NULL|NULL|0|0|0|0|NULL|1");
        return row;
    }
    void writeIni(const QByteArray &text) { QVERIFY(m_db.writeIni(text)); }
    QString iniText() const { return m_db.iniText(); }
    static QComboBox *box(QDialog &d, const char *name) { return d.findChild<QComboBox *>(QString::fromLatin1(name)); }
    static QRadioButton *option(QDialog &d, int index)
    {
        for (QRadioButton *r : d.findChildren<QRadioButton *>(QStringLiteral("optDirect")))
            if (r->property("index").toInt() == index)
                return r;
        return nullptr;
    }
    static void pick(QComboBox *combo, const QString &text)
    {
        const int i = combo->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        combo->setCurrentIndex(i);
        Q_EMIT combo->activated(i);
    }
    static LineButton *button(QDialog &d, const char *name)
    {
        return d.findChild<LineButton *>(QString::fromLatin1(name));
    }
    /// Types into an editable box and leaves it with Tab, as the user does.
    static void typeAndLeave(QDialog &d, QComboBox *combo, const QString &text)
    {
        combo->setFocus(Qt::TabFocusReason);
        combo->lineEdit()->selectAll();
        typeText(combo->lineEdit(), text);
        box(d, "cmbSize")->setFocus(Qt::TabFocusReason);
    }
    std::unique_ptr<frmSysPrintDtl> editor(int id, bool edit)
    {
        auto d = std::make_unique<frmSysPrintDtl>(m_db.folder());
        d->SetData(id, edit, 1);
        d->show();
        [&] { QVERIFY2(QTest::qWaitForWindowActive(d.get()), "editor not active"); }();
        return d;
    }

    DbFixture m_db;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_db.setUp());
        PrinterCatalog::install(officePrinters());
        writeIni("[ReportNames]\r\nReportName01=\"経営計画ご提案書１\"\r\nReportName02=\"経営計画ご提案書２\"\r\n");
    }
    void cleanup()
    {
        ReportPrinter::setSetupRunner(nullptr);
        cFoldDlg::setChooser(nullptr);
        PrinterCatalog::install(nullptr);
        m_db.tearDown();
    }

    void listsOfANewSetting()
    {
        auto d = editor(0, false);
        QCOMPARE(d->windowTitle(), QStringLiteral("プリンタ設定 [新規]"));
        QCOMPARE(button(*d, "lbutEntry")->Caption(), QStringLiteral("追　加"));
        QComboBox *report = box(*d, "cmbReport");
        QCOMPARE(report->count(), 3);
        QCOMPARE(report->itemText(0), QStringLiteral("(標準プリンタ設定)"));
        QCOMPARE(report->itemData(0).toInt(), 0);
        QCOMPARE(report->itemText(2), QStringLiteral("経営計画ご提案書２"));
        QCOMPARE(report->itemData(2).toInt(), 2);
        QCOMPARE(report->currentText(), QString());
        QCOMPARE(box(*d, "cmbPrint")->count(), 2);
        QCOMPARE(box(*d, "cmbPort")->count(), 0);
        QCOMPARE(box(*d, "cmbSize")->count(), 0);
        QComboBox *mode = box(*d, "cmbMode");
        QStringList modes;
        for (int i = 0; i < mode->count(); ++i)
            modes << mode->itemText(i) + QLatin1Char('=') + mode->itemData(i).toString();
        QCOMPARE(modes, QStringList({"選択(印刷/プレビュー)=0", "印刷=1", "プレビュー=2", "確認なし=9"}));
        QCOMPARE(mode->currentIndex(), 0);
        QCOMPARE(box(*d, "cmbKind")->count(), 0);
        QVERIFY(option(*d, 0)->isChecked());
        // The end of the list is written back empty.
        QVERIFY2(iniText().contains(QStringLiteral("ReportName03=\"\"")), qPrintable(iniText()));
    }

    void reportNamesCutTo50Bytes()
    {
        // 30 full-width characters are 60 bytes: 25 remain.
        writeIni(("[ReportNames]\r\nReportName01=\"" + QStringLiteral("帳").repeated(30).toUtf8() + "\"\r\n"));
        auto d = editor(0, false);
        QCOMPARE(box(*d, "cmbReport")->itemText(1), QStringLiteral("帳").repeated(25));
    }

    void noFirstNameListsOnlyTheStandard()
    {
        writeIni("[CONST]\r\n消費税=\"5\"\r\n");
        auto d = editor(0, false);
        QCOMPARE(box(*d, "cmbReport")->count(), 1);
        QVERIFY(iniText().contains(QStringLiteral("ReportName01=\"\"")));
    }

    void newSettingIsStoredTrimmed()
    {
        auto d = editor(0, false);
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("  見積書  "));
        typeAndLeave(*d, box(*d, "cmbPrint"), QStringLiteral("Office Laser"));
        // Leaving the printer box listed the printer's ports, sizes and bins.
        QCOMPARE(box(*d, "cmbPort")->count(), 1);
        QCOMPARE(box(*d, "cmbSize")->count(), 4);
        QCOMPARE(box(*d, "cmbBin")->count(), 2);
        pick(box(*d, "cmbPort"), QStringLiteral("Office Laser"));
        pick(box(*d, "cmbSize"), QStringLiteral("JIS B5"));
        option(*d, 1)->click();
        pick(box(*d, "cmbBin"), QStringLiteral("下段トレイ"));
        pick(box(*d, "cmbMode"), QStringLiteral("プレビュー"));
        d->findChild<ImText *>(QStringLiteral("txtBikou"))->setText(QStringLiteral("2階"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows(), QStringList({standardRow(), "2|見積書|Office Laser|Office Laser|NULL|NULL|13|2|2|2|2階|1"}));
        QVERIFY(shownBoxes().isEmpty());
        // Open and empty for the next setting.
        QVERIFY(d->isVisible());
        QCOMPARE(box(*d, "cmbReport")->currentText(), QString());
        QCOMPARE(box(*d, "cmbPrint")->currentText(), QString());
        QCOMPARE(box(*d, "cmbSize")->currentIndex(), -1);
        QCOMPARE(box(*d, "cmbBin")->currentIndex(), -1);
        QCOMPARE(box(*d, "cmbMode")->currentIndex(), 0);
        QVERIFY(option(*d, 0)->isChecked());
        // The next one starts from codes 0 again.
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("請求書"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows().value(2), QStringLiteral("3|請求書|NULL|NULL|NULL|NULL|0|1|0|0|NULL|1"));
    }

    void unchangedNewEntryWritesNothing()
    {
        auto d = editor(0, false);
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows(), QStringList{standardRow()});
        QVERIFY(d->isVisible());
        QVERIFY(shownBoxes().isEmpty());
    }

    void reportNameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: stored
        QTest::newRow("empty") << ""
                               << "帳票名が入力されていません。";
        QTest::newRow("blanks only") << "   "
                                     << "帳票名が入力されていません。";
        QTest::newRow("taken") << "経営計画ご提案書１"
                               << "入力した帳票名は登録済みです。";
        QTest::newRow("taken, typed with blanks") << " 経営計画ご提案書１ "
                                                  << "入力した帳票名は登録済みです。";
        QTest::newRow("other letter case") << "PLAN"
                                           << "";
    }
    void reportNameChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, Kind) VALUES (2, '経営計画ご提案書１', 1)"));
        execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, Kind) VALUES (3, 'plan', 1)"));
        auto d = editor(0, false);
        pick(box(*d, "cmbMode"), QStringLiteral("印刷")); // a change, so the entry button saves
        typeAndLeave(*d, box(*d, "cmbReport"), name);
        FormButtons::click(button(*d, "lbutEntry"));
        if (message.isEmpty()) {
            QCOMPARE(rows().size(), 4);
            QVERIFY(shownBoxes().isEmpty());
            return;
        }
        QCOMPARE(rows().size(), 3);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, message);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("入力エラー"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(d->focusWidget(), box(*d, "cmbReport"));
        QCOMPARE(box(*d, "cmbMode")->currentText(), QStringLiteral("印刷")); // input kept
    }

    void failedNameLookUpStopsTheSave_data()
    {
        QTest::addColumn<bool>("damaged"); // else the connection is closed
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("logged");
        const QString damaged = QStringLiteral("データベースファイルが壊れています。");
        QTest::newRow("damaged file") << true << damaged
                                      << damaged + " (database disk image is malformed Unable to fetch row)";
        const QString closed = QStringLiteral("データベースが開かれていません。");
        QTest::newRow("connection closed") << false << closed << closed;
    }
    // A name that cannot be looked up may be taken (the table has no unique index): the save
    // stops as a failed one does, with the look-up's own failure, never an earlier one. The
    // rows past the damaged page still take an insert.
    void failedNameLookUpStopsTheSave()
    {
        QFETCH(bool, damaged);
        QFETCH(QString, text);
        QFETCH(QString, logged);
        execSql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 301) "
                               "INSERT INTO M_Printer (ID, ReportName, Kind) SELECT i, '帳票' || i, 1 FROM n"));
        execSql(QStringLiteral("DROP INDEX M_Printer_report")); // the look-up reads the table's pages
        QCOMPARE(gDao().Execute(QStringLiteral("SELECT * FROM nosuchtable")), -1); // an earlier failure
        gDao().Disconnect();
        if (damaged) {
            QVERIFY(damageLeaf(m_db.db().path(), QStringLiteral("M_Printer"), LeafDamage::Header));
            QVERIFY(gDao().Connect(m_db.db().path()));
        }
        const ErrLogRecorder log;
        auto d = editor(0, false);
        pick(box(*d, "cmbMode"), QStringLiteral("印刷"));
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("帳票2"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(gDao().lastErrorIsDamage(), damaged);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(boxText(shownBoxes().at(0)), QStringLiteral("データ保存失敗|16|") + text);
        QCOMPARE(log.lines(), QStringList(QStringLiteral("frmSysPrintDtl|CheckInputValue|") + logged));
        QCOMPARE(d->focusWidget(), box(*d, "cmbReport"));
        QCOMPARE(box(*d, "cmbMode")->currentText(), QStringLiteral("印刷"));
        QVERIFY(gDao().Connect(m_db.db().path()));
        QCOMPARE(queryRows(QStringLiteral("SELECT MAX(ID) FROM M_Printer")), QStringLiteral("301"));
    }

    void newKeys_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<int>("expected"); // 0: refused, -1: the greatest key cannot be read
        QTest::newRow("empty table") << QList<int>() << 1;
        QTest::newRow("greatest 0") << QList<int>({0}) << 1;
        QTest::newRow("greatest negative") << QList<int>({-4}) << 1;
        QTest::newRow("1 and 7") << QList<int>({1, 7}) << 8;
        QTest::newRow("32766 taken") << QList<int>({32766}) << 32767;
        QTest::newRow("32767 taken") << QList<int>({5, 32767}) << 0;
        QTest::newRow("greatest not read") << QList<int>({3}) << -1;
    }
    void newKeys()
    {
        QFETCH(QList<int>, stored);
        QFETCH(int, expected);
        execSql(QStringLiteral("DELETE FROM M_Printer"));
        for (int id : stored)
            execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, Kind) VALUES (%1, 'r%1', 1)").arg(id));
        auto d = editor(0, false);
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("新"));
        if (expected < 0)
            failMaxOnTheConnection();
        FormButtons::click(button(*d, "lbutEntry"));
        QSqlQuery q(gDao().CurrentDB());
        q.exec(QStringLiteral("SELECT ID FROM M_Printer WHERE ReportName='新'"));
        if (expected <= 0) {
            QVERIFY(!q.next());
            QCOMPARE(shownBoxes().size(), 1);
            QCOMPARE(shownBoxes().at(0).prompt, expected
                                                    ? QStringLiteral("データベースは他のプログラムが使用中です。")
                                                    : QStringLiteral("プリンタ設定の登録件数が上限に達しました。"));
            QCOMPARE(box(*d, "cmbReport")->currentText(), QStringLiteral("新"));
            return;
        }
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), expected);
    }

    void failedInsertIsRolledBackAndTold()
    {
        execSql(QStringLiteral(
            "CREATE TRIGGER block BEFORE INSERT ON M_Printer BEGIN SELECT RAISE(ABORT, 'blocked'); END"));
        auto d = editor(0, false);
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("見積書"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows(), QStringList{standardRow()});
        QVERIFY(!gDao().inTransaction());
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("データ保存失敗"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データベースの制約に違反するため、処理できません。"));
        // Nothing was saved, so nothing is cleared.
        QVERIFY(d->isVisible());
        QCOMPARE(box(*d, "cmbReport")->currentText(), QStringLiteral("見積書"));
    }

    void failedSaveIsToldInJapanese_data()
    {
        QTest::addColumn<bool>("full"); // else another program holds the database
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("engine");
        QTest::newRow("disk full") << true << QStringLiteral("ディスクの空き容量が不足しています。")
                                   << QStringLiteral("database or disk is full Unable to fetch row");
        QTest::newRow("locked by another program")
            << false << QStringLiteral("データベースは他のプログラムが使用中です。")
            << QStringLiteral("database is locked Unable to fetch row");
    }
    // The box speaks the user's language; the log keeps the engine's own words beside it.
    void failedSaveIsToldInJapanese()
    {
        QFETCH(bool, full);
        QFETCH(QString, text);
        QFETCH(QString, engine);
        execSql(
            QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', NULL, NULL, NULL, NULL, 9, 1, 0, 0, NULL, 1)"));
        auto d = editor(5, true);
        const ErrLogRecorder log;
        std::unique_ptr<WriteLock> lock;
        if (full) {
            execSql(QStringLiteral("PRAGMA max_page_count = 1")); // no page beyond the file's
        } else {
            lock = std::make_unique<WriteLock>(m_db.db().path());
            QVERIFY(lock->isHeld());
        }
        // A remark that needs pages of its own.
        d->findChild<ImText *>(QStringLiteral("txtBikou"))->setText(QString(100000, QLatin1Char('x')));
        pick(box(*d, "cmbMode"), QStringLiteral("印刷"));
        FormButtons::click(button(*d, "lbutEntry"));
        lock.reset();
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(boxText(shownBoxes().at(0)), QStringLiteral("データ保存失敗|16|") + text);
        QCOMPARE(log.lines(), QStringList(QStringLiteral("frmSysPrintDtl|SaveRecord|") + text + QStringLiteral(" (") +
                                          engine + QLatin1Char(')')));
        QVERIFY(d->isVisible());
        QVERIFY(!gDao().inTransaction());
        QCOMPARE(rows().value(1), QStringLiteral("5|見積書|NULL|NULL|NULL|NULL|9|1|0|0|NULL|1"));
    }

    // A row that cannot be read leaves the editor cleared, as before, without a box; the log says why.
    void unreadableRowIsLogged()
    {
        execSql(QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', 'Back Office', 'Back Office', NULL, NULL, "
                               "8, 2, 1, 1, 'memo', 1)"));
        const ErrLogRecorder log;
        WriteLock lock(m_db.db().path());
        QVERIFY(lock.isHeld());
        auto d = editor(5, true);
        lock.release();
        QCOMPARE(d->windowTitle(), QStringLiteral("プリンタ設定 [詳細]"));
        QCOMPARE(box(*d, "cmbReport")->currentText(), QString());
        QCOMPARE(box(*d, "cmbPrint")->currentText(), QString());
        QCOMPARE(d->findChild<ImText *>(QStringLiteral("txtBikou"))->text(), QString());
        QVERIFY(shownBoxes().isEmpty());
        QCOMPARE(log.lines(),
                 QStringList(QStringLiteral("frmSysPrintDtl|SetData|データベースは他のプログラムが使用中です。 "
                                            "(database is locked Unable to fetch row)")));
    }

    void editShowsAndUpdatesTheRow()
    {
        execSql(QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', 'Back Office', 'Back Office', 'Old 98', "
                               "'LPT1:', 8, 2, 1, 1, 'memo', 1)"));
        auto d = editor(5, true);
        QCOMPARE(d->windowTitle(), QStringLiteral("プリンタ設定 [詳細]"));
        QCOMPARE(button(*d, "lbutEntry")->Caption(), QStringLiteral("更　新"));
        QCOMPARE(box(*d, "cmbReport")->currentText(), QStringLiteral("見積書"));
        QVERIFY(box(*d, "cmbReport")->focusPolicy() == Qt::NoFocus || box(*d, "cmbReport")->lineEdit()->isReadOnly());
        QCOMPARE(box(*d, "cmbPrint")->currentText(), QStringLiteral("Back Office"));
        QCOMPARE(box(*d, "cmbPort")->currentText(), QStringLiteral("Back Office"));
        QCOMPARE(box(*d, "cmbSize")->currentText(), QStringLiteral("A3"));
        QVERIFY(option(*d, 1)->isChecked());
        QCOMPARE(box(*d, "cmbBin")->currentText(), QStringLiteral("上段トレイ"));
        QCOMPARE(box(*d, "cmbMode")->currentText(), QStringLiteral("印刷"));
        QCOMPARE(d->findChild<ImText *>(QStringLiteral("txtBikou"))->text(), QStringLiteral("memo"));

        pick(box(*d, "cmbMode"), QStringLiteral("確認なし"));
        FormButtons::click(button(*d, "lbutEntry"));
        // The other family's printer fields stay as they were.
        QCOMPARE(rows().value(1), QStringLiteral("5|見積書|Back Office|Back Office|Old 98|LPT1:|8|2|1|9|memo|1"));
        QVERIFY(!d->isVisible());
        QVERIFY(shownBoxes().isEmpty());
    }

    void unchangedEditClosesWithoutWriting()
    {
        execSql(
            QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', NULL, NULL, NULL, NULL, 9, 1, 0, 3, NULL, 1)"));
        execSql(QStringLiteral("CREATE TRIGGER block BEFORE UPDATE ON M_Printer BEGIN SELECT RAISE(ABORT, 'no'); END"));
        auto d = editor(5, true);
        // Mode 3 is not offered: the box is empty, the stored mode kept.
        QCOMPARE(box(*d, "cmbMode")->currentIndex(), -1);
        FormButtons::click(button(*d, "lbutEntry"));
        QVERIFY(!d->isVisible());
        QVERIFY(shownBoxes().isEmpty());
    }

    void failedUpdateKeepsTheEditorOpen()
    {
        execSql(
            QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', NULL, NULL, NULL, NULL, 9, 1, 0, 0, NULL, 1)"));
        execSql(
            QStringLiteral("CREATE TRIGGER block BEFORE UPDATE ON M_Printer BEGIN SELECT RAISE(ABORT, 'locked'); END"));
        auto d = editor(5, true);
        pick(box(*d, "cmbMode"), QStringLiteral("印刷"));
        FormButtons::click(button(*d, "lbutEntry"));
        QVERIFY(d->isVisible());
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("データ保存失敗"));
        QVERIFY(!gDao().inTransaction());
        QCOMPARE(rows().value(1), QStringLiteral("5|見積書|NULL|NULL|NULL|NULL|9|1|0|0|NULL|1"));
        // Closing now asks, since the change is still unsaved.
        MsgBox::setNextAnswer(MsgBox::No);
        FormButtons::click(button(*d, "lbutClose"));
        QCOMPARE(shownBoxes().size(), 2);
        QCOMPARE(shownBoxes().at(1).prompt, QStringLiteral("破棄して終了しますか。"));
        QCOMPARE(shownBoxes().at(1).title, QStringLiteral("破棄確認"));
        QCOMPARE(shownBoxes().at(1).style, int(MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2));
        QVERIFY(d->isVisible());
        MsgBox::setNextAnswer(MsgBox::Yes);
        FormButtons::click(button(*d, "lbutClose"));
        QVERIFY(!d->isVisible());
    }

    void printerBoxIsCheckedOnLeaving()
    {
        auto d = editor(0, false);
        QComboBox *printer = box(*d, "cmbPrint");
        typeAndLeave(*d, printer, QStringLiteral("Nope"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("プリンタが見つかりません。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("プリンタ設定 [新規]"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        QTRY_COMPARE(d->focusWidget(), printer);
        QCOMPARE(box(*d, "cmbSize")->count(), 0);

        typeAndLeave(*d, printer, QStringLiteral("Back Office"));
        QCOMPARE(box(*d, "cmbSize")->count(), 3);
        // The current printer in other letter case: accepted, lists untouched.
        pick(box(*d, "cmbSize"), QStringLiteral("A3"));
        typeAndLeave(*d, printer, QStringLiteral("BACK OFFICE"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(box(*d, "cmbSize")->currentText(), QStringLiteral("A3"));
    }

    void printerInOtherLetterCaseIsStoredAsInstalled()
    {
        auto d = editor(0, false);
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("見積書"));
        typeAndLeave(*d, box(*d, "cmbPrint"), QStringLiteral("back office"));
        QVERIFY(shownBoxes().isEmpty());
        QCOMPARE(box(*d, "cmbPrint")->currentText(), QStringLiteral("Back Office"));
        QCOMPARE(box(*d, "cmbSize")->count(), 3);
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows().value(1), QStringLiteral("2|見積書|Back Office|NULL|NULL|NULL|0|1|0|0|NULL|1"));
    }

    // The real set-up dialog: "OK", and printer, paper, source and orientation at once,
    // starting from the setting; accepted as it opens, it changes nothing.
    void setupDialogStartsFromTheSetting()
    {
        execSql(QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', 'Back Office', 'Back Office', NULL, NULL, "
                               "8, 2, 1, 1, NULL, 1)"));
        auto d = editor(5, true);
        ReportPrinter::setSetupRunner(&PrinterSetupDialog::run);
        QStringList seen;
        QTimer::singleShot(0, [&seen] {
            QWidget *w = QApplication::activeModalWidget();
            seen << (w ? QString::fromLatin1(w->metaObject()->className()) : QString());
            if (!w || !w->inherits("PrinterSetupDialog")) {
                if (w)
                    w->close();
                return;
            }
            for (const char *name : {"cmbPrinter", "cmbSize", "cmbBin"})
                seen << w->findChild<QComboBox *>(QString::fromLatin1(name))->currentText();
            seen << QString::number(w->findChild<QRadioButton *>(QStringLiteral("optLandscape"))->isChecked());
            auto *ok = w->findChild<QPushButton *>(QStringLiteral("butOK"));
            seen << ok->text();
            ok->click();
        });
        d->findChild<QPushButton *>(QStringLiteral("butPrint"))->click();
        QCOMPARE(seen, (QStringList{"PrinterSetupDialog", "Back Office", "A3", "上段トレイ", "1", "OK"}));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows().value(1), QStringLiteral("5|見積書|Back Office|Back Office|NULL|NULL|8|2|1|1|NULL|1"));
        QVERIFY(shownBoxes().isEmpty());
    }

    void setupWithoutPrintersSaysSo()
    {
        PrinterCatalog::install(std::make_shared<FixedPrinterCatalog>());
        auto d = editor(0, false);
        bool opened = false;
        ReportPrinter::setSetupRunner([&opened](QWidget *, const ReportPrinter &, const QString &) {
            opened = true;
            ReportPrinter::SetupChoice choice;
            choice.accepted = true;
            choice.paperSize = 9;
            choice.paperBin = 7;
            return choice;
        });
        d->findChild<QPushButton *>(QStringLiteral("butPrint"))->click();
        QVERIFY(!opened);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("プリンタが見つかりません。"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        FormButtons::click(button(*d, "lbutClose"));
        QVERIFY(!d->isVisible()); // nothing to lose
    }

    // A paper the setting's list lacks (ISO B5 has no driver code) keeps the stored one, and the user is told.
    void unlistedPaperKeepsTheStoredOne()
    {
        execSql(QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', 'Office Laser', 'Office Laser', NULL, NULL, "
                               "13, 1, 0, 0, NULL, 1)"));
        auto d = editor(5, true);
        ReportPrinter::setSetupRunner([](QWidget *, const ReportPrinter &, const QString &) {
            ReportPrinter::SetupChoice choice;
            choice.accepted = true;
            choice.device = QStringLiteral("Office Laser");
            choice.orientation = 2;
            return choice;
        });
        d->findChild<QPushButton *>(QStringLiteral("butPrint"))->click();
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt,
                 QStringLiteral("選択された用紙サイズは登録できません。\r\n用紙サイズは変更しません。"));
        QCOMPARE(box(*d, "cmbSize")->currentText(), QStringLiteral("JIS B5"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows().value(1), QStringLiteral("5|見積書|Office Laser|Office Laser|NULL|NULL|13|2|0|0|NULL|1"));
    }

    // A printer without paper bins: the box is disabled and the stored bin kept.
    void binBoxOfAPrinterWithoutBins()
    {
        FixedPrinterCatalog::Printer pdf;
        pdf.name = QStringLiteral("PDF");
        pdf.sizes = {{9, QStringLiteral("A4")}};
        PrinterCatalog::install(
            std::make_shared<FixedPrinterCatalog>(QList<FixedPrinterCatalog::Printer>{pdf}, QStringLiteral("PDF")));
        execSql(
            QStringLiteral("INSERT INTO M_Printer VALUES (5, '見積書', 'PDF', NULL, NULL, NULL, 9, 1, 7, 0, NULL, 1)"));
        auto d = editor(5, true);
        QVERIFY(!box(*d, "cmbBin")->isEnabled());
        pick(box(*d, "cmbMode"), QStringLiteral("印刷"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows().value(1), QStringLiteral("5|見積書|PDF|NULL|NULL|NULL|9|1|7|1|NULL|1"));
    }

    void setupDialogFillsThePrinterFields()
    {
        auto d = editor(0, false);
        pick(box(*d, "cmbMode"), QStringLiteral("プレビュー"));
        ReportPrinter::setSetupRunner([](QWidget *, const ReportPrinter &, const QString &) {
            ReportPrinter::SetupChoice choice;
            choice.accepted = true;
            choice.device = QStringLiteral("Office Laser");
            choice.paperSize = 13;
            choice.orientation = 2;
            choice.paperBin = 2;
            return choice;
        });
        d->findChild<QPushButton *>(QStringLiteral("butPrint"))->click();
        QCOMPARE(box(*d, "cmbPrint")->currentText(), QStringLiteral("Office Laser"));
        QCOMPARE(box(*d, "cmbPort")->currentText(), QStringLiteral("Office Laser"));
        QCOMPARE(box(*d, "cmbSize")->currentText(), QStringLiteral("JIS B5"));
        QVERIFY(option(*d, 1)->isChecked());
        QCOMPARE(box(*d, "cmbBin")->currentText(), QStringLiteral("下段トレイ"));
        // The mode box keeps showing the mode chosen.
        QCOMPARE(box(*d, "cmbMode")->currentText(), QStringLiteral("プレビュー"));
        typeAndLeave(*d, box(*d, "cmbReport"), QStringLiteral("見積書"));
        FormButtons::click(button(*d, "lbutEntry"));
        QCOMPARE(rows().value(1), QStringLiteral("2|見積書|Office Laser|Office Laser|NULL|NULL|13|2|2|2|NULL|1"));
    }

    void cancelledSetupChangesNothing()
    {
        auto d = editor(0, false);
        ReportPrinter::setSetupRunner(
            [](QWidget *, const ReportPrinter &, const QString &) { return ReportPrinter::SetupChoice(); });
        d->findChild<QPushButton *>(QStringLiteral("butPrint"))->click();
        QCOMPARE(box(*d, "cmbPrint")->currentText(), QString());
        FormButtons::click(button(*d, "lbutClose"));
        QVERIFY(shownBoxes().isEmpty()); // nothing to lose
        QVERIFY(!d->isVisible());
    }

    void portPickerOffersThePrinters()
    {
        auto d = editor(0, false);
        cFoldDlg::ChooserRequest asked;
        cFoldDlg::setChooser([&asked](const cFoldDlg::ChooserRequest &request) {
            asked = request;
            cFoldDlg::ChooserResult result;
            result.accepted = true;
            result.displayName = QStringLiteral("Back Office");
            return result;
        });
        d->findChild<QPushButton *>(QStringLiteral("butPort"))->click();
        QCOMPARE(asked.title, QStringLiteral("プリンタを選択して下さい。"));
        QCOMPARE(asked.options, int(cFoldDlg::BrowseForPrinter));
        QCOMPARE(box(*d, "cmbPort")->currentText(), QStringLiteral("Back Office"));
        QCOMPARE(d->focusWidget(), box(*d, "cmbSize"));
    }

    void requestDeleteAsksTheOwner()
    {
        auto d = editor(0, false);
        bool asked = false;
        connect(d.get(), &frmSysPrintDtl::DeleteData, this, [&asked](bool &cancel) {
            asked = true;
            cancel = true;
        });
        d->RequestDelete();
        QVERIFY(asked);
        QVERIFY(d->isVisible());
    }
};

QTEST_MAIN(tst_frmSysPrintDtl)
#include "tst_frmSysPrintDtl.moc"
