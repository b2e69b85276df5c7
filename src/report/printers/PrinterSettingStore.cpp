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
    bool read = false;
    const QVariant found = gDao().Lookup(QStringLiteral("m_printer"), QStringLiteral("MAX(ID)"), QString(), &read);
    // A failed look-up is no empty table.
    if (!read)
        throw gDao().lastFailure();
    const int greatest = gBase().CvtLng(found);
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
