#include "DbSchema.h"

#include "PlanRows.h"
#include "cDao.h"

namespace
{

// Column names written out with blanks between them.
QStringList names(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '));
}

// A numbered field family: 予算1 to 予算12 and the like.
QStringList numbered(const char *stem, int last)
{
    QStringList family;
    for (int i = 1; i <= last; ++i)
        family << QString::fromUtf8(stem) + QString::number(i);
    return family;
}

} // namespace

const QVector<DbSchema::Table> &DbSchema::tables()
{
    static const QVector<Table> list = [] {
        const QStringList named = names("ID1 ID2 名称");
        // Work and stored rows are copied into each other whole (SELECT *).
        const QStringList rents = PlanRows::rentColumns().names();
        const QStringList loans = PlanRows::loanColumns().names();
        // A year of either yearly table: the report reads items 1 to 9 of each side.
        const QStringList items =
            names("ID1 ID2 年") + numbered("収入", 9) + names("収入計") + numbered("支出", 9) + names("支出計");
        return QVector<Table>{
            // The property list, the property registration, the entry forms, the conditions sheet.
            {QStringLiteral("D_物件"), names("ID1 物件名 敷地面積 評価額 固定資産税税率 都市計画税税率")},
            // The workspace, the plan records of the entry forms, the plan window and its sheets.
            {QStringLiteral("D_駐車場"),
             named + numbered("料金", 3) + numbered("予算", 4) + numbered("計画", 5) + names("資金1")},
            {QStringLiteral("D_賃貸マンション"), named + numbered("建物", 9) + numbered("予算", 12) +
                                                     numbered("資金", 2) + numbered("減価", 6) + numbered("計画", 9) +
                                                     names("火災保険")},
            // The name of a store plan in its window.
            {QStringLiteral("D_店舗"), named},
            {QStringLiteral("W_家賃"), rents},
            {QStringLiteral("D_家賃"), rents},
            {QStringLiteral("W_借入金"), loans},
            {QStringLiteral("D_借入金"), loans},
            // The results: written by the registration, read by the plan window and the yearly report.
            {QStringLiteral("T_収支"), names("ID1 ID2 年 TYPE 収入 支出 収支累計")},
            {QStringLiteral("T_収支計画"), items + names("累計")},
            {QStringLiteral("T_損益計算"), items},
            // Masters: depreciation rates for the apartment form, repayment names for the sheets.
            {QStringLiteral("M_償却"), names("償却年数 定率法 定額法")},
            {QStringLiteral("K_返済方式"), names("ID 名称")},
        };
    }();
    return list;
}

void DbSchema::check(cDao &dao)
{
    QStringList problems;
    QStringList engineTexts;
    for (const Table &table : tables()) {
        DaoRows rows;
        try {
            rows = dao.query(QStringLiteral("SELECT * FROM ") + table.name + QStringLiteral(" WHERE 1 = 0"));
        } catch (const DaoError &e) {
            problems << QStringLiteral("表 %1 を読めません。%2").arg(table.name, e.text());
            if (!e.engineText().isEmpty())
                engineTexts << e.engineText();
            continue;
        }
        QStringList missing;
        for (const QString &column : table.columns) {
            if (!rows.hasColumn(column))
                missing << column;
        }
        if (!missing.isEmpty())
            problems
                << QStringLiteral("表 %1 に列 %2 がありません。").arg(table.name, missing.join(QStringLiteral("、")));
    }
    if (!problems.isEmpty())
        throw DaoError(problems.join(QLatin1Char(' ')), 0, engineTexts.join(QStringLiteral("; ")));
}
