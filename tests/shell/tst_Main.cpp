#include "mdlMain.h"

#include "Globals.h"
#include "MsgBox.h"
#include "ProgramIcon.h"
#include "SingleInstance.h"
#include "TestDb.h"
#include "TestFiles.h"
#include "Unwritable.h"
#include "cDao.h"
#include "fSplash.h"
#include "frmDataList.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// Start-up from the single-instance check to the property list, and the end.
class tst_Main : public QObject
{
    Q_OBJECT

private:
    static QString file(const QString &folder, const char *name)
    {
        return QDir(folder).filePath(QString::fromUtf8(name));
    }
    static void expectNoDatabaseBox()
    {
        QCOMPARE(MsgBox::history().size(), 1);
        QCOMPARE(MsgBox::history().at(0).prompt, QStringLiteral("Localﾃﾞｰﾀﾍﾞｰｽに接続できません。"));
        QCOMPARE(MsgBox::history().at(0).style, int(MsgBox::Critical));
        QCOMPARE(MsgBox::history().at(0).title, QStringLiteral("Main"));
    }

private Q_SLOTS:
    void init()
    {
        MsgBox::clearHistory();
        MsgBox::setAutoAnswer(true);
    }
    void cleanup()
    {
        EndMain();
        releaseGlobals();
    }

    void missingDatabaseShowsTheBoxAndCreatesNothing()
    {
        QTemporaryDir app;
        setAppPath(app.path());
        QCOMPARE(Main(0), StartResult::NoDatabase);
        expectNoDatabaseBox();
        QVERIFY(!QFile::exists(file(app.path(), "DB/Vanrek.mdb")));
        QVERIFY(!QFile::exists(file(app.path(), "Vanrek.ini")));
        QVERIFY(!MainWindow());
        // The lock went with the failed start: the next start is not taken for a second copy.
        MsgBox::clearHistory();
        QCOMPARE(Main(0), StartResult::NoDatabase);
    }

    void corruptDatabaseShowsTheBoxAndKeepsTheFile()
    {
        QTemporaryDir app;
        setAppPath(app.path());
        QVERIFY(QDir(app.path()).mkdir(QStringLiteral("DB")));
        QFile db(file(app.path(), "DB/Vanrek.mdb"));
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write("this is no database file at all, just text");
        db.close();
        QCOMPARE(Main(0), StartResult::NoDatabase);
        expectNoDatabaseBox();
        QVERIFY(db.open(QIODevice::ReadOnly));
        QCOMPARE(db.readAll(), QByteArray("this is no database file at all, just text"));
    }

    void databaseThatCannotBeWrittenShowsTheBoxAndLogsWhy()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        const QByteArray before = fileBytes(testDb.path());
        {
            // The folder takes no journal: the file opens and reads, but no registration could be stored.
            Unwritable folder(QFileInfo(testDb.path()).path());
            if (!folder.isActive())
                QSKIP(qPrintable(folder.skipReason()));
            QCOMPARE(Main(0), StartResult::NoDatabase);
        }
        expectNoDatabaseBox();
        QVERIFY(!QFile::exists(file(testDb.folder(), "Vanrek.ini")));
        QCOMPARE(fileBytes(testDb.path()), before);
        const QString line = QString::fromUtf8(fileBytes(file(testDb.folder(), "ErrLog.txt")));
        QVERIFY2(line.contains(QStringLiteral(",mdlMain             ,Main")), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral("に書き込めません")), qPrintable(line));
    }

    void databaseLockedByAnotherWriterShowsTheBox()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(testDb.path());
            other.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            gDao().setBusyTimeout(100); // the start gives up on the lock without a long wait
            QCOMPARE(Main(0), StartResult::NoDatabase);
            expectNoDatabaseBox();
            QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }

    void splashShowsConnectingThenCompacting()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        // Read the splash's message while the start waits with events running.
        QStringList seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&seen] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *splash = qobject_cast<fSplash *>(w); splash && splash->isVisible())
                    if (const QString text = splash->labMessage->text();
                        // the form's own text may show for a moment before the first message
                        text != QStringLiteral("しばらくお待ち下さい") && (seen.isEmpty() || seen.last() != text))
                        seen << text;
        });
        poll.start(5);
        QCOMPARE(Main(0.1), StartResult::Started);
        poll.stop();
        QCOMPARE(seen.join(QLatin1Char('|')), QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽに接続しています|ﾃﾞｰﾀﾍﾞｰｽを最適化しています"));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<fSplash *>(w) || !w->isVisible()); // gone once the list shows
    }

    void secondCopyEndsSilently()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        SingleInstance running;
        QVERIFY(running.acquire(testDb.folder()));
        QCOMPARE(Main(0), StartResult::AlreadyRunning);
        QVERIFY(MsgBox::history().isEmpty());
        QVERIFY(!MainWindow());
        QVERIFY(!gDao().isConnected());
        QVERIFY(!QFile::exists(file(testDb.folder(), "Vanrek.ini")));
    }

    void startsToThePropertyList()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        gYearFilter.clear();
        QCOMPARE(Main(0), StartResult::Started);
        QVERIFY(MsgBox::history().isEmpty());
        QVERIFY(gDao().isConnected());
        QCOMPARE(QFileInfo(gDbPath).absoluteFilePath(), QFileInfo(testDb.path()).absoluteFilePath());
        QWidget *list = MainWindow();
        QVERIFY(list);
        QCOMPARE(list->objectName(), QStringLiteral("frmDataList"));
        QVERIFY(list->isVisible());
        QCOMPARE(list->windowTitle(), QStringLiteral("登録物件一覧"));
        // The program's own icon, on every window that has none of its own.
        QCOMPARE(list->windowIcon().pixmap(32).toImage(), programIcon().pixmap(32).toImage());
        QCOMPARE(gTaxRate, 5.0);
        QCOMPARE(gYearFilter, QStringLiteral("年 <= 15"));
        QVERIFY(QFile::exists(file(testDb.folder(), "Vanrek.ini")));
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        SingleInstance second;
        QVERIFY(!second.acquire(testDb.folder()));
        EndMain();
        QVERIFY(second.acquire(testDb.folder()));
    }

    void closingTheListAsksAndEnds()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        QCOMPARE(Main(0), StartResult::Started);
        auto *list = qobject_cast<frmDataList *>(MainWindow());
        QVERIFY(list);
        QSignalSpy ended(list, &frmDataList::shutDown);
        MsgBox::setNextAnswer(MsgBox::No);
        QVERIFY(!list->close());
        QVERIFY(list->isVisible());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(MsgBox::history().last().prompt, QStringLiteral("システムを終了しますか？"));
        QCOMPARE(MsgBox::history().last().title, QStringLiteral("Vanrek"));
        QCOMPARE(MsgBox::history().last().style, int(MsgBox::YesNo | MsgBox::Information));
        QVERIFY(gDao().isConnected());

        MsgBox::setNextAnswer(MsgBox::Yes);
        QVERIFY(list->close());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!gDao().isConnected());
    }
};

QTEST_MAIN(tst_Main)
#include "tst_Main.moc"
