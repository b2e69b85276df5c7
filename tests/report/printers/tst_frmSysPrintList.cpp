#include "frmSysPrintList.h"

#include "DbFixture.h"
#include "FormButtons.h"
#include "Globals.h"
#include "GridValueDelegate.h"
#include "MsgBox.h"
#include "PrinterListModel.h"
#include "ShownBoxes.h"
#include "TestPrinters.h"
#include "cDao.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

// The printer-settings list: its rows and columns, the editor it opens, and delete.
class tst_frmSysPrintList : public QObject
{
    Q_OBJECT

private:
    static int count()
    {
        QSqlQuery q(gDao().CurrentDB());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM M_Printer"));
        return q.next() ? q.value(0).toInt() : -1;
    }
    static QString shown(frmSysPrintList &l, int row, int column)
    {
        const QModelIndex index = l.model()->index(row, column);
        if (auto *values = dynamic_cast<GridValueDelegate *>(l.grid()->itemDelegateForColumn(column)))
            return values->displayFor(index.data().toString());
        return index.data().toString();
    }
    static QWidget *button(frmSysPrintList &l, const char *name)
    {
        return l.findChild<QWidget *>(QString::fromLatin1(name));
    }
    /// When the editor opens, notes its title and closes it.
    static void closeEditor(QString &title)
    {
        QTimer::singleShot(0, [&title] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<frmSysPrintDtl *>(w); d && d->isVisible()) {
                    title = d->windowTitle();
                    d->close();
                }
        });
    }
    std::unique_ptr<frmSysPrintList> list()
    {
        auto l = std::make_unique<frmSysPrintList>(m_db.folder());
        l->show();
        [&] { QVERIFY2(QTest::qWaitForWindowActive(l.get()), "list not active"); }();
        return l;
    }
    void addRows()
    {
        execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PrinterName9x, PrintMode, Kind) "
                               "VALUES (2, '見積書', 'Office Laser', 'Old', 3, 1)"));
        execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PrinterName9x, PrintMode, Kind) "
                               "VALUES (3, 'A 帳票', NULL, 'Win98 printer', 4, 1)"));
        execSql(QStringLiteral("INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PrintMode, Kind) "
                               "VALUES (4, '請求書', 'Back Office', 9, 1)"));
    }

    DbFixture m_db;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_db.setUp());
        PrinterCatalog::install(officePrinters());
    }
    void cleanup()
    {
        PrinterCatalog::install(nullptr);
        m_db.tearDown();
    }

    void rowsInReportNameOrder()
    {
        addRows();
        auto l = list();
        QCOMPARE(l->windowTitle(), QStringLiteral("プリンタ設定一覧"));
        QCOMPARE(l->model()->rowCount(), 4);
        QStringList names, printers, modes;
        for (int r = 0; r < 4; ++r) {
            names << shown(*l, r, PrinterListModel::ColReportName);
            printers << shown(*l, r, PrinterListModel::ColPrinterName);
            modes << shown(*l, r, PrinterListModel::ColPrintMode);
        }
        QCOMPARE(names, QStringList({"(標準プリンタ設定)", "A 帳票", "見積書", "請求書"}));
        // This system is of the NT family: a row written on Windows 98 shows no printer.
        QCOMPARE(printers, QStringList({"", "", "Office Laser", "Back Office"}));
        QCOMPARE(modes, QStringList({"選択", "全て", "選択+PDF", "確認なし"}));
        QVERIFY(l->grid()->isColumnHidden(PrinterListModel::ColID));
        QCOMPARE(l->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("プリンタ名"));
        QCOMPARE(l->model()->index(0, PrinterListModel::ColPrintMode).data(Qt::TextAlignmentRole).toInt() &
                     Qt::AlignHCenter,
                 int(Qt::AlignHCenter));
        QCOMPARE(l->grid()->currentIndex().row(), 0);
        QVERIFY(button(*l, "lbutDtl")->isEnabled());
        QVERIFY(button(*l, "lbutDel")->isEnabled());
    }

    void emptyListOffersOnlyNew()
    {
        execSql(QStringLiteral("DELETE FROM M_Printer"));
        auto l = list();
        QVERIFY(!button(*l, "lbutDtl")->isEnabled());
        QVERIFY(!button(*l, "lbutDel")->isEnabled());
        QString title;
        closeEditor(title);
        l->grid()->setFocus();
        QTest::keyClick(l->grid(), Qt::Key_Return);
        QCOMPARE(title, QStringLiteral("プリンタ設定 [新規]"));
    }

    // Settings in a damaged file: an empty list must not pass for a table without settings.
    void damagedListIsTold()
    {
        gDao().Disconnect();
        QVERIFY(damageTable(m_db.db().path(), QStringLiteral("M_Printer")));
        QVERIFY(gDao().Connect(m_db.db().path()));
        auto l = list();
        QTRY_COMPARE(shownBoxes().size(), 1);
        QCOMPARE(boxText(shownBoxes().at(0)), damagedFileBox(m_db.db().path()));
        QCOMPARE(l->model()->rowCount(), 0);
        QVERIFY(!button(*l, "lbutDtl")->isEnabled());
    }

    void enterOpensTheRowCtrlEnterANewOne()
    {
        addRows();
        auto l = list();
        l->grid()->setCurrentIndex(l->model()->index(2, PrinterListModel::ColReportName));
        QString title;
        closeEditor(title);
        l->grid()->setFocus();
        QTest::keyClick(l->grid(), Qt::Key_Return);
        QCOMPARE(title, QStringLiteral("プリンタ設定 [詳細]"));
        closeEditor(title);
        QTest::keyClick(l->grid(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(title, QStringLiteral("プリンタ設定 [新規]"));
    }

    // Tab leaves the list for the next control, Shift+Tab comes back to the row the
    // user stood on, still marked.
    void tabMovesBetweenTheGridAndTheButtons()
    {
        addRows();
        auto l = list();
        l->grid()->setFocus();
        l->grid()->setCurrentIndex(l->model()->index(2, PrinterListModel::ColReportName));
        QTest::keyClick(l->grid(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(*l, "lbutNew"));
        QTest::keyClick(button(*l, "lbutNew"), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), l->grid());
        QCOMPARE(l->grid()->currentIndex().row(), 2);
        QVERIFY(l->grid()->selectionModel()->isRowSelected(2, QModelIndex()));
    }

    void doubleClickOnTheHeadingDoesNothing()
    {
        addRows();
        auto l = list();
        QString title;
        closeEditor(title);
        QTest::mouseDClick(l->grid()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                           QPoint(l->grid()->columnViewportPosition(1) + 5, 5));
        QCoreApplication::processEvents();
        QCOMPARE(title, QString());
        const QRect cell = l->grid()->visualRect(l->model()->index(1, PrinterListModel::ColReportName));
        closeEditor(title);
        QTest::mouseDClick(l->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(title, QStringLiteral("プリンタ設定 [詳細]"));
    }

    void newRowAppearsAfterTheEditorCloses()
    {
        auto l = list();
        QTimer::singleShot(0, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<frmSysPrintDtl *>(w); d && d->isVisible()) {
                    auto *report = d->findChild<QComboBox *>(QStringLiteral("cmbReport"));
                    report->setEditText(QStringLiteral("!先頭"));
                    FormButtons::click(d->findChild<QWidget *>(QStringLiteral("lbutEntry")));
                    FormButtons::click(d->findChild<QWidget *>(QStringLiteral("lbutClose")));
                }
        });
        FormButtons::click(button(*l, "lbutNew"));
        QCOMPARE(l->model()->rowCount(), 2);
        QCOMPARE(shown(*l, 0, PrinterListModel::ColReportName), QStringLiteral("!先頭"));
        QCOMPARE(l->grid()->currentIndex().row(), 0);
    }

    void standardRowCannotBeDeleted()
    {
        auto l = list();
        MsgBox::setNextAnswer(MsgBox::Yes); // even a Yes would not delete it
        FormButtons::click(button(*l, "lbutDel"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("[(標準プリンタ設定)]は削除出来ません。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("警告"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        QCOMPARE(count(), 1);
        clearShownBoxes();
    }

    void deleteAsksFirst()
    {
        addRows();
        auto l = list();
        l->grid()->setCurrentIndex(l->model()->index(2, PrinterListModel::ColReportName));
        MsgBox::setNextAnswer(MsgBox::No);
        FormButtons::click(button(*l, "lbutDel"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt,
                 QStringLiteral("データを削除します。\r\r帳票名[見積書] プリンタ名[Office Laser]\r"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("データ削除"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::YesNo | MsgBox::DefaultButton2 | MsgBox::Information));
        QCOMPARE(count(), 4);
        MsgBox::setNextAnswer(MsgBox::Yes);
        FormButtons::click(button(*l, "lbutDel"));
        QCOMPARE(count(), 3);
        QCOMPARE(l->model()->rowCount(), 3);
        QCOMPARE(l->grid()->currentIndex().row(), 0);
    }

    void failedDeleteIsTold()
    {
        addRows();
        execSql(
            QStringLiteral("CREATE TRIGGER block BEFORE DELETE ON M_Printer BEGIN SELECT RAISE(ABORT, 'in use'); END"));
        auto l = list();
        l->grid()->setCurrentIndex(l->model()->index(3, PrinterListModel::ColReportName));
        const ErrLogRecorder log;
        MsgBox::setNextAnswer(MsgBox::Yes);
        FormButtons::click(button(*l, "lbutDel"));
        QCOMPARE(shownBoxes().size(), 2);
        // The user's words in the box; the engine's (the trigger's) in the log beside them.
        const QString refused = QStringLiteral("データベースの制約に違反するため、処理できません。");
        QCOMPARE(shownBoxes().at(1).prompt, QStringLiteral("データ削除中にエラーが発生しました。\r") + refused);
        QCOMPARE(log.lines(), QStringList(QStringLiteral("frmSysPrintList|DeleteRow|") + refused +
                                          QStringLiteral(" (in use Unable to fetch row)")));
        QCOMPARE(shownBoxes().at(1).title, QStringLiteral("データ削除"));
        QCOMPARE(shownBoxes().at(1).style, int(MsgBox::Critical));
        QCOMPARE(count(), 4);
        QVERIFY(!gDao().inTransaction());
        // The list stays as it was.
        QCOMPARE(l->grid()->currentIndex().row(), 3);
    }
};

QTEST_MAIN(tst_frmSysPrintList)
#include "tst_frmSysPrintList.moc"
