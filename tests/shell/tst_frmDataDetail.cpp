#include "frmDataDetail.h"

#include "DbFixture.h"
#include "FormButtons.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MsgBox.h"
#include "RealMessageBoxes.h"
#include "ShownBoxes.h"
#include "WriteLock.h"
#include "cApl.h"
#include "cDao.h"
#include "frmMsgbox.h"
#include "mdlMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

// Registering a property: the next number, the checks, the stored row, the notice.
class tst_frmDataDetail : public QObject
{
    Q_OBJECT

private:
    static QString rows()
    {
        return queryRows(QStringLiteral(
            "SELECT ID1, 物件名, 敷地面積, 評価額, 固定資産税税率, 都市計画税税率 FROM D_物件 ORDER BY ID1"));
    }
    static void fill(frmDataDetail &d, const QString &name, double area, double value)
    {
        d.findChild<ImText *>(QStringLiteral("txtName"))->setText(name);
        d.findChild<ImNumber *>(QStringLiteral("numSikiti"))->setValue(area);
        d.findChild<ImNumber *>(QStringLiteral("numHyoka"))->setValue(value);
    }
    static void add(frmDataDetail &d) { FormButtons::click(d.findChild<QWidget *>(QStringLiteral("lbutAdd"))); }

    DbFixture m_db;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_db.setUp());
        setAppPath(m_db.folder());
        QVERIFY(m_db.writeIni("[CONST]\r\n固定資産税=\"1.4\"\r\n都市計画税=\"0.3\"\r\n"));
        gApl().setDialogBox(QStringLiteral("1"));
    }
    void cleanup() { m_db.tearDown(); }

    void labelsAndUnits()
    {
        frmDataDetail d;
        QStringList texts;
        for (QLabel *l : d.findChildren<QLabel *>())
            texts << l->text();
        QCOMPARE(texts, QStringList({"物件名", "敷地面積", "㎡", "評価額", "千円", "１㎡あたり", "固定資産税税率", "％",
                                     "都市計画税税率", "％"}));
    }

    void nextNumber_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty table") << QList<int>() << 1;
        QTest::newRow("1, 2 and 7 stored") << QList<int>({1, 2, 7}) << 8;
        QTest::newRow("greatest deleted") << QList<int>({1, 2}) << 3;
    }
    void nextNumber()
    {
        QFETCH(QList<int>, stored);
        QFETCH(int, expected);
        for (int id : stored)
            execSql(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (%1, 'x')").arg(id));
        frmDataDetail d;
        fill(d, QStringLiteral("駅前"), 120.5, 300);
        add(d);
        QCOMPARE(d.registeredID1(), expected);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void storesTheRowAsTyped()
    {
        frmDataDetail d;
        QCOMPARE(d.findChild<ImNumber *>(QStringLiteral("numKotei"))->Value().toDouble(), 1.4);
        fill(d, QStringLiteral("It's 駅前"), 1234.56, 250000);
        d.findChild<ImNumber *>(QStringLiteral("numTosi"))->setValue(QVariant());
        add(d);
        QCOMPARE(rows(), QStringLiteral("1|It's 駅前|1234.56|250000|1.4|NULL"));
        QVERIFY(shownBoxes().isEmpty());
    }

    void untouchedFormStoresNothing()
    {
        frmDataDetail d;
        add(d);
        // Nothing typed: the form closes as if registered, and stores nothing.
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(rows(), QString());
        QVERIFY(shownBoxes().isEmpty());
    }

    void missingInputsAreListed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("area");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("all three") << "" << 0.0 << 0.0 << " [ 物件名 ]  [ 敷地面積 ]  [ 評価額 ] を入力して下さい。"
                                   << "txtName";
        QTest::newRow("name of blanks") << "   " << 10.0 << 5.0 << " [ 物件名 ] を入力して下さい。"
                                        << "txtName";
        QTest::newRow("area and value") << "a" << 0.0 << 0.0 << " [ 敷地面積 ]  [ 評価額 ] を入力して下さい。"
                                        << "numSikiti";
        QTest::newRow("value") << "a" << 1.0 << 0.0 << " [ 評価額 ] を入力して下さい。"
                               << "numHyoka";
    }
    void missingInputsAreListed()
    {
        QFETCH(QString, name);
        QFETCH(double, area);
        QFETCH(double, value);
        frmDataDetail d;
        d.show();
        // Changing a tax rate alone counts as input.
        d.findChild<ImNumber *>(QStringLiteral("numKotei"))->setValue(2.0);
        fill(d, name, area, value);
        add(d);
        QCOMPARE(shownBoxes().size(), 1);
        QTEST(shownBoxes().at(0).prompt, "message");
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("確認"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Exclamation));
        QVERIFY(d.isVisible());
        QTEST(d.focusWidget() ? d.focusWidget()->objectName() : QString(), "focus");
        QCOMPARE(rows(), QString());
    }

    void propertyNumberZeroStopsTheRegistration()
    {
        execSql(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (0, 'zero')"));
        frmDataDetail d;
        d.show();
        fill(d, QStringLiteral("b"), 1, 1);
        add(d);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("物件データの登録に失敗しました。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("SaveRecord"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(rows(), QStringLiteral("0|zero|NULL|NULL|NULL|NULL"));
        QVERIFY(!gDao().inTransaction());
        QVERIFY(d.isVisible());
    }

    void numberPastTheLongRange_data()
    {
        QTest::addColumn<qint64>("greatest");
        QTest::addColumn<int>("expected"); // 0: refused
        QTest::newRow("2147483646 gives the last number") << qint64(2147483646) << 2147483647;
        QTest::newRow("2147483647 is the last") << qint64(2147483647) << 0;
        // A number past 32 bits reads as 2147483647, the greatest it can be.
        QTest::newRow("3000000000 stored") << qint64(3000000000) << 0;
    }
    void numberPastTheLongRange()
    {
        QFETCH(qint64, greatest);
        QFETCH(int, expected);
        const ErrLogRecorder log;
        execSql(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (%1, 'last')").arg(greatest));
        frmDataDetail d;
        d.show();
        fill(d, QStringLiteral("b"), 1, 1);
        add(d);
        QCOMPARE(d.registeredID1(), expected);
        QVERIFY(!gDao().inTransaction());
        const QString before = QStringLiteral("%1|last|NULL|NULL|NULL|NULL").arg(greatest);
        if (expected) {
            QVERIFY(shownBoxes().isEmpty());
            QCOMPARE(rows(), before + QStringLiteral(";2147483647|b|1|1|1.4|0.3"));
            QCOMPARE(log.lines(), QStringList());
        } else {
            // Refused with the overflow error in the log; nothing stored, never a wrapped number.
            QCOMPARE(rows(), before);
            QCOMPARE(log.lines(), QStringList{QStringLiteral("frmDataDetail|SaveRecord|オーバーフローしました。")});
            QCOMPARE(shownBoxes().size(), 1);
            QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("物件データの登録に失敗しました。"));
            QVERIFY(d.isVisible());
        }
    }

    void failedInsertKeepsTheDialog_data()
    {
        QTest::addColumn<QString>("sql"); // run on the program's connection before 登録
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("lookUpFails"); // the greatest number cannot be read, the insert would go
        QTest::newRow("insert refused")
            << "CREATE TRIGGER block BEFORE INSERT ON D_物件 BEGIN SELECT RAISE(ABORT, 'no'); END" << false << false;
        QTest::newRow("BEGIN refused") << "BEGIN" << false << false;
        QTest::newRow("write lock held") << "" << true << false;
        QTest::newRow("greatest number not read") << "" << false << true;
    }
    void failedInsertKeepsTheDialog()
    {
        QFETCH(QString, sql);
        QFETCH(bool, locked);
        QFETCH(bool, lookUpFails);
        frmDataDetail d;
        d.show();
        fill(d, QStringLiteral("b"), 1, 1);
        if (!sql.isEmpty())
            execSql(sql);
        if (lookUpFails)
            failMaxOnTheConnection();
        {
            std::optional<WriteLock> lock;
            if (locked)
                lock.emplace(m_db.db().path());
            add(d);
        }
        if (sql == QLatin1String("BEGIN"))
            execSql(QStringLiteral("ROLLBACK"));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("物件データの登録に失敗しました。"));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("SaveRecord"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(rows(), QString());
        QVERIFY(!gDao().inTransaction());
        // Still open with what was typed.
        QVERIFY(d.isVisible());
        QCOMPARE(d.findChild<ImText *>(QStringLiteral("txtName"))->Text(), QStringLiteral("b"));
    }

    void noticeAfterRegistration()
    {
        gApl().setDialogBox(QString());
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *notice = qobject_cast<frmMsgbox *>(w)) {
                    shown = true;
                    notice->Command1->click();
                }
        });
        frmDataDetail d;
        fill(d, QStringLiteral("c"), 1, 1);
        add(d);
        QVERIFY(shown);
        QCOMPARE(rows(), QStringLiteral("1|c|1|1|1.4|0.3"));
    }

    void closeAsksOnlyAfterInput()
    {
        {
            frmDataDetail d;
            FormButtons::click(d.findChild<QWidget *>(QStringLiteral("lbutClose")));
            QVERIFY(shownBoxes().isEmpty());
            QCOMPARE(d.result(), int(QDialog::Rejected));
        }
        frmDataDetail d;
        d.show();
        fill(d, QStringLiteral("d"), 0, 0);
        MsgBox::setNextAnswer(MsgBox::No);
        FormButtons::click(d.findChild<QWidget *>(QStringLiteral("lbutClose")));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("データが入力されていますが、破棄してよろしいですか？"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2));
        QVERIFY(d.isVisible());
        MsgBox::setNextAnswer(MsgBox::Yes);
        FormButtons::click(d.findChild<QWidget *>(QStringLiteral("lbutClose")));
        QVERIFY(!d.isVisible());
        QCOMPARE(rows(), QString());
    }

    void rangeHoldsAfterAMessageClosedWithEnter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("below the minimum of 0") << "-5"
                                                << "5";
        QTest::newRow("a minus inside the number") << "10-30"
                                                   << "1030";
    }
    void rangeHoldsAfterAMessageClosedWithEnter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const RealMessageBoxes boxes;
        frmDataDetail d;
        d.show();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        // Keys go where a user's keys go: to the window, which hands them to its focus.
        const auto keys = [&d](const QString &text) {
            for (QChar c : text)
                QTest::keyClick(d.windowHandle(), c.toLatin1());
        };
        // Only the fixed-asset tax changed; the check's message is closed with Enter.
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("numKotei")), Qt::LeftButton);
        QApplication::processEvents();
        keys(QStringLiteral("2"));
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("lbutAdd")), Qt::LeftButton);
        QCOMPARE(shownBoxes().size(), 1);
        keys(QStringLiteral("abc\r") + typed + QStringLiteral("\r"));
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("numHyoka")), Qt::LeftButton);
        keys(QStringLiteral("300"));
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("lbutAdd")), Qt::LeftButton);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(rows(), QStringLiteral("1|abc|%1|300|2|0.3").arg(stored));
    }

    void escapeKeepsTypedInput()
    {
        frmDataDetail d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto *name = d.findChild<ImText *>(QStringLiteral("txtName"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("abc"));
        QTest::keyClick(name, Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QCOMPARE(name->text(), QStringLiteral("abc"));
        QVERIFY(shownBoxes().isEmpty());
    }
};

QTEST_MAIN(tst_frmDataDetail)
#include "tst_frmDataDetail.moc"
