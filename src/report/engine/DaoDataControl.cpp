#include "DaoDataControl.h"

#include "Globals.h"
#include "cDao.h"

void DaoDataControl::Refresh()
{
    if (m_recordset || RecordSource.trimmed().isEmpty())
        return;
    const QString source = RecordSource.trimmed();
    // A bare table name reads the whole table, as the table type of the control does.
    const bool isQuery = source.contains(QLatin1Char(' '));
    const QString sql = isQuery ? source : QStringLiteral("SELECT * FROM ") + source;
    cDao &dao = gDao();
    std::unique_ptr<::Recordset> rs = dao.OpenRecordset(sql);
    if (!rs)
        throw DaoError(dao.lastError());
    ReportData rows;
    for (int i = 0; i < rs->FieldCount(); ++i)
        rows.columns << rs->FieldName(i);
    if (rs->RecordCount() > 0) {
        for (rs->MoveFirst(); !rs->isEOF(); rs->MoveNext()) {
            QVector<QVariant> row;
            for (int i = 0; i < rs->FieldCount(); ++i)
                row << rs->Fields(i);
            rows.rows << row;
        }
    }
    m_recordset = std::move(rows);
}
