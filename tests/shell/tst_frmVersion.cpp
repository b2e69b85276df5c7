#include "frmVersion.h"

#include "Globals.h"
#include "cApl.h"
#include "mdlMain.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

// The about box: version text, contact address and the link.
class tst_frmVersion : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void openUrl(const QUrl &url) { m_opened << url.toString(); }

private:
    QStringList m_opened;

private Q_SLOTS:
    void init()
    {
        m_opened.clear();
        for (const char *scheme : {"http", "https", "mailto", "file", "javascript"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }

    void versionOfTheExecutableFile_data()
    {
        QTest::addColumn<bool>("ownFolder");
        QTest::addColumn<QString>("text");
        QTest::newRow("the program's folder") << true << QStringLiteral("Ver." VANREK_VERSION_TEXT);
        // No executable of the program in that folder: no version to read.
        QTest::newRow("a folder without the program") << false << QStringLiteral("Ver.");
    }
    void versionOfTheExecutableFile()
    {
        QFETCH(bool, ownFolder);
        QTemporaryDir elsewhere;
        setAppPath(ownFolder ? QString() : elsewhere.path());
        frmVersion v;
        setAppPath(QString());
        QTEST(v.findChild<QLabel *>(QStringLiteral("labVer"))->text(), "text");
    }

    void showsVersionAndAddress()
    {
        gApl().setURL(QStringLiteral("https://www.example.jp/vanrek"));
        frmVersion v;
        QCOMPARE(v.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(v.findChild<QLabel *>(QStringLiteral("labVer"))->text(), QStringLiteral("Ver." VANREK_VERSION_TEXT));
        QCOMPARE(v.findChild<QLabel *>(QStringLiteral("labInfo"))->text(), QStringLiteral("お問い合わせ"));
        QCOMPARE(v.findChild<QLabel *>(QStringLiteral("labUrl"))->text(),
                 QStringLiteral("https://www.example.jp/vanrek"));
    }

    void addressesThatMayBeOpened_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opens");
        QTest::newRow("https") << "https://www.example.jp/" << true;
        QTest::newRow("http") << "http://example.jp" << true;
        QTest::newRow("mail") << "mailto:info@example.jp" << true;
        QTest::newRow("upper-case scheme") << "HTTPS://example.jp" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("local file") << "file:///etc/passwd" << false;
        QTest::newRow("script") << "javascript:alert(1)" << false;
        QTest::newRow("program path") << "/usr/bin/xterm" << false;
        QTest::newRow("http without host") << "http:///x" << false;
        QTest::newRow("empty mail") << "mailto:" << false;
    }
    void addressesThatMayBeOpened()
    {
        QFETCH(QString, address);
        QFETCH(bool, opens);
        QCOMPARE(frmVersion::isOpenableAddress(address), opens);
        gApl().setURL(address);
        frmVersion v;
        v.show();
        QTest::mouseClick(v.findChild<QLabel *>(QStringLiteral("labUrl")), Qt::LeftButton);
        QCOMPARE(m_opened.size(), opens ? 1 : 0);
    }

    void linkLookFollowsTheMouse()
    {
        gApl().setURL(QStringLiteral("https://example.jp"));
        frmVersion v;
        QLabel *url = v.findChild<QLabel *>(QStringLiteral("labUrl"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(url, &enter);
        QCOMPARE(url->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(url->font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(url, &leave);
        QCOMPARE(url->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!url->font().underline());
    }
};

QTEST_MAIN(tst_frmVersion)
#include "tst_frmVersion.moc"
