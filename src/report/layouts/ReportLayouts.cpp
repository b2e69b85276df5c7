#include "ReportLayouts.h"

#include "LayoutBuilder.h"

namespace
{

QString fieldName(const char *stem, int number)
{
    return QString::fromUtf8(stem) + QString::number(number);
}

// The loan table shared by both sheets: the caption spanning its rows, the column headings,
// and for each of the three loans a first line (lender, amount, method, period 1, rate 1) and a
// second line (period 2, rate 2). Rules are drawn by each sheet.
void addLoanTable(LayoutBuilder &b, double top, const double (&firstLines)[3], const double (&secondLines)[3])
{
    b.label(QStringLiteral("Label26"), QStringLiteral("借入金"), 0, top, 1276, 1984);
    b.columnHeading(QStringLiteral("Label27"), QStringLiteral("借入先名称"), 1276, top, 2551);
    b.columnHeading(QStringLiteral("Label28"), QStringLiteral("借入金額"), 3827, top, 2126);
    b.columnHeading(QStringLiteral("Label30"), QStringLiteral("返済方式"), 5953, top, 1417);
    b.columnHeading(QStringLiteral("Label31"), QStringLiteral("返済期間"), 7370, top, 1559);
    b.columnHeading(QStringLiteral("Label29"), QStringLiteral("金利"), 8929, top, 1417);
    for (int r = 1; r <= 3; ++r) {
        const double y1 = firstLines[r - 1];
        const double y2 = secondLines[r - 1];
        const int base = r * 10;
        b.text(fieldName("fldKariire", base + 1), QStringLiteral("12345678901234567890"), 1276, y1, 2551);
        b.number(fieldName("fldKariire", base + 2), QStringLiteral("999,999,999"), 3827, y1, 1559);
        b.label(fieldName("lblKariire", base + 2), QStringLiteral("千円"), 5386, y1, 567);
        b.text(fieldName("fldKariire", base + 3), QStringLiteral("元利均等"), 5953, y1, 1417);
        b.number(fieldName("fldKariire", base + 4), QStringLiteral("99"), 7370, y1, 425);
        b.centred(fieldName("lblKariire", base + 4), QStringLiteral("～"), 7795, y1, 284);
        b.number(fieldName("fldKariire", base + 5), QStringLiteral("99"), 8079, y1, 425);
        b.label(fieldName("lblKariire", base + 5), QStringLiteral("年"), 8504, y1, 425);
        b.number(fieldName("fldKariire", base + 6), QStringLiteral("999.99"), 8929, y1, 992);
        b.label(fieldName("lblKariire", base + 6), QStringLiteral("％"), 9921, y1, 425);
        b.number(fieldName("fldKariire", base + 7), r == 2 ? QString() : QStringLiteral("99"), 7370, y2, 425);
        b.centred(fieldName("lblKariire", base + 7), QStringLiteral("～"), 7795, y2, 284);
        b.number(fieldName("fldKariire", base + 8), QStringLiteral("99"), 8079, y2, 425);
        b.label(fieldName("lblKariire", base + 8), QStringLiteral("年"), 8504, y2, 425);
        b.number(fieldName("fldKariire", base + 9), QStringLiteral("999.99"), 8929, y2, 992);
        b.label(fieldName("lblKariire", base + 9), QStringLiteral("％"), 9921, y2, 425);
    }
}

// The loan units hidden beside empty loan fields: for each loan the amount, both periods and
// both rates.
void addLoanHideRules(ReportLayout &layout)
{
    for (int r = 1; r <= 3; ++r) {
        for (int c : {2, 4, 5, 6, 7, 8, 9})
            layout.hideRules.push_back({fieldName("fldKariire", r * 10 + c), {fieldName("lblKariire", r * 10 + c)}});
    }
}

} // namespace

ReportLayout ReportLayouts::artParking()
{
    ReportLayout layout;
    layout.name = QStringLiteral("artParking");
    layout.printWidth = 10485;
    layout.pageHeader.height = 7545;
    layout.pageFooter.height = 360;
    LayoutBuilder b(layout.pageHeader,
                    {283,  850,  1134, 1417, 1701, 1984, 2126, 2409, 2693, 2976, 3260, 3402, 3685, 3969,
                     4252, 4535, 4819, 4961, 5244, 5528, 5811, 6094, 6378, 6661, 6945, 7228, 7512});

    b.label(QStringLiteral("Label9"), QStringLiteral("計画名　："), 0, 0, 1276);
    b.text(QStringLiteral("fldName"), QStringLiteral("123456789012345678901234567890"), 1276, 0, 3968);
    b.picture(QStringLiteral("Image1"), 5386, 0, 4960, 3260);

    b.box(QStringLiteral("Shape5"), 0, 850, 5244, 1134);
    b.heading(QStringLiteral("敷地"), QStringLiteral("敷地"), 0, 850, 5244);
    b.label(QStringLiteral("Label1"), QStringLiteral("物件名"), 0, 1134, 1417);
    b.text(QStringLiteral("fldBuken"), QStringLiteral("123456789012345678901234567890"), 1417, 1134, 3827);
    b.label(QStringLiteral("Label7"), QStringLiteral("敷地面積"), 0, 1417, 1417);
    b.number(QStringLiteral("fldSikiti1"), QStringLiteral("99999.99"), 1417, 1417, 1559);
    b.label(QStringLiteral("lblSikiti1"), QStringLiteral("㎡"), 2976, 1417, 567);
    b.label(QStringLiteral("Label8"), QStringLiteral("評価額"), 0, 1701, 1417);
    b.number(QStringLiteral("fldSikiti2"), QStringLiteral("999,999,999"), 1417, 1701, 1559);
    b.label(QStringLiteral("lblSikiti2"), QStringLiteral("千円"), 2976, 1701, 567);

    b.box(QStringLiteral("Shape1"), 0, 2126, 5244, 1134);
    b.heading(QStringLiteral("Label12"), QStringLiteral("料金設定"), 0, 2126, 5244);
    b.label(QStringLiteral("Label34"), QStringLiteral("１車両面積"), 0, 2409, 1701);
    b.number(QStringLiteral("fldRyokin1"), QStringLiteral("99999.99"), 1701, 2409, 1559);
    b.label(QStringLiteral("lblRyokin1"), QStringLiteral("㎡"), 3260, 2409, 567);
    b.label(QStringLiteral("Label13"), QStringLiteral("最大駐車数"), 0, 2693, 1701);
    b.number(QStringLiteral("fldRyokin2"), QStringLiteral("99999"), 1701, 2693, 1559);
    b.label(QStringLiteral("lblRyokin2"), QStringLiteral("台"), 3260, 2693, 567);
    b.label(QStringLiteral("Label14"), QStringLiteral("月駐車料"), 0, 2976, 1701);
    b.number(QStringLiteral("fldRyokin3"), QStringLiteral("99,999,999"), 1701, 2976, 1559);
    b.label(QStringLiteral("lblRyokin3"), QStringLiteral("千円"), 3260, 2976, 567);

    b.box(QStringLiteral("Shape2"), 0, 3402, 5244, 1417);
    b.heading(QStringLiteral("Label20"), QStringLiteral("舗装予算"), 0, 3402, 5244);
    const char *budgetLabels[] = {"Label15", "Label16", "Label21", "Label22"};
    const char *budgetCaptions[] = {"舗装費用", "消費税", "その他", "計"};
    const double budgetTops[] = {3685, 3969, 4252, 4535};
    for (int i = 0; i < 4; ++i) {
        b.label(QString::fromUtf8(budgetLabels[i]), QString::fromUtf8(budgetCaptions[i]), 0, budgetTops[i], 1701);
        b.number(fieldName("fldYosan", i + 1), QStringLiteral("999,999,999"), 1701, budgetTops[i], 1559);
        b.label(fieldName("lblYosan", i + 1), QStringLiteral("千円"), 3260, budgetTops[i], 567);
    }

    b.box(QStringLiteral("Shape4"), 5386, 3402, 4960, 1133);
    b.heading(QStringLiteral("Label23"), QStringLiteral("計画参考数値"), 5386, 3402, 4960);
    b.label(QStringLiteral("Label55"), QStringLiteral("空車率"), 5386, 3685, 1701);
    b.number(QStringLiteral("fldKeikaku1"), QStringLiteral("999.99"), 8787, 3685, 993);
    b.label(QStringLiteral("lblKeikaku1"), QStringLiteral("％"), 9780, 3685, 566);
    b.label(QStringLiteral("Label56"), QStringLiteral("土地値上率"), 5386, 3969, 1701);
    b.number(QStringLiteral("fldKeikaku2"), QStringLiteral("99"), 7654, 3969, 566);
    b.label(QStringLiteral("Label61"), QStringLiteral("年毎"), 8220, 3969, 567);
    b.number(QStringLiteral("fldKeikaku3"), QStringLiteral("999.99"), 8787, 3969, 993);
    b.label(QStringLiteral("lblKeikaku3"), QStringLiteral("％"), 9780, 3969, 566);
    b.label(QStringLiteral("Label57"), QStringLiteral("料金値上率"), 5386, 4252, 1701);
    b.number(QStringLiteral("fldKeikaku4"), QStringLiteral("99"), 7654, 4252, 566);
    b.label(QStringLiteral("lblKeikaku4"), QStringLiteral("年毎"), 8220, 4252, 567);
    b.number(QStringLiteral("fldKeikaku5"), QStringLiteral("999.99"), 8787, 4252, 993);
    b.label(QStringLiteral("lblKeikaku5"), QStringLiteral("％"), 9780, 4252, 566);

    b.box(QStringLiteral("Shape3"), 0, 4961, 10346, 2551);
    b.heading(QStringLiteral("Label24"), QStringLiteral("資金計画"), 0, 4961, 10346);
    b.label(QStringLiteral("Label25"), QStringLiteral("自己資金"), 0, 5244, 1276);
    b.number(QStringLiteral("fldSikin1"), QStringLiteral("99,999,999"), 1276, 5244, 1559);
    b.label(QStringLiteral("lblSikin1"), QStringLiteral("千円"), 2835, 5244, 567);
    addLoanTable(b, 5528, {5811, 6378, 6945}, {6094, 6661, 7228});

    for (double y : {1134, 1417, 1701, 2409, 2693, 2976})
        b.hline(y, 0, 5244);
    for (double y : {3685, 3969, 4252}) {
        b.hline(y, 0, 5244);
        b.hline(y, 5386, 10346);
    }
    b.hline(4535, 0, 5244);
    b.hline(5244, 0, 10346);
    b.hline(5528, 0, 10346);
    for (double y : {5811, 6094, 6378, 6661, 6945, 7228})
        b.hline(y, 1276, 10346);
    b.vline(1417, 1134, 1984);
    b.vline(1701, 2409, 3260);
    b.vline(1701, 3685, 4819);
    b.vline(7087, 3685, 4535);
    b.vline(1276, 5244, 7512);
    b.vline(7370, 5528, 7512);
    b.vline(8929, 5528, 7512);
    for (double x : {3827, 5953}) {
        b.vline(x, 5528, 6094);
        b.vline(x, 6378, 6661);
        b.vline(x, 6945, 7228);
    }

    layout.hideRules = {
        {QStringLiteral("fldSikiti1"), {QStringLiteral("lblSikiti1")}},
        {QStringLiteral("fldSikiti2"), {QStringLiteral("lblSikiti2")}},
        {QStringLiteral("fldRyokin1"), {QStringLiteral("lblRyokin1")}},
        {QStringLiteral("fldRyokin2"), {QStringLiteral("lblRyokin2")}},
        {QStringLiteral("fldRyokin3"), {QStringLiteral("lblRyokin3")}},
    };
    for (int i = 1; i <= 4; ++i)
        layout.hideRules.push_back({fieldName("fldYosan", i), {fieldName("lblYosan", i)}});
    layout.hideRules.push_back({QStringLiteral("fldKeikaku1"), {QStringLiteral("lblKeikaku1")}});
    layout.hideRules.push_back({QStringLiteral("fldKeikaku2"), {QStringLiteral("Label61")}});
    layout.hideRules.push_back({QStringLiteral("fldKeikaku3"), {QStringLiteral("lblKeikaku3")}});
    layout.hideRules.push_back({QStringLiteral("fldKeikaku4"), {QStringLiteral("lblKeikaku4")}});
    layout.hideRules.push_back({QStringLiteral("fldKeikaku5"), {QStringLiteral("lblKeikaku5")}});
    layout.hideRules.push_back({QStringLiteral("fldSikin1"), {QStringLiteral("lblSikin1")}});
    addLoanHideRules(layout);
    return layout;
}

ReportLayout ReportLayouts::artApartment()
{
    ReportLayout layout;
    layout.name = QStringLiteral("artApartment");
    layout.printWidth = 10485;
    layout.pageHeader.height = 13890;
    LayoutBuilder b(layout.pageHeader,
                    {283,   425,   709,   992,   1276,  1559,  1701,  1984,  2268,  2551,  2835,  3118,  3260,
                     3543,  3827,  4110,  4394,  4677,  4961,  5244,  5528,  5811,  6094,  6236,  6520,  6803,
                     7087,  7370,  7654,  7937,  8220,  8504,  8646,  8929,  9213,  9496,  9780,  10063, 10346,
                     10630, 10913, 11197, 11480, 11622, 11906, 12189, 12472, 12756, 13039, 13323, 13606, 13890});

    b.label(QStringLiteral("Label9"), QStringLiteral("計画名　："), 0, 0, 1276);
    b.text(QStringLiteral("fldName"), QStringLiteral("123456789012345678901234567890"), 1276, 0, 3968);
    b.picture(QStringLiteral("Image1"), 5386, 0, 4960, 3118);

    b.box(QStringLiteral("Shape8"), 0, 425, 5244, 1134);
    b.heading(QStringLiteral("Label148"), QStringLiteral("敷地"), 0, 425, 5244);
    b.label(QStringLiteral("Label1"), QStringLiteral("物件名"), 0, 709, 1276);
    b.text(QStringLiteral("fldBuken"), QStringLiteral("123456789012345678901234567890"), 1276, 709, 3968);
    b.label(QStringLiteral("Label7"), QStringLiteral("敷地面積"), 0, 992, 1276);
    b.number(QStringLiteral("fldSikiti1"), QStringLiteral("99999.99"), 1276, 992, 1700);
    b.label(QStringLiteral("Label10"), QStringLiteral("㎡"), 2976, 992, 567);
    b.label(QStringLiteral("Label8"), QStringLiteral("評価額"), 0, 1276, 1276);
    b.number(QStringLiteral("fldSikiti2"), QStringLiteral("999,999,999"), 1276, 1276, 1700);
    b.label(QStringLiteral("Label11"), QStringLiteral("千円"), 2976, 1276, 567);

    b.box(QStringLiteral("Shape1"), 0, 1701, 5244, 1417);
    b.heading(QStringLiteral("Label12"), QStringLiteral("建物の概要"), 0, 1701, 5244);
    b.label(QStringLiteral("Label117"), QStringLiteral("構造"), 0, 1984, 1276, 567);
    b.text(QStringLiteral("fldKaoku11"), QStringLiteral("鉄骨鉄筋コンクリート"), 1276, 1984, 3968);
    b.text(QStringLiteral("fldKaoku12"), QStringLiteral("1棟　18戸　3階建て"), 1276, 2268, 3968);
    b.label(QStringLiteral("Label13"), QStringLiteral("床面積"), 0, 2551, 1276);
    b.number(QStringLiteral("fldKaoku2"), QStringLiteral("99999"), 1276, 2551, 1559);
    b.label(QStringLiteral("lblKaoku2"), QStringLiteral("㎡"), 2835, 2551, 567);
    b.label(QStringLiteral("Label14"), QStringLiteral("評価額"), 0, 2835, 1276);
    b.number(QStringLiteral("fldKaoku3"), QStringLiteral("99,999,999"), 1276, 2835, 1559);
    b.label(QStringLiteral("lblKaoku3"), QStringLiteral("千円"), 2835, 2835, 567);

    // Rent table: five dwelling-type columns of eight rows, and the totals.
    b.box(QStringLiteral("Shape6"), 0, 3260, 10346, 2834);
    b.heading(QStringLiteral("Label64"), QStringLiteral("家賃設定"), 0, 3260, 10346);
    b.heading(QStringLiteral("Label65"), QStringLiteral("タイプ"), 0, 3543, 992);
    const double columnLefts[] = {992, 2551, 4110, 5669, 7228};
    const char *letters[] = {"A", "B", "C", "D", "E"};
    for (int k = 0; k < 5; ++k)
        b.centred(fieldName("Label", 140 + k), QString::fromUtf8(letters[k]), columnLefts[k], 3543, 1559);
    const double rentTops[] = {3827, 4110, 4394, 4677, 4961, 5244, 5528, 5811};
    const char *rentCaptions[] = {"間取り", "専有面積", "世帯数", "駐車台数", "月家賃", "月共益費", "月駐車料", "敷金"};
    for (int row = 0; row < 8; ++row)
        b.heading(fieldName("Label", 66 + row), QString::fromUtf8(rentCaptions[row]), 0, rentTops[row], 992);
    for (int k = 1; k <= 5; ++k) {
        const double left = columnLefts[k - 1];
        b.text(fieldName("fldYatin", k * 10 + 1), QStringLiteral("４LDK"), left, rentTops[0], 1559);
        b.number(fieldName("fldYatin", k * 10 + 2), QStringLiteral("999.00"), left, rentTops[1], 992);
        b.label(fieldName("lblYatin", k * 10 + 2), QStringLiteral("㎡"), left + 992, rentTops[1], 567);
        b.number(fieldName("fldYatin", k * 10 + 3), QStringLiteral("99"), left, rentTops[2], 992);
        b.number(fieldName("fldYatin", k * 10 + 4), QStringLiteral("99"), left, rentTops[3], 992);
        for (int c = 5; c <= 8; ++c) {
            b.number(fieldName("fldYatin", k * 10 + c), QStringLiteral("99,999"), left, rentTops[c - 1], 992);
            b.label(fieldName("lblYatin", k * 10 + c), QStringLiteral("千円"), left + 992, rentTops[c - 1], 567);
        }
    }
    b.columnHeading(QStringLiteral("Label79"), QStringLiteral("合計"), 8787, 4677, 1559);
    const double totalTops[] = {5244, 5528, 5811};
    for (int i = 0; i < 3; ++i) {
        b.number(fieldName("fldYatin", 61 + i), QStringLiteral("99,999"), 8787, totalTops[i], 993);
        b.label(fieldName("lblYatin", 61 + i), QStringLiteral("千円"), 9780, totalTops[i], 566);
    }

    // Construction budget: two columns of six rows, then the fire insurance period.
    b.box(QStringLiteral("Shape2"), 0, 6236, 10346, 2268);
    b.heading(QStringLiteral("Label20"), QStringLiteral("建設予算"), 0, 6236, 10346);
    const double budgetTops[] = {6520, 6803, 7087, 7370, 7654, 7937};
    const char *leftLabels[] = {"Label15", "Label16", "Label21", "Label103", "Label104", "Label105"};
    const char *leftCaptions[] = {"工事費請負金額", "消費税", "水道市納金", "放流負担金", "収入印紙税", "取得税"};
    const char *rightLabels[] = {"Label107", "Label108", "Label151", "Label150", "Label106", "Label22"};
    const char *rightCaptions[] = {"火災保険料", "登記費用", "保証料", "期中金利", "その他", "建設予算総額"};
    for (int i = 0; i < 6; ++i) {
        const double top = budgetTops[i];
        b.label(QString::fromUtf8(leftLabels[i]), QString::fromUtf8(leftCaptions[i]), 0, top, 1843);
        b.number(fieldName("fldYosan", i + 1), QStringLiteral("999,999,999"), 2268, top, 1559);
        b.label(fieldName("lblYosan", i + 1), QStringLiteral("千円"), 3827, top, 567);
        b.label(QString::fromUtf8(rightLabels[i]), QString::fromUtf8(rightCaptions[i]), 4535, top, 1843);
        b.number(fieldName("fldYosan", i + 7), QStringLiteral("999,999,999"), 6378, top, 1559);
        b.label(fieldName("lblYosan", i + 7), QStringLiteral("千円"), 7937, top, 567);
    }
    b.label(QStringLiteral("Label109"), QStringLiteral("火災保険の保険期間"), 0, 8220, 2268);
    b.number(QStringLiteral("fldKasai"), QStringLiteral("999"), 2976, 8220, 851);
    b.label(QStringLiteral("lblKasai"), QStringLiteral("年"), 3827, 8220, 567);

    b.box(QStringLiteral("Shape3"), 0, 8646, 10346, 2834);
    b.heading(QStringLiteral("Label24"), QStringLiteral("資金計画"), 0, 8646, 10346);
    b.label(QStringLiteral("Label25"), QStringLiteral("自己資金"), 0, 8929, 1276);
    b.number(QStringLiteral("fldSikin1"), QStringLiteral("99,999,999"), 1276, 8929, 1559);
    b.label(QStringLiteral("lblSikin1"), QStringLiteral("千円"), 2835, 8929, 567);
    b.label(QStringLiteral("Label147"), QStringLiteral("敷金の流用"), 0, 9213, 1276);
    b.number(QStringLiteral("fldSikin2"), QStringLiteral("99,999,999"), 1276, 9213, 1559);
    b.label(QStringLiteral("lblSikin2"), QStringLiteral("千円"), 2835, 9213, 567);
    addLoanTable(b, 9496, {9780, 10346, 10913}, {10063, 10630, 11197});

    b.box(QStringLiteral("Shape7"), 0, 11622, 4961, 1984);
    b.heading(QStringLiteral("Label118"), QStringLiteral("減価償却"), 0, 11622, 4961);
    b.label(QStringLiteral("Label119"), QStringLiteral("償却方法"), 0, 11906, 1843);
    b.text(QStringLiteral("fldGenka1"), QStringLiteral("定率法"), 1843, 11906, 3118);
    b.label(QStringLiteral("Label120"), QStringLiteral("償却年数"), 0, 12189, 1843);
    b.number(QStringLiteral("fldGenka2"), QStringLiteral("99"), 2835, 12189, 567);
    b.label(QStringLiteral("lblGenka2"), QStringLiteral("年"), 3402, 12189, 567);
    b.label(QStringLiteral("Label121"), QStringLiteral("償却率"), 0, 12472, 1843);
    b.number(QStringLiteral("fldGenka3"), QStringLiteral("999.99"), 2409, 12472, 993);
    b.label(QStringLiteral("lblGenka3"), QStringLiteral("％"), 3402, 12472, 567);
    b.label(QStringLiteral("Label127"), QStringLiteral("償却額"), 0, 12756, 1843);
    b.number(QStringLiteral("fldGenka4"), QStringLiteral("99,999,999"), 1843, 12756, 1559);
    b.label(QStringLiteral("lblGenka4"), QStringLiteral("千円"), 3402, 12756, 567);
    b.label(QStringLiteral("Label128"), QStringLiteral("残存額"), 0, 13039, 1843);
    b.number(QStringLiteral("fldGenka5"), QStringLiteral("99,999,999"), 1843, 13039, 1559);
    b.label(QStringLiteral("lblGenka5"), QStringLiteral("千円"), 3402, 13039, 567);
    b.label(QStringLiteral("Label145"), QStringLiteral("割増償却"), 0, 13323, 1843);
    b.text(QStringLiteral("fldGenka6"), QStringLiteral("行わない"), 1843, 13323, 3118);

    b.box(QStringLiteral("Shape4"), 5386, 11622, 4960, 2268);
    b.heading(QStringLiteral("Label23"), QStringLiteral("計画参考数値"), 5386, 11622, 4960);
    b.label(QStringLiteral("Label149"), QStringLiteral("空車率"), 5386, 11906, 1842);
    b.number(QStringLiteral("fldKeikaku1"), QStringLiteral("999.99"), 8787, 11906, 993);
    b.label(QStringLiteral("lblKeikaku1"), QStringLiteral("％"), 9780, 11906, 566);
    b.label(QStringLiteral("Label55"), QStringLiteral("入居者回転率"), 5386, 12189, 1842);
    b.label(QStringLiteral("lblKeikaku2"), QStringLiteral("毎年"), 8220, 12189, 567);
    b.number(QStringLiteral("fldKeikaku2"), QStringLiteral("999.99"), 8787, 12189, 993);
    b.label(QStringLiteral("lblKeikaku3"), QStringLiteral("％"), 9780, 12189, 566);
    b.label(QStringLiteral("Label56"), QStringLiteral("家賃値上予想"), 5386, 12472, 1842, 567);
    b.number(QStringLiteral("fldKeikaku3"), QStringLiteral("99"), 7654, 12472, 566);
    b.label(QStringLiteral("lblKeikaku4"), QStringLiteral("年目まで値上り"), 8220, 12472, 2126);
    b.number(QStringLiteral("fldKeikaku4"), QStringLiteral("99"), 7654, 12756, 566);
    b.label(QStringLiteral("lblKeikaku5"), QStringLiteral("年毎"), 8220, 12756, 567);
    b.number(QStringLiteral("fldKeikaku5"), QStringLiteral("999.99"), 8787, 12756, 993);
    b.label(QStringLiteral("lblKeikaku6"), QStringLiteral("％"), 9780, 12756, 566);
    b.label(QStringLiteral("Label57"), QStringLiteral("土地上昇率"), 5386, 13039, 1842);
    b.number(QStringLiteral("fldKeikaku6"), QStringLiteral("99"), 7654, 13039, 566);
    b.label(QStringLiteral("lblKeikaku7"), QStringLiteral("年毎"), 8220, 13039, 567);
    b.number(QStringLiteral("fldKeikaku7"), QStringLiteral("999.99"), 8787, 13039, 993);
    b.label(QStringLiteral("lblKeikaku8"), QStringLiteral("％"), 9780, 13039, 566);
    b.label(QStringLiteral("Label129"), QStringLiteral("修繕費"), 5386, 13323, 1842);
    b.label(QStringLiteral("lblKeikaku9"), QStringLiteral("入居者回転毎"), 7228, 13323, 1559);
    b.number(QStringLiteral("fldKeikaku8"), QStringLiteral("99,999"), 8787, 13323, 993);
    b.label(QStringLiteral("lblKeikaku10"), QStringLiteral("千円"), 9780, 13323, 566);
    b.label(QStringLiteral("Label130"), QStringLiteral("維持管理費"), 5386, 13606, 1842);
    b.label(QStringLiteral("lblKeikaku11"), QStringLiteral("収入の"), 7937, 13606, 850);
    b.number(QStringLiteral("fldKeikaku9"), QStringLiteral("999.99"), 8787, 13606, 993);
    b.label(QStringLiteral("lblKeikaku12"), QStringLiteral("％"), 9780, 13606, 566);

    for (double y : {709, 992, 1276, 1984, 2551, 2835})
        b.hline(y, 0, 5244);
    for (double y : {3543, 4677, 4961, 5528, 5811, 6520, 6803, 7087, 7370, 7654, 7937, 8220, 8929, 9213, 9496, 9496})
        b.hline(y, 0, 10346);
    for (double y : {3827, 4110, 4394, 5244})
        b.hline(y, 0, 8787);
    for (double y : {9780, 10346, 10913})
        b.hline(y, 1276, 10346);
    for (double y : {10063, 10630, 11197})
        b.hline(y, 7370, 10346);
    for (double y : {11906, 12189, 12472, 12756, 13039, 13323})
        b.hline(y, 0, 4961);
    for (double y : {11906, 12189, 12472, 13039, 13323, 13606})
        b.hline(y, 5386, 10346);
    b.hline(12756, 7228, 10346);
    b.vline(1276, 709, 1559);
    b.vline(1276, 1984, 3118);
    b.vline(1276, 8929, 11480);
    for (double x : {992, 2551, 4110, 5669, 8787})
        b.vline(x, 3543, 6094);
    b.vline(7228, 3543, 6094);
    b.vline(7228, 11906, 13890);
    b.vline(2268, 6520, 8504);
    b.vline(4535, 6520, 8220);
    b.vline(6378, 6520, 8220);
    for (double x : {3827, 5953, 7370, 8929})
        b.vline(x, 9496, 11480);
    b.vline(1843, 11906, 13606);

    layout.hideRules.push_back({QStringLiteral("fldKaoku2"), {QStringLiteral("lblKaoku2")}});
    layout.hideRules.push_back({QStringLiteral("fldKaoku3"), {QStringLiteral("lblKaoku3")}});
    for (int k = 1; k <= 5; ++k) {
        for (int c : {2, 5, 6, 7, 8})
            layout.hideRules.push_back({fieldName("fldYatin", k * 10 + c), {fieldName("lblYatin", k * 10 + c)}});
    }
    for (int i = 61; i <= 63; ++i)
        layout.hideRules.push_back({fieldName("fldYatin", i), {fieldName("lblYatin", i)}});
    for (int i = 1; i <= 12; ++i)
        layout.hideRules.push_back({fieldName("fldYosan", i), {fieldName("lblYosan", i)}});
    layout.hideRules.push_back({QStringLiteral("fldKasai"), {QStringLiteral("lblKasai")}});
    layout.hideRules.push_back({QStringLiteral("fldSikin1"), {QStringLiteral("lblSikin1")}});
    layout.hideRules.push_back({QStringLiteral("fldSikin2"), {QStringLiteral("lblSikin2")}});
    addLoanHideRules(layout);
    for (int i = 2; i <= 5; ++i)
        layout.hideRules.push_back({fieldName("fldGenka", i), {fieldName("lblGenka", i)}});
    layout.hideRules.push_back({QStringLiteral("fldKeikaku1"), {QStringLiteral("lblKeikaku1")}});
    for (int i = 2; i <= 7; ++i)
        layout.hideRules.push_back({fieldName("fldKeikaku", i), {fieldName("lblKeikaku", i + 1)}});
    layout.hideRules.push_back(
        {QStringLiteral("fldKeikaku8"), {QStringLiteral("lblKeikaku9"), QStringLiteral("lblKeikaku10")}});
    layout.hideRules.push_back(
        {QStringLiteral("fldKeikaku9"), {QStringLiteral("lblKeikaku11"), QStringLiteral("lblKeikaku12")}});
    return layout;
}

namespace
{

// A column of a yearly table: its place, the record-set column its field shows, the group
// caption above it ("収入", "支出" or none for a caption over the whole header height), whether
// it stands under "公租公課", and its own caption ("\n" breaks a caption too wide for one line).
struct YearColumn {
    double left;
    double width;
    const char *column;
    const char *group;
    bool tax;
    const char *caption;
};

// One yearly table: the frame, the header in three bands (group captions, "公租公課", the
// columns' own captions), the ruled body of 15 rows and the one row of value fields.
struct YearTable {
    QString frameName;
    double top;
    double width;
    double height;
    double groupTop; // bottom of the group captions
    double taxTop;   // top of the band under "公租公課"
    double bodyTop;  // bottom of the header, top of the first body row
    double fieldHeight;
    int firstField;
    std::vector<double> bodyRules;
    std::vector<YearColumn> columns;
};

void addYearTable(LayoutBuilder &b, const YearTable &t)
{
    const double groupTop = t.groupTop;
    const double bottom = t.top + t.height;
    b.box(t.frameName, 0, t.top, t.width, t.height);
    const auto &cols = t.columns;
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const YearColumn &c = cols[i];
        const QString group = QString::fromUtf8(c.group);
        const bool startsGroup = i == 0 || QString::fromUtf8(cols[i - 1].group) != group;
        const bool startsTax = c.tax && (i == 0 || !cols[i - 1].tax);
        if (group.isEmpty()) {
            ReportControl &l =
                b.centred(QString(), QString::fromUtf8(c.caption), c.left, t.top, c.width, t.bodyTop - t.top);
            l.wrap = true;
        } else {
            if (startsGroup) {
                std::size_t last = i;
                while (last + 1 < cols.size() && QString::fromUtf8(cols[last + 1].group) == group)
                    ++last;
                const double right = cols[last].left + cols[last].width;
                b.centred(QString(), group, c.left, t.top, right - c.left, groupTop - t.top);
                b.hline(groupTop, c.left, right);
            }
            if (startsTax) {
                std::size_t last = i;
                while (last + 1 < cols.size() && cols[last + 1].tax)
                    ++last;
                const double right = cols[last].left + cols[last].width;
                b.centred(QString(), QStringLiteral("公租公課"), c.left, groupTop, right - c.left, t.taxTop - groupTop);
                b.hline(t.taxTop, c.left, right);
            }
            const double captionTop = c.tax ? t.taxTop : groupTop;
            ReportControl &l =
                b.centred(QString(), QString::fromUtf8(c.caption), c.left, captionTop, c.width, t.bodyTop - captionTop);
            l.wrap = true;
        }
        if (i > 0) {
            // Column boundaries inside a group start below its caption, inside "公租公課" below that.
            double from = t.top;
            if (!group.isEmpty() && !startsGroup)
                from = c.tax && !startsTax ? t.taxTop : groupTop;
            b.vline(c.left, from, bottom);
        }
    }
    for (double y : t.bodyRules)
        b.hline(y, 0, t.width);
    int number = t.firstField;
    for (const YearColumn &c : cols) {
        ReportControl &f = b.number(QStringLiteral("Field%1").arg(number++, 2, 10, QLatin1Char('0')), QString(), c.left,
                                    t.bodyTop, c.width, t.fieldHeight);
        f.column = QString::fromUtf8(c.column);
        f.format = QStringLiteral("##,###,##0");
        if (f.column.endsWith(QStringLiteral("年")))
            f.align = Qt::AlignCenter;
    }
}

// Title, the two tables' captions and units, and the tables themselves.
ReportLayout yearLayout(const QString &name, double titleLeft, double firstUnitLeft, double secondUnitLeft,
                        const YearTable &first, const YearTable &second)
{
    ReportLayout layout;
    layout.name = name;
    layout.rowsPerPage = 15;
    layout.rowPitch = 283;
    LayoutBuilder b(layout.detail, {});
    ReportControl &title =
        b.centred(QStringLiteral("Label26"), QStringLiteral("経営計画ご提案書"), titleLeft, 0, 3401, 425);
    title.fontPoints = 14;
    title.bold = true;
    b.label(QStringLiteral("Label50"), QStringLiteral("収支計画"), 0, 567, 1134, 283);
    b.label(QStringLiteral("Label53"), QStringLiteral("単位：千円"), firstUnitLeft, 567, 1417, 283).align =
        Qt::AlignRight | Qt::AlignVCenter;
    b.label(QStringLiteral("Label51"), QStringLiteral("損益計算書"), 0, 6094, 1417, 284);
    b.label(QStringLiteral("Label52"), QStringLiteral("単位：千円"), secondUnitLeft, 6094, 1417, 284).align =
        Qt::AlignRight | Qt::AlignVCenter;
    addYearTable(b, first);
    addYearTable(b, second);
    layout.printWidth = layout.rightEdge();
    return layout;
}

const std::vector<double> kFirstBodyRules{1701, 1984, 2268, 2551, 2835, 3118, 3402, 3685,
                                          3969, 4252, 4535, 4819, 5102, 5386, 5669};
const std::vector<double> kSecondBodyRules{7228, 7512, 7795,  8079,  8362,  8646,  8929, 9213,
                                           9496, 9780, 10063, 10346, 10630, 10913, 11197};

// The first table (収支計画) and the second (損益計算書) lie at the same heights in both layouts.
YearTable firstTable(const QString &frame, double width, std::vector<YearColumn> columns)
{
    return {frame, 850, width, 5103, 1134, 1417, 1701, 283, 1, kFirstBodyRules, std::move(columns)};
}

YearTable secondTable(const QString &frame, double width, int firstField, std::vector<YearColumn> columns)
{
    return {frame, 6378, width, 5102, 6661, 6945, 7228, 284, firstField, kSecondBodyRules, std::move(columns)};
}

} // namespace

ReportLayout ReportLayouts::artParkSS()
{
    const YearTable first = firstTable(QStringLiteral("Shape1"), 8929,
                                       {{0, 425, "SK年", "", false, "年　度"},
                                        {425, 1134, "SK収入1", "収入", false, "駐車料"},
                                        {1559, 1276, "SK収入計", "収入", false, "計"},
                                        {2835, 1134, "SK支出1", "支出", false, "借入金\n返済"},
                                        {3969, 1133, "SK支出2", "支出", true, "土地"},
                                        {5102, 1276, "SK支出計", "支出", false, "計"},
                                        {6378, 1276, "SK残", "", false, "差引残"},
                                        {7654, 1275, "SK累計", "", false, "差引残累計"}});
    const YearTable second = secondTable(QStringLiteral("Shape2"), 8929, 9,
                                         {{0, 425, "SE年", "", false, "年　度"},
                                          {425, 1134, "SE収入1", "収入", false, "駐車料"},
                                          {1559, 1276, "SE収入計", "収入", false, "計"},
                                          {2835, 1134, "SE支出1", "支出", false, "金利\n返済"},
                                          {3969, 1133, "SE支出2", "支出", true, "土地"},
                                          {5102, 1276, "SE支出3", "支出", false, "諸経費"},
                                          {6378, 1276, "SE支出計", "支出", false, "計"},
                                          {7654, 1275, "SE課税", "", false, "課税対象額"}});
    ReportLayout layout = yearLayout(QStringLiteral("artParkSS"), 2835, 7512, 7512, first, second);
    layout.detail.height = 11640;
    return layout;
}

ReportLayout ReportLayouts::artApartSS()
{
    const YearTable first = firstTable(QStringLiteral("Shape2"), 10269,
                                       {{0, 425, "SK年", "", false, "年　度"},
                                        {425, 900, "SK収入1", "収入", false, "家賃"},
                                        {1325, 900, "SK収入2", "収入", false, "駐車料"},
                                        {2225, 1134, "SK収入計", "収入", false, "計"},
                                        {3359, 900, "SK支出1", "支出", false, "借入金\n返済"},
                                        {4259, 900, "SK支出2", "支出", false, "維持費\n修繕費"},
                                        {5159, 900, "SK支出3", "支出", true, "建物"},
                                        {6059, 900, "SK支出4", "支出", true, "土地"},
                                        {6959, 1134, "SK支出計", "支出", false, "計"},
                                        {8093, 900, "SK残", "", false, "差引残"},
                                        {8993, 1276, "SK累計", "", false, "差引残累計"}});
    const YearTable second = secondTable(QStringLiteral("Shape1"), 11169, 12,
                                         {{0, 425, "SE年", "", false, "年　度"},
                                          {425, 900, "SE収入1", "収入", false, "家賃"},
                                          {1325, 900, "SE収入2", "収入", false, "駐車料"},
                                          {2225, 1134, "SE収入計", "収入", false, "計"},
                                          {3359, 900, "SE支出1", "支出", false, "減価\n償却"},
                                          {4259, 900, "SE支出2", "支出", false, "金利\n返済"},
                                          {5159, 900, "SE支出3", "支出", false, "維持費\n修繕費"},
                                          {6059, 900, "SE支出4", "支出", true, "建物"},
                                          {6959, 900, "SE支出5", "支出", true, "土地"},
                                          {7859, 900, "SE支出6", "支出", false, "諸経費"},
                                          {8759, 1134, "SE支出計", "支出", false, "計"},
                                          {9892, 1276, "SE課税", "", false, "課税対象額"}});
    ReportLayout layout = yearLayout(QStringLiteral("artApartSS"), 3827, 8850, 9780, first, second);
    layout.detail.height = 12030;
    layout.pageFooter.height = 360;
    return layout;
}

ReportLayout ReportLayouts::byName(const QString &name)
{
    if (name == QLatin1String("artParking"))
        return artParking();
    if (name == QLatin1String("artApartment"))
        return artApartment();
    if (name == QLatin1String("artParkSS"))
        return artParkSS();
    if (name == QLatin1String("artApartSS"))
        return artApartSS();
    return ReportLayout();
}
