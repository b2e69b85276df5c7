#include "fSplash.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

// The start-up splash: its message line and its notice text.
class tst_fSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messages()
    {
        fSplash splash;
        splash.FormOpen();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.labMessage->text(), QString());
        splash.PutMessage(QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽに接続しています"));
        QCOMPARE(splash.labMessage->text(), QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽに接続しています"));
        const QString dir = qEnvironmentVariable("VANREK_SHOT_DIR");
        if (!dir.isEmpty())
            splash.grab().save(QDir(dir).filePath(QStringLiteral("fSplash.png")));
        splash.labMessage->setText(QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽを最適化しています")); // as the start-up does
        QCOMPARE(splash.labMessage->text(), QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽを最適化しています"));
        splash.FormClose();
        QVERIFY(!splash.isVisible());
    }

    void copyrightIsStoredAndShown()
    {
        fSplash splash;
        splash.setCopyright(QStringLiteral("(C) Zorvik 2003"));
        QCOMPARE(splash.Copyright(), QStringLiteral("(C) Zorvik 2003"));
        QCOMPARE(splash.labCopyright->text(), QStringLiteral("(C) Zorvik 2003"));
        splash.labCopyright->setText(QStringLiteral("other"));
        QCOMPARE(splash.Copyright(), QStringLiteral("(C) Zorvik 2003")); // the stored text, not the label's
    }

    void propertiesRoundTrip()
    {
        fSplash splash;
        splash.setMessageWidth(3000); // 200 pixels
        QCOMPARE(splash.labMessage->width(), 200);
        QCOMPARE(splash.MessageWidth(), 3000);
        splash.setMessageColor(0x000000FF);
        QCOMPARE(splash.MessageColor(), quint32(0x000000FF));
        QCOMPARE(splash.labMessage->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
};

QTEST_MAIN(tst_fSplash)
#include "tst_fSplash.moc"
