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
    void typing_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("digits") << "##0.00"
                                << "123"
                                << "123" << QVariant(123.0);
        QTest::newRow("letters refused") << "##0.00"
                                         << "12a3"
                                         << "123" << QVariant(123.0);
        QTest::newRow("full-width digits taken") << "##0.00"
                                                 << "１２３"
                                                 << "123" << QVariant(123.0);
        QTest::newRow("full-width minus and point") << "##0.00"
                                                    << "－１．５"
                                                    << "-1.5" << QVariant(-1.5);
        QTest::newRow("second minus refused") << "##0.00"
                                              << "-1-2"
                                              << "-12" << QVariant(-12.0);
        QTest::newRow("minus after a digit refused") << "##0.00"
                                                     << "5-"
                                                     << "5" << QVariant(5.0);
        QTest::newRow("too many decimals refused") << "##0.00"
                                                   << "1.234"
                                                   << "1.23" << QVariant(1.23);
        QTest::newRow("second point refused") << "##0.00"
                                              << "1.2.3"
                                              << "1.23" << QVariant(1.23);
        QTest::newRow("no digit after the point in a whole-number box") << "###,##0"
                                                                        << "1.5"
                                                                        << "1." << QVariant(1.0);
        QTest::newRow("no grouping typed") << "###,##0"
                                           << "1,000"
                                           << "1000" << QVariant(1000.0);
        QTest::newRow("minus alone is no value") << "##0.00"
                                                 << "-"
                                                 << "-" << QVariant();
        QTest::newRow("point alone is no value") << "##0.00"
                                                 << "."
                                                 << "." << QVariant();
        QTest::newRow("leading point") << "##0.00"
                                       << ".5"
                                       << ".5" << QVariant(0.5);
    }

    void typing()
    {
        QFETCH(QString, format);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        Host h = makeHost();
        h.box->setFormat(format);
        enter(h.box);
        typeText(h.box, typed);
        QCOMPARE(h.box->text(), text);
        QCOMPARE(h.box->isNull(), !value.isValid());
        if (value.isValid())
            QCOMPARE(h.box->Value().toDouble(), value.toDouble());
    }

    // Whole-number and two-decimal boxes, typed into and pasted into (Ctrl+V) after
    // `held` was typed and the cursor moved `back` places to the left.
    void typedAndPasted_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("held");
        QTest::addColumn<int>("back");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        const QString whole = QStringLiteral("###,##0"), twoDecimals = QStringLiteral("##0.00");
        QTest::newRow("typed, whole: digits after the point refused") << whole << "" << 0 << false << "12345.6"
                                                                      << "12345." << QVariant(12345.0);
        QTest::newRow("typed, whole: minus taken, decimals refused") << whole << "" << 0 << false << "-12345.67"
                                                                     << "-12345." << QVariant(-12345.0);
        QTest::newRow("typed, whole: point before digits refused") << whole << "12345" << 3 << false << "."
                                                                   << "12345" << QVariant(12345.0);
        QTest::newRow("typed, two decimals: full-width, third decimal refused")
            << twoDecimals << "" << 0 << false << "６５．２５５"
            << "65.25" << QVariant(65.25);
        QTest::newRow("pasted, whole: commas between digits passed over") << whole << "" << 0 << true << "1,500"
                                                                          << "1500" << QVariant(1500.0);
        QTest::newRow("pasted, whole: decimals cut") << whole << "" << 0 << true << "12345.6"
                                                     << "12345." << QVariant(12345.0);
        QTest::newRow("pasted, whole: blanks trimmed, full-width grouping")
            << whole << "" << 0 << true << "　－１，２３４，５６７ "
            << "-1234567" << QVariant(-1234567.0);
        QTest::newRow("pasted, whole: a date refused whole") << whole << "" << 0 << true << "2024年3月"
                                                             << "" << QVariant();
        QTest::newRow("pasted, whole: commas not between digits refused whole") << whole << "" << 0 << true << "1,,500"
                                                                                << "" << QVariant();
        QTest::newRow("pasted, whole: a minus after digits refused whole") << whole << "12" << 0 << true << "-3"
                                                                           << "12" << QVariant(12.0);
        QTest::newRow("pasted, two decimals: full-width, third decimal cut")
            << twoDecimals << "" << 0 << true << "６５．２５５"
            << "65.25" << QVariant(65.25);
        QTest::newRow("pasted, two decimals: digits already held never cut")
            << twoDecimals << "1.5" << 1 << true << "25"
            << "1.5" << QVariant(1.5);
    }

    void typedAndPasted()
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
        typeText(h.box, held);
        for (int i = 0; i < back; ++i)
            QTest::keyClick(h.box, Qt::Key_Left);
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
