#pragma once

#include "DaoStatement.h"
#include "YearResult.h"

#include <QString>
#include <QStringList>

#include <optional>

class cDao;
class Projection;

/// Writes a plan's result rows into T_収支, T_収支計画 and T_損益計算 through
/// statements prepared once with bound values, inside the caller's transaction on
/// the program's one connection. Every amount is stored as a whole number (halves to
/// even); an amount that does not fit the 32-bit column fails the write instead of
/// being stored wrong. A failure throws a ProcedureError naming the step that failed
/// (SaveSSData, DeleteData, a term of the projection); the form that registers the
/// plan logs it and rolls back. A writer lives within one registration: its
/// statements belong to the connection that is open when it is made.
class ResultRowWriter
{
public:
    ResultRowWriter(cDao &dao, int id1, int id2);
    ~ResultRowWriter();
    ResultRowWriter(const ResultRowWriter &) = delete;
    ResultRowWriter &operator=(const ResultRowWriter &) = delete;

    /// Deletes the plan's rows of one result table; deleting none succeeds.
    void DeleteData(const QString &table);
    /// The year's rows into the three tables in order, stopping at the first failure.
    void SaveComputeData(const YearResult &row);
    void SaveSSData(const YearResult &row);
    void SaveSKData(const YearResult &row);
    void SaveSEData(const YearResult &row);

    /// The whole replacement of a plan's results: DeleteData of the three tables,
    /// then Compute and SaveComputeData for the years 1 to 75 from a zero balance.
    /// Refuses to run outside a transaction, so a failure can leave nothing behind.
    void ReplaceResults(Projection &projection);

    static const QStringList &resultTables();

private:
    enum Statement { DeleteSS, DeleteSK, DeleteSE, InsertSS, InsertSK, InsertSE, StatementCount };

    /// Binds the plan key and the values (null for an absent column) and runs the
    /// statement, prepared at its first use; returns the rows it changed.
    int execute(Statement which, std::initializer_list<std::optional<int>> values);

    cDao &m_dao;
    int m_id1;
    int m_id2;
    std::optional<DaoStatement> m_statements[StatementCount];
};
