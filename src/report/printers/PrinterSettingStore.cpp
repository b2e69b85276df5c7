#include "PrinterSettingStore.h"

#include "DaoTransaction.h"
#include "Globals.h"
#include "cBase.h"
#include "cDao.h"

namespace PrinterSettingStore
{

std::unique_ptr<Recordset> openList()
{
    return gDao().OpenRecordset(QStringLiteral("SELECT * FROM ") + QStringLiteral("m_printer") +
                                    QStringLiteral(" ORDER BY ") + QStringLiteral("ReportName"),
                                cDao::dbOpenDynaset, cDao::dbReadOnly, cDao::dbReadOnly);
}

std::unique_ptr<Recordset> openRow(int id)
{
    return gDao().OpenRecordset(QStringLiteral("SELECT *") + QStringLiteral(" FROM ") + QStringLiteral("m_printer") +
                                    QStringLiteral(" WHERE ") + QStringLiteral("ID") + QStringLiteral("=") +
                                    gBase().CvtSQL(QVariant(id), cBase::SqlLong),
                                cDao::dbOpenDynaset, cDao::dbReadOnly, cDao::dbReadOnly);
}

int nextID()
{
    const int greatest = gBase().CvtLng(gDao().Lookup(QStringLiteral("m_printer"), QStringLiteral("MAX(ID)")));
    return greatest < 1 ? 1 : greatest + 1;
}

int write(const QString &sql, QString *error)
{
    cDao &dao = gDao();
    DaoTransaction transaction(dao);
    const int count = dao.Execute(sql, cDao::dbFailOnError);
    if (count >= 1) {
        transaction.commit();
        return count;
    }
    if (count < 0 && error)
        *error = dao.lastError();
    transaction.rollback();
    return count;
}

int remove(int id, QString *error)
{
    return write(QStringLiteral("DELETE FROM ") + QStringLiteral("m_printer") + QStringLiteral(" WHERE ") +
                     QStringLiteral("ID") + QStringLiteral("=") + gBase().CvtSQL(QVariant(id), cBase::SqlLong),
                 error);
}

} // namespace PrinterSettingStore
