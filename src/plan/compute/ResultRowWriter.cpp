#include "ResultRowWriter.h"

#include "ErrorTrap.h"
#include "Projection.h"
#include "cDao.h"

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

ResultRowWriter::~ResultRowWriter() = default;

const QStringList &ResultRowWriter::resultTables()
{
    static const QStringList tables = {QStringLiteral("T_収支"), QStringLiteral("T_収支計画"),
                                       QStringLiteral("T_損益計算")};
    return tables;
}

int ResultRowWriter::execute(Statement which, std::initializer_list<std::optional<int>> values)
{
    std::optional<DaoStatement> &statement = m_statements[which];
    if (!statement) {
        statement = m_dao.prepare(QString::fromUtf8(kSql[which]));
        statement->bind(0, std::optional<int>(m_id1));
        statement->bind(1, std::optional<int>(m_id2));
    }
    int index = 2;
    for (const std::optional<int> &v : values)
        statement->bind(index++, v);
    return statement->exec();
}

void ResultRowWriter::DeleteData(const QString &table)
{
    asStep(QStringLiteral("DeleteData"), [&] {
        const qsizetype index = resultTables().indexOf(table);
        if (index < 0)
            throw std::invalid_argument("プロシージャの呼び出し、または引数が不正です。");
        execute(Statement(DeleteSS + index), {});
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
    asStep(QStringLiteral("SaveSSData"), [&] {
        const YearResult::Summary &s = row.summary;
        if (execute(InsertSS, {row.year, planTypeNumber(row.type), wholeValue(s.income), wholeValue(s.expense),
                               wholeValue(s.balance)}) < 1)
            throw DaoError(QStringLiteral("T_収支 に行を追加できませんでした。"));
    });
}

void ResultRowWriter::SaveSKData(const YearResult &row)
{
    asStep(QStringLiteral("SaveSKData"), [&] {
        const YearResult::CashFlow &c = row.cashFlow;
        if (execute(InsertSK, {row.year, wholeValue(c.income1), wholeValue(c.income2), wholeValue(c.incomeTotal),
                               wholeValue(c.out1), wholeValue(c.out2), wholeValue(c.out3), wholeValue(c.out4),
                               wholeValue(c.outTotal), wholeValue(c.balance)}) < 1)
            throw DaoError(QStringLiteral("T_収支計画 に行を追加できませんでした。"));
    });
}

void ResultRowWriter::SaveSEData(const YearResult &row)
{
    asStep(QStringLiteral("SaveSEData"), [&] {
        const YearResult::ProfitLoss &p = row.profitLoss;
        if (execute(InsertSE, {row.year, wholeValue(p.income1), wholeValue(p.income2), wholeValue(p.incomeTotal),
                               wholeValue(p.out1), wholeValue(p.out2), wholeValue(p.out3), wholeValue(p.out4),
                               wholeValue(p.out5), wholeValue(p.out6), wholeValue(p.outTotal)}) < 1)
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
        projection.Compute(year);
        SaveComputeData(projection.result());
    }
}
