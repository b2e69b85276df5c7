#include "Styling.h"

#include "GridValueDelegate.h"
#include "ImNumber.h"
#include "ImText.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

// The common styling of input boxes and grids.
class tst_Styling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inputBoxesGetKeysSelectionAndFont()
    {
        QWidget form;
        auto *number = new ImNumber(&form);
        number->setObjectName(QStringLiteral("numA"));
        auto *text = new ImText(&form);
        text->setObjectName(QStringLiteral("txtB"));
        auto *plain = new QLineEdit(&form);
        plain->setObjectName(QStringLiteral("txtPlain"));
        const QFont before = plain->font();
        SetInputCtrlStyle(&form);
        for (ImBox *box : std::initializer_list<ImBox *>{number, text}) {
            QCOMPARE(box->NextCtrl(), QStringLiteral("{Enter},{Down}"));
            QCOMPARE(box->PrevCtrl(), QStringLiteral("+{Enter},{Up}"));
            QVERIFY(box->HighlightText());
            QCOMPARE(box->font().pointSizeF(), 9.0);
            QVERIFY(!box->font().bold());
        }
        // Plain text boxes are not input boxes of this kind.
        QVERIFY(!plain->property("NextCtrl").isValid());
        QCOMPARE(plain->font(), before);
    }

    void enterMovesThroughStyledBoxes()
    {
        QWidget form;
        auto *a = new ImNumber(&form);
        a->setObjectName(QStringLiteral("numA"));
        auto *b = new ImText(&form);
        b->setObjectName(QStringLiteral("txtB"));
        SetInputCtrlStyle(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b);
        QTest::keyClick(b, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), a);
    }

    void calcColWidth_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("twips");
        QTest::newRow("font 9, factor 10") << 9.0 << 10.0 << 1350.0;
        QTest::newRow("font 12, factor 10") << 12.0 << 10.0 << 1800.0;
        QTest::newRow("font 9, factor 0.5") << 9.0 << 0.5 << 67.5;
    }
    void calcColWidth()
    {
        QFETCH(double, value);
        QFETCH(double, factor);
        QCOMPARE(twipsPerPixelX(), 15.0);
        QTEST(CalcColWidth(value, float(factor)), "twips");
    }

    void gridLook()
    {
        QWidget form;
        auto *grid = new QTableView(&form);
        QStandardItemModel model(3, 2);
        grid->setModel(&model);
        SetGridStyle(&form, grid);
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(grid->alternatingRowColors());
        QCOMPARE(grid->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(grid->palette().color(QPalette::AlternateBase), QColor(0xEF, 0xFF, 0xEF));
        QVERIFY(grid->horizontalHeader()->font().bold());
        QCOMPARE(grid->font().pointSizeF(), 9.0);
        QVERIFY(grid->horizontalHeader()->stretchLastSection());
        QVERIFY(grid->verticalHeader()->defaultSectionSize() >= QFontMetrics(grid->font()).height());
    }

    void valueItemsShowTheirText()
    {
        QTableView grid;
        QStandardItemModel model(2, 2);
        model.setData(model.index(0, 1), 0);
        model.setData(model.index(1, 1), 1);
        grid.setModel(&model);
        AddGridValueItem(&grid, 1, QStringLiteral("0"), QStringLiteral("元利均等"), false, true);
        AddGridValueItem(&grid, 1, QStringLiteral("1"), QStringLiteral("元金均等"), true, true);
        auto *list = dynamic_cast<GridValueDelegate *>(grid.itemDelegateForColumn(1));
        QVERIFY(list);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->defaultIndex(), 1);
        QCOMPARE(list->displayText(model.index(0, 1).data(), QLocale()), QStringLiteral("元利均等"));
        QCOMPARE(list->displayText(model.index(1, 1).data(), QLocale()), QStringLiteral("元金均等"));
        QCOMPARE(list->displayText(QVariant(7), QLocale()), QStringLiteral("7"));
    }
};

QTEST_MAIN(tst_Styling)
#include "tst_Styling.moc"
