#include "LoanGrid.h"

#include "LoanGridDelegate.h"
#include "LoanGridModel.h"
#include "Styling.h"

#include <QSignalSpy>
#include <QtTest>

// The loan grid: what each cell shows on its two lines, the new-row line, and the
// keys it reports to its form.
class tst_LoanGrid : public QObject
{
    Q_OBJECT

private:
    static LoanRecord loan(int renban, const QVariant &amount, int method, int start2)
    {
        LoanRecord r;
        r.renban = renban;
        r.lender = QStringLiteral("銀行");
        r.amount = amount;
        r.method = method;
        r.start1 = 1;
        r.end1 = start2 ? start2 - 1 : 20;
        r.rate1 = 2.5;
        r.start2 = start2 ? QVariant(start2) : QVariant::fromValue(nullptr);
        r.end2 = start2 ? QVariant(20) : QVariant::fromValue(nullptr);
        r.rate2 = start2 ? QVariant(3.125) : QVariant::fromValue(nullptr);
        r.term = 20;
        return r;
    }
    static QStringList lines(LoanGrid &g, int row, int column)
    {
        auto *d = static_cast<LoanGridDelegate *>(g.itemDelegateForColumn(column));
        return d->lineTexts(g.model()->index(row, column));
    }

private Q_SLOTS:
    void cellsShowTheirLines_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("lender") << 0 << int(LoanGridModel::Lender) << QStringList{"銀行", ""};
        QTest::newRow("amount") << 0 << int(LoanGridModel::Amount) << QStringList{"1,234,567", ""};
        QTest::newRow("level payment") << 0 << int(LoanGridModel::Method) << QStringList{"元利均等", ""};
        QTest::newRow("level principal") << 1 << int(LoanGridModel::Method) << QStringList{"元金均等", ""};
        QTest::newRow("two periods") << 0 << int(LoanGridModel::End) << QStringList{"9", "20"};
        QTest::newRow("rates") << 0 << int(LoanGridModel::Rate) << QStringList{"2.50", "3.13"};
        QTest::newRow("one period") << 1 << int(LoanGridModel::Start) << QStringList{"1", ""};
        QTest::newRow("new-row line") << 2 << int(LoanGridModel::Amount) << QStringList{"", ""};
    }
    void cellsShowTheirLines()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        LoanGrid g;
        SetGridStyle(&g, &g);
        g.SetTDBKariireColumns();
        g.DataKariire()->setRecords({loan(1, 1234567, 0, 10), loan(2, 1000, 1, 0)});
        QCOMPARE(g.model()->rowCount(), 3);
        QTEST(lines(g, row, column), "shown");
    }

    void newRowLineAndCurrentRow()
    {
        LoanGrid g;
        g.DataKariire()->setRecords({loan(1, 1, 0, 0), loan(2, 1, 0, 0)});
        g.setRow(5);
        QCOMPARE(g.Row(), 2);
        QVERIFY(g.isOnAddNewRow());
        g.DataKariire()->setAllowAddNew(false);
        QCOMPARE(g.model()->rowCount(), 2);
        QCOMPARE(g.Row(), 1);
        QVERIFY(!g.isOnAddNewRow());
    }

    void keysAreReported()
    {
        QWidget window;
        auto *g = new LoanGrid(&window);
        g->DataKariire()->setRecords({loan(1, 1, 0, 0), loan(2, 1, 0, 0)});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        g->setFocus();
        g->setRow(0);
        QSignalSpy keys(g, &LoanGrid::KeyDown);
        QSignalSpy doubleClicks(g, &LoanGrid::DblClick);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(g->Row(), 1); // reported, then handled by the grid
        QTest::keyClick(g, Qt::Key_Return);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, 0)).center());
        QCOMPARE(keys.size(), 2);
        QCOMPARE(keys.at(0).at(0).toInt(), 40);
        QCOMPARE(keys.at(1).at(0).toInt(), 13);
        QCOMPARE(doubleClicks.size(), 1);
        // The current row is highlighted only while the grid has the focus.
        QCOMPARE(g->MarqueeStyle(), 3);
        QVERIFY(!g->selectionModel()->selectedRows().isEmpty());
        g->clearFocus();
        QCOMPARE(g->MarqueeStyle(), 5);
        QVERIFY(g->selectionModel()->selectedRows().isEmpty());
    }
};

QTEST_MAIN(tst_LoanGrid)
#include "tst_LoanGrid.moc"
