#include "cSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_cSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linuxCountsAsTheNtFamily()
    {
        const cSystem sys;
        QString detail;
        QCOMPARE(sys.WindowsType(detail), int16_t(cSystem::Linux));
        QVERIFY(detail.startsWith(QLatin1String("PlatformID= Linux MajorVersion= ")));
        QVERIFY(detail.contains(QLatin1String(" BuildNumber= ")));
        QVERIFY(sys.IsWindowsNT());
        QVERIFY(!sys.IsWindows9x());
        QVERIFY(!sys.IsWindows95());
        QVERIFY(!sys.IsWindows98());
        QVERIFY(!sys.IsWindowsMe());
        QVERIFY(!sys.IsWindowsNT351());
        QVERIFY(!sys.IsWindowsNT40());
        QVERIFY(!sys.IsWindows2K());
        QVERIFY(!sys.IsWindowsXP());
    }

    void fileVersion()
    {
        const cSystem sys;
        const QString self = QCoreApplication::applicationFilePath();
        QCOMPARE(sys.GetFileVersion(self), QStringLiteral(VANREK_VERSION_TEXT));

        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(self, link));
        QCOMPARE(sys.GetFileVersion(link), QStringLiteral(VANREK_VERSION_TEXT));

        const QString text = dir.filePath(QStringLiteral("a.txt"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1.0.0");
        f.close();
        QCOMPARE(sys.GetFileVersion(text), QString());
        QCOMPARE(sys.GetFileVersion(dir.filePath(QStringLiteral("missing.exe"))), QString());
        QCOMPARE(sys.GetFileVersion(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(tst_cSystem)
#include "tst_cSystem.moc"
