#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class cDao;

/// Statements of the plan forms with bound values on the program's one connection.
/// Each runs to its end before it returns (a query's rows are read at once), so no
/// statement stays open between two calls. A failure throws a ProcedureError with
/// the given procedure name and the engine's message.
namespace PlanSql
{

/// Runs an action statement; the rows it changed.
int exec(cDao &dao, const QString &procedure, const QString &sql, const QVariantList &values = {});

/// The rows of a query, every column, in the order the query gives them.
struct Rows {
    QStringList names;
    QVector<QVector<QVariant>> rows;
    QString procedure; ///< the step that read them, named by a failed lookup
    /// The value of a named column of a row; a null variant for NULL. Throws a
    /// ProcedureError for a column the query did not give or a row it has not.
    QVariant value(int row, const QString &name) const;
};
Rows select(cDao &dao, const QString &procedure, const QString &sql, const QVariantList &values = {});

/// The value a field stores for a control's value and the field's kind (cBase::SqlText,
/// SqlLong, SqlDouble): trimmed text, a whole number (halves to even) within the
/// 32-bit column, or a double; null for an empty value, as the SQL literals have it.
/// Throws a ProcedureError of procedure for a number that does not fit its column,
/// which is never stored cut to the limit.
QVariant stored(const QVariant &value, int kind, const QString &procedure);

} // namespace PlanSql
