#include "frmDataList.h"

#include "DbFixture.h"
#include "FormButtons.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MDIForm1.h"
#include "MsgBox.h"
#include "PropertyListModel.h"
#include "ShellHooks.h"
#include "ShownBoxes.h"
#include "cApl.h"
#include "cDao.h"
#include "frmDataDetail.h"
#include "mdlMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

// The home window: the property grid, delete, open and its keys.
class tst_frmDataList : public QObject
{
    Q_OBJECT

private:
    static int count(const QString &table)
    {
        QSqlQuery q(gDao().CurrentDB());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        return q.next() ? q.value(0).toInt() : -1;
    }
    static QWidget *button(frmDataList &l, const char *name)
    {
        return l.findChild<QWidget *>(QString::fromLatin1(name));
    }
    static QString cell(frmDataList &l, int row, int column) { return l.model()->index(row, column).data().toString(); }

    DbFixture m_db;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_db.setUp());
        setAppPath(m_db.folder());
        ShellHooks::reset();
    }
    void cleanup() { m_db.tearDown(); }

    void emptyListOffersOnlyNew()
    {
        frmDataList l;
        l.show();
        QVERIFY(QTest::qWaitForWindowActive(&l));
        QVERIFY(!button(l, "lbutSelect")->isEnabled());
        QVERIFY(!button(l, "lbutLineDel")->isEnabled());
        l.grid()->setFocus();
        QTest::keyClick(l.grid(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), button(l, "lbutNew"));
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<frmDataDetail *>(w); d && d->isVisible()) {
                    opened = true;
                    d->reject();
                }
        });
        l.grid()->setFocus();
        QTest::keyClick(l.grid(), Qt::Key_Return);
        QVERIFY(opened);
    }

    void listsThePropertiesInTableOrder()
    {
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (2, '北の土地', 100.5, 250000, 1.4, 0.3)"));
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1234, 7, 1.4, 0.3)"));
        frmDataList l;
        QCOMPARE(l.model()->rowCount(), 2);
        QVERIFY(l.grid()->isColumnHidden(0));
        QCOMPARE(l.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("物件名"));
        QCOMPARE(l.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("敷地面積(㎡)"));
        QCOMPARE(l.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("評価額(千円)"));
        QCOMPARE(cell(l, 0, 1), QStringLiteral("駅前"));
        QCOMPARE(cell(l, 0, 2), QStringLiteral("1234.00"));
        QCOMPARE(cell(l, 1, 2), QStringLiteral("100.50"));
        QCOMPARE(cell(l, 1, 3), QStringLiteral("250,000"));
        QCOMPARE(l.grid()->columnWidth(2), 1350 / 15);
        QVERIFY(button(l, "lbutSelect")->isEnabled());
        QVERIFY(button(l, "lbutLineDel")->isEnabled());
    }

    void deleteAsksAndRemovesEveryPlanRow()
    {
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1, 1, 1, 1)"));
        execSql(QStringLiteral("INSERT INTO D_駐車場 (ID1, ID2) VALUES (1, 1)"));
        execSql(QStringLiteral("INSERT INTO T_収支 (ID1, ID2, 年) VALUES (1, 1, 1)"));
        frmDataList l;
        MsgBox::setNextAnswer(MsgBox::No);
        FormButtons::click(button(l, "lbutLineDel"));
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("削除してよろしいですか？\r\n\r\n物件名 [駅前]"));
        QCOMPARE(shownBoxes().at(0).style, 324);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("確認"));
        QCOMPARE(count(QStringLiteral("D_物件")), 1);

        MsgBox::setNextAnswer(MsgBox::Yes);
        FormButtons::click(button(l, "lbutLineDel"));
        QCOMPARE(count(QStringLiteral("D_物件")), 0);
        QCOMPARE(count(QStringLiteral("D_駐車場")), 0);
        QCOMPARE(count(QStringLiteral("T_収支")), 0);
        QCOMPARE(l.model()->rowCount(), 0);
        QVERIFY(!button(l, "lbutLineDel")->isEnabled());
    }

    void failedDeleteKeepsEverythingAndSaysSo()
    {
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1, 1, 1, 1)"));
        execSql(QStringLiteral("INSERT INTO D_駐車場 (ID1, ID2) VALUES (1, 1)"));
        execSql(QStringLiteral(
            "CREATE TRIGGER block BEFORE DELETE ON T_損益計算 BEGIN SELECT RAISE(ABORT, 'locked'); END"));
        execSql(QStringLiteral("INSERT INTO T_損益計算 (ID1, ID2, 年) VALUES (1, 1, 1)"));
        frmDataList l;
        MsgBox::setNextAnswer(MsgBox::Yes);
        MsgBox::setNextAnswer(MsgBox::OK);
        FormButtons::click(button(l, "lbutLineDel"));
        QCOMPARE(shownBoxes().size(), 2);
        QCOMPARE(shownBoxes().at(1).prompt, QStringLiteral("物件データの削除に失敗しました。"));
        QCOMPARE(count(QStringLiteral("D_物件")), 1);
        QCOMPARE(count(QStringLiteral("D_駐車場")), 1);
        QCOMPARE(count(QStringLiteral("T_損益計算")), 1);
        QCOMPARE(l.model()->rowCount(), 1);
        QFile log(QDir(m_db.folder()).filePath(QStringLiteral("ErrLog.txt")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral("locked")));
    }

    // Rows in a damaged file: an empty list must not pass for a register without properties.
    // The user is told when the list reads them (once), and again after a registration it
    // cannot show; the buttons follow the empty list.
    void damagedListIsTold_data()
    {
        QTest::addColumn<bool>("atLoad");
        QTest::newRow("at the load, then a registration") << true;
        QTest::newRow("between the load and a 削除") << false;
    }
    void damagedListIsTold()
    {
        QFETCH(bool, atLoad);
        execSql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                               "INSERT INTO D_物件 SELECT i, '物件' || i, 100, 200, 1.4, 0.3 FROM n"));
        const auto damage = [this] {
            gDao().Disconnect();
            QVERIFY(damageLeaf(m_db.db().path(), QStringLiteral("D_物件"), LeafDamage::Header));
            QVERIFY(gDao().Connect(m_db.db().path()));
        };
        if (atLoad)
            damage();
        const ErrLogRecorder log;
        frmDataList l;
        l.show();
        if (!atLoad) {
            damage();
            // The last property lies outside the damaged page: its deletion goes through.
            l.grid()->setCurrentIndex(l.model()->index(299, PropertyListModel::ColName));
            MsgBox::setNextAnswer(MsgBox::Yes);
            FormButtons::click(button(l, "lbutLineDel"));
        }
        QTRY_COMPARE(shownBoxes().size(), atLoad ? 1 : 2);
        QCOMPARE(boxText(shownBoxes().last()), damagedFileBox(m_db.db().path()));
        QCOMPARE(l.model()->rowCount(), 0);
        QVERIFY(!button(l, "lbutLineDel")->isEnabled());
        QCOMPARE(log.lines().last().section(QLatin1Char('|'), 0, 1), QStringLiteral("frmDataList|Init"));
        if (!atLoad)
            return;
        gApl().setDialogBox(QStringLiteral("1")); // no notice after the registration
        QTimer::singleShot(0, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<frmDataDetail *>(w); d && d->isVisible()) {
                    d->findChild<ImText *>(QStringLiteral("txtName"))->setText(QStringLiteral("駅前"));
                    d->findChild<ImNumber *>(QStringLiteral("numSikiti"))->setValue(120);
                    d->findChild<ImNumber *>(QStringLiteral("numHyoka"))->setValue(300);
                    FormButtons::click(d->findChild<QWidget *>(QStringLiteral("lbutAdd")));
                }
        });
        FormButtons::click(button(l, "lbutNew"));
        QCOMPARE(queryRows(QStringLiteral("SELECT 物件名 FROM D_物件 WHERE ID1 = 301")), QStringLiteral("駅前"));
        QCOMPARE(shownBoxes().size(), 2);
        QCOMPARE(shownBoxes().at(1).prompt, shownBoxes().at(0).prompt);
        QVERIFY(!button(l, "lbutSelect")->isEnabled());
    }

    void openingHidesTheListUntilTheWorkspaceCloses()
    {
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1, 1, 1, 1)"));
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (5, '北', 1, 1, 1, 1)"));
        frmDataList l;
        l.show();
        l.grid()->setCurrentIndex(l.model()->index(1, 1));
        FormButtons::click(button(l, "lbutSelect"));
        QVERIFY(!l.isVisible());
        MDIForm1 *w = l.workspace();
        QVERIFY(w);
        QCOMPARE(w->Pro_ID1().toInt(), 5);
        QCOMPARE(w->windowTitle(), QStringLiteral("物件名　[北]"));
        QVERIFY(w->close());
        QVERIFY(l.isVisible());
    }

    void closingTheWorkspaceBringsTheListBackAsItWas()
    {
        for (int i = 1; i <= 60; ++i)
            execSql(QStringLiteral("INSERT INTO D_物件 VALUES (%1, 'p%1', 1, 1, 1, 1)").arg(i));
        frmDataList l;
        l.show();
        QVERIFY(QTest::qWaitForWindowActive(&l));
        const QRect placed(130, 90, 700, 380);
        l.setGeometry(placed);
        l.grid()->setFocus();
        l.grid()->setCurrentIndex(l.model()->index(41, 1));
        l.grid()->scrollTo(l.model()->index(41, 1));
        const int top = l.grid()->rowAt(0);
        QVERIFY(top > 0);
        FormButtons::click(button(l, "lbutSelect"));
        QVERIFY(!l.isVisible());
        QCOMPARE(l.workspace()->Pro_ID1().toInt(), 42);
        QVERIFY(l.workspace()->close());
        QCOMPARE(l.geometry(), placed);
        QCOMPARE(l.grid()->currentIndex().row(), 41);
        QCOMPARE(l.grid()->rowAt(0), top);
        QTRY_COMPARE(QApplication::focusWidget(), l.grid());
    }

    // Tab leaves the list for the next control and Shift+Tab comes back to the row the user
    // stood on, still marked; Up on the first row goes to 閉じる.
    void keysLeaveTheList()
    {
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, 'a', 1, 1, 1, 1)"));
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (2, 'b', 1, 1, 1, 1)"));
        frmDataList l;
        l.show();
        QVERIFY(QTest::qWaitForWindowActive(&l));
        l.grid()->setFocus();
        l.grid()->setCurrentIndex(l.model()->index(1, 1));
        QTest::keyClick(l.grid(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(l, "lbutNew"));
        QTest::keyClick(button(l, "lbutNew"), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), l.grid());
        QCOMPARE(l.grid()->currentIndex().row(), 1);
        QVERIFY(l.grid()->selectionModel()->isRowSelected(1, QModelIndex()));
        QTest::keyClick(l.grid(), Qt::Key_Up);
        QCOMPARE(l.grid()->currentIndex().row(), 0);
        QCOMPARE(QApplication::focusWidget(), l.grid());
        QTest::keyClick(l.grid(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), button(l, "lbutClose"));
    }

    void upOnTheFirstDisplayedRowOfAScrolledList()
    {
        for (int i = 1; i <= 60; ++i)
            execSql(QStringLiteral("INSERT INTO D_物件 VALUES (%1, 'p%1', 1, 1, 1, 1)").arg(i));
        frmDataList l;
        l.show();
        QVERIFY(QTest::qWaitForWindowActive(&l));
        l.grid()->setFocus();
        l.grid()->setCurrentIndex(l.model()->index(59, 1));
        l.grid()->scrollToBottom();
        const int top = l.grid()->rowAt(0);
        QVERIFY(top > 0);
        l.grid()->setCurrentIndex(l.model()->index(top, 1));
        QTest::keyClick(l.grid(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), button(l, "lbutClose"));
    }
};

QTEST_MAIN(tst_frmDataList)
#include "tst_frmDataList.moc"
