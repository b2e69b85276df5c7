#include "PropertyStore.h"

#include "DaoTransaction.h"
#include "Globals.h"
#include "cDao.h"

#include <QStringList>

#include <limits>
#include <stdexcept>

const QStringList &PropertyStore::deleteTables()
{
    static const QStringList tables = {QStringLiteral("D_駐車場"),   QStringLiteral("D_賃貸マンション"),
                                       QStringLiteral("D_家賃"),     QStringLiteral("D_借入金"),
                                       QStringLiteral("T_収支"),     QStringLiteral("T_収支計画"),
                                       QStringLiteral("T_損益計算"), QStringLiteral("D_物件")};
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
            throw DaoError(table + QStringLiteral(": ") + e.text());
        }
    }
    trans.commit();
}
