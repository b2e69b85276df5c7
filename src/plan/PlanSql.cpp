#include "PlanSql.h"

#include "ErrorTrap.h"
#include "VbRuntime.h"
#include "cBase.h"
#include "cDao.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

QSqlQuery prepared(cDao &dao, const QString &procedure, const QString &sql, const QVariantList &values)
{
    if (!dao.isConnected())
        throw ProcedureError(procedure, QStringLiteral("データベースが開かれていません。"));
    QSqlQuery q(dao.CurrentDB());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ProcedureError(procedure, q.lastError().text());
    for (const QVariant &v : values)
        q.addBindValue(vb::isNull(v) || vb::isEmpty(v) ? QVariant() : v);
    if (!q.exec())
        throw ProcedureError(procedure, q.lastError().text());
    return q;
}

} // namespace

int PlanSql::exec(cDao &dao, const QString &procedure, const QString &sql, const QVariantList &values)
{
    QSqlQuery q = prepared(dao, procedure, sql, values);
    const int n = q.numRowsAffected();
    q.finish();
    return n < 0 ? 0 : n;
}

PlanSql::Rows PlanSql::select(cDao &dao, const QString &procedure, const QString &sql, const QVariantList &values)
{
    QSqlQuery q = prepared(dao, procedure, sql, values);
    Rows out;
    out.procedure = procedure;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        out.names << rec.fieldName(i);
    while (q.next()) {
        QVector<QVariant> row(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row[i] = q.value(i).isNull() ? vb::null() : q.value(i);
        out.rows.append(std::move(row));
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        throw ProcedureError(procedure, error.text());
    return out;
}

QVariant PlanSql::Rows::value(int row, const QString &name) const
{
    // Field names compare without case, as the engine compares them.
    const auto column = std::find_if(names.cbegin(), names.cend(), [&name](const QString &field) {
        return field.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (column == names.cend())
        throw ProcedureError(procedure, QStringLiteral("このコレクションには項目がありません。(%1)").arg(name));
    if (row < 0 || row >= rows.size())
        throw ProcedureError(procedure, QStringLiteral("カレント レコードがありません。"));
    return rows.at(row).at(column - names.cbegin());
}

QVariant PlanSql::stored(const QVariant &value, int kind, const QString &procedure)
{
    const cBase base;
    if (base.CvtStr(value).isEmpty())
        return vb::null();
    switch (kind) {
    case cBase::SqlText:
        return base.CvtStr(value);
    case cBase::SqlLong: {
        const double whole = std::nearbyint(base.CvtDbl(value)); // halves to even
        if (!(whole >= std::numeric_limits<int32_t>::min() && whole <= std::numeric_limits<int32_t>::max()))
            throw ProcedureError(procedure, QStringLiteral("オーバーフローしました。"));
        return int(whole);
    }
    case cBase::SqlDouble:
        return base.CvtDbl(value);
    default:
        throw ProcedureError(procedure, QStringLiteral("プロシージャの呼び出し、または引数が不正です。"));
    }
}
