#include "LineButton.h"

#include "Globals.h"
#include "RegistryStore.h"
#include "VbColor.h"
#include "cApl.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

// The line button: its underline colours and geometry, its size rule and its click.
class tst_LineButton : public QObject
{
    Q_OBJECT

private:
    static quint32 rgb(int r, int g, int b) { return quint32(r) | quint32(g) << 8 | quint32(b) << 16; }

    static QImage shot(LineButton &button, const QString &name)
    {
        const QImage image = button.grab().toImage();
        // Pictures for looking at by hand: VANREK_SHOT_DIR names a folder outside the sources.
        const QString dir = qEnvironmentVariable("VANREK_SHOT_DIR");
        if (!dir.isEmpty())
            image.save(QDir(dir).filePath(QStringLiteral("LineButton-%1.png").arg(name)));
        return image;
    }

private Q_SLOTS:
    void segmentColours_data()
    {
        QTest::addColumn<quint32>("lineColor");
        QTest::addColumn<int>("segment");
        QTest::addColumn<quint32>("expected");
        // Amounts per segment: -93, -73, -53, -33, -13, 7, 27, ... 167.
        QTest::newRow("default, segment 0") << quint32(0xFFFF00) << 0 << rgb(0, 162, 162);
        QTest::newRow("default, segment 13") << quint32(0xFFFF00) << 13 << rgb(167, 255, 255);
        QTest::newRow("default, segment 6") << quint32(0xFFFF00) << 6 << rgb(27, 255, 255);
        QTest::newRow("black, segment 4") << quint32(0x000000) << 4 << rgb(0, 0, 0);
        QTest::newRow("black, segment 5") << quint32(0x000000) << 5 << rgb(7, 7, 7);
        QTest::newRow("black, segment 13") << quint32(0x000000) << 13 << rgb(167, 167, 167);
        QTest::newRow("red, segment 1") << quint32(0x0000FF) << 1 << rgb(182, 0, 0);
    }

    void segmentColours()
    {
        QFETCH(quint32, lineColor);
        QFETCH(int, segment);
        QFETCH(quint32, expected);
        LineButton button;
        button.setLineColor(lineColor);
        QCOMPARE(button.segment(segment).colour, expected);
    }

    void systemLineColourIsTranslatedFirst()
    {
        LineButton button;
        button.setLineColor(0x8000000F);
        const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
        auto up = [](int c) { return qMin(255, c + 7); };
        QCOMPARE(button.segment(5).colour, rgb(up(face.red()), up(face.green()), up(face.blue())));
    }

    void geometry()
    {
        LineButton button(QStringLiteral("登　録"));
        button.resize(280, 40);
        const LineButton::Segment first = button.segment(0);
        QCOMPARE(first.width, 4);
        QCOMPARE(first.x1, 0.0);
        QCOMPARE(first.x2, 280.0);
        QCOMPARE(first.y, 36);
        const LineButton::Segment last = button.segment(13);
        QCOMPARE(last.width, 2);
        QCOMPARE(last.x1, 130.0); // 13 x 280 / 28
        QCOMPARE(last.x2, 150.0);
        QCOMPARE(last.y, 36);
    }

    void neverSmallerThanOneBlankAndOneLine()
    {
        LineButton button;
        button.resize(1, 1);
        const QFontMetrics fm(button.font());
        QCOMPARE(button.width(), fm.horizontalAdvance(QLatin1Char(' ')));
        QCOMPARE(button.height(), fm.height() + 4);
        button.resize(200, 60);
        QCOMPARE(button.size(), QSize(200, 60));
    }

    void colourFunctions()
    {
        QCOMPARE(LineButton::RangeCheck(300, 0, 255), 255.0);
        QCOMPARE(LineButton::RangeCheck(-5, 0, 255), 0.0);
        QCOMPARE(LineButton::RangeCheck(7, 0, 255), 7.0);
        QCOMPARE(LineButton::Contrast(rgb(10, 200, 99), 100), rgb(10, 200, 99));
        QCOMPARE(LineButton::Contrast(rgb(10, 200, 99), 0), rgb(128, 128, 128));
        // (0 - 128) x 50 / 100 + 128 = 64; (255 - 128) x 50 / 100 + 128 = 191.5, to the even 192.
        QCOMPARE(LineButton::Contrast(rgb(0, 0, 255), 50), rgb(64, 64, 192));
        QCOMPARE(LineButton::Contrast(rgb(0, 255, 0), 150), rgb(0, 255, 0)); // -64 and 318.5 kept in range
        QCOMPARE(LineButton::Bright(rgb(250, 10, 0), 10), rgb(255, 20, 10));
    }

    void clicks()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *other = new LineButton(QStringLiteral("閉じる"), &window);
        auto *button = new LineButton(QStringLiteral("登　録"), &window);
        layout->addWidget(other);
        layout->addWidget(button);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        int clicks = 0;
        connect(button, &LineButton::Click, this, [&clicks] { ++clicks; });

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QVERIFY(button->hasFocus()); // a click takes the focus, as a button does
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() - 1));
        QCOMPARE(clicks, 2); // the underline strip belongs to the button
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(clicks, 3);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks, 4);
        QTest::keyClick(button, Qt::Key_Escape);
        QCOMPARE(clicks, 4);

        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(button->isDown());
        QTest::mouseMove(button, QPoint(-20, -20));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
        QCOMPARE(clicks, 4); // released outside

        button->setEnabled(false);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks, 4);
    }

    void lineColourFromInstallationValues()
    {
        QTemporaryDir dir;
        RegistryStore::setFilePath(QDir(dir.path()).filePath(QStringLiteral("Vanrek.reg")));
        releaseGlobals();
        LineButton button;
        gApl().SetButLineColor(&button, cApl::New);
        QCOMPARE(button.LineColor(), gApl().LineColor(cApl::New));
        QCOMPARE(button.segment(13).colour, LineButton::Bright(gApl().LineColor(cApl::New), 167));
        releaseGlobals();
        RegistryStore::setFilePath(QString());
    }

    void drawnInEachState()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *other = new LineButton(QStringLiteral("閉じる"), &window);
        auto *button = new LineButton(QStringLiteral("登　録"), &window);
        layout->addWidget(other);
        layout->addWidget(button);
        button->setFixedSize(120, 34);
        button->setLineColor(0x0000C0FF); // orange: red 255, green 192
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QApplication::processEvents();

        const QColor middle = VbColor::toQColor(button->segment(13).colour);
        const QColor end = VbColor::toQColor(button->segment(0).colour);
        auto check = [&](const QImage &image) {
            const int y = button->height() - 4; // the line's lower half, below the inner button
            QCOMPARE(image.pixelColor(button->width() / 2, y), middle);
            QCOMPARE(image.pixelColor(1, y + 1), end);
        };
        check(shot(*button, QStringLiteral("normal")));
        button->setFocus();
        QApplication::processEvents();
        check(shot(*button, QStringLiteral("focused")));
        QTest::mousePress(button, Qt::LeftButton);
        check(shot(*button, QStringLiteral("pressed")));
        QTest::mouseRelease(button, Qt::LeftButton);
        button->setEnabled(false);
        check(shot(*button, QStringLiteral("disabled")));
    }
};

QTEST_MAIN(tst_LineButton)
#include "tst_LineButton.moc"
