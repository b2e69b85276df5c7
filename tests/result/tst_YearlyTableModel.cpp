#include "PlanBuilders.h"
#include "ResultRowReader.h"
#include "TestDb.h"
#include "YearViews.h"
#include "YearlyTableModel.h"
#include "cDao.h"

#include <QAbstractItemModelTester>
#include <QtTest>

// The yearly table: four right-aligned columns, amounts with thousands separators
// and a minus sign, headings in the graph's series colours.
class tst_YearlyTableModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data();
    void texts();
    void alignmentAndHeadings();
    void storedRowsOfAnInterval();
};

void tst_YearlyTableModel::texts_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("amount");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 1 << 0 << QStringLiteral("0");
    QTest::newRow("below a thousand") << 2 << 999 << QStringLiteral("999");
    QTest::newRow("thousands") << 3 << 1234567 << QStringLiteral("1,234,567");
    QTest::newRow("negative") << 4 << -2500 << QStringLiteral("-2,500");
    QTest::newRow("half a billion") << 10 << 500000000 << QStringLiteral("500,000,000");
    QTest::newRow("32-bit top") << 75 << 2147483647 << QStringLiteral("2,147,483,647");
    QTest::newRow("32-bit bottom") << 75 << -2147483647 << QStringLiteral("-2,147,483,647");
}

void tst_YearlyTableModel::texts()
{
    QFETCH(int, year);
    QFETCH(int, amount);
    QFETCH(QString, text);
    YearlyTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows({{year, 1, amount, amount, amount}});
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, YearlyTableModel::Year).data().toString(), QString::number(year));
    for (int c = YearlyTableModel::Income; c <= YearlyTableModel::Balance; ++c)
        QCOMPARE(model.index(0, c).data().toString(), text);
}

void tst_YearlyTableModel::alignmentAndHeadings()
{
    YearlyTableModel model;
    model.setRows({{1, 2, 10, 20, -10}, {2, 2, 10, 20, -20}});
    const QStringList captions = {QStringLiteral("年"), QStringLiteral("収入"), QStringLiteral("支出"),
                                  QStringLiteral("累計")};
    QCOMPARE(model.columnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), captions.at(c));
        for (int r = 0; r < 2; ++r)
            QCOMPARE(model.index(r, c).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    }
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::BackgroundRole).isValid());
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 0));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(255, 56, 0));
    QCOMPARE(model.headerData(3, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(0, 128, 255));
}

void tst_YearlyTableModel::storedRowsOfAnInterval()
{
    // The default parking plan: year 1 has 540 income, 340 land taxes and a balance of 200.
    TestDb db;
    QVERIFY(db.connectGlobal());
    addProperty();
    addParkingPlan();
    YearlyTableModel model;
    model.setRows(ResultRowReader(gDao()).rows(1, 1, yearView(2)));
    QCOMPARE(model.rowCount(), 30);
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("1"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("540"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("340"));
    QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("200"));
    QCOMPARE(model.index(29, 0).data().toString(), QStringLiteral("30"));
    releaseGlobals();
}

QTEST_GUILESS_MAIN(tst_YearlyTableModel)
#include "tst_YearlyTableModel.moc"
