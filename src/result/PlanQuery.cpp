#include "PlanQuery.h"

#include "cBase.h"
#include "cDao.h"

namespace PlanQuery
{

QString number(int value)
{
    return cBase().CvtSQL(value, cBase::SqlLong);
}

QString planCondition(int id1, int id2)
{
    return QStringLiteral("ID1 = ") + number(id1) + QStringLiteral(" AND ID2 = ") + number(id2);
}

std::unique_ptr<Recordset> open(cDao &dao, const QString &sql)
{
    auto rs = dao.OpenRecordset(sql, cDao::dbOpenDynaset, cDao::dbReadOnly, cDao::dbReadOnly);
    if (!rs)
        throw DaoError(dao.isConnected() ? dao.lastError() : QStringLiteral("データベースが開かれていません。"));
    return rs;
}

} // namespace PlanQuery
