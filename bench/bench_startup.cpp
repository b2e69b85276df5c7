// Start-up to the property list on a database of 100 properties with 20 plans
// each (450,000 result rows), the check and the compaction included, beside a bare
// quick_check plus VACUUM of the same file. The pauses that let the splash be read
// are left out.
#include "TestDb.h"
#include "mdlMain.h"
#include "mdlMainStart.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <sqlite3.h>

#include <cstdio>

namespace
{

bool exec(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, err ? err : "?");
        sqlite3_free(err);
        return false;
    }
    return true;
}

bool fill(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    bool ok = exec(db, "BEGIN");
    sqlite3_stmt *prop = nullptr, *park = nullptr, *apart = nullptr, *sum = nullptr, *plan = nullptr, *pl = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO D_物件 VALUES (?, ?, 1234.5, 250, 1.4, 0.3)", -1, &prop, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO D_駐車場 (ID1, ID2, 名称, 料金2) VALUES (?, ?, '駐車場計画', 20)", -1, &park,
                       nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO D_賃貸マンション (ID1, ID2, 名称, 建物3) VALUES (?, ?, 'マンション計画', 12)",
                       -1, &apart, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO T_収支 VALUES (?, ?, ?, 1, ?, ?, ?)", -1, &sum, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO T_収支計画 (ID1, ID2, 年, 収入1, 収入計, 支出1, 支出2, 支出計, 累計) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &plan, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO T_損益計算 (ID1, ID2, 年, 収入1, 支出1, 支出2, 支出3) VALUES (?, ?, ?, ?, ?, ?, ?)",
                       -1, &pl, nullptr);
    for (int id1 = 1; ok && id1 <= 100; ++id1) {
        const QByteArray name = QStringLiteral("物件%1").arg(id1).toUtf8();
        sqlite3_bind_int(prop, 1, id1);
        sqlite3_bind_text(prop, 2, name.constData(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(prop) == SQLITE_DONE && ok;
        sqlite3_reset(prop);
        for (int id2 = 1; ok && id2 <= 20; ++id2) {
            sqlite3_stmt *record = id2 % 2 ? park : apart;
            sqlite3_bind_int(record, 1, id1);
            sqlite3_bind_int(record, 2, id2);
            ok = sqlite3_step(record) == SQLITE_DONE && ok;
            sqlite3_reset(record);
            long long balance = 0;
            for (int year = 1; year <= 75; ++year) {
                const int income = 3000 + year * 7 + id2;
                const int spend = 2500 + (year % 9) * 11;
                balance += income - spend;
                for (sqlite3_stmt *s : {sum, plan, pl}) {
                    sqlite3_bind_int(s, 1, id1);
                    sqlite3_bind_int(s, 2, id2);
                    sqlite3_bind_int(s, 3, year);
                }
                sqlite3_bind_int(sum, 4, income);
                sqlite3_bind_int(sum, 5, spend);
                sqlite3_bind_int64(sum, 6, balance);
                const int values[] = {income, income, spend - 500, 500, spend, int(balance)};
                for (int i = 0; i < 6; ++i)
                    sqlite3_bind_int(plan, 4 + i, values[i]);
                for (int i = 0; i < 4; ++i)
                    sqlite3_bind_int(pl, 4 + i, income / (i + 1));
                for (sqlite3_stmt *s : {sum, plan, pl}) {
                    ok = sqlite3_step(s) == SQLITE_DONE && ok;
                    sqlite3_reset(s);
                }
            }
        }
    }
    for (sqlite3_stmt *s : {prop, park, apart, sum, plan, pl})
        sqlite3_finalize(s);
    ok = exec(db, ok ? "COMMIT" : "ROLLBACK") && ok;
    sqlite3_close(db);
    return ok;
}

double bareCheckAndVacuumMs(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return -1;
    QElapsedTimer t;
    t.start();
    const bool ok = exec(db, "PRAGMA quick_check") && exec(db, "VACUUM");
    const double ms = t.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ok ? ms : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString dbPath = QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.mdb"));
    const QString copyPath = QDir(dir.path()).filePath(QStringLiteral("copy.mdb"));
    QString error;
    if (!createTestDatabase(dbPath, &error) || !fill(dbPath) || !QFile::copy(dbPath, copyPath)) {
        out << "bench_startup: cannot build the database " << error << "\n";
        return 1;
    }
    out << "bench_startup: database of " << QFileInfo(dbPath).size() / 1024 << " KiB, 100 properties x 20 plans\n";
    out.flush();

    setAppPath(dir.path());
    QElapsedTimer t;
    t.start();
    const StartResult result = Main(0.0);
    QWidget *list = MainWindow();
    while (result == StartResult::Started && list && !list->isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const double startMs = t.nsecsElapsed() / 1e6;
    if (result != StartResult::Started || !list) {
        out << "bench_startup: start-up failed\n";
        return 1;
    }
    EndMain();
    const double vacuumMs = bareCheckAndVacuumMs(copyPath);

    out << QStringLiteral("start-up to property list (with check and compaction): %1 ms (target < 1000 ms)\n")
               .arg(startMs, 0, 'f', 1);
    out << QStringLiteral("bare quick_check plus VACUUM of the same file:          %1 ms\n").arg(vacuumMs, 0, 'f', 1);
    out << QStringLiteral("ratio start-up / (quick_check + VACUUM):                %1\n")
               .arg(startMs / vacuumMs, 0, 'f', 2);
    return 0;
}
