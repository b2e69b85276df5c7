#include "WorkRowStore.h"

#include "DaoTransaction.h"
#include "ErrorTrap.h"
#include "PlanRows.h"
#include "cDao.h"

namespace
{

const QString kPlan = QStringLiteral(" WHERE ID1 = ? AND ID2 = ?");

} // namespace

const WorkRowStore::Table &WorkRowStore::loans()
{
    static const Table t{QStringLiteral("W_借入金"),
                         QStringLiteral("D_借入金"),
                         PlanRows::loanColumns().name(&LoanRecord::renban),
                         false,
                         QStringLiteral("InitKariire"),
                         QStringLiteral("SaveKariireData"),
                         QStringLiteral("SetRenban")};
    return t;
}

const WorkRowStore::Table &WorkRowStore::rents()
{
    static const Table t{QStringLiteral("W_家賃"),
                         QStringLiteral("D_家賃"),
                         PlanRows::rentColumns().name(&RentRecord::type),
                         true,
                         QStringLiteral("InitYatin"),
                         QStringLiteral("SaveYatinData"),
                         QStringLiteral("SetType")};
    return t;
}

WorkRowStore::WorkRowStore(cDao &dao, int32_t id1, int32_t id2) : m_dao(dao), m_id1(id1), m_id2(id2) {}

template <class F> void WorkRowStore::transaction(const QString &procedure, F &&body)
{
    asStep(procedure, [&] {
        DaoTransaction tx(m_dao);
        body();
        tx.commit();
    });
}

void WorkRowStore::load(const Table &table)
{
    transaction(table.loadProcedure, [&] {
        m_dao.exec(QStringLiteral("DELETE FROM ") + table.work);
        m_dao.exec(QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(table.work, table.stored) + kPlan, plan());
        renumber(table);
    });
}

void WorkRowStore::renumber(const Table &table)
{
    asStep(table.renumberProcedure, [&] {
        // Rows are told apart by the engine's row id: the work tables have no key of their own.
        const DaoRows rows = m_dao.query(QStringLiteral("SELECT rowid, %1 FROM %2").arg(table.key, table.work) + kPlan +
                                             QStringLiteral(" ORDER BY %1, rowid").arg(table.key),
                                         plan());
        for (int i = 0; i < rows.count(); ++i) {
            const QVariant expected = table.letters ? QVariant(QString(QChar(u'A' + i))) : QVariant(i + 1);
            if (rows.value(i, 1) == expected)
                continue;
            m_dao.exec(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(table.work, table.key),
                       {expected, rows.value(i, 0)});
        }
    });
}

void WorkRowStore::copyBack(const Table &table)
{
    asStep(table.saveProcedure, [&] {
        if (!m_dao.inTransaction())
            throw DaoError(QStringLiteral("トランザクションが開始されていません。"));
        m_dao.exec(QStringLiteral("DELETE FROM ") + table.stored + kPlan, plan());
        m_dao.exec(QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(table.stored, table.work) + kPlan, plan());
    });
}

void WorkRowStore::deleteRow(const Table &table, const QVariant &key)
{
    transaction(table.renumberProcedure, [&] {
        QVariantList values = plan();
        values << key;
        m_dao.exec(QStringLiteral("DELETE FROM ") + table.work + kPlan + QStringLiteral(" AND %1 = ?").arg(table.key),
                   values);
        renumber(table);
    });
}

QVector<LoanRecord> WorkRowStore::readLoans() const
{
    return asStep(loans().loadProcedure, [&] { return PlanRows::loans(m_dao, loans().work, m_id1, m_id2); });
}

void WorkRowStore::saveLoan(const LoanRecord &row)
{
    replaceRow(loans().work, PlanRows::loanColumns().names(), PlanRows::loanColumns().values(row));
}

QVector<RentRecord> WorkRowStore::readRents() const
{
    return asStep(rents().loadProcedure, [&] { return PlanRows::rents(m_dao, rents().work, m_id1, m_id2); });
}

void WorkRowStore::saveRent(const RentRecord &row)
{
    replaceRow(rents().work, PlanRows::rentColumns().names(), PlanRows::rentColumns().values(row));
}

void WorkRowStore::replaceRow(const QString &table, const QStringList &names, const QVariantList &values)
{
    const QString procedure = QStringLiteral("SaveRecord");
    transaction(procedure, [&] {
        m_dao.exec(QStringLiteral("DELETE FROM ") + table + kPlan + QStringLiteral(" AND %1 = ?").arg(names.at(2)),
                   values.mid(0, 3));
        const QString marks = QStringLiteral("?,").repeated(int(values.size()) - 1) + QStringLiteral("?");
        const QString sql =
            QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(table, names.join(QLatin1Char(',')), marks);
        if (m_dao.exec(sql, values) < 1)
            throw DaoError(table + QStringLiteral(" に行を追加できませんでした。"));
    });
}
