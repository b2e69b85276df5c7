#include "PrinterSettingStore.h"

#include "DaoTransaction.h"
#include "Globals.h"
#include "cBase.h"
#include "cDao.h"

namespace PrinterSettingStore
{

DaoRows list()
{
    return gDao().query(QStringLiteral("SELECT * FROM ") + QStringLiteral("m_printer") + QStringLiteral(" ORDER BY ") +
                        QStringLiteral("ReportName"));
}

DaoRows row(int id)
{
    return gDao().query(QStringLiteral("SELECT *") + QStringLiteral(" FROM ") + QStringLiteral("m_printer") +
                            QStringLiteral(" WHERE ") + QStringLiteral("ID") + QStringLiteral("=?"),
                        {id});
}

int nextID()
{
    // A failed look-up is no empty table.
    const int greatest = gBase().CvtLng(gDao().lookupOrThrow(QStringLiteral("m_printer"), QStringLiteral("MAX(ID)")));
    return greatest < 1 ? 1 : greatest + 1;
}

int write(const QString &sql, const QVariantList &values)
{
    cDao &dao = gDao();
    DaoTransaction transaction(dao);
    const int count = dao.exec(sql, values);
    if (count >= 1)
        transaction.commit();
    else
        transaction.rollback();
    return count;
}

int remove(int id)
{
    return write(QStringLiteral("DELETE FROM ") + QStringLiteral("m_printer") + QStringLiteral(" WHERE ") +
                     QStringLiteral("ID") + QStringLiteral("=?"),
                 {id});
}

} // namespace PrinterSettingStore
