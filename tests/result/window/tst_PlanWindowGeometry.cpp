// The plan window's sizes at the three settings, worked from its base layout.
#include "PlanWindowGeometry.h"

#include <QtTest>

#include <cmath>

class tst_PlanWindowGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizes_data();
    void sizes();
    void smallGridColumns();
    void graphOnlyKeepsTheGraph();
};

void tst_PlanWindowGeometry::sizes_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QSize>("plot");
    QTest::addColumn<QSizeF>("window");

    QTest::newRow("large") << 1 << 1.45 << QSizeF(10295, 7068.75) << QSize(7635, 6309) << QSizeF(10744.5, 10925.75);
    QTest::newRow("middle") << 2 << 1.0 << QSizeF(7100, 4875) << QSize(4440, 4115) << QSizeF(7410, 7535);
    // 7100 / 1.45 = 4896.55..., less 2660 is 2236.55... (2237); 4875 / 1.45 - 760 = 2602.07... (2602).
    QTest::newRow("small") << 3 << 1 / 1.45 << QSizeF(7100 / 1.45, 4875 / 1.45) << QSize(2237, 2602)
                           << QSizeF(7410 / 1.45, 7535 / 1.45);
    QTest::newRow("setting 0 counts as middle")
        << 0 << 1.0 << QSizeF(7100, 4875) << QSize(4440, 4115) << QSizeF(7410, 7535);
    QTest::newRow("setting 7 counts as middle")
        << 7 << 1.0 << QSizeF(7100, 4875) << QSize(4440, 4115) << QSizeF(7410, 7535);
}

void tst_PlanWindowGeometry::sizes()
{
    QFETCH(int, setting);
    QFETCH(double, factor);
    QFETCH(QSizeF, picture);
    QFETCH(QSize, plot);
    QFETCH(QSizeF, window);

    const PlanWindowGeometry g(setting);
    QCOMPARE(g.factor(), factor);
    QCOMPARE(g.picture().size(), picture);
    QCOMPARE(g.picture().topLeft(), QPointF(120 * factor, 120 * factor));
    QCOMPARE(g.plotSize(), plot);
    QCOMPARE(g.windowSize(), window);
    QCOMPARE(g.deleteButton(), QRectF(6000 * factor, 7080 * factor, 1215 * factor, 375 * factor));
}

void tst_PlanWindowGeometry::smallGridColumns()
{
    const auto widths = PlanWindowGeometry(3).gridColumnWidths();
    QCOMPARE(std::lround(widths[0]), 284L);
    QCOMPARE(std::lround(widths[1]), 973L);
    QCOMPARE(std::lround(widths[2]), 973L);
    QCOMPARE(std::lround(widths[3]), 1022L);
    QCOMPARE(PlanWindowGeometry(2).gridColumnWidths()[3], 1540.0);
}

void tst_PlanWindowGeometry::graphOnlyKeepsTheGraph()
{
    // The frame allowance is added unscaled, then the whole height is cut.
    const PlanWindowGeometry g(2, true, 405);
    QCOMPARE(g.windowSize().height(), 0.695 * (7535 + 405));
    QCOMPARE(g.windowSize().width(), 7410.0);
    QCOMPARE(g.picture(), PlanWindowGeometry(2).picture());
}

QTEST_GUILESS_MAIN(tst_PlanWindowGeometry)
#include "tst_PlanWindowGeometry.moc"
