#include "cAreport.h"

#include "FakeLayout.h"
#include "MsgBox.h"
#include "PaperCodes.h"
#include "PrinterSetupDialog.h"
#include "ShownBoxes.h"
#include "TestPrinters.h"

#include <QComboBox>
#include <QtTest>

// The report-engine service: paper and bin codes, the printer lists, the printer
// settings of a report and the centring of a layout.
class tst_cAreport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        clearShownBoxes();
        MsgBox::setAutoAnswer(true);
        PrinterCatalog::install(officePrinters());
    }
    void cleanup() { PrinterCatalog::install(nullptr); }

    void paperCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QSizeF>("millimetres"); // portrait width x height; empty: no size
        QTest::newRow("9 A4") << 9 << QSizeF(210, 297);
        QTest::newRow("13 JIS B5") << 13 << QSizeF(182, 257);
        QTest::newRow("12 JIS B4") << 12 << QSizeF(257, 364);
        QTest::newRow("8 A3") << 8 << QSizeF(297, 420);
        QTest::newRow("11 A5") << 11 << QSizeF(148, 210);
        QTest::newRow("1 Letter") << 1 << QSizeF(215.9, 279.4);
        QTest::newRow("5 Legal") << 5 << QSizeF(215.9, 355.6);
        QTest::newRow("0 not set") << 0 << QSizeF();
        QTest::newRow("256 user-defined") << 256 << QSizeF();
        QTest::newRow("unknown") << 9999 << QSizeF();
        QTest::newRow("negative") << -3 << QSizeF();
    }
    void paperCodes()
    {
        QFETCH(int, code);
        QFETCH(QSizeF, millimetres);
        const auto size = PaperCodes::pageSize(code);
        QCOMPARE(size.has_value(), !millimetres.isEmpty());
        ReportPrinter printer;
        printer.setPaperSize(8); // A3 first: a code without a size leaves it
        printer.setPaperSize(code);
        if (!size) {
            QCOMPARE(printer.PaperSize(), 8);
            return;
        }
        const QSizeF mm = size->size(QPageSize::Millimeter);
        QVERIFY2(qAbs(mm.width() - millimetres.width()) < 0.5 && qAbs(mm.height() - millimetres.height()) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2").arg(mm.width()).arg(mm.height())));
        QCOMPARE(PaperCodes::paperCode(*size), code);
        QCOMPARE(printer.PaperSize(), code);
    }

    void paperWidthInTwips_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("twips");
        // 210 mm = 210 / 25.4 inch = 11905.51 twips; 297 mm = 16837.80 twips.
        QTest::newRow("A4 portrait") << 9 << 1 << 11905.51;
        QTest::newRow("A4 landscape") << 9 << 2 << 16837.80;
        // 182 mm = 10318.11 twips.
        QTest::newRow("JIS B5 portrait") << 13 << 1 << 10318.11;
    }
    void paperWidthInTwips()
    {
        QFETCH(int, code);
        QFETCH(int, orientation);
        QFETCH(double, twips);
        ReportPrinter printer;
        printer.setPaperSize(code);
        printer.setOrientation(orientation);
        QVERIFY2(qAbs(printer.PaperWidth() - twips) < 0.01, qPrintable(QString::number(printer.PaperWidth(), 'f', 2)));
    }

    void binCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("source"); // -1: no tray of Qt
        QTest::addColumn<QString>("name");
        QTest::newRow("1 upper") << 1 << int(QPrinter::Upper) << "上段トレイ";
        QTest::newRow("2 lower") << 2 << int(QPrinter::Lower) << "下段トレイ";
        QTest::newRow("3 middle") << 3 << int(QPrinter::Middle) << "中段トレイ";
        QTest::newRow("4 manual") << 4 << int(QPrinter::Manual) << "手差し";
        QTest::newRow("7 auto") << 7 << int(QPrinter::Auto) << "自動選択";
        QTest::newRow("11 large capacity") << 11 << int(QPrinter::LargeCapacity) << "大容量トレイ";
        QTest::newRow("14 cassette") << 14 << int(QPrinter::Cassette) << "カセット";
        QTest::newRow("15 form source") << 15 << int(QPrinter::FormSource) << "フォームソース";
        QTest::newRow("12 unused") << 12 << -1 << "印刷トレイ12";
        QTest::newRow("0 not set") << 0 << -1 << "印刷トレイ0";
        QTest::newRow("driver's own 260") << 260 << -1 << "印刷トレイ260";
    }
    void binCodes()
    {
        QFETCH(int, code);
        QFETCH(int, source);
        const auto mapped = PaperCodes::paperSource(code);
        QCOMPARE(mapped ? int(*mapped) : -1, source);
        if (mapped)
            QCOMPARE(PaperCodes::binCode(*mapped), code);
        QTEST(PaperCodes::PaperBinName(code), "name");
    }

    void paperCenterMargin_data()
    {
        QTest::addColumn<double>("paper");
        QTest::addColumn<double>("edge");
        QTest::addColumn<double>("margin");
        QTest::newRow("9,000 on 11,906") << 11906.0 << 9000.0 << 1453.0;
        QTest::newRow("half to even, up") << 11906.0 << 9000.5 << 1453.0;   // 2905.5 -> 2906
        QTest::newRow("half to even, down") << 11906.0 << 9001.5 << 1452.0; // 2904.5 -> 2904
        QTest::newRow("odd free width") << 11906.0 << 9001.0 << 1452.5;
        QTest::newRow("as wide as the paper") << 11906.0 << 11906.0 << 0.0;
        QTest::newRow("wider than the paper") << 11906.0 << 12500.0 << 0.0;
    }
    void paperCenterMargin()
    {
        QFETCH(double, paper);
        QFETCH(double, edge);
        QTEST(ReportPageSettings::centringMargin(paper, edge), "margin");
    }

    void paperCenterSetsTheMargins_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        // A4 is 11,905.51 twips wide: 2,905.51 free rounds to 2,906.
        QTest::newRow("9,000 wide") << 9000.0 << 1453.0 << 0.0;
        QTest::newRow("wider than A4") << 12000.0 << 1440.0 << 1440.0;
    }
    void paperCenterSetsTheMargins()
    {
        QFETCH(double, width);
        FakeLayout layout(1, width);
        layout.Printer().setPaperSize(9);
        cAreport().PaperCenter(layout);
        QTEST(layout.PageSettings().LeftMargin, "left");
        QTEST(layout.PageSettings().RightMargin, "right");
        QVERIFY(shownBoxes().isEmpty());
    }

    void rightEdgeCountsLinesByTheirLargerEnd()
    {
        DrawList page;
        page.rect(QRectF(100, 100, 4000, 300), Qt::black);
        page.line(QPointF(9500, 0), QPointF(100, 800), Qt::black);
        page.text(QRectF(200, 900, 5000, 300), QStringLiteral("x"), Qt::black, QStringLiteral("ＭＳ ゴシック"), 9);
        QCOMPARE(ActiveReport::rightEdge({page}), 9500.0);
        DrawList second;
        second.polyline(QPolygonF({QPointF(0, 0), QPointF(9800, 10), QPointF(50, 20)}), Qt::black);
        QCOMPARE(ActiveReport::rightEdge({page, second}), 9800.0);
    }

    void printerLists()
    {
        cAreport areport;
        QComboBox printers;
        QCOMPARE(areport.SetPrinterCombo(&printers), 2);
        QCOMPARE(printers.itemText(0), QStringLiteral("Office Laser"));
        QCOMPARE(printers.itemText(1), QStringLiteral("Back Office"));
        QCOMPARE(printers.currentIndex(), -1);

        QComboBox sizes;
        QCOMPARE(areport.SetPaperSizeCombo(&sizes, QStringLiteral("Office Laser")), 4);
        QCOMPARE(sizes.itemText(1), QStringLiteral("JIS B5"));
        QCOMPARE(sizes.itemData(1).toInt(), 13);
        QCOMPARE(sizes.itemText(3), QStringLiteral("ユーザー定義サイズ"));
        QCOMPARE(sizes.itemData(3).toInt(), 256);
        QCOMPARE(areport.SetPaperSizeCombo(&sizes), -1);
        QCOMPARE(sizes.count(), 0);

        QComboBox ports;
        QCOMPARE(areport.SetPortCombo(&ports, QStringLiteral("Back Office")), 1);
        QCOMPARE(ports.itemText(0), QStringLiteral("Back Office"));
        QCOMPARE(areport.SetPortCombo(&ports), -1);
        QCOMPARE(ports.count(), 0);

        QComboBox bins;
        QCOMPARE(areport.SetPaperBinCombo(&bins, QStringLiteral("Office Laser")), 2);
        QCOMPARE(bins.itemText(1), QStringLiteral("下段トレイ"));
        QCOMPARE(bins.itemData(1).toInt(), 2);
        QCOMPARE(areport.SetPaperBinCombo(&bins), 0);
        QCOMPARE(bins.count(), 0);

        // A printer that is not installed offers nothing but the user-defined size.
        QCOMPARE(areport.SetPaperSizeCombo(&sizes, QStringLiteral("Gone")), 1);

        QStringList names;
        QCOMPARE(areport.GetPrinterDevice(names), 2);
        QVector<int> codes;
        QCOMPARE(areport.GetPaperSize(codes), 3); // the default printer's
        QCOMPARE(codes, QVector<int>({9, 13, 1}));
        QStringList binNames;
        QCOMPARE(areport.GetPaperBin(codes, binNames, QStringLiteral("Back Office")), 1);
        QCOMPARE(binNames, QStringList{QStringLiteral("上段トレイ")});
        QStringList portNames;
        QCOMPARE(areport.GetPrinterPort(portNames), 1);
        QVERIFY(shownBoxes().isEmpty());
    }

    // A printer that also lists papers no code applies (the driver's user-defined 256, or none):
    // neither the editor's paper list nor the set-up dialog offers them; the editor's own last
    // entry stays.
    void papersThatCannotBeAppliedAreNotOffered()
    {
        FixedPrinterCatalog::Printer wide;
        wide.name = QStringLiteral("Wide Format");
        wide.sizes = {{9, QStringLiteral("A4")},
                      {256, QStringLiteral("2A")},
                      {0, QStringLiteral("Roll")},
                      {8, QStringLiteral("A3")},
                      {256, QStringLiteral("SRA0")}};
        PrinterCatalog::install(
            std::make_shared<FixedPrinterCatalog>(QList<FixedPrinterCatalog::Printer>{wide}, wide.name));
        const auto listed = [](const QComboBox *box) {
            QStringList out;
            for (int i = 0; i < box->count(); ++i)
                out << box->itemText(i) + QLatin1Char(' ') + box->itemData(i).toString();
            return out;
        };
        QComboBox sizes;
        QCOMPARE(cAreport().SetPaperSizeCombo(&sizes, wide.name), 3);
        QCOMPARE(listed(&sizes), (QStringList{"A4 9", "A3 8", "ユーザー定義サイズ 256"}));
        const PrinterSetupDialog dialog(ReportPrinter(), QStringLiteral("OK"));
        QCOMPARE(listed(dialog.findChild<QComboBox *>(QStringLiteral("cmbSize"))), (QStringList{"A4 9", "A3 8"}));
    }

    void setPrinterParamAppliesWhatIsGiven()
    {
        cAreport areport;
        FakeLayout layout;
        const QPageSize before = layout.Printer().pageSize();
        QVERIFY(areport.SetPrinterParam(layout, QString(), QString(), 0, 0, 0));
        QCOMPARE(layout.Printer().DeviceName(), QString());
        QCOMPARE(layout.Printer().pageSize(), before);
        QCOMPARE(layout.Printer().Orientation(), 1);
        QCOMPARE(layout.Printer().PaperBin(), 0);

        // This system counts as the NT family: the port is kept out.
        QVERIFY(areport.SetPrinterParam(layout, QStringLiteral("Back Office"), QStringLiteral("LPT1:"), 1, 8, 2));
        QCOMPARE(layout.Printer().DeviceName(), QStringLiteral("Back Office"));
        QCOMPARE(layout.Printer().Port(), QString());
        QCOMPARE(layout.Printer().PaperBin(), 1);
        QCOMPARE(layout.Printer().PaperSize(), 8);
        QCOMPARE(layout.Printer().Orientation(), 2);
        QVERIFY(shownBoxes().isEmpty());
    }

    void printerThatIsGoneCostsOneMessage()
    {
        cAreport areport;
        FakeLayout layout;
        QVERIFY(areport.SetPrinterParam(layout, QStringLiteral("Gone"), QString(), 2, 13, 2));
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("SetPrinterParam"));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QVERIFY(shownBoxes().at(0).prompt.contains(QStringLiteral("Gone")));
        // The default printer, with the other settings applied.
        QCOMPARE(layout.Printer().DeviceName(), QString());
        QCOMPARE(layout.Printer().PaperSize(), 13);
        QCOMPARE(layout.Printer().Orientation(), 2);
        QCOMPARE(layout.Printer().PaperBin(), 2);
    }

    void printAndViewParams()
    {
        cAreport areport;
        FakeLayout layout;
        areport.SetPrintParam(layout, QStringLiteral("doc"), false, 2, 3, 1, 2, 4, 1, 0);
        QCOMPARE(layout.documentName(), QStringLiteral("doc"));
        QCOMPARE(layout.Printer().DisplayProgressDialog, false);
        QCOMPARE(layout.Printer().FromPage, 2);
        QCOMPARE(layout.Printer().ToPage, 3);
        QCOMPARE(layout.Printer().ColorMode, 1);
        QCOMPARE(layout.Printer().Copies, 4);
        // Not given: colour mode and copies stay, duplex and collate become 0.
        areport.SetPrintParam(layout, std::nullopt, true, 0, 0);
        QCOMPARE(layout.documentName(), QStringLiteral("doc"));
        QCOMPARE(layout.Printer().ColorMode, 1);
        QCOMPARE(layout.Printer().Copies, 4);
        QCOMPARE(layout.Printer().Duplex, 0);
        QCOMPARE(layout.Printer().Collate, 0);

        // A new layout's preview: maximised at 100 %.
        QCOMPARE(layout.Viewer().WindowState, int(ReportViewer::Maximized));
        QCOMPARE(layout.Viewer().Zoom, 100);
        areport.SetViewParam(layout.Viewer(), 75, false, true);
        QCOMPARE(layout.Viewer().Zoom, 75);
        QCOMPARE(layout.Viewer().ToolbarVisible, false);
        QCOMPARE(layout.Viewer().TOCEnabled, true);
        QCOMPARE(layout.Viewer().TOCWidth, 0);
    }
};

QTEST_MAIN(tst_cAreport)
#include "tst_cAreport.moc"
