// The four report layouts as data: their controls, places, hide rules and yearly columns.
#include "ReportLayouts.h"

#include <QtTest>

#include <set>

Q_DECLARE_METATYPE(ReportLayout)

class tst_ReportLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlCounts_data();
    void controlCounts();
    void namesAreUnique_data();
    void namesAreUnique();
    void hideRulesNameExistingControls_data();
    void hideRulesNameExistingControls();
    void sheetPlaces_data();
    void sheetPlaces();
    void yearlyColumns_data();
    void yearlyColumns();
    void headingsAreFilled();
    void byName();
};

void tst_ReportLayouts::controlCounts_data()
{
    QTest::addColumn<ReportLayout>("layout");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("hideRules");
    QTest::addColumn<double>("rightEdge");
    QTest::newRow("artParking") << ReportLayouts::artParking() << 44 << 62 << 34 << 5 << 1 << 36 << 10346.0;
    QTest::newRow("artApartment") << ReportLayouts::artApartment() << 108 << 146 << 63 << 7 << 1 << 79 << 10346.0;
    // The second table's unit label (9780 + 1417) reaches past its frame (11169).
    QTest::newRow("artParkSS") << ReportLayouts::artParkSS() << 16 << -1 << -1 << 2 << 0 << 0 << 8929.0;
    QTest::newRow("artApartSS") << ReportLayouts::artApartSS() << 23 << -1 << -1 << 2 << 0 << 0 << 11197.0;
}

void tst_ReportLayouts::controlCounts()
{
    QFETCH(ReportLayout, layout);
    QFETCH(int, fields);
    QFETCH(int, labels);
    QFETCH(int, lines);
    QFETCH(int, boxes);
    QFETCH(int, pictures);
    QFETCH(int, hideRules);
    QFETCH(double, rightEdge);
    QCOMPARE(layout.count(ReportControl::Field), fields);
    if (labels >= 0) {
        QCOMPARE(layout.count(ReportControl::Label), labels);
        QCOMPARE(layout.count(ReportControl::Line), lines);
    }
    QCOMPARE(layout.count(ReportControl::Box), boxes);
    QCOMPARE(layout.count(ReportControl::Picture), pictures);
    QCOMPARE(int(layout.hideRules.size()), hideRules);
    QCOMPARE(layout.rightEdge(), rightEdge);
}

void tst_ReportLayouts::namesAreUnique_data()
{
    QTest::addColumn<ReportLayout>("layout");
    QTest::newRow("artParking") << ReportLayouts::artParking();
    QTest::newRow("artApartment") << ReportLayouts::artApartment();
    QTest::newRow("artParkSS") << ReportLayouts::artParkSS();
    QTest::newRow("artApartSS") << ReportLayouts::artApartSS();
}

void tst_ReportLayouts::namesAreUnique()
{
    QFETCH(ReportLayout, layout);
    std::set<QString> names;
    for (const ReportSection *s : {&layout.pageHeader, &layout.detail, &layout.pageFooter}) {
        for (const ReportControl &c : s->controls) {
            if (c.name.isEmpty())
                continue;
            QVERIFY2(names.insert(c.name).second, qPrintable(c.name));
        }
    }
}

void tst_ReportLayouts::hideRulesNameExistingControls_data()
{
    namesAreUnique_data();
}

void tst_ReportLayouts::hideRulesNameExistingControls()
{
    QFETCH(ReportLayout, layout);
    std::set<QString> hidden;
    for (const HideRule &rule : layout.hideRules) {
        const ReportControl *field = layout.control(rule.field);
        QVERIFY2(field && field->kind == ReportControl::Field, qPrintable(rule.field));
        for (const QString &label : rule.labels) {
            const ReportControl *unit = layout.control(label);
            QVERIFY2(unit && unit->kind == ReportControl::Label, qPrintable(label));
            QVERIFY2(hidden.insert(label).second, qPrintable(label)); // each rule hides its own labels
        }
    }
}

void tst_ReportLayouts::sheetPlaces_data()
{
    QTest::addColumn<ReportLayout>("layout");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("text");
    const ReportLayout parking = ReportLayouts::artParking();
    const ReportLayout apartment = ReportLayouts::artApartment();
    QTest::newRow("parking picture") << parking << "Image1" << QRectF(5386, 0, 4960, 3260) << QString();
    QTest::newRow("parking name") << parking << "fldName" << QRectF(1276, 0, 3968, 283)
                                  << "123456789012345678901234567890";
    QTest::newRow("parking fee unit") << parking << "lblRyokin3" << QRectF(3260, 2976, 567, 284) << "千円";
    QTest::newRow("parking land rise interval unit") << parking << "Label61" << QRectF(8220, 3969, 567, 283) << "年毎";
    QTest::newRow("parking loan caption") << parking << "Label26" << QRectF(0, 5528, 1276, 1984) << "借入金";
    QTest::newRow("parking third loan, rate 2")
        << parking << "fldKariire39" << QRectF(8929, 7228, 992, 284) << "999.99";
    QTest::newRow("parking second loan, period 2 from")
        << parking << "fldKariire27" << QRectF(7370, 6661, 425, 284) << QString();
    QTest::newRow("apartment picture") << apartment << "Image1" << QRectF(5386, 0, 4960, 3118) << QString();
    QTest::newRow("apartment structure") << apartment << "Label117" << QRectF(0, 1984, 1276, 567) << "構造";
    QTest::newRow("apartment column D area unit")
        << apartment << "lblYatin42" << QRectF(5669 + 992, 4110, 567, 284) << "㎡";
    QTest::newRow("apartment column E deposit")
        << apartment << "fldYatin58" << QRectF(7228, 5811, 992, 283) << "99,999";
    QTest::newRow("apartment rent total") << apartment << "fldYatin61" << QRectF(8787, 5244, 993, 284) << "99,999";
    QTest::newRow("apartment budget total")
        << apartment << "fldYosan12" << QRectF(6378, 7937, 1559, 283) << "999,999,999";
    QTest::newRow("apartment first loan")
        << apartment << "fldKariire11" << QRectF(1276, 9780, 2551, 283) << "12345678901234567890";
    QTest::newRow("apartment repair before")
        << apartment << "lblKeikaku9" << QRectF(7228, 13323, 1559, 283) << "入居者回転毎";
    QTest::newRow("apartment upkeep value") << apartment << "fldKeikaku9" << QRectF(8787, 13606, 993, 284) << "999.99";
}

void tst_ReportLayouts::sheetPlaces()
{
    QFETCH(ReportLayout, layout);
    QFETCH(QString, name);
    QFETCH(QRectF, rect);
    QFETCH(QString, text);
    const ReportControl *c = layout.control(name);
    QVERIFY(c);
    QCOMPARE(c->rect, rect);
    QCOMPARE(c->text, text);
}

void tst_ReportLayouts::yearlyColumns_data()
{
    QTest::addColumn<ReportLayout>("layout");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("secondTable"); // index of the first field of the second table
    QTest::newRow("artParkSS") << ReportLayouts::artParkSS()
                               << QStringList{"SK年",    "SK収入1", "SK収入計", "SK支出1", "SK支出2",  "SK支出計",
                                              "SK残",    "SK累計",  "SE年",     "SE収入1", "SE収入計", "SE支出1",
                                              "SE支出2", "SE支出3", "SE支出計", "SE課税"}
                               << 8;
    QTest::newRow("artApartSS") << ReportLayouts::artApartSS()
                                << QStringList{"SK年",    "SK収入1", "SK収入2",  "SK収入計", "SK支出1", "SK支出2",
                                               "SK支出3", "SK支出4", "SK支出計", "SK残",     "SK累計",  "SE年",
                                               "SE収入1", "SE収入2", "SE収入計", "SE支出1",  "SE支出2", "SE支出3",
                                               "SE支出4", "SE支出5", "SE支出6",  "SE支出計", "SE課税"}
                                << 11;
}

void tst_ReportLayouts::yearlyColumns()
{
    QFETCH(ReportLayout, layout);
    QFETCH(QStringList, columns);
    QFETCH(int, secondTable);
    QVERIFY(layout.isRowLayout());
    QCOMPARE(layout.rowsPerPage, 15);
    QCOMPARE(layout.rowPitch, 283.0);
    for (int i = 0; i < columns.size(); ++i) {
        const ReportControl *f = layout.control(QStringLiteral("Field%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        QVERIFY(f);
        QCOMPARE(f->column, columns.at(i));
        QCOMPARE(f->format, QStringLiteral("##,###,##0"));
        QVERIFY(f->text.isEmpty());
        // Each table's fields lie on its first body row.
        QCOMPARE(f->rect.top(), i < secondTable ? 1701.0 : 7228.0);
        QCOMPARE(f->rect.height(), i < secondTable ? 283.0 : 284.0);
    }
    QVERIFY(!layout.control(QStringLiteral("Field%1").arg(columns.size() + 1)));
    const ReportControl *title = layout.control(QStringLiteral("Label26"));
    QVERIFY(title);
    QCOMPARE(title->text, QStringLiteral("経営計画ご提案書"));
}

void tst_ReportLayouts::headingsAreFilled()
{
    const ReportLayout parking = ReportLayouts::artParking();
    const QColor fill(255, 192, 128);
    for (const char *name : {"敷地", "Label12", "Label20", "Label23", "Label24", "Label27", "Label31"})
        QCOMPARE(parking.control(QString::fromUtf8(name))->back, fill);
    for (const char *name : {"Label9", "Label26", "lblYosan1", "Label55"})
        QVERIFY(!parking.control(QString::fromUtf8(name))->back.isValid());
    const ReportLayout apartment = ReportLayouts::artApartment();
    for (const char *name : {"Label65", "Label73", "Label79", "Label148", "Label118"})
        QCOMPARE(apartment.control(QString::fromUtf8(name))->back, fill);
    QVERIFY(!apartment.control(QStringLiteral("Label140"))->back.isValid());
}

void tst_ReportLayouts::byName()
{
    for (const char *name : {"artParking", "artApartment", "artParkSS", "artApartSS"})
        QCOMPARE(ReportLayouts::byName(QString::fromUtf8(name)).name, QString::fromUtf8(name));
    QVERIFY(ReportLayouts::byName(QStringLiteral("artStore")).name.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ReportLayouts)
#include "tst_ReportLayouts.moc"
