#include "ImNumber.h"

#include "TypeText.h"
#include "VbRuntime.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <stdexcept>

// The number box: what typing may put in, what it shows, its range and its events.
class tst_ImNumber : public QObject
{
    Q_OBJECT

private:
    struct Host {
        std::unique_ptr<QWidget> window;
        ImNumber *box = nullptr;
        QLineEdit *next = nullptr;
    };

    static Host makeHost()
    {
        Host h;
        h.window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(h.window.get());
        h.box = new ImNumber(h.window.get());
        h.next = new QLineEdit(h.window.get());
        layout->addWidget(h.box);
        layout->addWidget(h.next);
        h.window->show();
        QApplication::setActiveWindow(h.window.get());
        [&] { QVERIFY2(QTest::qWaitForWindowActive(h.window.get()), "window not active"); }();
        return h;
    }

    static void enter(QWidget *w)
    {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

private Q_SLOTS:
    // What a box takes from typing and from a paste (Ctrl+V) after `held` was typed, the
    // cursor moved `back` places to the left and what `held` brackets selected leftwards.
    void typingAndPasting_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("held");
        QTest::addColumn<int>("back");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        const QString whole = QStringLiteral("###,##0"), twoDecimals = QStringLiteral("##0.00");
        const auto typed = [](const char *row, const QString &format, const QString &keys, const QString &text,
                              const QVariant &value) {
            QTest::newRow(row) << format << QString() << 0 << false << keys << text << value;
        };
        const auto pasted = [](const char *row, const QString &format, const QString &clip, const QString &text,
                               const QVariant &value) {
            QTest::newRow(row) << format << QString() << 0 << true << clip << text << value;
        };
        typed("digits", twoDecimals, "123", "123", QVariant(123.0));
        typed("letters refused", twoDecimals, "12a3", "123", QVariant(123.0));
        typed("full-width digits taken", twoDecimals, "１２３", "123", QVariant(123.0));
        typed("full-width minus and point", twoDecimals, "－１．５", "-1.5", QVariant(-1.5));
        typed("second minus refused", twoDecimals, "-1-2", "-12", QVariant(-12.0));
        typed("minus after a digit refused", twoDecimals, "5-", "5", QVariant(5.0));
        typed("too many decimals refused", twoDecimals, "1.234", "1.23", QVariant(1.23));
        typed("second point refused", twoDecimals, "1.2.3", "1.23", QVariant(1.23));
        typed("no digit after the point in a whole-number box", whole, "1.5", "1.", QVariant(1.0));
        typed("no grouping typed", whole, "1,000", "1000", QVariant(1000.0));
        typed("minus alone is no value", twoDecimals, "-", "-", QVariant());
        typed("point alone is no value", twoDecimals, ".", ".", QVariant());
        typed("leading point", twoDecimals, ".5", ".5", QVariant(0.5));
        typed("typed, whole: digits after the point refused", whole, "12345.6", "12345.", QVariant(12345.0));
        typed("typed, whole: minus taken, decimals refused", whole, "-12345.67", "-12345.", QVariant(-12345.0));
        QTest::newRow("typed, whole: point before digits refused") << whole << "12345" << 3 << false << "."
                                                                   << "12345" << QVariant(12345.0);
        typed("typed, two decimals: full-width, third decimal refused", twoDecimals, "６５．２５５", "65.25",
              QVariant(65.25));
        pasted("pasted, whole: commas between digits passed over", whole, "1,500", "1500", QVariant(1500.0));
        pasted("pasted, whole: decimals cut", whole, "12345.6", "12345.", QVariant(12345.0));
        pasted("pasted, whole: blanks trimmed, full-width grouping", whole, "　－１，２３４，５６７ ", "-1234567",
               QVariant(-1234567.0));
        pasted("pasted, whole: a date refused whole", whole, "2024年3月", "", QVariant());
        pasted("pasted, whole: commas not between digits refused whole", whole, "1,,500", "", QVariant());
        QTest::newRow("pasted, whole: a minus after digits refused whole") << whole << "12" << 0 << true << "-3"
                                                                           << "12" << QVariant(12.0);
        pasted("pasted, two decimals: full-width, third decimal cut", twoDecimals, "６５．２５５", "65.25",
               QVariant(65.25));
        QTest::newRow("pasted, two decimals: digits already held never cut")
            << twoDecimals << "1.5" << 1 << true << "25"
            << "1.5" << QVariant(1.5);
        for (char d = '0'; d <= '9'; ++d)
            QTest::addRow("pasted, whole: over a selected value ending in %c", d)
                << whole << QStringLiteral("[9876%1]").arg(d) << 0 << true << QStringLiteral("12345.%1").arg(d)
                << "12345." << QVariant(12345.0);
        QTest::newRow("pasted, whole: a held digit never cut") << whole << "64047" << 1 << true << "709."
                                                               << "64047" << QVariant(64047.0);
        QTest::newRow("typed over a selection: full-width comma refused") << whole << "5[2]840" << 3 << false << "，"
                                                                          << "52840" << QVariant(52840.0);
        QTest::newRow("typed over a selection: blank refused") << whole << "[123]" << 0 << false << " "
                                                               << "123" << QVariant(123.0);
    }

    void typingAndPasting()
    {
        QFETCH(QString, format);
        QFETCH(QString, held);
        QFETCH(int, back);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        Host h = makeHost();
        h.box->setFormat(format);
        enter(h.box);
        const int selected = int(held.indexOf(u']') - held.indexOf(u'[')) - 1;
        typeText(h.box, QString(held).remove(u'[').remove(u']'));
        for (int i = 0; i < back; ++i)
            QTest::keyClick(h.box, Qt::Key_Left);
        for (int i = 0; i < selected; ++i)
            QTest::keyClick(h.box, Qt::Key_Left, Qt::ShiftModifier);
        if (paste) {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(h.box, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(h.box, input);
        }
        QCOMPARE(h.box->text(), text);
        QCOMPARE(h.box->isNull(), !value.isValid());
        if (value.isValid())
            QCOMPARE(h.box->Value().toDouble(), value.toDouble());
    }

    void shownText_data()
    {
        QTest::addColumn<QString>("displayFormat");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("editing");
        QTest::newRow("thousands") << "#,##0.00"
                                   << "####0.00" << QVariant(1234.5) << "1,234.50"
                                   << "1234.50";
        QTest::newRow("whole number") << "###,##0"
                                      << "###,##0" << QVariant(1234567.0) << "1,234,567"
                                      << "1234567";
        QTest::newRow("negative section") << "###,##0;(###,##0)"
                                          << "" << QVariant(-1234.0) << "(1,234)"
                                          << "-1234";
        QTest::newRow("zero section") << "##0.00;;-"
                                      << "##0.00" << QVariant(0.0) << "-"
                                      << "0.00";
        QTest::newRow("empty") << "#,##0"
                               << "" << QVariant() << ""
                               << "";
    }

    void shownText()
    {
        QFETCH(QString, displayFormat);
        QFETCH(QString, format);
        QFETCH(QVariant, value);
        QFETCH(QString, display);
        QFETCH(QString, editing);
        Host h = makeHost();
        enter(h.next); // the box starts without the focus
        h.box->setDisplayFormat(displayFormat);
        h.box->setFormat(format);
        h.box->setValue(value);
        QCOMPARE(h.box->text(), display);
        enter(h.box);
        QCOMPARE(h.box->text(), editing);
        enter(h.next);
        QCOMPARE(h.box->text(), display);
    }

    void outOfRangeIsPulledToTheNearerBound()
    {
        Host h = makeHost();
        h.box->setMinValue(10);
        h.box->setMaxValue(100);
        enter(h.box);
        QTest::keyClicks(h.box, "500");
        QCOMPARE(h.box->Value(), QVariant(500.0)); // in range is judged on leaving
        enter(h.next);
        QCOMPARE(h.box->Value(), QVariant(100.0));
        enter(h.box);
        h.box->selectAll();
        QTest::keyClicks(h.box, "3");
        enter(h.next);
        QCOMPARE(h.box->Value(), QVariant(10.0));
    }

    void handlerMayKeepTheValue()
    {
        Host h = makeHost();
        h.box->setMaxValue(100);
        int raised = 0;
        connect(h.box, &ImNumber::InvalidRange, this, [&raised](bool *keep) {
            ++raised;
            *keep = true;
        });
        enter(h.box);
        QTest::keyClicks(h.box, "500");
        enter(h.next);
        QCOMPARE(raised, 1);
        QCOMPARE(h.box->Value(), QVariant(500.0));
    }

    void changeIsRaisedPerValueChange()
    {
        Host h = makeHost();
        h.box->setFormat(QStringLiteral("##0.00"));
        int changes = 0;
        connect(h.box, &ImNumber::Change, this, [&changes] { ++changes; });
        enter(h.box);
        QTest::keyClicks(h.box, "12.");
        QCOMPARE(changes, 2); // "12." holds the same value as "12"
        h.box->setValue(12);
        QCOMPARE(changes, 2);
        h.box->ClearControl();
        QCOMPARE(changes, 3);
        QCOMPARE(h.box->Value(), vb::null());
    }

    void valuesSetByTheProgram()
    {
        ImNumber box;
        box.setValue(QStringLiteral(" 42 "));
        QCOMPARE(box.Value(), QVariant(42.0));
        box.setValue(QStringLiteral(""));
        QVERIFY(box.isNull());
        box.setValue(vb::null());
        QVERIFY(box.isNull());
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, box.setValue(QStringLiteral("abc")));
    }
};

QTEST_MAIN(tst_ImNumber)
#include "tst_ImNumber.moc"
