#include "PlanRegistration.h"

#include "DaoTransaction.h"
#include "ErrorTrap.h"
#include "PlanInputLoader.h"
#include "PlanRecord.h"
#include "Projection.h"
#include "ResultRowWriter.h"
#include "cDao.h"

PlanRegistration::PlanRegistration(cDao &dao, int32_t id1, int32_t id2) : m_dao(dao), m_id1(id1), m_id2(id2) {}

void PlanRegistration::Register(const Record &record, const QList<const WorkRowStore::Table *> &rows,
                                const ProjectionMaker &makeProjection)
{
    DaoTransaction tx(m_dao);
    {
        PlanInputLoader workRows(m_dao, PlanInputLoader::Rows::Work);
        const std::unique_ptr<Projection> projection = makeProjection(workRows);
        // The writer's statements end with it, before the commit.
        ResultRowWriter writer(m_dao, m_id1, m_id2);
        writer.ReplaceResults(*projection);
    }
    SaveInputData(rows, record);
    asStep(QStringLiteral("CommitTrans"), [&] { tx.commit(); });
}

void PlanRegistration::SaveInputData(const QList<const WorkRowStore::Table *> &rows, const Record &record)
{
    WorkRowStore store(m_dao, m_id1, m_id2);
    for (const WorkRowStore::Table *table : rows)
        store.copyBack(*table);
    asStep(record.description->saveProcedure(), [&] { record.description->write(m_dao, m_id1, m_id2, record.values); });
}
