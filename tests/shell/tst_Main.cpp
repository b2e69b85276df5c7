#include "mdlMainStart.h"

#include "ChildProcess.h"
#include "DesktopServices.h"
#include "Globals.h"
#include "MsgBox.h"
#include "ProgramIcon.h"
#include "RealMessageBoxes.h"
#include "RegistryStore.h"
#include "SettingsFile.h"
#include "ShownBoxes.h"
#include "SingleInstance.h"
#include "TestDb.h"
#include "TestFiles.h"
#include "Unwritable.h"
#include "cDao.h"
#include "cIni.h"
#include "fSplash.h"
#include "frmDataList.h"
#include "mdlMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <csignal>

#include <unistd.h>

// Start-up from the single-instance check to the property list, and the end.
class tst_Main : public QObject
{
    Q_OBJECT

private:
    static QString file(const QString &folder, const char *name)
    {
        return QDir(folder).filePath(QString::fromUtf8(name));
    }
    static void execOn(const QString &path, const QString &sql)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY2(QSqlQuery(db).exec(sql), qPrintable(sql));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("edit"));
    }
    static QString errLog(const QString &folder) { return QString::fromUtf8(fileBytes(file(folder, "ErrLog.txt"))); }
    /// The files the process holds an flock on: its lock files, whatever their names.
    static QStringList heldLocks(pid_t pid)
    {
        QStringList held;
        const QString proc = QStringLiteral("/proc/%1/").arg(pid);
        for (const QString &fd : QDir(proc + QStringLiteral("fdinfo")).entryList(QDir::Files))
            if (fileBytes(proc + QStringLiteral("fdinfo/") + fd).contains(" FLOCK "))
                held << QFile::symLinkTarget(proc + QStringLiteral("fd/") + fd);
        return held;
    }
    static void expectNoDatabaseBox()
    {
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, QStringLiteral("Localﾃﾞｰﾀﾍﾞｰｽに接続できません。"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("Main"));
    }

private Q_SLOTS:
    void init()
    {
        clearShownBoxes();
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
        clearShownBoxes();
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
        // The user's words for the engine's failure, the engine's own after them.
        QVERIFY2(line.contains(QStringLiteral("に書き込めません。データベースファイルを開けません。 "
                                              "(unable to open database file")),
                 qPrintable(line));
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

    void damagedDatabaseShowsTheBox_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("missing");
        QTest::newRow("a table") << "DROP TABLE D_店舗"
                                 << "表 D_店舗 を読めません。データベースの処理中にエラーが発生しました。 "
                                    "(no such table: D_店舗";
        QTest::newRow("a column of the parking plans") << "ALTER TABLE D_駐車場 DROP COLUMN 料金2"
                                                       << "料金2";
        QTest::newRow("a column of the properties") << "ALTER TABLE D_物件 DROP COLUMN 評価額"
                                                    << "評価額";
        QTest::newRow("a column of the results") << "ALTER TABLE T_損益計算 DROP COLUMN 支出9"
                                                 << "支出9";
    }

    void damagedDatabaseShowsTheBox()
    {
        QFETCH(QString, damage);
        QFETCH(QString, missing);
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        execOn(testDb.path(), damage);
        const QByteArray before = fileBytes(testDb.path());
        QCOMPARE(Main(0), StartResult::NoDatabase);
        expectNoDatabaseBox();
        QCOMPARE(fileBytes(testDb.path()), before);
        QVERIFY(!QFile::exists(file(testDb.folder(), "Vanrek.ini")));
        const QString log = errLog(testDb.folder());
        QVERIFY2(log.contains(QStringLiteral(",mdlMain             ,Main")) && log.contains(missing), qPrintable(log));
    }

    void withoutPrinterSettingsTheProgramStarts()
    {
        // Printing reports a missing printer table itself.
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        execOn(testDb.path(), QStringLiteral("DROP TABLE M_Printer"));
        QCOMPARE(Main(0), StartResult::Started);
        QVERIFY(shownBoxes().isEmpty());
        EndMain();
    }

    void lockThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("wholeFolder");
        QTest::addColumn<bool>("connects");
        // A killed copy's lock file that cannot be written: nobody holds it, so it is taken.
        QTest::newRow("lock file") << false << true;
        // No lock can be made in the folder: the reason is logged, the temporary folder's lock
        // taken, and the connection then says what fails.
        QTest::newRow("DB folder") << true << false;
    }

    void lockThatCannotBeWritten()
    {
        QFETCH(bool, wholeFolder);
        QFETCH(bool, connects);
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        const QString lock = file(testDb.folder(), "DB/Vanrek.lock");
        if (!wholeFolder)
            QVERIFY(writeFileBytes(lock, "999999999\n"));
        {
            Unwritable stuck(wholeFolder ? QFileInfo(lock).path() : lock);
            if (!stuck.isActive())
                QSKIP(qPrintable(stuck.skipReason()));
            QCOMPARE(Main(0), connects ? StartResult::Started : StartResult::NoDatabase);
            if (connects) {
                SingleInstance second;
                QVERIFY(!second.acquire(testDb.folder()));
                QCOMPARE(second.lockPath(), lock);
            }
            EndMain();
        }
        const QString log = errLog(testDb.folder());
        QCOMPARE(log.contains(lock), wholeFolder);
        QVERIFY2(connects || log.contains(QStringLiteral(",mdlMain             ,Main")), qPrintable(log));
    }

    void damagedFileIsToldAtStart_data()
    {
        QTest::addColumn<bool>("headerOverwritten");
        QTest::addColumn<QString>("logged");
        QTest::newRow("a page's header overwritten") << true << "error code 11";
        QTest::newRow("a leaf page's cell count halved") << false << "Fragmentation";
    }

    // Rows that cannot be read: the user is told, the file is left as it was (a compaction
    // would keep only the rows a scan still reaches), and the program goes on so that what
    // can still be read stays usable.
    void damagedFileIsToldAtStart()
    {
        QFETCH(bool, headerOverwritten);
        QFETCH(QString, logged);
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        execOn(testDb.path(),
               QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                              "300) INSERT INTO D_物件 SELECT i, '物件' || i, 100, 200, 1.4, 0.3 FROM n"));
        QVERIFY(damageLeaf(testDb.path(), QStringLiteral("D_物件"),
                           headerOverwritten ? LeafDamage::Header : LeafDamage::HalvedCells));
        const QByteArray before = fileBytes(testDb.path());
        QCOMPARE(Main(0), StartResult::Started);
        QCoreApplication::processEvents(); // the list, which cannot read its rows either, does not tell it again
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(boxText(shownBoxes().first()), damagedFileBox(testDb.path()));
        QVERIFY(MainWindow() && MainWindow()->isVisible());
        EndMain();
        QCOMPARE(fileBytes(testDb.path()), before);
        const QString log = errLog(testDb.folder());
        QVERIFY2(log.contains(QStringLiteral(",mdlMain             ,CompactDatabase")) && log.contains(logged),
                 qPrintable(log));
    }

    // The splash keeps itself above other windows: it steps aside while a box is open, so that
    // the box is not hidden behind it. A log that cannot be written adds its own box.
    void boxesDuringTheStartAreNotCoveredBySplash()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        QVERIFY(damageTable(testDb.path(), QStringLiteral("T_収支")));
        QVERIFY(QDir(testDb.folder()).mkdir(QStringLiteral("ErrLog.txt")));
        // Each box as it waits for its answer.
        const RealMessageBoxes boxes([](const QMessageBox &box) {
            bool covered = false;
            for (QWidget *w : QApplication::topLevelWidgets())
                covered = covered || (qobject_cast<fSplash *>(w) && w->isVisible());
            return box.windowTitle() + (covered ? QStringLiteral(" under the splash") : QString());
        });
        QCOMPARE(Main(0), StartResult::Started);
        QCOMPARE(boxes.answered(), QStringList({"SetErrLog", "Vanrek"}));
    }

    void splashShowsConnectingThenCompacting()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        // Each message as the start puts it on the splash.
        QStringList seen;
        setSplashRecorder([&seen](const fSplash &splash) {
            seen << splash.labMessage->text() + (splash.isVisible() ? QString() : QStringLiteral(" (hidden)"));
        });
        const auto forget = qScopeGuard([] { setSplashRecorder({}); });
        QCOMPARE(Main(0), StartResult::Started);
        QCOMPARE(seen.join(QLatin1Char('|')), QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽに接続しています|ﾃﾞｰﾀﾍﾞｰｽを最適化しています"));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<fSplash *>(w) || !w->isVisible()); // gone once the list shows
    }

    // A running copy ends this one silently; where no lock can be used, a copy does not
    // start either, and says so.
    void secondCopyEndsBeforeTheSplash_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("a copy runs") << true;
        QTest::newRow("neither lock can be used") << false;
    }

    void secondCopyEndsBeforeTheSplash()
    {
        QFETCH(bool, running);
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        SingleInstance other;
        QString planted;
        if (running) {
            QVERIFY(other.acquire(testDb.folder()));
        } else {
            // A link in the DB folder's place, and one at the temporary lock's name.
            const QString dbLock = file(testDb.folder(), "DB/Vanrek.lock");
            QVERIFY(QFile::link(file(testDb.folder(), "nothing"), dbLock));
            QVERIFY(other.acquire(testDb.folder()));
            planted = other.lockPath();
            other.release();
            QVERIFY(QFile::link(file(testDb.folder(), "nothing"), planted));
        }
        const StartResult result = Main(0);
        if (!planted.isEmpty())
            QFile::remove(planted);
        QCOMPARE(result, running ? StartResult::AlreadyRunning : StartResult::NoLock);
        if (running) {
            QVERIFY(shownBoxes().isEmpty());
        } else {
            QCOMPARE(shownBoxes().size(), 1);
            QCOMPARE(shownBoxes().at(0).prompt,
                     QStringLiteral("二重起動を確認できないため、システムを起動できません。"));
            QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
            QCOMPARE(shownBoxes().at(0).title, QStringLiteral("Main"));
            const QString log = errLog(testDb.folder());
            QVERIFY2(log.contains(QStringLiteral(",mdlMain             ,Main")) && log.contains(planted),
                     qPrintable(log));
        }
        QVERIFY(!MainWindow());
        QVERIFY(!gDao().isConnected());
        QVERIFY(!QFile::exists(file(testDb.folder(), "Vanrek.ini")));
    }

    // A save of "Vanrek.ini" or "Vanrek.reg" cut by a kill or a crash leaves its new file
    // beside the file, under the save's own name. The next copy removes such files once it
    // holds the lock, and nothing else: no file it cannot tell for one of them.
    void startRemovesWhatACutSaveLeft_data()
    {
        QTest::addColumn<bool>("otherCopyRuns");
        QTest::newRow("the lock taken") << false;
        QTest::newRow("another copy runs, perhaps saving") << true;
    }

    void startRemovesWhatACutSaveLeft()
    {
        QFETCH(bool, otherCopyRuns);
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        RegistryStore::setFilePath(file(testDb.folder(), "Vanrek.reg"));
        const auto restore = qScopeGuard([] { RegistryStore::setFilePath(QString()); });
        // Saves of both files cut where a kill leaves their new files: before the rename.
        SettingsFile::setBeforeRename([] { return false; });
        gIni().setPro_IniPath(IniPath());
        QVERIFY(!gIni().SetIni(QStringLiteral("SETTING"), QStringLiteral("サイズ"), 3));
        QVERIFY(!RegistryStore().createKey(QStringLiteral("HKEY_CURRENT_USER\\Software")));
        SettingsFile::setBeforeRename(nullptr);
        const QStringList leftovers =
            QDir(testDb.folder()).entryList({QStringLiteral(".Vanrek.*")}, QDir::Files | QDir::Hidden);
        QCOMPARE(leftovers.size(), 2);
        const QString notes = file(testDb.folder(), "notes.txt");
        QVERIFY(writeFileBytes(notes, "the user's own notes\n"));
        // Today's build's own leftovers (a name and six letters) cannot be told from these.
        QStringList kept{QStringLiteral("Vanrek.ini.backup"), QStringLiteral("Vanrek.ini.BACKUP"),
                         QStringLiteral("Vanrek.ini.kQzTbW"), QStringLiteral("Vanrek.reg.PmXaRe"),
                         QStringLiteral("Vanrek.ini.kQzTb"),  QStringLiteral("Vanrek.ini.kQzTbWx"),
                         QStringLiteral("Vanrek.ini.kQ2TbW"), QStringLiteral("Other.ini.kQzTbW"),
                         QStringLiteral("Vanrek.ini.Backup"), QStringLiteral("Vanrek.reg.Before")};
        for (const QString &name : std::as_const(kept))
            QVERIFY(writeFileBytes(QDir(testDb.folder()).filePath(name), "kept\n"));
        // Under such a name, but a link to the user's file, a second name of it, a folder.
        const QString marked = file(testDb.folder(), ".Vanrek.ini.saving.0123456789abcde");
        QVERIFY(QFile::link(notes, marked + 'f'));
        QCOMPARE(::link(QFile::encodeName(notes).constData(), QFile::encodeName(marked + 'e').constData()), 0);
        QVERIFY(QDir().mkdir(marked + 'd'));
        for (const char last : {'f', 'e', 'd'})
            kept << QFileInfo(marked + last).fileName();

        SingleInstance other;
        if (otherCopyRuns)
            QVERIFY(other.acquire(testDb.folder()));
        QCOMPARE(Main(0), otherCopyRuns ? StartResult::AlreadyRunning : StartResult::Started);
        EndMain();
        for (const QString &name : leftovers)
            QVERIFY2(QFileInfo::exists(QDir(testDb.folder()).filePath(name)) == otherCopyRuns, qPrintable(name));
        for (const QString &name : std::as_const(kept))
            QVERIFY2(QFileInfo::exists(QDir(testDb.folder()).filePath(name)), qPrintable(name));
        QCOMPARE(fileBytes(notes), QByteArray("the user's own notes\n"));
    }

    void startsToThePropertyList()
    {
        TestDb testDb;
        QVERIFY(testDb.isValid());
        setAppPath(testDb.folder());
        gYearFilter.clear();
        QCOMPARE(Main(0), StartResult::Started);
        QVERIFY(shownBoxes().isEmpty());
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

    // The system ends the program (a kill, a closed terminal, its own shutdown, Ctrl+C):
    // nothing more is asked, the connection closes with what was not committed rolled back,
    // the locks are given back and removed, and the program exits with 128 + the signal's
    // number. A signal during the start or while a box waits for its answer ends it the
    // same way.
    void signalEndsTheProgramAndGivesBackItsFiles_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("code");
        QTest::newRow("SIGTERM during the start's wait") << "start" << int(SIGTERM) << 143;
        QTest::newRow("SIGHUP with the list shown and a transaction open") << "transaction" << int(SIGHUP) << 129;
        QTest::newRow("SIGINT while the exit question waits") << "question" << int(SIGINT) << 130;
    }

    void signalEndsTheProgramAndGivesBackItsFiles()
    {
        QFETCH(QString, when);
        QFETCH(int, signal);
        QFETCH(int, code);
        if (const QString folder = QFile::decodeName(testChildValue()); !folder.isEmpty()) {
            // The program's start and its event loop, as main() runs them; the wait of ten
            // minutes holds the start on the splash until the signal comes.
            setAppPath(folder);
            try {
                if (Main(when == QLatin1String("start") ? 600 : 0) != StartResult::Started)
                    ::_exit(90);
                if (when == QLatin1String("transaction")) {
                    gDao().BeginTrans();
                    gDao().exec(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, '未登録')"));
                }
                if (!writeFileBytes(file(folder, "ready"), QByteArray()))
                    ::_exit(91);
                if (when == QLatin1String("question")) {
                    installDesktopServices(); // Qt's own box, which waits for an answer
                    MsgBox::setAutoAnswer(false);
                    MainWindow()->close();
                } else {
                    QApplication::exec();
                }
            } catch (...) {
            }
            ::_exit(92);
        }
        TestDb testDb;
        QVERIFY(testDb.isValid());
        const pid_t child = startTestChild(QFile::encodeName(testDb.folder()));
        QVERIFY(child > 0);
        const bool waitsAtStart = when == QLatin1String("start");
        QStringList locks;
        for (int waited = 0; waited < 60000; waited += 10) {
            QThread::msleep(10);
            locks = heldLocks(child);
            if (locks.size() == 2 && (waitsAtStart || QFile::exists(file(testDb.folder(), "ready"))))
                break;
        }
        QCOMPARE(locks.size(), 2);
        ::kill(child, signal);
        QCOMPARE(childEnd(child), QStringLiteral("exit %1").arg(code));
        for (const QString &lock : std::as_const(locks))
            QVERIFY2(!QFileInfo::exists(lock), qPrintable(lock));
        // Closed: no journal of the transaction is left for the next start to roll back.
        QVERIFY(!QFileInfo::exists(testDb.path() + QStringLiteral("-journal")));
        QVERIFY(testDb.connectGlobal());
        QCOMPARE(gDao().query(QStringLiteral("SELECT COUNT(*) FROM D_物件")).value(0, 0).toInt(), 0);
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
        QCOMPARE(shownBoxes().last().prompt, QStringLiteral("システムを終了しますか？"));
        QCOMPARE(shownBoxes().last().title, QStringLiteral("Vanrek"));
        QCOMPARE(shownBoxes().last().style, int(MsgBox::YesNo | MsgBox::Information));
        QVERIFY(gDao().isConnected());

        MsgBox::setNextAnswer(MsgBox::Yes);
        QVERIFY(list->close());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!gDao().isConnected());
    }
};

QTEST_MAIN(tst_Main)
#include "tst_Main.moc"
