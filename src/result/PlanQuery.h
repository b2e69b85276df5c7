#pragma once

#include "Recordset.h"

#include <QString>

#include <memory>

class cDao;

/// Query helpers of the plan window's readers: the plan key as SQL and a read-only
/// record set that is never missing (a failed query throws DaoError).
namespace PlanQuery
{

/// A property or plan number as a whole-number literal.
QString number(int value);
/// "ID1 = id1 AND ID2 = id2".
QString planCondition(int id1, int id2);
/// The rows of a query; throws DaoError with the engine's message when it fails.
std::unique_ptr<Recordset> open(cDao &dao, const QString &sql);

} // namespace PlanQuery
