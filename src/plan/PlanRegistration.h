#pragma once

#include "WorkRowStore.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>

class Projection;
class cDao;

/// The registration of a plan, for both plan types: in one transaction it deletes
/// the plan's result rows, computes the 75 years and inserts their rows, copies the
/// work rows back into the stored tables, and updates the plan record, inserting it
/// only when no row was updated. It commits only when every step succeeded; a failed
/// step (a failed statement, a computation error, a value that does not fit its
/// column, a failed commit) throws a ProcedureError naming the step, and the
/// transaction has been rolled back when it leaves. An error outside the steps (a
/// transaction that cannot begin) leaves as it is. The entry form catches either at
/// its edge, logs it and tells the user.
class PlanRegistration
{
public:
    /// One field of the plan record with the value of its control and the kind it is
    /// stored as (cBase::SqlText, SqlLong or SqlDouble).
    struct Field {
        QString name;
        QVariant value;
        int kind = 0;
    };
    /// The plan record (D_駐車場, D_賃貸マンション) keyed by ID1 and ID2.
    struct Record {
        QString table;
        QString procedure; ///< name of the step for the error log, as "SaveParkingData"
        QVector<Field> fields;
    };

    PlanRegistration(cDao &dao, int32_t id1, int32_t id2);

    /// Runs the whole registration; returns after the commit.
    void Register(Projection &projection, const QList<const WorkRowStore::Table *> &rows, const Record &record);
    /// The same with the projection made inside the transaction, so that it reads
    /// the very work rows that the registration then copies back.
    using ProjectionMaker = std::function<std::unique_ptr<Projection>()>;
    void Register(const ProjectionMaker &makeProjection, const QList<const WorkRowStore::Table *> &rows,
                  const Record &record);

private:
    /// In one transaction: the projection's result rows, the work rows, the record.
    void run(const std::function<Projection &()> &projection, const QList<const WorkRowStore::Table *> &rows,
             const Record &record);
    void SaveInputData(const QList<const WorkRowStore::Table *> &rows, const Record &record);
    void SavePlanRecord(const Record &record);

    cDao &m_dao;
    int32_t m_id1;
    int32_t m_id2;
};
