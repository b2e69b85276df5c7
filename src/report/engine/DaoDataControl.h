#pragma once

#include "ReportData.h"

#include <QString>

#include <optional>

/// A layout's data control ("DAODataControl1"): the record set whose rows a run
/// walks, or a table or query it reads from the program's database when the run
/// restarts and no record set was given.
class DaoDataControl
{
public:
    QString DatabaseName;
    int RecordsetType = 0; ///< 0 table, 1 dynaset, 2 snapshot
    QString RecordSource;  ///< a table name or an SQL text

    const std::optional<ReportData> &Recordset() const { return m_recordset; }
    void setRecordset(std::optional<ReportData> rows) { m_recordset = std::move(rows); }

    /// Reads RecordSource when no record set is bound. Throws DaoError when it cannot be read.
    void Refresh();

private:
    std::optional<ReportData> m_recordset;
};
