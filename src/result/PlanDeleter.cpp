#include "PlanDeleter.h"

#include "DaoTransaction.h"
#include "PlanTables.h"
#include "cDao.h"

PlanDeleter::PlanDeleter(cDao &dao) : m_dao(dao) {}

const QStringList &PlanDeleter::tables()
{
    return planRowTables();
}

void PlanDeleter::deletePlan(int id1, int id2)
{
    // A plan half deleted would reopen as a window without inputs or results, so
    // the seven deletions stand or fall together.
    DaoTransaction tx(m_dao);
    for (const QString &table : tables()) {
        try {
            m_dao.exec(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ID1 = ? AND ID2 = ?"),
                       {id1, id2});
        } catch (const DaoError &e) {
            throw e.prefixed(table + QStringLiteral(": "));
        }
    }
    tx.commit();
}
