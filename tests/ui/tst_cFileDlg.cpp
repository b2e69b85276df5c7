#include "cFileDlg.h"
#include "cFoldDlg.h"

#include <QTest>

namespace
{
const QChar NUL(0);
}

class tst_cFileDlg : public QObject
{
    Q_OBJECT

private:
    QList<cFileDlg::ChooserRequest> m_asked;

    // The next file dialog answers with this path and filter (or a cancel when path is empty).
    void answerFile(const QString &path, int filterIndex = 1)
    {
        cFileDlg::setChooser([this, path, filterIndex](const cFileDlg::ChooserRequest &request) {
            m_asked.append(request);
            return cFileDlg::ChooserResult{!path.isEmpty(), path, filterIndex};
        });
    }
    static void answerFolder(bool accepted, const QString &path, const QString &displayName)
    {
        cFoldDlg::setChooser([=](const cFoldDlg::ChooserRequest &) {
            return cFoldDlg::ChooserResult{accepted, path, displayName};
        });
    }

private Q_SLOTS:
    void cleanupTestCase()
    {
        cFileDlg::setChooser({});
        cFoldDlg::setChooser({});
    }

    void createFilters_data()
    {
        QTest::addColumn<QVariantList>("list");
        QTest::addColumn<QString>("filter");

        QTest::newRow("two pairs") << QVariantList{"Windows BMPﾌｧｲﾙ", "bmp", "Jpegﾌｧｲﾙ", "jpg"}
                                   << QString("Windows BMPﾌｧｲﾙ(*.bmp)") + NUL + "*.bmp" + NUL + "Jpegﾌｧｲﾙ(*.jpg)" +
                                          NUL + "*.jpg" + NUL;
        QTest::newRow("empty list") << QVariantList{} << "";
        QTest::newRow("three elements") << QVariantList{"a", "b", "c"} << "";
        QTest::newRow("value without text form") << QVariantList{"a", QVariant(QVariantList{1, 2})} << "";
        QTest::newRow("number as extension") << QVariantList{"Zip", 7} << QString("Zip(*.7)") + NUL + "*.7" + NUL;
    }
    void createFilters()
    {
        QFETCH(QVariantList, list);
        QTEST(cFileDlg().CreateFilters(list), "filter");
    }

    void openAndCancel()
    {
        cFileDlg dlg;
        const QString filter = dlg.CreateFilters({"Jpegﾌｧｲﾙ", "jpg", "Iconﾌｧｲﾙ", "ico"});
        answerFile(QStringLiteral("/home/u/pic/a.ico"), 2);
        QCOMPARE(dlg.OpenFileDialog(nullptr, QStringLiteral("/home/u"), filter, QStringLiteral("画像"), 4),
                 QStringLiteral("/home/u/pic/a.ico"));
        QCOMPARE(m_asked.last().filters.size(), 2);
        QCOMPARE(m_asked.last().filters.at(1).second, QStringLiteral("*.ico"));
        QCOMPARE(m_asked.last().options, 4);
        QCOMPARE(dlg.FileName(), QStringLiteral("/home/u/pic/a.ico"));
        QCOMPARE(dlg.FilterIndex(), 2);
        QCOMPARE(dlg.FileTitle(), QStringLiteral("a.ico") + QString(251, NUL));

        answerFile(QString());
        QCOMPARE(dlg.OpenFileDialog(nullptr, QString(), filter, QString(), 0), QString());
        QCOMPARE(dlg.FileName(), QString());
    }

    void saveAddsTheFilterExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");

        QTest::newRow("no extension") << "C:\\out\\report"
                                      << "C:\\out\\report.txt";
        QTest::newRow("same extension other case") << "C:\\out\\report.TXT"
                                                   << "C:\\out\\report.TXT";
        QTest::newRow("other extension") << "C:\\out\\report.doc"
                                         << "C:\\out\\report.doc.txt";
    }
    void saveAddsTheFilterExtension()
    {
        QFETCH(QString, typed);
        cFileDlg dlg;
        answerFile(typed);
        const QString filter = dlg.CreateFilters({"Text", "txt"});
        QTEST(dlg.SaveFileDialog(nullptr, QString(), filter, QString(), 0, QStringLiteral("report")), "result");
        QCOMPARE(m_asked.last().fileName, QStringLiteral("report"));
        QVERIFY(m_asked.last().save);
    }

    void saveWithWildcardFilterAddsNothing()
    {
        cFileDlg dlg;
        answerFile(QStringLiteral("/tmp/report.csv"));
        const QString filter = dlg.CreateFilters({"すべて", "*"});
        QCOMPARE(dlg.SaveFileDialog(nullptr, QString(), filter, QString(), 0, QString()),
                 QStringLiteral("/tmp/report.csv"));
    }

    void saveShrinksTheBuffer()
    {
        cFileDlg dlg;
        answerFile(QString());
        dlg.SaveFileDialog(nullptr, QString(), QString(), QString(), 0, QStringLiteral("a"));
        dlg.SaveFileDialog(nullptr, QString(), QString(), QString(), 0, QStringLiteral("a"));
        QCOMPARE(dlg.MaxFileLen(), 254);
        QCOMPARE(dlg.MaxFileTitleLen(), 254);
    }

    void folderPicker()
    {
        cFoldDlg dlg;
        answerFolder(true, QStringLiteral("/home/u/docs"), QStringLiteral("docs"));
        QCOMPARE(dlg.SelectFolderDialog(nullptr, 0, QStringLiteral("フォルダ"), 0, QString()),
                 QStringLiteral("/home/u/docs"));
        dlg.ClearPathName();
        QCOMPARE(dlg.PathName(), QStringLiteral("/home/u/docs")); // the selection stays

        answerFolder(false, QString(), QString());
        QCOMPARE(dlg.SelectFolderDialog(nullptr, 0, QString(), 0, QString()), QString());
        QCOMPARE(dlg.PathName(), QString());

        dlg.setTitle(QStringLiteral("題"));
        QCOMPARE(dlg.Title(), QStringLiteral("題") + NUL);
    }

    void printerBrowseGivesThePrinterName()
    {
        cFoldDlg dlg;
        answerFolder(true, QString(), QStringLiteral("Office-Laser"));
        QCOMPARE(dlg.SelectFolderDialog(nullptr, 18, QStringLiteral("プリンタを選択して下さい。"),
                                        cFoldDlg::BrowseForPrinter, QString()),
                 QStringLiteral("Office-Laser"));
        QCOMPARE(dlg.PathName(), QStringLiteral("Office-Laser"));
        // A printer without the printer option is no folder.
        dlg.setOptions(0);
        QCOMPARE(dlg.PathName(), QString());
    }
};

QTEST_GUILESS_MAIN(tst_cFileDlg)
#include "tst_cFileDlg.moc"
