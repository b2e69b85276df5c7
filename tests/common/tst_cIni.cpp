#include "DbFixture.h"
#include "Globals.h"
#include "RegularFile.h"
#include "VbRuntime.h"
#include "cIni.h"

#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class tst_cIni : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    // A fresh settings object on a file of its own, optionally with content.
    cIni iniWith(const QByteArray &content = QByteArray())
    {
        cIni ini;
        ini.setPro_IniPath(m_dir.filePath(QStringLiteral("v%1.ini").arg(++m_count)));
        if (!content.isNull()) {
            QFile f(ini.Pro_IniPath());
            f.open(QIODevice::WriteOnly);
            f.write(content);
        }
        return ini;
    }
    static QByteArray fileOf(const cIni &ini)
    {
        QFile f(ini.Pro_IniPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private Q_SLOTS:
    void defaultPath()
    {
        QCOMPARE(cIni().Pro_IniPath(), QDir(QCoreApplication::applicationDirPath()).filePath("Setting.ini"));
    }

    void setIniRoundTrip_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("readBack");

        QTest::newRow("number 12") << QVariant(12) << QByteArray("key=\"12\"") << "12";
        QTest::newRow("blanks around a b") << QVariant("  a b ") << QByteArray("key=\"a b\"") << "a b";
        QTest::newRow("Japanese") << QVariant("賃貸マンション計画") << QByteArray("key=\"賃貸マンション計画\"")
                                  << "賃貸マンション計画";
        QTest::newRow("quotes inside") << QVariant("say \"hi\"") << QByteArray("key=\"say \"hi\"\"") << "say \"hi\"";
        QTest::newRow("equals sign") << QVariant("a=b") << QByteArray("key=\"a=b\"") << "a=b";
        QTest::newRow("empty") << QVariant(QString()) << QByteArray("key=\"\"") << "";
        QTest::newRow("Null") << vb::null() << QByteArray("key=\"\"") << "";
        QTest::newRow("semicolon cut on reading") << QVariant("a;b") << QByteArray("key=\"a;b\"") << "a";
    }
    void setIniRoundTrip()
    {
        QFETCH(QVariant, value);
        QFETCH(QByteArray, line);
        QFETCH(QString, readBack);
        cIni ini = iniWith();
        ini.SetIni(QStringLiteral("SETTING"), QStringLiteral("key"), value);
        QCOMPARE(fileOf(ini), QByteArray("[SETTING]\r\n") + line + "\r\n");
        QCOMPARE(ini.GetIniStr(QStringLiteral("SETTING"), QStringLiteral("key")), readBack);
    }

    void getIniStr_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");

        QTest::newRow("comment after value") << QByteArray("[S]\nk=12 ;comment\n") << "12";
        QTest::newRow("a;b unquoted") << QByteArray("[S]\nk=a;b\n") << "a";
        QTest::newRow("blanks inside quotes trimmed") << QByteArray("[S]\nk=\"  x  \"\n") << "x";
        QTest::newRow("missing key") << QByteArray("[S]\nj=1\n") << "";
        // 511 bytes: one byte plus 255 double-byte characters; the 256th would need 2 more.
        QTest::newRow("over-long double-byte value")
            << (QByteArray("[S]\nk=a") + QString(300, QChar(0x3042)).toUtf8() + "\n")
            << QString(QLatin1String("a") + QString(255, QChar(0x3042)));
        QTest::newRow("over-long single-byte value")
            << (QByteArray("[S]\nk=") + QByteArray(600, 'x') + "\n") << QString(511, QLatin1Char('x'));
        QTest::newRow("limit then trailing blank trimmed")
            << (QByteArray("[S]\nk=") + QByteArray(510, 'x') + " y\n") << QString(510, QLatin1Char('x'));
    }
    void getIniStr()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        cIni ini = iniWith(content);
        QCOMPARE(ini.GetIniStr(QStringLiteral("S"), QStringLiteral("k")), expected);
    }

    void getSetIniStr_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QByteArray>("fileAfter");

        QTest::newRow("no file") << QByteArray() << " 5 " << QByteArray("[CONST]\r\nTax=\"5\"\r\n");
        QTest::newRow("missing key") << QByteArray("[CONST]\nOther=1\n") << " 5 "
                                     << QByteArray("[CONST]\nOther=1\nTax=\"5\"\n");
        QTest::newRow("blank value") << QByteArray("[CONST]\r\nTax=   \r\n") << " 5 "
                                     << QByteArray("[CONST]\r\nTax=\"5\"\r\n");
        QTest::newRow("stored value") << QByteArray("[CONST]\nTax=\"8\"\n") << "8"
                                      << QByteArray("[CONST]\nTax=\"8\"\n");
    }
    void getSetIniStr()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, result);
        QFETCH(QByteArray, fileAfter);
        cIni ini = iniWith(content.isEmpty() ? QByteArray() : content);
        QCOMPARE(ini.GetSetIniStr(QStringLiteral("CONST"), QStringLiteral("Tax"), QStringLiteral(" 5 ")), result);
        QCOMPARE(fileOf(ini), fileAfter);
    }

    void keysOfOtherCaseAreOneSetting()
    {
        cIni ini = iniWith(QByteArray("[Setting]\r\nDispSize=\"1\"\r\n"));
        ini.SetIni(QStringLiteral("SETTING"), QStringLiteral("dispsize"), 3);
        QCOMPARE(fileOf(ini), QByteArray("[Setting]\r\nDispSize=\"3\"\r\n"));
    }

    void failedWriteIsLoggedOnceAndDefaultStillReturned()
    {
        const ErrLogRecorder log;
        cIni ini;
        const QString path = m_dir.filePath(QStringLiteral("no folder/Vanrek.ini"));
        ini.setPro_IniPath(path);
        // A start-up in a folder that takes no settings file writes every default and fails every time.
        QCOMPARE(ini.GetSetIniStr(QStringLiteral("CONST"), QStringLiteral("消費税"), QStringLiteral("5")),
                 QStringLiteral("5"));
        QCOMPARE(ini.GetSetIniStr(QStringLiteral("SETTING"), QStringLiteral("サイズ"), QStringLiteral("2")),
                 QStringLiteral("2"));
        QVERIFY(!ini.SetIni(QStringLiteral("SETTING"), QStringLiteral("サイズ"), 3));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().startsWith(QStringLiteral("cIni|SetIni|")), qPrintable(log.lines().first()));
        QVERIFY2(log.lines().first().contains(path), qPrintable(log.lines().first()));

        // The folder appears: writing works, and a later failure is logged again.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("no folder")));
        QVERIFY(ini.SetIni(QStringLiteral("SETTING"), QStringLiteral("サイズ"), 3));
        QVERIFY(QDir(m_dir.path()).rename(QStringLiteral("no folder"), QStringLiteral("gone")));
        QVERIFY(!ini.SetIniValues({{QStringLiteral("SETTING"), QStringLiteral("サイズ"), 1}}));
        QCOMPARE(log.lines().size(), 2);
        QVERIFY(log.lines().last().startsWith(QStringLiteral("cIni|SetIniValues|")));
    }

    // A settings file that is a link to a socket: the defaults are used, the socket stays a
    // socket, and the reason is logged.
    void fileThatIsNoRegularFileIsLeftAlone()
    {
        const ErrLogRecorder log;
        const QString socket = m_dir.filePath(QStringLiteral("socket"));
        QVERIFY(makeSocketFile(socket));
        const QString path = m_dir.filePath(QStringLiteral("linked.ini"));
        QVERIFY(QFile::link(socket, path));
        cIni ini;
        ini.setPro_IniPath(path);
        QCOMPARE(ini.GetSetIniStr(QStringLiteral("CONST"), QStringLiteral("消費税"), QStringLiteral("5")),
                 QStringLiteral("5"));
        QVERIFY(isSocketFile(socket));
        QVERIFY(!log.lines().isEmpty());
        QVERIFY2(log.lines().first().startsWith(QStringLiteral("cIni|")) && log.lines().first().contains(path),
                 qPrintable(log.lines().first()));
    }

    // The new file's name lives in its folder, which is synced after the rename as well; a
    // folder that cannot be is logged, and the value counts as saved (its data is on disk).
    void folderThatCannotBeSyncedIsLogged()
    {
        const ErrLogRecorder log;
        cIni ini = iniWith(QByteArray("[SETTING]\r\nサイズ=\"1\"\r\n"));
        RegularFile::setSyncCall(&syncFailingForFolders);
        const auto restore = qScopeGuard([] { RegularFile::setSyncCall(nullptr); });
        QVERIFY(ini.SetIni(QStringLiteral("SETTING"), QStringLiteral("サイズ"), 3));
        QCOMPARE(fileOf(ini), QByteArray("[SETTING]\r\nサイズ=\"3\"\r\n"));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(
            log.lines().first().startsWith(
                QStringLiteral("cIni|SetIni|%1 を保存しましたが、フォルダ %2 を").arg(ini.Pro_IniPath(), m_dir.path())),
            qPrintable(log.lines().first()));
    }

    void severalValuesAllOrNone()
    {
        cIni ini = iniWith(QByteArray("[CONST]\r\n消費税=\"5\"\r\n"));
        QVERIFY(ini.SetIniValues({{QStringLiteral("CONST"), QStringLiteral("消費税"), 8},
                                  {QStringLiteral("SETTING"), QStringLiteral("背景"), QStringLiteral(" /a.bmp ")}}));
        QCOMPARE(fileOf(ini), QByteArray("[CONST]\r\n消費税=\"8\"\r\n[SETTING]\r\n背景=\"/a.bmp\"\r\n"));
    }

    void shiftJisFileKeepsItsValuesAndEncoding()
    {
        // 消費税="8" under [CONST], written by an earlier installation.
        const QByteArray sjis("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n");
        cIni ini = iniWith(sjis);
        QCOMPARE(ini.GetSetIniStr(QStringLiteral("CONST"), QStringLiteral("消費税"), QStringLiteral("5")),
                 QStringLiteral("8"));
        QCOMPARE(fileOf(ini), sjis);
        QCOMPARE(ini.GetSetIniStr(QStringLiteral("SETTING"), QStringLiteral("サイズ"), QStringLiteral("2")),
                 QStringLiteral("2"));
        // サイズ in Shift-JIS: 83 54 83 43 83 59.
        QCOMPARE(fileOf(ini), sjis + QByteArray("[SETTING]\r\n\x83\x54\x83\x43\x83\x59=\"2\"\r\n"));
    }

    void globalSurvivesRelease()
    {
        cIni *before = &gIni();
        before->setPro_IniPath(m_dir.filePath(QStringLiteral("global.ini")));
        releaseGlobals();
        QCOMPARE(&gIni(), before);
        QCOMPARE(gIni().Pro_IniPath(), m_dir.filePath(QStringLiteral("global.ini")));
    }
};

QTEST_GUILESS_MAIN(tst_cIni)
#include "tst_cIni.moc"
