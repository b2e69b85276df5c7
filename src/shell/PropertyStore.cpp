#include "PropertyStore.h"

#include "DaoTransaction.h"
#include "Globals.h"
#include "cBase.h"
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

bool PropertyStore::deleteProperty(int id1, QString *error)
{
    cDao &dao = gDao();
    const QString key = gBase().CvtSQL(QVariant(id1), cBase::SqlLong);
    try {
        DaoTransaction trans(dao);
        for (const QString &table : deleteTables()) {
            const QString sql = QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ID1 = ") + key;
            if (dao.Execute(sql, cDao::dbFailOnError) < 0) {
                if (error)
                    *error = table + QStringLiteral(": ") + dao.lastError();
                return false;
            }
        }
        trans.commit();
        return true;
    } catch (const std::exception &e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
}
