#include "ResultRowWriter.h"

#include "ErrorTrap.h"
#include "Projection.h"
#include "Recordset.h"
#include "cDao.h"

#include <QSqlDriver>

#include <sqlite3.h>

#include <limits>
#include <stdexcept>

namespace
{

const char *const kOverflow = "オーバーフローしました。";

// The text of each statement, in the order of the Statement enum.
const char *const kSql[] = {
    "DELETE FROM T_収支 WHERE ID1 = ? AND ID2 = ?",
    "DELETE FROM T_収支計画 WHERE ID1 = ? AND ID2 = ?",
    "DELETE FROM T_損益計算 WHERE ID1 = ? AND ID2 = ?",
    "INSERT INTO T_収支( ID1,ID2,年,TYPE,収入,支出,収支累計 ) VALUES(?,?,?,?,?,?,?)",
    "INSERT INTO T_収支計画( ID1,ID2,年,収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出計,累計 ) "
    "VALUES(?,?,?,?,?,?,?,?,?,?,?,?)",
    "INSERT INTO T_損益計算( ID1,ID2,年,収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出5,支出6,支出計 ) "
    "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)",
};

// The stored figure: whole, halves to even, and within the 32-bit column.
std::optional<int> wholeValue(Currency value)
{
    const int64_t v = value.roundToInt();
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min())
        throw std::overflow_error(kOverflow);
    return int(v);
}

std::optional<int> wholeValue(const std::optional<Currency> &value)
{
    return value ? wholeValue(*value) : std::nullopt;
}

} // namespace

ResultRowWriter::ResultRowWriter(cDao &dao, int id1, int id2) : m_dao(dao), m_id1(id1), m_id2(id2) {}

ResultRowWriter::~ResultRowWriter()
{
    for (sqlite3_stmt *st : m_statements)
        sqlite3_finalize(st);
}

const QStringList &ResultRowWriter::resultTables()
{
    static const QStringList tables = {QStringLiteral("T_収支"), QStringLiteral("T_収支計画"),
                                       QStringLiteral("T_損益計算")};
    return tables;
}

template <class F> void ResultRowWriter::run(const char *procedure, F &&body)
{
    try {
        std::forward<F>(body)();
    } catch (const ProcedureError &) {
        throw;
    } catch (const std::exception &e) {
        throw ProcedureError(QString::fromLatin1(procedure), QString::fromUtf8(e.what()));
    }
}

sqlite3_stmt *ResultRowWriter::statement(Statement which)
{
    if (!m_db) {
        // The engine's own handle of the program's connection: the statements run in
        // the caller's transaction, and binding whole numbers costs next to nothing.
        const QVariant handle =
            m_dao.isConnected() && m_dao.CurrentDB().driver() ? m_dao.CurrentDB().driver()->handle() : QVariant();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0 ||
            !*static_cast<sqlite3 *const *>(handle.constData()))
            throw DaoError(QStringLiteral("データベースが開かれていません。"));
        m_db = *static_cast<sqlite3 *const *>(handle.constData());
    }
    if (!m_statements[which] && sqlite3_prepare_v2(m_db, kSql[which], -1, &m_statements[which], nullptr) != SQLITE_OK)
        throw DaoError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    return m_statements[which];
}

int ResultRowWriter::execute(sqlite3_stmt *st, const std::optional<int> *values, int count)
{
    sqlite3_reset(st);
    sqlite3_bind_int(st, 1, m_id1);
    sqlite3_bind_int(st, 2, m_id2);
    for (int i = 0; i < count; ++i) {
        if (values[i])
            sqlite3_bind_int(st, i + 3, *values[i]);
        else
            sqlite3_bind_null(st, i + 3);
    }
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(st);
        throw DaoError(message);
    }
    return sqlite3_changes(m_db);
}

void ResultRowWriter::DeleteData(const QString &table)
{
    run("DeleteData", [&] {
        const qsizetype index = resultTables().indexOf(table);
        if (index < 0)
            throw std::invalid_argument("プロシージャの呼び出し、または引数が不正です。");
        execute(statement(Statement(DeleteSS + index)), nullptr, 0);
    });
}

void ResultRowWriter::SaveComputeData(const YearResult &row)
{
    SaveSSData(row);
    SaveSKData(row);
    SaveSEData(row);
}

void ResultRowWriter::SaveSSData(const YearResult &row)
{
    run("SaveSSData", [&] {
        const YearResult::Summary &s = row.summary;
        const std::optional<int> values[] = {row.year, planTypeNumber(row.type), wholeValue(s.income),
                                             wholeValue(s.expense), wholeValue(s.balance)};
        if (execute(statement(InsertSS), values, 5) < 1)
            throw DaoError(QStringLiteral("T_収支 に行を追加できませんでした。"));
    });
}

void ResultRowWriter::SaveSKData(const YearResult &row)
{
    run("SaveSKData", [&] {
        const YearResult::CashFlow &c = row.cashFlow;
        const std::optional<int> values[] = {row.year,
                                             wholeValue(c.income1),
                                             wholeValue(c.income2),
                                             wholeValue(c.incomeTotal),
                                             wholeValue(c.out1),
                                             wholeValue(c.out2),
                                             wholeValue(c.out3),
                                             wholeValue(c.out4),
                                             wholeValue(c.outTotal),
                                             wholeValue(c.balance)};
        if (execute(statement(InsertSK), values, 10) < 1)
            throw DaoError(QStringLiteral("T_収支計画 に行を追加できませんでした。"));
    });
}

void ResultRowWriter::SaveSEData(const YearResult &row)
{
    run("SaveSEData", [&] {
        const YearResult::ProfitLoss &p = row.profitLoss;
        const std::optional<int> values[] = {
            row.year,           wholeValue(p.income1), wholeValue(p.income2), wholeValue(p.incomeTotal),
            wholeValue(p.out1), wholeValue(p.out2),    wholeValue(p.out3),    wholeValue(p.out4),
            wholeValue(p.out5), wholeValue(p.out6),    wholeValue(p.outTotal)};
        if (execute(statement(InsertSE), values, 11) < 1)
            throw DaoError(QStringLiteral("T_損益計算 に行を追加できませんでした。"));
    });
}

void ResultRowWriter::ReplaceResults(Projection &projection)
{
    if (!m_dao.inTransaction())
        throw ProcedureError(QStringLiteral("ReplaceResults"),
                             QStringLiteral("トランザクションが開始されていません。"));
    for (const QString &table : resultTables())
        DeleteData(table);
    projection.setBalance(Currency());
    for (int year = 1; year <= Projection::Years; ++year) {
        if (!projection.Compute(year))
            throw ProcedureError(projection.errorProcedure(), projection.errorMessage());
        SaveComputeData(projection.result());
    }
}
