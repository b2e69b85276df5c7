#include "WorkRowStore.h"

#include "DaoTransaction.h"
#include "ErrorTrap.h"
#include "PlanSql.h"
#include "cDao.h"

namespace
{

const QString kPlan = QStringLiteral(" WHERE ID1 = ? AND ID2 = ?");

const char *const kLoanColumns[] = {"ID1",       "ID2",       "連番",      "借入先名称", "借入金額",
                                    "返済方式",  "返済開始1", "返済終了1", "金利1",      "返済開始2",
                                    "返済終了2", "金利2",     "返済期間"};

const char *const kRentColumns[] = {"ID1",      "ID2",    "タイプ",   "間取り",   "専有面積", "世帯数",
                                    "駐車台数", "月家賃", "月共益費", "月駐車料", "敷金"};

} // namespace

const WorkRowStore::Table &WorkRowStore::loans()
{
    static const Table t{
        QStringLiteral("W_借入金"),    QStringLiteral("D_借入金"),        QStringLiteral("連番"),     false,
        QStringLiteral("InitKariire"), QStringLiteral("SaveKariireData"), QStringLiteral("SetRenban")};
    return t;
}

const WorkRowStore::Table &WorkRowStore::rents()
{
    static const Table t{QStringLiteral("W_家賃"),    QStringLiteral("D_家賃"),        QStringLiteral("タイプ"), true,
                         QStringLiteral("InitYatin"), QStringLiteral("SaveYatinData"), QStringLiteral("SetType")};
    return t;
}

WorkRowStore::WorkRowStore(cDao &dao, int32_t id1, int32_t id2) : m_dao(dao), m_id1(id1), m_id2(id2) {}

template <class F> void WorkRowStore::transaction(const QString &procedure, F &&body)
{
    try {
        DaoTransaction tx(m_dao);
        body();
        tx.commit();
    } catch (const ProcedureError &) {
        throw;
    } catch (const std::exception &e) {
        throw ProcedureError(procedure, QString::fromUtf8(e.what()));
    }
}

void WorkRowStore::load(const Table &table)
{
    transaction(table.loadProcedure, [&] {
        PlanSql::exec(m_dao, table.loadProcedure, QStringLiteral("DELETE FROM ") + table.work);
        PlanSql::exec(m_dao, table.loadProcedure,
                      QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(table.work, table.stored) + kPlan, plan());
        renumber(table);
    });
}

void WorkRowStore::renumber(const Table &table)
{
    // Rows are told apart by the engine's row id: the work tables have no key of their own.
    const PlanSql::Rows rows = PlanSql::select(m_dao, table.renumberProcedure,
                                               QStringLiteral("SELECT rowid, %1 FROM %2").arg(table.key, table.work) +
                                                   kPlan + QStringLiteral(" ORDER BY %1, rowid").arg(table.key),
                                               plan());
    for (int i = 0; i < rows.rows.size(); ++i) {
        const QVariant expected = table.letters ? QVariant(QString(QChar(u'A' + i))) : QVariant(i + 1);
        if (rows.rows.at(i).at(1) == expected)
            continue;
        PlanSql::exec(m_dao, table.renumberProcedure,
                      QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(table.work, table.key),
                      {expected, rows.rows.at(i).at(0)});
    }
}

void WorkRowStore::copyBack(const Table &table)
{
    if (!m_dao.inTransaction())
        throw ProcedureError(table.saveProcedure, QStringLiteral("トランザクションが開始されていません。"));
    PlanSql::exec(m_dao, table.saveProcedure, QStringLiteral("DELETE FROM ") + table.stored + kPlan, plan());
    PlanSql::exec(m_dao, table.saveProcedure,
                  QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(table.stored, table.work) + kPlan, plan());
}

void WorkRowStore::deleteRow(const Table &table, const QVariant &key)
{
    transaction(table.renumberProcedure, [&] {
        QVariantList values = plan();
        values << key;
        PlanSql::exec(
            m_dao, table.renumberProcedure,
            QStringLiteral("DELETE FROM ") + table.work + kPlan + QStringLiteral(" AND %1 = ?").arg(table.key), values);
        renumber(table);
    });
}

template <class Record, class Fill> QVector<Record> WorkRowStore::readRows(const Table &table, Fill fill) const
{
    const PlanSql::Rows rs = PlanSql::select(
        m_dao, table.loadProcedure,
        QStringLiteral("SELECT * FROM ") + table.work + kPlan + QStringLiteral(" ORDER BY ") + table.key, plan());
    QVector<Record> out;
    out.reserve(rs.rows.size());
    for (int i = 0; i < rs.rows.size(); ++i) {
        const auto f = [&](const char *name) { return rs.value(i, QString::fromUtf8(name)); };
        Record r;
        r.id1 = f("ID1").toInt();
        r.id2 = f("ID2").toInt();
        fill(r, f);
        out.append(r);
    }
    return out;
}

QVector<LoanRecord> WorkRowStore::readLoans() const
{
    return readRows<LoanRecord>(loans(), [](LoanRecord &r, const auto &f) {
        r.renban = f("連番").toInt();
        r.lender = f("借入先名称");
        r.amount = f("借入金額");
        r.method = f("返済方式");
        r.start1 = f("返済開始1");
        r.end1 = f("返済終了1");
        r.rate1 = f("金利1");
        r.start2 = f("返済開始2");
        r.end2 = f("返済終了2");
        r.rate2 = f("金利2");
        r.term = f("返済期間");
    });
}

void WorkRowStore::saveLoan(const LoanRecord &row)
{
    replaceRow(loans().work, kLoanColumns,
               {row.id1, row.id2, row.renban, row.lender, row.amount, row.method, row.start1, row.end1, row.rate1,
                row.start2, row.end2, row.rate2, row.term});
}

QVector<RentRecord> WorkRowStore::readRents() const
{
    return readRows<RentRecord>(rents(), [](RentRecord &r, const auto &f) {
        r.type = f("タイプ").toString();
        r.madori = f("間取り");
        r.senyu = f("専有面積");
        r.setai = f("世帯数");
        r.tyusya = f("駐車台数");
        r.yatin = f("月家賃");
        r.kyoeki = f("月共益費");
        r.tyusyaryo = f("月駐車料");
        r.sikikin = f("敷金");
    });
}

void WorkRowStore::saveRent(const RentRecord &row)
{
    replaceRow(rents().work, kRentColumns,
               {row.id1, row.id2, row.type, row.madori, row.senyu, row.setai, row.tyusya, row.yatin, row.kyoeki,
                row.tyusyaryo, row.sikikin});
}

void WorkRowStore::replaceRow(const QString &table, const char *const *columns, const QVariantList &values)
{
    const QString procedure = QStringLiteral("SaveRecord");
    QStringList names;
    for (int i = 0; i < values.size(); ++i)
        names << QString::fromUtf8(columns[i]);
    transaction(procedure, [&] {
        PlanSql::exec(m_dao, procedure,
                      QStringLiteral("DELETE FROM ") + table + kPlan + QStringLiteral(" AND %1 = ?").arg(names.at(2)),
                      values.mid(0, 3));
        const QString marks = QStringLiteral("?,").repeated(int(values.size()) - 1) + QStringLiteral("?");
        const QString sql =
            QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(table, names.join(QLatin1Char(',')), marks);
        if (PlanSql::exec(m_dao, procedure, sql, values) < 1)
            throw ProcedureError(procedure, table + QStringLiteral(" に行を追加できませんでした。"));
    });
}
