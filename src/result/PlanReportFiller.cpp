#include "PlanReportFiller.h"

#include "ErrorTrap.h"
#include "PlanRows.h"
#include "PlanTables.h"
#include "VbRuntime.h"
#include "cBase.h"
#include "cDao.h"

#include <stdexcept>

namespace
{

// Display formats of the sheets.
const QString kWhole = QStringLiteral("##,###,##0");
const QString kArea = QStringLiteral("####0.00");
const QString kRate = QStringLiteral("##0.00");
const QString kLoanRate = QStringLiteral("#0.00");

QString text(const QVariant &value)
{
    return cBase().CvtStr(value);
}

/// The stored value as text, formatted as a number; an empty value stays empty.
QString formatted(const QVariant &value, const QString &pattern)
{
    const QString t = text(value);
    return t.isEmpty() ? t : vb::format(t, pattern);
}

/// The text of a code of one of the entry form's lists; a Null code is the first
/// entry, a code outside the list is empty.
QString codeText(const QVariant &code, const QStringList &texts)
{
    const int32_t n = cBase().CvtLng(code);
    return n >= 0 && n < texts.size() ? texts.at(n) : QString();
}

QString field(const char *prefix, int row, int column)
{
    return QString::fromUtf8(prefix) + QString::number(row) + QString::number(column);
}

QStringList numbered(const char *prefix, int first, int last)
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QString::fromUtf8(prefix) + QString::number(i);
    return names;
}

QStringList grid(const char *prefix, int rows, int columns)
{
    QStringList names;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            names << field(prefix, r, c);
    return names;
}

void clear(ReportData &sheet, const QStringList &fields)
{
    for (const QString &name : fields)
        sheet.fields.insert(name, QString());
}

const char *const kClearParking = "ClearActiveReportParking";
const char *const kClearApartment = "ClearActiveReportApartment";
const char *const kThing = "SetPrintThingData";
const char *const kKariire = "SetPrintKariireData";
const char *const kParking = "SetPrintParkingData";
const char *const kMadori = "SetPrintMadoriData";
const char *const kApartment = "SetPrintApartmentData";

} // namespace

PlanReportFiller::PlanReportFiller(cDao &dao, int id1, int id2) : m_dao(dao), m_id1(id1), m_id2(id2) {}

const QStringList &PlanReportFiller::parkingFields()
{
    static const QStringList names = QStringList{QStringLiteral("fldBuken"), QStringLiteral("fldSikiti1"),
                                                 QStringLiteral("fldSikiti2"), QStringLiteral("fldName")} +
                                     numbered("fldRyokin", 1, 3) + numbered("fldYosan", 1, 4) +
                                     QStringList{QStringLiteral("fldSikin1")} + numbered("fldKeikaku", 1, 5) +
                                     grid("fldKariire", 3, 9);
    return names;
}

const QStringList &PlanReportFiller::apartmentFields()
{
    static const QStringList names =
        QStringList{QStringLiteral("fldBuken"),  QStringLiteral("fldSikiti1"), QStringLiteral("fldSikiti2"),
                    QStringLiteral("fldName"),   QStringLiteral("fldKaoku11"), QStringLiteral("fldKaoku12"),
                    QStringLiteral("fldKaoku2"), QStringLiteral("fldKaoku3")} +
        grid("fldYatin", 5, 8) + numbered("fldYatin6", 1, 3) + numbered("fldYosan", 1, 12) +
        QStringList{QStringLiteral("fldKasai"), QStringLiteral("fldSikin1"), QStringLiteral("fldSikin2")} +
        grid("fldKariire", 3, 9) + numbered("fldGenka", 1, 6) + numbered("fldKeikaku", 1, 9);
    return names;
}

QStringList PlanReportFiller::sheetSteps(PlanType planType)
{
    const auto names = [](std::initializer_list<const char *> steps) {
        QStringList list;
        for (const char *s : steps)
            list << QString::fromUtf8(s);
        return list;
    };
    switch (planType) {
    case PlanType::Parking:
        return names({kClearParking, kThing, kKariire, kParking});
    case PlanType::Apartment:
        return names({kClearApartment, kThing, kMadori, kKariire, kApartment});
    case PlanType::Store:
        return names({kClearApartment, kThing, kKariire, kApartment});
    default:
        return {};
    }
}

void PlanReportFiller::runStep(const QString &step, ReportData &sheet) const
{
    using Step = void (PlanReportFiller::*)(ReportData &) const;
    static const std::pair<const char *, Step> steps[] = {
        {kClearParking, &PlanReportFiller::ClearActiveReportParking},
        {kClearApartment, &PlanReportFiller::ClearActiveReportApartment},
        {kThing, &PlanReportFiller::SetPrintThingData},
        {kKariire, &PlanReportFiller::SetPrintKariireData},
        {kParking, &PlanReportFiller::SetPrintParkingData},
        {kMadori, &PlanReportFiller::SetPrintMadoriData},
        {kApartment, &PlanReportFiller::SetPrintApartmentData},
    };
    for (const auto &[name, fill] : steps) {
        if (step == QString::fromUtf8(name)) {
            (this->*fill)(sheet);
            return;
        }
    }
    throw std::invalid_argument("unknown report fill step: " + step.toStdString());
}

bool PlanReportFiller::fillSheet(PlanType planType, ReportData &sheet, const QString &objectName) const
{
    const QStringList steps = sheetSteps(planType);
    if (steps.isEmpty())
        return false;
    for (const QString &step : steps) {
        if (!trapErrors(objectName, step, [&] { runStep(step, sheet); }))
            return false;
    }
    return true;
}

DaoRows PlanReportFiller::record(const QString &table, const QString &condition, const QVariantList &key) const
{
    DaoRows rows = m_dao.query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + condition, key);
    if (rows.isEmpty()) {
        QString shown = condition;
        for (const QVariant &value : key)
            shown.replace(shown.indexOf(QLatin1Char('?')), 1, value.toString());
        throw DaoError(table + QStringLiteral(" に該当する行がありません。(") + shown + QLatin1Char(')'));
    }
    return rows;
}

DaoRows PlanReportFiller::planRecord(const QString &table) const
{
    return record(table, QStringLiteral("ID1 = ? AND ID2 = ?"), {m_id1, m_id2});
}

void PlanReportFiller::ClearActiveReportParking(ReportData &sheet) const
{
    clear(sheet, parkingFields());
}

void PlanReportFiller::ClearActiveReportApartment(ReportData &sheet) const
{
    clear(sheet, apartmentFields());
}

void PlanReportFiller::SetPrintThingData(ReportData &sheet) const
{
    // One property row serves every plan of the property.
    const DaoRows rs = record(QStringLiteral("D_物件"), QStringLiteral("ID1 = ?"), {m_id1});
    auto &f = sheet.fields;
    f[QStringLiteral("fldBuken")] = text(rs.value(0, QStringLiteral("物件名")));
    f[QStringLiteral("fldSikiti1")] = formatted(rs.value(0, QStringLiteral("敷地面積")), kArea);
    f[QStringLiteral("fldSikiti2")] = formatted(rs.value(0, QStringLiteral("評価額")), kWhole);
}

void PlanReportFiller::SetPrintKariireData(ReportData &sheet) const
{
    // In 連番 order, so the sheet lists the loans as the entry form numbers them.
    const QVector<LoanRecord> loans = PlanRows::loans(m_dao, QStringLiteral("D_借入金"), m_id1, m_id2);
    const cBase base;
    auto &f = sheet.fields;
    for (int row = 1; row <= 3 && row <= loans.size(); ++row) {
        const LoanRecord &r = loans.at(row - 1);
        // A code without a row prints no name; a name that could not be read stops the sheet.
        const QVariant method = m_dao.lookupOrThrow(QStringLiteral("K_返済方式"), QStringLiteral("名称"),
                                                    QStringLiteral("ID = ") + base.CvtSQL(r.method, cBase::SqlLong));
        f[field("fldKariire", row, 1)] = text(r.lender);
        f[field("fldKariire", row, 2)] = formatted(r.amount, kWhole);
        f[field("fldKariire", row, 3)] = text(method);
        f[field("fldKariire", row, 4)] = text(r.start1);
        f[field("fldKariire", row, 5)] = text(r.end1);
        f[field("fldKariire", row, 6)] = formatted(r.rate1, kLoanRate);
        f[field("fldKariire", row, 7)] = text(r.start2);
        f[field("fldKariire", row, 8)] = text(r.end2);
        f[field("fldKariire", row, 9)] = formatted(r.rate2, kLoanRate);
    }
}

void PlanReportFiller::SetPrintParkingData(ReportData &sheet) const
{
    const DaoRows rs = planRecord(planTable(PlanType::Parking));
    const auto v = [&](const char *name) { return rs.value(0, QString::fromUtf8(name)); };
    auto &f = sheet.fields;
    f[QStringLiteral("fldName")] = text(v("名称"));
    // The area per car is entered in whole square metres and prints so. The rates keep two
    // decimals: a 0.4 % vacancy must not print as 0.
    f[QStringLiteral("fldRyokin1")] = formatted(v("料金1"), kWhole);
    f[QStringLiteral("fldRyokin2")] = formatted(v("料金2"), kWhole);
    f[QStringLiteral("fldRyokin3")] = formatted(v("料金3"), kWhole);
    for (int i = 1; i <= 4; ++i)
        f[QStringLiteral("fldYosan%1").arg(i)] = formatted(rs.value(0, QStringLiteral("予算%1").arg(i)), kWhole);
    f[QStringLiteral("fldSikin1")] = formatted(v("資金1"), kWhole);
    f[QStringLiteral("fldKeikaku1")] = formatted(v("計画1"), kRate);
    f[QStringLiteral("fldKeikaku2")] = formatted(v("計画2"), kWhole);
    f[QStringLiteral("fldKeikaku3")] = formatted(v("計画3"), kRate);
    f[QStringLiteral("fldKeikaku4")] = formatted(v("計画4"), kWhole);
    f[QStringLiteral("fldKeikaku5")] = formatted(v("計画5"), kRate);
}

void PlanReportFiller::SetPrintMadoriData(ReportData &sheet) const
{
    auto &f = sheet.fields;
    // In タイプ order, so column A shows the row lettered A.
    const QVector<RentRecord> rents = PlanRows::rents(m_dao, QStringLiteral("D_家賃"), m_id1, m_id2);
    for (int row = 1; row <= 5 && row <= rents.size(); ++row) {
        const RentRecord &r = rents.at(row - 1);
        f[field("fldYatin", row, 1)] = text(r.madori);
        f[field("fldYatin", row, 2)] = formatted(r.senyu, kArea);
        f[field("fldYatin", row, 3)] = text(r.setai);
        f[field("fldYatin", row, 4)] = text(r.tyusya);
        f[field("fldYatin", row, 5)] = formatted(r.yatin, kWhole);
        f[field("fldYatin", row, 6)] = formatted(r.kyoeki, kWhole);
        f[field("fldYatin", row, 7)] = formatted(r.tyusyaryo, kWhole);
        f[field("fldYatin", row, 8)] = formatted(r.sikikin, kWhole);
    }
    // Totals over every rent row, not only the five shown. An empty box counts as 0
    // so that it never drops its whole row from a sum; without rows the sums are
    // Null and the totals print empty.
    const DaoRows rs =
        m_dao.query(QStringLiteral("SELECT"
                                   " Sum(IFNULL(世帯数, 0) * (IFNULL(月家賃, 0) + IFNULL(月共益費, 0))) AS 計1,"
                                   " Sum(IFNULL(世帯数, 0) * IFNULL(月駐車料, 0)) AS 計2,"
                                   " Sum(IFNULL(世帯数, 0) * IFNULL(敷金, 0)) AS 計3"
                                   " FROM D_家賃 WHERE ID1 = ? AND ID2 = ?"),
                    {m_id1, m_id2});
    if (rs.isEmpty())
        return;
    f[QStringLiteral("fldYatin61")] = formatted(rs.value(0, QStringLiteral("計1")), kWhole);
    f[QStringLiteral("fldYatin62")] = formatted(rs.value(0, QStringLiteral("計2")), kWhole);
    f[QStringLiteral("fldYatin63")] = formatted(rs.value(0, QStringLiteral("計3")), kWhole);
}

void PlanReportFiller::SetPrintApartmentData(ReportData &sheet) const
{
    static const QStringList structures = {
        QStringLiteral("木造"),
        QStringLiteral("木骨モルタル造"),
        QStringLiteral("金属造(骨格材の肉厚３㎜以下)"),
        QStringLiteral("金属造(骨格材の肉厚３㎜超４㎜以下)"),
        QStringLiteral("金属造(骨格材の肉厚４㎜超)"),
        QStringLiteral("鉄骨鉄筋コンクリート造"),
    };
    static const QStringList methods = {QStringLiteral("定率法"), QStringLiteral("定額法")};
    static const QStringList extra = {QStringLiteral("行う"), QStringLiteral("行わない")};

    const DaoRows rs = planRecord(planTable(PlanType::Apartment));
    const auto v = [&](const QString &name) { return rs.value(0, name); };
    auto &f = sheet.fields;
    f[QStringLiteral("fldName")] = text(v(QStringLiteral("名称")));
    f[QStringLiteral("fldKaoku11")] = codeText(v(QStringLiteral("建物1")), structures);
    f[QStringLiteral("fldKaoku12")] = text(v(QStringLiteral("建物2"))) + QStringLiteral("棟 ") +
                                      text(v(QStringLiteral("建物3"))) + QStringLiteral("戸 ") +
                                      text(v(QStringLiteral("建物4"))) + QStringLiteral("階建て");
    f[QStringLiteral("fldKaoku2")] = text(v(QStringLiteral("建物5")));
    f[QStringLiteral("fldKaoku3")] = text(v(QStringLiteral("建物6")));
    for (int i = 1; i <= 12; ++i)
        f[QStringLiteral("fldYosan%1").arg(i)] = formatted(v(QStringLiteral("予算%1").arg(i)), kWhole);
    f[QStringLiteral("fldKasai")] = text(v(QStringLiteral("火災保険")));
    f[QStringLiteral("fldSikin1")] = formatted(v(QStringLiteral("資金1")), kWhole);
    f[QStringLiteral("fldSikin2")] = formatted(v(QStringLiteral("資金2")), kWhole);
    f[QStringLiteral("fldGenka1")] = codeText(v(QStringLiteral("減価1")), methods);
    f[QStringLiteral("fldGenka2")] = text(v(QStringLiteral("減価2")));
    f[QStringLiteral("fldGenka3")] = formatted(v(QStringLiteral("減価3")), kRate);
    f[QStringLiteral("fldGenka4")] = formatted(v(QStringLiteral("減価4")), kWhole);
    f[QStringLiteral("fldGenka5")] = formatted(v(QStringLiteral("減価5")), kWhole);
    f[QStringLiteral("fldGenka6")] = codeText(v(QStringLiteral("減価6")), extra);
    // Rates with two decimals; years as they are; the repair cost as money.
    static const char *const patterns[9] = {"##0.00", "##0.00", "", "", "##0.00", "", "##0.00", "##,###,##0", "##0.00"};
    for (int i = 1; i <= 9; ++i) {
        const QVariant value = v(QStringLiteral("計画%1").arg(i));
        const QString pattern = QString::fromUtf8(patterns[i - 1]);
        f[QStringLiteral("fldKeikaku%1").arg(i)] = pattern.isEmpty() ? text(value) : formatted(value, pattern);
    }
}

void PlanReportFiller::MakePrintSkSeData(ReportData &yearly, const YearView &view) const
{
    // The columns the yearly-table layouts read by name.
    QString sql = QStringLiteral("SELECT SK.年 AS SK年");
    const auto items = [&sql](const QString &alias, const char *kind) {
        for (int i = 1; i <= 9; ++i)
            sql += QStringLiteral(",%1.%2%3 AS %1%2%3").arg(alias, QString::fromUtf8(kind)).arg(i);
    };
    items(QStringLiteral("SK"), "収入");
    sql += QStringLiteral(",SK.収入計 AS SK収入計");
    items(QStringLiteral("SK"), "支出");
    sql += QStringLiteral(",SK.支出計 AS SK支出計,SK.収入計 - SK.支出計 AS SK残,SK.累計 AS SK累計,SE.年 AS SE年");
    items(QStringLiteral("SE"), "収入");
    sql += QStringLiteral(",SE.収入計 AS SE収入計");
    items(QStringLiteral("SE"), "支出");
    sql += QStringLiteral(",SE.支出計 AS SE支出計,SE.収入計 - SE.支出計 AS SE課税"
                          " FROM T_収支計画 AS SK INNER JOIN T_損益計算 AS SE"
                          " ON (SK.ID1 = SE.ID1 AND SK.ID2 = SE.ID2 AND SK.年 = SE.年)"
                          " WHERE SK.ID1 = ? AND SK.ID2 = ?"
                          // The parentheses keep the plan key binding on every alternative of the
                          // automatic interval's list of years.
                          " AND (") +
           view.filterSK + QStringLiteral(") ORDER BY SE.年");

    const DaoRows rs = m_dao.query(sql, {m_id1, m_id2});
    yearly.columns = rs.columnNames();
    yearly.rows.clear();
    for (int i = 0; i < rs.count(); ++i)
        yearly.rows.append(rs.row(i));
}
