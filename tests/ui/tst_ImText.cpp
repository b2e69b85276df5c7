#include "ImText.h"

#include "TypeText.h"

#include <QApplication>
#include <QClipboard>
#include <QVBoxLayout>
#include <QtTest>

// The text box's length limit, counted in bytes with a double-byte character as 2; its
// content selected on entry.
class tst_ImText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void limit_data()
    {
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("asBytes");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typing stops at the limit") << 5 << true << "" << 0 << false << "abcdefg"
                                                   << "abcde";
        QTest::newRow("typed full-width counts two") << 10 << true << "abcde" << 5 << false << "あいうえ"
                                                     << "abcdeあい";
        QTest::newRow("pasted mixed text cut at a whole character")
            << 8 << true << "ab" << 2 << true << "ｱｲｳ漢字テキスト"
            << "abｱｲｳ漢";
        QTest::newRow("one byte of room takes no double-byte character") << 5 << true << "abcd" << 4 << true << "漢字"
                                                                         << "abcd";
        QTest::newRow("paste in the middle keeps the tail") << 6 << true << "abef" << 2 << true << "cdXYZ"
                                                            << "abcdef";
        QTest::newRow("limit in characters") << 4 << false << "" << 0 << false << "あいうえお"
                                             << "あいうえ";
        QTest::newRow("line breaks dropped") << 0 << true << "" << 0 << true << "a\nb\tc"
                                             << "abc";
        QTest::newRow("character outside the code page kept whole")
            << 3 << true << "a" << 1 << true << QString::fromUtf8("𠮷𠮷") << QString::fromUtf8("a𠮷");
        QTest::newRow("paste over all cut at its own end")
            << 30 << true << "サンハイツ１号棟" << -1 << true << "グランドメゾン東京ベイサイド第２号棟"
            << "グランドメゾン東京ベイサイド第";
        QTest::newRow("held character outside the code page kept whole")
            << 30 << true << "ABCDEFGHIJKLMNOPQRSTUVWXYZab𠮷" << 28 << true << "𠮟"
            << "ABCDEFGHIJKLMNOPQRSTUVWXYZab𠮷";
        QTest::newRow("paste beginning with the held character after the cursor")
            << 20 << true << "田アぱぱ荘号" << 0 << true << "田荘号ッｱ"
            << "田荘号ッ田アぱぱ荘号";
    }

    void limit()
    {
        QFETCH(int, maxLength);
        QFETCH(bool, asBytes);
        QFETCH(QString, initial);
        QFETCH(int, cursor);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QWidget window;
        auto *box = new ImText(&window);
        box->setLengthAsByte(asBytes);
        box->setMaxLength(maxLength);
        box->setText(initial);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QApplication::processEvents();
        if (cursor >= 0) // otherwise all stays selected, as entering the box left it
            box->setCursorPosition(cursor);
        if (paste) {
            QApplication::clipboard()->setText(input);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(box, input);
        }
        QCOMPARE(box->Text(), expected);
    }

    void textSetByTheProgramIsCut()
    {
        ImText box;
        box.setLengthAsByte(true);
        box.setMaxLength(6);
        box.setText(QStringLiteral("東京都港区"));
        QCOMPARE(box.Text(), QStringLiteral("東京都"));
        box.setMaxLength(4);
        QCOMPARE(box.Text(), QStringLiteral("東京"));
        QCOMPARE(box.lengthOf(QStringLiteral("ｱｲ東")), 4);
    }

    void enteringSelectsTheContent_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Tab") << "tab";
        QTest::newRow("Shift+Tab") << "backtab";
        QTest::newRow("by the program") << "program";
        QTest::newRow("window opens") << "show";
        QTest::newRow("click") << "click";
    }
    void enteringSelectsTheContent()
    {
        QFETCH(QString, how);
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *before = new ImText(&form);
        auto *box = new ImText(&form);
        auto *after = new ImText(&form);
        layout->addWidget(before);
        layout->addWidget(box);
        layout->addWidget(after);
        box->setText(QStringLiteral("大阪"));
        if (how == QLatin1String("show"))
            box->setFocus();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        if (how == QLatin1String("tab")) {
            before->setFocus();
            QTest::keyClick(before, Qt::Key_Tab);
        } else if (how == QLatin1String("backtab")) {
            after->setFocus();
            QTest::keyClick(after, Qt::Key_Backtab);
        } else if (how == QLatin1String("program")) {
            box->setFocus();
        } else if (how == QLatin1String("click")) {
            before->setFocus();
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
            QCoreApplication::processEvents();
        }
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), QStringLiteral("大阪"));
        // The first key typed replaces the content.
        typeText(box, QStringLiteral("京都"));
        QCOMPARE(box->Text(), QStringLiteral("京都"));
    }

    void comingBackToTheWindowKeepsTheCursor()
    {
        QWidget form;
        auto *box = new ImText(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus();
        typeText(box, QStringLiteral("大"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), box);
        typeText(box, QStringLiteral("阪"));
        QCOMPARE(box->Text(), QStringLiteral("大阪"));
    }

    void withoutHighlightNothingIsSelected()
    {
        QWidget form;
        auto *box = new ImText(&form);
        box->setText(QStringLiteral("abc"));
        box->setHighlightText(false);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus(Qt::TabFocusReason);
        QVERIFY(!box->hasSelectedText());
    }

    void changeFollowsText()
    {
        ImText box;
        int changes = 0;
        connect(&box, &ImText::Change, this, [&changes] { ++changes; });
        box.setText(QStringLiteral("a"));
        box.setText(QStringLiteral("ab"));
        box.clear();
        QCOMPARE(changes, 3);
    }
};

QTEST_MAIN(tst_ImText)
#include "tst_ImText.moc"
