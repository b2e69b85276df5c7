// Database figures: open + compaction of a full database, and the rewrite of one
// plan's 225 result rows in one transaction.
#include "BenchData.h"
#include "TestDb.h"
#include "cDao.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Deletes and re-inserts the rows of one plan in the three result tables.
bool rewritePlan(cDao &dao, int id1, int id2)
{
    dao.BeginTrans();
    for (const char *t : {"T_収支", "T_収支計画", "T_損益計算"}) {
        if (dao.Execute(QStringLiteral("DELETE FROM %1 WHERE ID1 = %2 AND ID2 = %3")
                            .arg(QString::fromUtf8(t))
                            .arg(id1)
                            .arg(id2),
                        128) < 0) {
            dao.RollbackTrans();
            return false;
        }
    }
    QSqlQuery q1(dao.CurrentDB()), q2(dao.CurrentDB()), q3(dao.CurrentDB());
    q1.prepare(QStringLiteral("INSERT INTO T_収支 VALUES (?, ?, ?, 1, ?, ?, ?)"));
    q2.prepare(QStringLiteral("INSERT INTO T_収支計画 VALUES (?, ?, ?") + QStringLiteral(", ?").repeated(21) +
               QLatin1Char(')'));
    q3.prepare(QStringLiteral("INSERT INTO T_損益計算 VALUES (?, ?, ?") + QStringLiteral(", ?").repeated(20) +
               QLatin1Char(')'));
    for (int year = 1; year <= 75; ++year) {
        for (QSqlQuery *q : {&q1, &q2, &q3}) {
            const int n = q == &q1 ? 6 : q == &q2 ? 24 : 23;
            q->bindValue(0, id1);
            q->bindValue(1, id2);
            q->bindValue(2, year);
            for (int c = 3; c < n; ++c)
                q->bindValue(c, year * 100 + c);
            if (!q->exec()) {
                dao.RollbackTrans();
                return false;
            }
        }
    }
    dao.CommitTrans();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestDb db;
    if (!db.isValid()) {
        std::fprintf(stderr, "cannot create database: %s\n", qPrintable(db.error()));
        return 1;
    }
    bench::fillLargeDatabase(db.path());

    std::vector<double> openCompact;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        cDao dao;
        if (!dao.Connect(db.path(), false) || !dao.CompactDatabase(db.path()))
            return 1;
        openCompact.push_back(t.nsecsElapsed() / 1e6);
    }

    cDao dao;
    dao.Connect(db.path(), false);
    std::vector<double> rewrite;
    for (int run = 0; run < 50; ++run) {
        QElapsedTimer t;
        t.start();
        if (!rewritePlan(dao, 1 + run % 100, 1 + run % 20))
            return 1;
        rewrite.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("database: 100 properties x 20 plans, 450000 result rows\n");
    std::printf("  open + compaction (VACUUM): %8.1f ms   (target < 2000 ms)\n", median(openCompact));
    std::printf("  rewrite one plan, 225 rows: %8.2f ms   (target < 20 ms)\n", median(rewrite));
    return 0;
}
