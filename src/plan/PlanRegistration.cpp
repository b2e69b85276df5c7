#include "PlanRegistration.h"

#include "DaoTransaction.h"
#include "ErrorTrap.h"
#include "Projection.h"
#include "ResultRowWriter.h"
#include "StoredValue.h"
#include "cDao.h"

PlanRegistration::PlanRegistration(cDao &dao, int32_t id1, int32_t id2) : m_dao(dao), m_id1(id1), m_id2(id2) {}

void PlanRegistration::Register(Projection &projection, const QList<const WorkRowStore::Table *> &rows,
                                const Record &record)
{
    run([&projection]() -> Projection & { return projection; }, rows, record);
}

void PlanRegistration::Register(const ProjectionMaker &makeProjection, const QList<const WorkRowStore::Table *> &rows,
                                const Record &record)
{
    std::unique_ptr<Projection> made;
    run(
        [&]() -> Projection & {
            made = makeProjection();
            return *made;
        },
        rows, record);
}

void PlanRegistration::run(const std::function<Projection &()> &projection,
                           const QList<const WorkRowStore::Table *> &rows, const Record &record)
{
    DaoTransaction tx(m_dao);
    {
        Projection &p = projection();
        // The writer's statements end with it, before the commit.
        ResultRowWriter writer(m_dao, m_id1, m_id2);
        writer.ReplaceResults(p);
    }
    SaveInputData(rows, record);
    asStep(QStringLiteral("CommitTrans"), [&] { tx.commit(); });
}

void PlanRegistration::SaveInputData(const QList<const WorkRowStore::Table *> &rows, const Record &record)
{
    WorkRowStore store(m_dao, m_id1, m_id2);
    for (const WorkRowStore::Table *table : rows)
        store.copyBack(*table);
    SavePlanRecord(record);
}

void PlanRegistration::SavePlanRecord(const Record &record)
{
    asStep(record.procedure, [&] {
        QStringList assignments;
        QStringList names = {QStringLiteral("ID1"), QStringLiteral("ID2")};
        QVariantList values;
        for (const Field &f : record.fields) {
            assignments << f.name + QStringLiteral(" = ?");
            names << f.name;
            values << storedValue(f.value, f.kind);
        }
        const QVariantList key = {m_id1, m_id2};
        // A failed UPDATE throws here: it is a failure, never a reason for a second record.
        const int updated = m_dao.exec(QStringLiteral("UPDATE %1 SET %2 WHERE ID1 = ? AND ID2 = ?")
                                           .arg(record.table, assignments.join(QLatin1Char(','))),
                                       values + key);
        if (updated >= 1)
            return;
        const QString marks = QStringLiteral("?,").repeated(int(names.size()) - 1) + QStringLiteral("?");
        const int inserted = m_dao.exec(
            QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(record.table, names.join(QLatin1Char(',')), marks),
            key + values);
        if (inserted < 1)
            throw DaoError(record.table + QStringLiteral(" に行を追加できませんでした。"));
    });
}
