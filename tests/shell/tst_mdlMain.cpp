#include "mdlMain.h"

#include "Globals.h"
#include "MsgBox.h"
#include "ShownBoxes.h"
#include "cIni.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Module settings, settings file, year filter and error log of the shell.
class tst_mdlMain : public QObject
{
    Q_OBJECT

private:
    QString iniPath() const { return QDir(m_dir->path()).filePath(QStringLiteral("Vanrek.ini")); }
    void writeIni(const QByteArray &bytes)
    {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(QDir(m_dir->path()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList years() const
    {
        QStringList out;
        for (int i = 1; i <= 15; ++i)
            out << QString::number(gYears[i]);
        return out;
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        setAppPath(m_dir->path());
        clearShownBoxes();
        MsgBox::setAutoAnswer(true);
    }
    void cleanup() { m_dir.reset(); }

    void firstStartWritesDefaults()
    {
        gTaxRate = 99;
        gDispInterval = 3;
        gGraphOnly = true;
        gDispSize = 1;
        gBackImage = QStringLiteral("old.bmp");
        LoadIniSettings();
        QCOMPARE(gTaxRate, 5.0);
        QCOMPARE(gDispInterval, int16_t(1));
        QCOMPARE(gGraphOnly, false);
        QCOMPARE(gDispSize, int16_t(2));
        QCOMPARE(gBackImage, QString());
        QCOMPARE(gIcon3, QString());

        cIni reader;
        reader.setPro_IniPath(iniPath());
        QCOMPARE(reader.GetIniStr(QStringLiteral("CONST"), QStringLiteral("消費税")), QStringLiteral("5"));
        QCOMPARE(reader.GetIniStr(QStringLiteral("SETTING"), QStringLiteral("グラフのみ")), QStringLiteral("False"));
        QCOMPARE(reader.GetIniStr(QStringLiteral("SETTING"), QStringLiteral("サイズ")), QStringLiteral("2"));
        const QString text = QString::fromUtf8(readFile(QStringLiteral("Vanrek.ini")));
        QVERIFY(text.contains(QStringLiteral("表示間隔=\"1\"")));
        for (const char *key : {"背景", "画像1", "画像2", "画像3", "アイコン1", "アイコン2", "アイコン3"})
            QVERIFY2(text.contains(QString::fromUtf8(key) + QStringLiteral("=\"\"")), key);
        // Only the keys the start-up reads; the settings dialog adds the rest.
        QVERIFY(!text.contains(QStringLiteral("固定資産税")));
        QVERIFY(!text.contains(QStringLiteral("[DEFAULT]")));
    }

    void settingsValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<double>("tax");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("graphOnly");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("back");

        QTest::newRow("stored values, CR LF")
            << QByteArray("[CONST]\r\n消費税=\"8\"\r\n[SETTING]\r\n表示間隔=\"3\"\r\n"
                          "グラフのみ=\"True\"\r\nサイズ=\"1\"\r\n背景=\"/p/back.bmp\"\r\n")
            << 8.0 << 3 << true << 1 << "/p/back.bmp";
        QTest::newRow("LF and CR LF mixed, unknown keys")
            << QByteArray("[SETTING]\n表示間隔=4\r\nWho=x\nサイズ=3\r\n[Other]\nA=1\n[CONST]\r\n消費税=10 ;rate\n")
            << 10.0 << 4 << false << 3 << "";
        QTest::newRow("empty file") << QByteArray() << 5.0 << 1 << false << 2 << "";
        QTest::newRow("graph only in lower case is false")
            << QByteArray("[SETTING]\nグラフのみ=\"true\"\n") << 5.0 << 1 << false << 2 << "";
        QTest::newRow("interval not a number reads as 1")
            << QByteArray("[SETTING]\n表示間隔=\"abc\"\n") << 5.0 << 1 << false << 2 << "";
        QTest::newRow("interval 5 reads as 1") << QByteArray("[SETTING]\n表示間隔=5\n") << 5.0 << 1 << false << 2 << "";
        QTest::newRow("interval beyond 16 bits reads as 1")
            << QByteArray("[SETTING]\n表示間隔=70000\n") << 5.0 << 1 << false << 2 << "";
        QTest::newRow("size 0 reads as 2") << QByteArray("[SETTING]\nサイズ=0\n") << 5.0 << 1 << false << 2 << "";
        QTest::newRow("size 4 reads as 2") << QByteArray("[SETTING]\nサイズ=\"4\"\n") << 5.0 << 1 << false << 2 << "";
        QTest::newRow("tax not a number gives 0")
            << QByteArray("[CONST]\n消費税=five\n") << 0.0 << 1 << false << 2 << "";
        QTest::newRow("blank value rewritten with its default")
            << QByteArray("[CONST]\n消費税=\"   \"\n") << 5.0 << 1 << false << 2 << "";
    }
    void settingsValues()
    {
        QFETCH(QByteArray, file);
        writeIni(file);
        LoadIniSettings();
        QTEST(gTaxRate, "tax");
        QTEST(int(gDispInterval), "interval");
        QTEST(gGraphOnly, "graphOnly");
        QTEST(int(gDispSize), "size");
        QTEST(gBackImage, "back");
    }

    // A comment an editor saved in Shift-JIS ("; メモ") hides none of a UTF-8 file's settings.
    void lineOfAnotherEncodingHidesNoSetting()
    {
        QByteArray file("; \x83\x81\x83\x82\r\n[CONST]\r\n消費税=\"8\"\r\n[SETTING]\r\n"
                        "表示間隔=\"1\"\r\nグラフのみ=\"False\"\r\nサイズ=\"2\"\r\n");
        for (const char *key : {"背景", "画像1", "画像2", "画像3", "アイコン1", "アイコン2", "アイコン3"})
            file += key + QByteArray("=\"\"\r\n");
        writeIni(file);
        LoadIniSettings();
        QCOMPARE(gTaxRate, 8.0);
        QCOMPARE(readFile(QStringLiteral("Vanrek.ini")), file); // the start adds nothing
    }

    void saveSettingWritesViewKeys()
    {
        writeIni("[SETTING]\r\n表示間隔=\"1\"\r\n背景=\"/keep.bmp\"\r\n");
        gDispInterval = 4;
        gGraphOnly = true;
        gDispSize = 3;
        SaveSetting();
        gDispInterval = 0;
        gGraphOnly = false;
        gDispSize = 0;
        LoadIniSettings();
        QCOMPARE(gDispInterval, int16_t(4));
        QCOMPARE(gGraphOnly, true);
        QCOMPARE(gDispSize, int16_t(3));
        QCOMPARE(gBackImage, QStringLiteral("/keep.bmp"));
        QVERIFY(readFile(QStringLiteral("Vanrek.ini")).contains("グラフのみ=\"True\""));
    }

    void yearFilter_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("filterSK");
        QTest::addColumn<int>("rowsFilter");

        QTest::newRow("1 every year") << 1 << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15"
                                      << "年 <= 15"
                                      << "SK.年 <= 15" << 15;
        QTest::newRow("2 every second year") << 2 << "2 4 6 8 10 12 14 16 18 20 22 24 26 28 30"
                                             << "年 <= 30"
                                             << "SK.年 % 2 = 0 AND SK.年 <= 30" << 30;
        QTest::newRow("3 every fifth year") << 3 << "5 10 15 20 25 30 35 40 45 50 55 60 65 70 75"
                                            << "年 <= 75"
                                            << "SK.年 % 5 = 0 AND SK.年 <= 75" << 75;
        QTest::newRow("4 automatic")
            << 4 << "1 2 3 4 5 6 7 8 9 10 15 20 25 30 35"
            << "年 <= 35"
            << " SK.年 =1 OR SK.年 =2 OR SK.年 =3 OR SK.年 =4 OR SK.年 =5 OR SK.年 =6 OR SK.年 =7 OR SK.年 =8"
               " OR SK.年 =9 OR SK.年 =10 OR SK.年 =15 OR SK.年 =20 OR SK.年 =25 OR SK.年 =30 OR SK.年 =35"
            << 35;
    }
    void yearFilter()
    {
        QFETCH(int, interval);
        QFETCH(QString, years);
        QFETCH(QString, filter);
        QFETCH(QString, filterSK);
        QFETCH(int, rowsFilter);
        gDispInterval = int16_t(interval);
        BuildYearFilter();
        QCOMPARE(this->years().join(QLatin1Char(' ')), years);
        QCOMPARE(gYearFilter, filter);
        QCOMPARE(gYearFilterSK, filterSK);

        // Both conditions run on a table of the 75 plan years.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("years"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE T_収支 (年 INTEGER)")));
            for (int y = 1; y <= 75; ++y)
                QVERIFY(q.exec(QStringLiteral("INSERT INTO T_収支 VALUES (%1)").arg(y)));
            QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*), MAX(年) FROM T_収支 WHERE ") + gYearFilter));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), rowsFilter);
            QCOMPARE(q.value(1).toInt(), rowsFilter);
            QVERIFY(q.exec(QStringLiteral("SELECT SK.年 FROM T_収支 AS SK WHERE ") + gYearFilterSK +
                           QStringLiteral(" ORDER BY SK.年")));
            QStringList got;
            while (q.next())
                got << q.value(0).toString();
            QCOMPARE(got.join(QLatin1Char(' ')), years);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("years"));
    }

    void yearFilterOutsideRangeKeepsValues_data()
    {
        QTest::addColumn<int>("interval");
        QTest::newRow("0") << 0;
        QTest::newRow("5") << 5;
        QTest::newRow("-1") << -1;
    }
    void yearFilterOutsideRangeKeepsValues()
    {
        QFETCH(int, interval);
        gDispInterval = 3;
        BuildYearFilter();
        gDispInterval = int16_t(interval);
        BuildYearFilter();
        QCOMPARE(gYearFilter, QStringLiteral("年 <= 75"));
        QCOMPARE(gYearFilterSK, QStringLiteral("SK.年 % 5 = 0 AND SK.年 <= 75"));
        QCOMPARE(gYears[15], int16_t(75));
    }

    void errLogLine_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("line");

        const QString t = QStringLiteral("2024/03/05 07:08:09");
        QTest::newRow("padded") << "frmDataList"
                                << "Form_Load"
                                << "エラー" << t + ",frmDataList         ,Form_Load                     ,エラー";
        QTest::newRow("exact widths") << "ABCDEFGHIJKLMNOPQRST"
                                      << "abcdefghijklmnopqrstuvwxyz0123"
                                      << "m" << t + ",ABCDEFGHIJKLMNOPQRST,abcdefghijklmnopqrstuvwxyz0123,m";
        QTest::newRow("too long names kept whole")
            << "ABCDEFGHIJKLMNOPQRSTU"
            << "abcdefghijklmnopqrstuvwxyz01234"
            << "m" << t + ",ABCDEFGHIJKLMNOPQRSTU,abcdefghijklmnopqrstuvwxyz01234,m";
        QTest::newRow("message with commas unchanged")
            << "MDIForm"
            << "ReleaseID"
            << "a, b,c" << t + ",MDIForm             ,ReleaseID                     ,a, b,c";
    }
    void errLogLine()
    {
        QFETCH(QString, object);
        QFETCH(QString, procedure);
        QFETCH(QString, message);
        QTEST(ErrLogLine(QStringLiteral("2024/03/05 07:08:09"), object, procedure, message), "line");
    }

    void errLogAppendsUtf8Lines()
    {
        SetErrLog(QStringLiteral("一つ目"), QStringLiteral("frmType"), QStringLiteral("ClickType"));
        SetErrLog(QStringLiteral("two"), QStringLiteral("MDIForm"), QStringLiteral("lbutAdd_Click"));
        const QByteArray bytes = readFile(QStringLiteral("ErrLog.txt"));
        QVERIFY(bytes.endsWith("\r\n"));
        const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QRegularExpression stamp(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d,"));
        QVERIFY(stamp.match(lines.at(0)).hasMatch());
        QCOMPARE(lines.at(0).mid(20), QStringLiteral("frmType             ,ClickType                     ,一つ目"));
        QCOMPARE(lines.at(1).mid(20), QStringLiteral("MDIForm             ,lbutAdd_Click                 ,two"));
        QVERIFY(shownBoxes().isEmpty());
    }

    // Neither can be written, whoever runs the test; a pipe is not even opened, as it would
    // hold the program up until someone reads it.
    void errLogThatCannotBeWrittenShowsBoxAndGoesOn_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        QTest::newRow("named pipe") << true;
    }
    void errLogThatCannotBeWrittenShowsBoxAndGoesOn()
    {
        QFETCH(bool, pipe);
        const QByteArray log = QFile::encodeName(QDir(m_dir->path()).filePath(QStringLiteral("ErrLog.txt")));
        QCOMPARE(pipe ? ::mkfifo(log.constData(), 0600) : ::mkdir(log.constData(), 0700), 0);
        // A reader, so that a write to the pipe would not wait: nothing may reach it.
        const int reader = pipe ? ::open(log.constData(), O_RDONLY | O_NONBLOCK) : -1;
        MsgBox::setNextAnswer(MsgBox::OK);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("frmSystem.*SaveData.*lost")));
        SetErrLog(QStringLiteral("lost"), QStringLiteral("frmSystem"), QStringLiteral("SaveData"));
        char buffer[64];
        const ssize_t received = pipe ? ::read(reader, buffer, sizeof buffer) : 0;
        if (pipe)
            ::close(reader);
        QCOMPARE(received, ssize_t(0));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("SetErrLog"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QVERIFY(shownBoxes().at(0).prompt.startsWith(QStringLiteral("ファイルへの書込みに失敗しました。\r\n")));
    }

    void settingsFileThatCannotBeWrittenGivesDefaults()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Vanrek.ini")));
        gDispInterval = 3;
        LoadIniSettings();
        QCOMPARE(gTaxRate, 5.0);
        QCOMPARE(gDispInterval, int16_t(1));
        QCOMPARE(gDispSize, int16_t(2));
    }
};

QTEST_GUILESS_MAIN(tst_mdlMain)
#include "tst_mdlMain.moc"
