#include "PlanRecord.h"

#include "StoredValue.h"
#include "cBase.h"
#include "cDao.h"

#include <QStringList>

PlanRecord::PlanRecord(const QString &table, const QString &saveProcedure, QVector<Field> fields)
    : m_table(table), m_saveProcedure(saveProcedure), m_fields(std::move(fields))
{
}

PlanRecord::Field PlanRecord::text(const char *name, const char *control)
{
    return {QString::fromUtf8(name), QString::fromLatin1(control), ControlKind::Text, cBase::SqlText};
}

PlanRecord::Field PlanRecord::combo(const char *name, const char *control)
{
    return {QString::fromUtf8(name), QString::fromLatin1(control), ControlKind::Combo, cBase::SqlLong};
}

PlanRecord::Field PlanRecord::number(const char *name, const char *control, int sqlKind)
{
    return {QString::fromUtf8(name), QString::fromLatin1(control), ControlKind::Number, sqlKind};
}

PlanRecord::Field PlanRecord::check(const char *name, const char *control)
{
    return {QString::fromUtf8(name), QString::fromLatin1(control), ControlKind::Check, cBase::SqlLong};
}

std::optional<QVector<QVariant>> PlanRecord::read(cDao &dao, int32_t id1, int32_t id2) const
{
    const DaoRows rows =
        dao.query(QStringLiteral("SELECT * FROM %1 WHERE ID1 = ? AND ID2 = ?").arg(m_table), {id1, id2});
    if (rows.isEmpty())
        return std::nullopt;
    QVector<QVariant> values;
    values.reserve(m_fields.size());
    for (const Field &f : m_fields)
        values << rows.value(0, f.name);
    return values;
}

void PlanRecord::write(cDao &dao, int32_t id1, int32_t id2, const QVector<QVariant> &values) const
{
    QStringList assignments;
    QStringList names = {QStringLiteral("ID1"), QStringLiteral("ID2")};
    QVariantList stored;
    for (int i = 0; i < m_fields.size(); ++i) {
        const Field &f = m_fields.at(i);
        assignments << f.name + QStringLiteral(" = ?");
        names << f.name;
        stored << storedValue(values.at(i), f.sqlKind);
    }
    const QVariantList key = {id1, id2};
    // A failed UPDATE throws here: it is a failure, never a reason for a second record.
    const int updated = dao.exec(
        QStringLiteral("UPDATE %1 SET %2 WHERE ID1 = ? AND ID2 = ?").arg(m_table, assignments.join(QLatin1Char(','))),
        stored + key);
    if (updated >= 1)
        return;
    const QString marks = QStringLiteral("?,").repeated(int(names.size()) - 1) + QStringLiteral("?");
    const int inserted =
        dao.exec(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(m_table, names.join(QLatin1Char(',')), marks),
                 key + stored);
    if (inserted < 1)
        throw DaoError(m_table + QStringLiteral(" に行を追加できませんでした。"));
}

QVariant PlanRecord::shownValue(const Field &field, const QVariant &stored)
{
    const cBase base;
    switch (field.controlKind) {
    case ControlKind::Text:
        return base.CvtStr(stored);
    case ControlKind::Combo:
        return qMax(0, base.CvtLng(stored));
    case ControlKind::Check:
        return base.CvtDbl(stored) != 0 ? 1 : 0;
    case ControlKind::Number:
        if (field.sqlKind == cBase::SqlDouble)
            return base.CvtDbl(stored);
        return base.CvtLng(stored);
    }
    return QVariant();
}
