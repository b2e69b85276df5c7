#include "PropertyStore.h"

#include "DaoTransaction.h"
#include "Globals.h"
#include "PlanTables.h"
#include "cDao.h"

#include <QStringList>

#include <limits>
#include <stdexcept>

const QStringList &PropertyStore::deleteTables()
{
    // The property's plans first, the property itself last.
    static const QStringList tables = planRowTables() + QStringList{QStringLiteral("D_物件")};
    return tables;
}

int PropertyStore::nextId1(int greatest)
{
    if (greatest == std::numeric_limits<int>::max())
        throw std::overflow_error("オーバーフローしました。");
    return greatest + 1;
}

void PropertyStore::deleteProperty(int id1)
{
    cDao &dao = gDao();
    DaoTransaction trans(dao);
    for (const QString &table : deleteTables()) {
        try {
            dao.exec(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ID1 = ?"), {id1});
        } catch (const DaoError &e) {
            throw e.prefixed(table + QStringLiteral(": "));
        }
    }
    trans.commit();
}
