#include "DaoDataControl.h"

#include "Globals.h"
#include "JetSql.h"
#include "cDao.h"

void DaoDataControl::Refresh()
{
    if (m_recordset || RecordSource.trimmed().isEmpty())
        return;
    const QString source = RecordSource.trimmed();
    // A bare table name reads the whole table, as the table type of the control does.
    const bool isQuery = source.contains(QLatin1Char(' '));
    const QString sql = isQuery ? source : QStringLiteral("SELECT * FROM ") + source;
    // The source is the layout's, in the original engine's dialect.
    const DaoRows read = gDao().query(JetSql::toSqlite(sql));
    ReportData rows;
    rows.columns = read.columnNames();
    for (int i = 0; i < read.count(); ++i)
        rows.rows << read.row(i);
    m_recordset = std::move(rows);
}
