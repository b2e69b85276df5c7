#include "PlanRows.h"

#include "cDao.h"

namespace
{

template <class Record>
QVector<Record> planRows(cDao &dao, const RecordColumns<Record> &columns, const QString &table, const QString &key,
                         int id1, int id2)
{
    return columns.records(dao.query(
        QStringLiteral("SELECT * FROM %1 WHERE ID1 = ? AND ID2 = ? ORDER BY %2").arg(table, key), {id1, id2}));
}

} // namespace

const RecordColumns<LoanRecord> &PlanRows::loanColumns()
{
    // clang-format off
    static const RecordColumns<LoanRecord> columns = {
        {QStringLiteral("ID1"), &LoanRecord::id1},
        {QStringLiteral("ID2"), &LoanRecord::id2},
        {QStringLiteral("連番"), &LoanRecord::renban},
        {QStringLiteral("借入先名称"), &LoanRecord::lender},
        {QStringLiteral("借入金額"), &LoanRecord::amount},
        {QStringLiteral("返済方式"), &LoanRecord::method},
        {QStringLiteral("返済開始1"), &LoanRecord::start1},
        {QStringLiteral("返済終了1"), &LoanRecord::end1},
        {QStringLiteral("金利1"), &LoanRecord::rate1},
        {QStringLiteral("返済開始2"), &LoanRecord::start2},
        {QStringLiteral("返済終了2"), &LoanRecord::end2},
        {QStringLiteral("金利2"), &LoanRecord::rate2},
        {QStringLiteral("返済期間"), &LoanRecord::term},
    };
    // clang-format on
    return columns;
}

const RecordColumns<RentRecord> &PlanRows::rentColumns()
{
    // clang-format off
    static const RecordColumns<RentRecord> columns = {
        {QStringLiteral("ID1"), &RentRecord::id1},
        {QStringLiteral("ID2"), &RentRecord::id2},
        {QStringLiteral("タイプ"), &RentRecord::type},
        {QStringLiteral("間取り"), &RentRecord::madori},
        {QStringLiteral("専有面積"), &RentRecord::senyu},
        {QStringLiteral("世帯数"), &RentRecord::setai},
        {QStringLiteral("駐車台数"), &RentRecord::tyusya},
        {QStringLiteral("月家賃"), &RentRecord::yatin},
        {QStringLiteral("月共益費"), &RentRecord::kyoeki},
        {QStringLiteral("月駐車料"), &RentRecord::tyusyaryo},
        {QStringLiteral("敷金"), &RentRecord::sikikin},
    };
    // clang-format on
    return columns;
}

QVector<LoanRecord> PlanRows::loans(cDao &dao, const QString &table, int id1, int id2)
{
    return planRows(dao, loanColumns(), table, loanColumns().name(&LoanRecord::renban), id1, id2);
}

QVector<RentRecord> PlanRows::rents(cDao &dao, const QString &table, int id1, int id2)
{
    return planRows(dao, rentColumns(), table, rentColumns().name(&RentRecord::type), id1, id2);
}
