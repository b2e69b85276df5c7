#pragma once

#include "LoanRecord.h"
#include "RecordColumns.h"
#include "RentRecord.h"

#include <QString>
#include <QVector>

class cDao;

/// The rows a plan keeps beside its record: its loans (W_借入金 while the entry form
/// edits them, D_借入金 stored) and the rent rows of an apartment plan (W_家賃, D_家賃).
/// The work and the stored table of each have the same columns in the same order, as
/// their copies into each other (SELECT *) need.
namespace PlanRows
{

const RecordColumns<LoanRecord> &loanColumns();
const RecordColumns<RentRecord> &rentColumns();

/// The plan's loan rows of a loan table in 連番 order; throws DaoError.
QVector<LoanRecord> loans(cDao &dao, const QString &table, int id1, int id2);
/// The plan's rent rows of a rent table in タイプ order; throws DaoError.
QVector<RentRecord> rents(cDao &dao, const QString &table, int id1, int id2);

} // namespace PlanRows
