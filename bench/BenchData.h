#pragma once

// Fills a database with 100 properties x 20 plans, each with 75 rows in the three
// result tables (450,000 rows), through the bare SQLite interface so the fill
// itself stays quick. Shared by the benchmarks.

#include "TestDb.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace bench
{

inline void check(int rc, sqlite3 *db, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline void exec(sqlite3 *db, const QString &sql)
{
    check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db, "exec");
}

/// The rows of a query of whole numbers, for a baseline to insert the very same.
inline std::vector<std::vector<sqlite3_int64>> readRows(sqlite3 *db, const char *sql)
{
    std::vector<std::vector<sqlite3_int64>> out;
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, "prepare");
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<sqlite3_int64> row;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            row.push_back(sqlite3_column_int64(st, c));
        out.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    return out;
}

/// The rows of a plan's three result tables as a registration wrote them.
struct ResultRows {
    std::vector<std::vector<sqlite3_int64>> ss, sk, se;
    /// Every table holds the plan's 75 years.
    bool complete() const { return ss.size() == 75 && sk.size() == 75 && se.size() == 75; }
};

/// The columns a plan type fills in the result tables, in the order they are read and inserted.
struct ResultColumns {
    const char *plan;          ///< T_収支計画
    const char *profitAndLoss; ///< T_損益計算
    const char *summary = "ID1,ID2,年,TYPE,収入,支出,収支累計";
};

/// A plan's rows of the three result tables, year by year, for a baseline to insert the very same.
inline ResultRows readResults(sqlite3 *db, int id1, int id2, const ResultColumns &c)
{
    const auto read = [&](const char *columns, const char *table) {
        const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE ID1 = %3 AND ID2 = %4 ORDER BY 年")
                                   .arg(QString::fromUtf8(columns), QString::fromUtf8(table))
                                   .arg(id1)
                                   .arg(id2)
                                   .toUtf8();
        return readRows(db, sql.constData());
    };
    return {read(c.summary, "T_収支"), read(c.plan, "T_収支計画"), read(c.profitAndLoss, "T_損益計算")};
}

/// "INSERT INTO table (columns) VALUES (?,...)", one mark a column.
inline std::string insertSql(const char *table, const char *columns)
{
    const QByteArray names(columns);
    QByteArray marks = "?";
    for (qsizetype i = 0; i < names.count(','); ++i)
        marks += ",?";
    return (QByteArray("INSERT INTO ") + table + " (" + names + ") VALUES (" + marks + ")").toStdString();
}

/// Prepared statements of one connection, finalized when they go.
class Statements
{
public:
    Statements(sqlite3 *db, std::initializer_list<const char *> sqls) : m_db(db)
    {
        for (const char *sql : sqls) {
            sqlite3_stmt *st = nullptr;
            check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, "prepare");
            m_st.push_back(st);
        }
    }
    ~Statements()
    {
        for (sqlite3_stmt *st : m_st)
            sqlite3_finalize(st);
    }
    Statements(const Statements &) = delete;
    Statements &operator=(const Statements &) = delete;

    sqlite3_stmt *operator[](size_t i) const { return m_st[i]; }
    /// Runs statement i with what is bound to it, then resets it.
    void step(size_t i)
    {
        check(sqlite3_step(m_st[i]), m_db, "step");
        sqlite3_reset(m_st[i]);
    }
    /// Runs statement i once per row, the row's values bound in order.
    void insertRows(size_t i, const std::vector<std::vector<sqlite3_int64>> &rows)
    {
        for (const auto &row : rows) {
            for (size_t c = 0; c < row.size(); ++c)
                sqlite3_bind_int64(m_st[i], int(c) + 1, row[c]);
            step(i);
        }
    }

private:
    sqlite3 *m_db;
    std::vector<sqlite3_stmt *> m_st;
};

inline void fillLargeDatabase(const QString &path, int properties = 100, int plans = 20)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt *prop, *park, *t1, *t2, *t3;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO D_物件 (ID1, 物件名, 敷地面積, 評価額, 固定資産税税率, 都市計画税税率) "
                             "VALUES (?, ?, 500, 300, 1.4, 0.3)",
                             -1, &prop, nullptr),
          db, "prep");
    check(sqlite3_prepare_v2(db, "INSERT INTO D_駐車場 (ID1, ID2, 名称, 料金2, 料金3) VALUES (?, ?, '計画', 20, 15)",
                             -1, &park, nullptr),
          db, "prep");
    check(sqlite3_prepare_v2(db, "INSERT INTO T_収支 VALUES (?, ?, ?, 1, ?, ?, ?)", -1, &t1, nullptr), db, "prep");
    QByteArray q2 = "INSERT INTO T_収支計画 VALUES (?, ?, ?";
    for (int i = 0; i < 21; ++i)
        q2 += ", ?";
    q2 += ")";
    check(sqlite3_prepare_v2(db, q2.constData(), -1, &t2, nullptr), db, "prep");
    QByteArray q3 = "INSERT INTO T_損益計算 VALUES (?, ?, ?";
    for (int i = 0; i < 20; ++i)
        q3 += ", ?";
    q3 += ")";
    check(sqlite3_prepare_v2(db, q3.constData(), -1, &t3, nullptr), db, "prep");
    for (int id1 = 1; id1 <= properties; ++id1) {
        const QByteArray name = QStringLiteral("物件%1").arg(id1).toUtf8();
        sqlite3_bind_int(prop, 1, id1);
        sqlite3_bind_text(prop, 2, name.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(prop), db, "prop");
        sqlite3_reset(prop);
        for (int id2 = 1; id2 <= plans; ++id2) {
            sqlite3_bind_int(park, 1, id1);
            sqlite3_bind_int(park, 2, id2);
            check(sqlite3_step(park), db, "park");
            sqlite3_reset(park);
            for (int year = 1; year <= 75; ++year) {
                for (sqlite3_stmt *s : {t1, t2, t3}) {
                    sqlite3_bind_int(s, 1, id1);
                    sqlite3_bind_int(s, 2, id2);
                    sqlite3_bind_int(s, 3, year);
                    const int n = sqlite3_bind_parameter_count(s);
                    for (int c = 4; c <= n; ++c)
                        sqlite3_bind_int(s, c, (year * 37 + c * 11) % 5000);
                    check(sqlite3_step(s), db, "result row");
                    sqlite3_reset(s);
                }
            }
        }
    }
    for (sqlite3_stmt *s : {prop, park, t1, t2, t3})
        sqlite3_finalize(s);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

/// The fixture's database filled with properties x plans, seeded further through a
/// bare connection (returned, open) and connected as the program's connection.
/// Ends the program when any of it fails.
inline sqlite3 *openFilled(TestDb &db, int properties, int plans, void (*seed)(sqlite3 *))
{
    if (!db.isValid()) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(db.error()));
        std::exit(1);
    }
    fillLargeDatabase(db.path(), properties, plans);
    sqlite3 *bare = nullptr;
    check(sqlite3_open(db.path().toUtf8().constData(), &bare), bare, "open");
    seed(bare);
    if (!db.connectGlobal(5000)) {
        std::fprintf(stderr, "cannot connect\n");
        std::exit(1);
    }
    return bare;
}

} // namespace bench
