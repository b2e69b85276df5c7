#include "DaoTransaction.h"
#include "DbBuilder.h"
#include "ErrorTrap.h"
#include "FileSizeLimit.h"
#include "MsgBox.h"
#include "ShownBoxes.h"
#include "TestDb.h"
#include "TestFiles.h"
#include "Unwritable.h"
#include "VbRuntime.h"
#include "WriteLock.h"
#include "cDao.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_cDao : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void connectRefusesBadFiles_data();
    void connectRefusesBadFiles();
    void connectRefusesADatabaseItCannotWrite_data();
    void connectRefusesADatabaseItCannotWrite();
    void connectWritesNothing();
    void freshDatabaseHasTablesAndMasters();
    void workAndStoredRowTablesMatch_data();
    void workAndStoredRowTablesMatch();
    void executeCountsRows();
    void executeCountsOnlyItsOwnChanges_data();
    void executeCountsOnlyItsOwnChanges();
    void recordsets();
    void lookup();
    void failuresAreToldInJapanese_data();
    void failuresAreToldInJapanese();
    void transactionsRollBack();
    void nestedTransactions();
    void engineRollbackEndsTheTransaction_data();
    void engineRollbackEndsTheTransaction();
    void compactRefusedInTransaction();
    void repairReportsCorruption();
    void builderNeverOverwrites();
    void heldWriteLockFailsAfterTheBusyTimeout();
};

void tst_cDao::initTestCase()
{
    MsgBox::setAutoAnswer(true);
}

void tst_cDao::connectRefusesBadFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("empty") << "empty";
    QTest::newRow("not a database") << "garbage";
    QTest::newRow("read-only") << "readonly";
}

void tst_cDao::connectRefusesBadFiles()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB/Vanrek.mdb"));
    if (kind == QLatin1String("readonly")) {
        QVERIFY(createTestDatabase(path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        if (QFileInfo(path).isWritable())
            QSKIP("running with rights that ignore file permissions");
    } else if (kind != QLatin1String("missing")) {
        QDir().mkpath(dir.filePath(QStringLiteral("DB")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("garbage"))
            f.write(QByteArray(4096, 'x'));
    }
    cDao dao;
    QVERIFY(!dao.Connect(path, false));
    QVERIFY(!dao.isConnected());
    if (kind == QLatin1String("missing"))
        QVERIFY(!QFile::exists(path)); // nothing created
    QCOMPARE(dao.Execute(QStringLiteral("SELECT 1"), 128), -1);
    QVERIFY(!dao.OpenRecordset(QStringLiteral("SELECT 1")));
}

void tst_cDao::connectRefusesADatabaseItCannotWrite_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only file") << "file";
    QTest::newRow("folder takes no journal") << "folder";
    QTest::newRow("writes refused by the system") << "system";
}

// Such a database opens and reads; it has to fail at the start, not at the first registration.
void tst_cDao::connectRefusesADatabaseItCannotWrite()
{
    QFETCH(QString, kind);
    TestDb db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    const QByteArray before = fileBytes(db.path());
    std::unique_ptr<Unwritable> unwritable;
    std::unique_ptr<FileSizeLimit> noGrowth;
    if (kind == QLatin1String("system")) {
        noGrowth = std::make_unique<FileSizeLimit>();
    } else {
        unwritable =
            std::make_unique<Unwritable>(kind == QLatin1String("file") ? db.path() : QFileInfo(db.path()).path());
        if (!unwritable->isActive())
            QSKIP(qPrintable(unwritable->skipReason()));
    }
    cDao dao;
    dao.setBusyTimeout(100);
    const bool connected = dao.Connect(db.path(), false);
    noGrowth.reset();
    unwritable.reset();
    QVERIFY(!connected);
    QVERIFY(!dao.isConnected());
    QVERIFY2(dao.lastError().contains(db.path()), qPrintable(dao.lastError()));
    QCOMPARE(fileBytes(db.path()), before);
    QVERIFY(!QFile::exists(db.path() + QStringLiteral("-journal")));
}

void tst_cDao::connectWritesNothing()
{
    TestDb db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    const QByteArray before = fileBytes(db.path());
    cDao dao;
    QVERIFY2(dao.Connect(db.path(), false), qPrintable(dao.lastError()));
    dao.Disconnect();
    QCOMPARE(fileBytes(db.path()), before);
    QVERIFY(!QFile::exists(db.path() + QStringLiteral("-journal")));
}

void tst_cDao::freshDatabaseHasTablesAndMasters()
{
    TestDb db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    const QStringList tables = dao.CurrentDB().tables();
    for (const char *t : {"D_物件", "D_駐車場", "D_賃貸マンション", "D_店舗", "W_家賃", "D_家賃", "W_借入金",
                          "D_借入金", "T_収支", "T_収支計画", "T_損益計算", "M_償却", "K_返済方式", "M_Printer"})
        QVERIFY2(tables.contains(QString::fromUtf8(t)), t);
    QCOMPARE(dao.Lookup(QStringLiteral("K_返済方式"), QStringLiteral("名称"), QStringLiteral("ID = 0")).toString(),
             QStringLiteral("元利均等"));
    QCOMPARE(dao.Lookup(QStringLiteral("K_返済方式"), QStringLiteral("名称"), QStringLiteral("ID = 1")).toString(),
             QStringLiteral("元金均等"));
    // Statutory rates: 47 years 0.048 / 0.022, 22 years 0.099 / 0.046, lives 2 to 100.
    QCOMPARE(dao.Lookup(QStringLiteral("M_償却"), QStringLiteral("定率法"), QStringLiteral("償却年数 = 47")).toDouble(),
             0.048);
    QCOMPARE(dao.Lookup(QStringLiteral("M_償却"), QStringLiteral("定額法"), QStringLiteral("償却年数 = 47")).toDouble(),
             0.022);
    QCOMPARE(dao.Lookup(QStringLiteral("M_償却"), QStringLiteral("定率法"), QStringLiteral("償却年数 = 22")).toDouble(),
             0.099);
    QCOMPARE(dao.Lookup(QStringLiteral("M_償却"), QStringLiteral("定額法"), QStringLiteral("償却年数 = 22")).toDouble(),
             0.046);
    QCOMPARE(
        dao.Lookup(QStringLiteral("M_償却"), QStringLiteral("COUNT(*)"), QStringLiteral("償却年数 BETWEEN 2 AND 100"))
            .toInt(),
        99);
}

void tst_cDao::workAndStoredRowTablesMatch_data()
{
    QTest::addColumn<QString>("work");
    QTest::addColumn<QString>("stored");
    QTest::newRow("rent rows") << QStringLiteral("W_家賃") << QStringLiteral("D_家賃");
    QTest::newRow("loan rows") << QStringLiteral("W_借入金") << QStringLiteral("D_借入金");
}

void tst_cDao::workAndStoredRowTablesMatch()
{
    // Rows are copied between the two with SELECT *, so the columns must line up.
    QFETCH(QString, work);
    QFETCH(QString, stored);
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    QCOMPARE(dao.CurrentDB().record(work).count(), dao.CurrentDB().record(stored).count());
    for (int i = 0; i < dao.CurrentDB().record(work).count(); ++i)
        QCOMPARE(dao.CurrentDB().record(work).fieldName(i), dao.CurrentDB().record(stored).fieldName(i));
}

void tst_cDao::executeCountsRows()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, 'a')"), 128), 1);
    QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (2, 'b')"), 128), 1);
    QCOMPARE(dao.Execute(QStringLiteral("UPDATE D_物件 SET 物件名 = 'c'"), 128), 2);
    QCOMPARE(dao.Execute(QStringLiteral("UPDATE D_物件 SET 物件名 = 'd' WHERE ID1 = 99"), 128), 0);
    QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)"), 128), -1); // duplicate key
    QCOMPARE(dao.Execute(QStringLiteral("UPDATE nosuchtable SET x = 1"), 128), -1);
    QCOMPARE(dao.Execute(QStringLiteral("DELETE FROM D_物件 WHERE ID1 mod 2 = 0"), 128), 1); // translated mod
}

void tst_cDao::executeCountsOnlyItsOwnChanges_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("count");
    // Each statement runs right after an update of 3 rows.
    QTest::newRow("query") << "SELECT * FROM D_物件" << 0;
    QTest::newRow("query of nothing") << "SELECT * FROM D_物件 WHERE ID1 = 99" << 0;
    QTest::newRow("table made") << "CREATE TABLE X_一時 (a INTEGER)" << 0;
    QTest::newRow("table dropped") << "DROP TABLE M_Printer" << 0;
    QTest::newRow("index made") << "CREATE INDEX x_name ON D_物件 (物件名)" << 0;
    QTest::newRow("setting read") << "PRAGMA user_version" << 0;
    QTest::newRow("update of none") << "UPDATE D_物件 SET 物件名 = 'e' WHERE ID1 = 99" << 0;
    QTest::newRow("delete of 2") << "DELETE FROM D_物件 WHERE ID1 >= 2" << 2;
    QTest::newRow("insert of 3 from a query") << "INSERT INTO D_物件 (ID1) SELECT ID1 + 10 FROM D_物件" << 3;
    QTest::newRow("failing query") << "SELECT * FROM nosuchtable" << -1;
}

void tst_cDao::executeCountsOnlyItsOwnChanges()
{
    QFETCH(QString, sql);
    QFETCH(int, count);
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    for (int id = 1; id <= 3; ++id)
        QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (%1, 'a')").arg(id), 128), 1);
    QCOMPARE(dao.Execute(QStringLiteral("UPDATE D_物件 SET 物件名 = 'b'"), 128), 3);
    QCOMPARE(dao.Execute(sql, 128), count);
}

void tst_cDao::recordsets()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    QVERIFY(!dao.OpenRecordset(QStringLiteral("SELEC broken")));
    auto empty = dao.OpenRecordset(QStringLiteral("SELECT * FROM D_物件"));
    QVERIFY(empty);
    QVERIFY(empty->isEOF());
    QVERIFY(!dao.IsRecordsetReady(empty.get()));
    QVERIFY_THROWS_EXCEPTION(DaoError, empty->Fields(QStringLiteral("ID1")));

    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名, 敷地面積) VALUES (1, 'x', NULL)"), 128);
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名, 敷地面積) VALUES (2, 'y', 12.5)"), 128);
    auto rs = dao.OpenRecordset(QStringLiteral("SELECT * FROM D_物件 ORDER BY ID1"));
    QVERIFY(rs);
    QCOMPARE(dao.RecordCount(rs.get()), 2);
    QVERIFY(dao.IsRecordsetReady(rs.get()));
    QVERIFY(vb::isNull(rs->Fields(QStringLiteral("敷地面積"))));
    rs->MoveNext();
    QCOMPARE(rs->Fields(QStringLiteral("敷地面積")).toDouble(), 12.5);
    QCOMPARE(rs->Fields(QStringLiteral("物件名")).toString(), QStringLiteral("y"));
    QVERIFY_THROWS_EXCEPTION(DaoError, rs->Fields(QStringLiteral("料金2")));
    rs->MoveNext();
    QVERIFY(rs->isEOF());
}

void tst_cDao::lookup()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    QVERIFY(vb::isNull(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)"))));
    bool ok = false;
    QVERIFY(vb::isNull(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("物件名"), QStringLiteral("ID1 = 5"), &ok)));
    QVERIFY(ok); // no row
    QVERIFY(vb::isNull(dao.Lookup(QStringLiteral("nosuch"), QStringLiteral("x"), QString(), &ok)));
    QVERIFY(!ok);
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (7)"), 128);
    QCOMPARE(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)")).toInt(), 7);
    QVERIFY(vb::isNull(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("物件名"), QStringLiteral("ID1 = 7"))));
}

void tst_cDao::failuresAreToldInJapanese_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");   // the DaoError's text and lastError()
    QTest::addColumn<QString>("logged"); // the error-log line's message
    const QString full = QStringLiteral("ディスクの空き容量が不足しています。");
    const QString busy = QStringLiteral("データベースは他のプログラムが使用中です。");
    const QString readOnly = QStringLiteral("データベースは読み取り専用のため書き込めません。");
    const QString io = QStringLiteral("データベースファイルの読み書き中にエラーが発生しました。");
    const QString damaged = QStringLiteral("データベースファイルが壊れています。");
    const QString notDb = QStringLiteral("データベースファイルではありません。");
    const QString cantOpen = QStringLiteral("データベースファイルを開けません。");
    const QString constraint = QStringLiteral("データベースの制約に違反するため、処理できません。");
    const QString other = QStringLiteral("データベースの処理中にエラーが発生しました。");
    const QString closed = QStringLiteral("データベースが開かれていません。");
    // The engine's words, then the driver's for a statement that failed while it ran.
    QTest::newRow("disk full") << "full" << full << full + " (database or disk is full Unable to fetch row)";
    QTest::newRow("locked by another program")
        << "locked" << busy << busy + " (database is locked Unable to fetch row)";
    QTest::newRow("read-only") << "readonly" << readOnly
                               << readOnly + " (attempt to write a readonly database Unable to fetch row)";
    QTest::newRow("I/O error") << "io" << io << io + " (disk I/O error Unable to fetch row)";
    QTest::newRow("damaged file") << "damaged" << damaged
                                  << damaged + " (database disk image is malformed Unable to fetch row)";
    QTest::newRow("not a database") << "notadb" << notDb << notDb + " (file is not a database Unable to fetch row)";
    QTest::newRow("folder takes no journal")
        << "cantopen" << cantOpen << cantOpen + " (unable to open database file Unable to fetch row)";
    QTest::newRow("duplicate key") << "constraint" << constraint
                                   << constraint + " (UNIQUE constraint failed: D_物件.ID1 Unable to fetch row)";
    QTest::newRow("anything else") << "other" << other
                                   << other + " (no such table: nosuchtable Unable to execute statement)";
    // The program's own errors keep their words.
    QTest::newRow("no connection") << "closed" << closed << closed;
}

// What the engine says is the user's to read in Japanese; the log keeps the engine's words too.
void tst_cDao::failuresAreToldInJapanese()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, logged);
    TestDb db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    if (kind == QLatin1String("damaged"))
        QVERIFY(damageTable(db.path(), QStringLiteral("D_物件")));
    cDao dao;
    if (kind != QLatin1String("closed"))
        QVERIFY2(dao.Connect(db.path()), qPrintable(dao.lastError()));
    QCOMPARE(dao.Execute(QStringLiteral("SELECT * FROM nosuchtable")), -1); // an earlier failure, told apart
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)"));
    std::unique_ptr<WriteLock> lock;
    std::unique_ptr<FileSizeLimit> noGrowth;
    std::unique_ptr<Unwritable> noJournal;
    QString sql = QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (2, hex(randomblob(100000)))");
    if (kind == QLatin1String("full")) {
        QSqlQuery(dao.CurrentDB()).exec(QStringLiteral("PRAGMA max_page_count = 1")); // no page beyond the file's
    } else if (kind == QLatin1String("locked")) {
        dao.setBusyTimeout(0);
        lock = std::make_unique<WriteLock>(db.path());
        QVERIFY(lock->isHeld());
    } else if (kind == QLatin1String("readonly")) {
        QSqlQuery(dao.CurrentDB()).exec(QStringLiteral("PRAGMA query_only = 1"));
    } else if (kind == QLatin1String("io")) {
        noGrowth = std::make_unique<FileSizeLimit>();
    } else if (kind == QLatin1String("damaged")) {
        sql = QStringLiteral("SELECT * FROM D_物件");
    } else if (kind == QLatin1String("notadb")) {
        QFile file(db.path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.write(QByteArray(100, 'x')), 100); // the header the engine checks
    } else if (kind == QLatin1String("cantopen")) {
        noJournal = std::make_unique<Unwritable>(db.folder() + QStringLiteral("/DB"));
        if (!noJournal->isActive())
            QSKIP(qPrintable(noJournal->skipReason()));
    } else if (kind == QLatin1String("constraint")) {
        sql = QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)");
    } else if (kind == QLatin1String("other")) {
        sql = QStringLiteral("SELECT * FROM nosuchtable");
    }
    QStringList log;
    setErrLogWriter([&log](const QString &message, const QString &, const QString &) { log << message; });
    const auto restore = qScopeGuard([] { setErrLogWriter(nullptr); });
    QString thrown;
    trapErrors(QStringLiteral("tst_cDao"), QStringLiteral("exec"), [&] {
        try {
            dao.exec(sql);
        } catch (const DaoError &e) {
            thrown = e.text();
            throw;
        }
    });
    noGrowth.reset();
    noJournal.reset();
    QCOMPARE(thrown, text);
    QCOMPARE(dao.lastError(), text);
    QCOMPARE(log, QStringList{logged});
}

void tst_cDao::transactionsRollBack()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    dao.BeginTrans();
    QVERIFY(dao.inTransaction());
    QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)"), 128), 1);
    dao.RollbackTrans();
    QVERIFY(vb::isNull(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)"))));

    dao.BeginTrans();
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (2)"), 128);
    dao.CommitTrans();
    // A second connection (another process in real life) sees the committed row.
    cDao other;
    QVERIFY(other.Connect(db.path(), false));
    QCOMPARE(other.Lookup(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)")).toInt(), 2);
    QVERIFY_THROWS_EXCEPTION(DaoError, dao.CommitTrans());
    QVERIFY_THROWS_EXCEPTION(DaoError, dao.RollbackTrans());
}

void tst_cDao::nestedTransactions()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    dao.BeginTrans();
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)"), 128);
    dao.BeginTrans();
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (2)"), 128);
    dao.RollbackTrans(); // undoes only the inner insert
    dao.CommitTrans();
    QCOMPARE(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("COUNT(*)")).toInt(), 1);
    QVERIFY(!dao.inTransaction());
}

void tst_cDao::engineRollbackEndsTheTransaction_data()
{
    QTest::addColumn<bool>("throughDao");
    QTest::addColumn<int>("levels");
    QTest::newRow("statement of the connection") << true << 1;
    QTest::newRow("statement past the connection") << false << 1;
    QTest::newRow("nested transaction") << true << 2;
}

void tst_cDao::engineRollbackEndsTheTransaction()
{
    // A full disk: the engine rolls the whole transaction back by itself.
    QFETCH(bool, throughDao);
    QFETCH(int, levels);
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path()));
    QStringList logged;
    setErrLogWriter([&logged](const QString &message, const QString &, const QString &) { logged << message; });
    const auto restore = qScopeGuard([] { setErrLogWriter(nullptr); });
    QSqlQuery(dao.CurrentDB()).exec(QStringLiteral("PRAGMA max_page_count = 1")); // no page beyond the file's
    const QString tooBig = QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (2, hex(randomblob(100000)))");
    {
        std::vector<std::unique_ptr<DaoTransaction>> open;
        for (int i = 0; i < levels; ++i)
            open.push_back(std::make_unique<DaoTransaction>(dao));
        QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (1)")), 1);
        if (throughDao)
            QCOMPARE(dao.Execute(tooBig), -1);
        else
            QVERIFY(!QSqlQuery(dao.CurrentDB()).exec(tooBig));
        QVERIFY(!dao.inTransaction());
        QVERIFY_THROWS_EXCEPTION(DaoError, open.back()->commit());
        while (!open.empty())
            open.pop_back(); // each level's rollback finds nothing left to undo
    }
    QCOMPARE(logged, QStringList());
    {
        DaoTransaction next(dao);
        QVERIFY(dao.inTransaction());
        QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (3)")), 1);
        next.commit();
    }
    QVERIFY(!dao.inTransaction());
    QCOMPARE(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)")).toInt(), 3);
    QCOMPARE(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("COUNT(*)")).toInt(), 1);
}

void tst_cDao::compactRefusedInTransaction()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    for (int i = 1; i <= 200; ++i)
        dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (%1, '%2')").arg(i).arg(QString(200, 'x')),
                    128);
    dao.Execute(QStringLiteral("DELETE FROM D_物件 WHERE ID1 > 1"), 128);

    dao.BeginTrans();
    QVERIFY(!dao.CompactDatabase(db.path()));
    QCOMPARE(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("COUNT(*)")).toInt(), 1); // still usable
    dao.CommitTrans();

    const qint64 before = QFileInfo(db.path()).size();
    QVERIFY(dao.CompactDatabase(db.path()));
    QVERIFY(QFileInfo(db.path()).size() < before);
    QCOMPARE(dao.Execute(QStringLiteral("UPDATE D_物件 SET 物件名 = 'z'"), 128), 1); // the connection goes on
    QVERIFY(!dao.CompactDatabase(db.folder() + QStringLiteral("/none.mdb")));
}

void tst_cDao::repairReportsCorruption()
{
    TestDb db;
    cDao dao;
    QVERIFY(dao.Connect(db.path(), false));
    clearShownBoxes();
    QVERIFY(dao.RepairDatabase(db.path()));
    QVERIFY(shownBoxes().isEmpty());
    dao.Disconnect();

    // Damage a page in the middle of the file: the check fails and says so in its box.
    {
        QFile f(db.path());
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 2);
        f.write(QByteArray(1024, '\xff'));
    }
    cDao broken;
    QVERIFY(!broken.RepairDatabase(db.path()));
    QCOMPARE(shownBoxes().size(), 1);
    QCOMPARE(shownBoxes().first().title, QStringLiteral("Database Repair Error"));
    QVERIFY(shownBoxes().first().prompt.startsWith(QStringLiteral("Error:")));
}

void tst_cDao::builderNeverOverwrites()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB/Vanrek.mdb"));
    QVERIFY(createTestDatabase(path));
    cDao dao;
    QVERIFY(dao.Connect(path, false));
    dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1) VALUES (42)"), 128);
    dao.Disconnect();
    QString error;
    QVERIFY(!createTestDatabase(path, &error));
    QVERIFY(dao.Connect(path, false));
    QCOMPARE(dao.Lookup(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)")).toInt(), 42);
    QCOMPARE(DbBuilder::splitStatements(QStringLiteral("a 'x;y'; -- c;d\nb;")),
             (QStringList{QStringLiteral("a 'x;y'"), QStringLiteral("b")}));
}

void tst_cDao::heldWriteLockFailsAfterTheBusyTimeout()
{
    TestDb db;
    QVERIFY(db.isValid());
    cDao dao;
    // Opened to wait a minute; the 100 ms set afterwards must be the wait in force.
    dao.setBusyTimeout(60000);
    QVERIFY(dao.Connect(db.path()));
    dao.setBusyTimeout(100); // takes effect on the open connection
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        other.setDatabaseName(db.path());
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QElapsedTimer t;
        t.start();
        QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, 'x')")), -1);
        // A guard far above the 100 ms, however busy the machine, and far below the minute.
        QVERIFY2(t.elapsed() < 20000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    QCOMPARE(dao.Execute(QStringLiteral("INSERT INTO D_物件 (ID1, 物件名) VALUES (1, 'x')")), 1);
}

QTEST_GUILESS_MAIN(tst_cDao)
#include "tst_cDao.moc"
