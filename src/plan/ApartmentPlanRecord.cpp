#include "ApartmentPlanRecord.h"

#include "cBase.h"
#include "cDao.h"

namespace
{

using ApartmentPlanRecord::ControlKind;
using ApartmentPlanRecord::Field;

Field number(const char *name, const char *control, int kind)
{
    return {QString::fromUtf8(name), QString::fromLatin1(control), ControlKind::Number, kind};
}

Field combo(const char *name, const char *control)
{
    return {QString::fromUtf8(name), QString::fromLatin1(control), ControlKind::Combo, cBase::SqlLong};
}

} // namespace

const QVector<Field> &ApartmentPlanRecord::fields()
{
    constexpr int L = cBase::SqlLong;
    constexpr int D = cBase::SqlDouble;
    static const QVector<Field> all = [] {
        QVector<Field> f;
        f << Field{QStringLiteral("名称"), QStringLiteral("txtName"), ControlKind::Text, cBase::SqlText};
        f << combo("建物1", "cmbKaoku1") << number("建物2", "numKaoku2", L) << number("建物3", "numKaoku3", L)
          << number("建物4", "numKaoku4", L) << number("建物5", "numKaoku5", D) << number("建物6", "numKaoku6", L)
          << number("建物7", "numKaoku7", D) << number("建物8", "numKaoku8", D);
        f << Field{QStringLiteral("建物9"), QStringLiteral("chkKaoku9"), ControlKind::Check, L};
        for (int i = 1; i <= 12; ++i)
            f << Field{QStringLiteral("予算%1").arg(i), QStringLiteral("numYosan%1").arg(i), ControlKind::Number, L};
        f << number("資金1", "numSikin1", L) << number("資金2", "numSikin2", L);
        f << combo("減価1", "cmbGenka1") << number("減価2", "numGenka2", L) << number("減価3", "numGenka3", D)
          << number("減価4", "numGenka4", L) << number("減価5", "numGenka5", L) << combo("減価6", "cmbGenka6");
        const int keikaku[] = {D, D, L, L, D, L, D, L, D};
        for (int i = 1; i <= 9; ++i)
            f << Field{QStringLiteral("計画%1").arg(i), QStringLiteral("numKeikaku%1").arg(i), ControlKind::Number,
                       keikaku[i - 1]};
        f << number("火災保険", "numKasai", L);
        return f;
    }();
    return all;
}

std::optional<QVector<QVariant>> ApartmentPlanRecord::read(cDao &dao, int32_t id1, int32_t id2)
{
    const DaoRows rows =
        dao.query(QStringLiteral("SELECT * FROM D_賃貸マンション WHERE ID1 = ? AND ID2 = ?"), {id1, id2});
    if (rows.isEmpty())
        return std::nullopt;
    QVector<QVariant> values;
    values.reserve(fields().size());
    for (const Field &f : fields())
        values << rows.value(0, f.name);
    return values;
}

QVariant ApartmentPlanRecord::shownValue(const Field &field, const QVariant &stored)
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
