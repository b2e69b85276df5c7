#pragma once

#include "WorkRowStore.h"

#include <QList>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>

class PlanInputLoader;
class PlanRecord;
class Projection;
class cDao;

/// The registration of a plan, for both plan types, in one transaction: it reads the
/// plan's work rows and computes the 75 years from them, deletes the plan's result
/// rows and inserts the new ones, copies the work rows back into the stored tables,
/// and updates the plan record, inserting it only when no row was updated. It commits
/// only when every step succeeded; a failed step (a failed statement, a computation
/// error, a value that does not fit its column, a failed commit) throws a
/// ProcedureError naming the step, and the transaction has been rolled back when it
/// leaves. An error outside the steps (a transaction that cannot begin, work rows
/// that cannot be read) leaves as it is. The entry form catches either at its edge,
/// logs it and tells the user.
class PlanRegistration
{
public:
    /// The plan record to store: its description and the values of its fields, in
    /// their order, as the entry form's controls hold them.
    struct Record {
        const PlanRecord *description = nullptr;
        QVector<QVariant> values;
    };
    /// Makes the plan's projection, reading the plan's rows through the reader it is
    /// given: the work rows, inside the transaction, so that the computation uses the
    /// very rows the copy back stores.
    using ProjectionMaker = std::function<std::unique_ptr<Projection>(PlanInputLoader &workRows)>;

    PlanRegistration(cDao &dao, int32_t id1, int32_t id2);

    /// Runs the whole registration; returns after the commit. rows: the work tables
    /// copied back.
    void Register(const Record &record, const QList<const WorkRowStore::Table *> &rows,
                  const ProjectionMaker &makeProjection);

private:
    void SaveInputData(const QList<const WorkRowStore::Table *> &rows, const Record &record);

    cDao &m_dao;
    int32_t m_id1;
    int32_t m_id2;
};
