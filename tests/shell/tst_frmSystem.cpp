#include "frmSystem.h"

#include "DbFixture.h"
#include "FormButtons.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MsgBox.h"
#include "ShownBoxes.h"
#include "TestScreen.h"
#include "Unwritable.h"
#include "cFileDlg.h"
#include "cIni.h"
#include "mdlMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

// The settings dialog: every key read (with defaults written) and saved back.
class tst_frmSystem : public QObject
{
    Q_OBJECT

private:
    QString iniPath() const { return QDir(m_dir->path()).filePath(QStringLiteral("Vanrek.ini")); }
    void writeIni(const QByteArray &bytes)
    {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QString ini(const char *section, const char *key) const
    {
        cIni reader;
        reader.setPro_IniPath(iniPath());
        return reader.GetIniStr(QString::fromUtf8(section), QString::fromUtf8(key));
    }
    static ImNumber *number(frmSystem &d, const char *name)
    {
        return d.findChild<ImNumber *>(QString::fromLatin1(name));
    }
    static ImText *text(frmSystem &d, const char *name) { return d.findChild<ImText *>(QString::fromLatin1(name)); }
    static QRadioButton *option(frmSystem &d, const char *group, int index)
    {
        for (QRadioButton *o : d.findChildren<QRadioButton *>(QString::fromLatin1(group)))
            if (o->property("index").toInt() == index)
                return o;
        return nullptr;
    }
    static int checkedIndex(frmSystem &d, const char *group)
    {
        for (QRadioButton *o : d.findChildren<QRadioButton *>(QString::fromLatin1(group)))
            if (o->isChecked())
                return o->property("index").toInt();
        return -1;
    }
    static void save(frmSystem &d) { FormButtons::click(d.findChild<QWidget *>(QStringLiteral("lbutAdd"))); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ErrLogRecorder m_log;

private Q_SLOTS:
    void init()
    {
        clearShownBoxes();
        MsgBox::setAutoAnswer(true);
        m_dir = std::make_unique<QTemporaryDir>();
        setAppPath(m_dir->path());
        m_log.clear();
    }

    void labelsAndUnits()
    {
        writeIni("");
        frmSystem d;
        QStringList texts;
        for (QLabel *l : d.findChildren<QLabel *>())
            texts << l->text();
        const QStringList expected = {"消費税",
                                      "％",
                                      "固定資産税",
                                      "％",
                                      "都市計画税",
                                      "％",
                                      "償却可能期間",
                                      "基準年",
                                      "耐用年数が基準年未満時の倍率",
                                      "耐用年数が基準年以上時の倍率",
                                      "木造",
                                      "木骨モルタル造",
                                      "金属造(骨格材の肉厚３㎜以下)",
                                      "金属造(骨格材の肉厚３㎜超４㎜以下)",
                                      "金属造(骨格材の肉厚４㎜超)",
                                      "鉄骨鉄筋コンクリート",
                                      "背景",
                                      "識別画像",
                                      "アイコン",
                                      "駐車場",
                                      "賃貸マンション"};
        QCOMPARE(texts, expected);
    }

    void firstKeyReplacesTheFirstField()
    {
        writeIni("[CONST]\n消費税=\"8\"\n");
        frmSystem d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        ImNumber *tax = number(d, "numTax");
        QCOMPARE(QApplication::focusWidget(), tax);
        QCOMPARE(tax->selectedText(), tax->text());
        QTest::keyClicks(tax, "10");
        QTest::keyClick(tax, Qt::Key_Tab);
        QCOMPARE(tax->Value().toDouble(), 10.0);
    }

    void failedSaveKeepsTheDialogOpenAndSaysSo()
    {
        writeIni("[CONST]\n消費税=\"8\"\n");
        gTaxRate = 8;
        frmSystem d;
        d.show();
        number(d, "numTax")->setValue(10);
        text(d, "txtData1")->setText(QStringLiteral("/p.bmp"));
        {
            Unwritable file(iniPath());
            Unwritable folder(m_dir->path());
            if (!file.isActive() || !folder.isActive())
                QSKIP(qPrintable(file.skipReason() + folder.skipReason()));
            save(d);
        }
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), 0);
        QCOMPARE(shownBoxes().size(), 1);
        QVERIFY2(shownBoxes().at(0).prompt.startsWith(QStringLiteral("設定の保存に失敗しました。")),
                 qPrintable(shownBoxes().at(0).prompt));
        QCOMPARE(shownBoxes().at(0).style, int(MsgBox::Critical));
        QCOMPARE(m_log.lines().size(), 1);
        QVERIFY2(m_log.lines().first().startsWith(QStringLiteral("cIni|SetIniValues|")),
                 qPrintable(m_log.lines().first()));
        // Nothing half-saved: neither the file nor the module settings changed.
        QCOMPARE(gTaxRate, 8.0);
        QCOMPARE(ini("CONST", "消費税"), QStringLiteral("8"));
        QCOMPARE(ini("SETTING", "画像1"), QString());
        QCOMPARE(number(d, "numTax")->Value().toDouble(), 10.0);

        // The user tries again once the file can be written.
        save(d);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(gTaxRate, 10.0);
        QCOMPARE(ini("CONST", "消費税"), QStringLiteral("10"));
        QCOMPARE(ini("SETTING", "画像1"), QStringLiteral("/p.bmp"));
    }

    void failingPickerIsLogged()
    {
        writeIni("");
        frmSystem d;
        text(d, "txtIcon1")->setText(QStringLiteral("/kept.ico"));
        cFileDlg::setChooser(
            [](const cFileDlg::ChooserRequest &) -> cFileDlg::ChooserResult { throw std::runtime_error("no picker"); });
        d.findChild<QPushButton *>(QStringLiteral("butIcon1"))->click();
        cFileDlg::setChooser({});
        QCOMPARE(text(d, "txtIcon1")->Text(), QStringLiteral("/kept.ico"));
        QCOMPARE(m_log.lines(), QStringList{QStringLiteral("frmSystem|butIcon1_Click|no picker")});
    }

    void emptyFileShowsAndWritesEveryDefault()
    {
        writeIni("[SETTING]\r\n表示間隔=\"1\"\r\n");
        frmSystem d;
        QCOMPARE(number(d, "numTax")->Value().toDouble(), 5.0);
        QCOMPARE(number(d, "numKotei")->Value().toDouble(), 1.4);
        QCOMPARE(number(d, "numTosi")->Value().toDouble(), 0.3);
        QCOMPARE(number(d, "numWKikan")->Value().toDouble(), 5.0);
        QCOMPARE(number(d, "numWKijun")->Value().toDouble(), 35.0);
        QCOMPARE(number(d, "numWBai1")->Value().toDouble(), 1.3);
        QCOMPARE(number(d, "numWBai2")->Value().toDouble(), 1.4);
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(number(d, qPrintable(QStringLiteral("numTaiyo%1").arg(i)))->Value().toDouble(), 1.0);
        for (const char *g : {"OptYatin", "OptKariire", "OptKozo", "OptGenka", "OptWari", "OptHensai"})
            QCOMPARE(checkedIndex(d, g), 0);
        QCOMPARE(text(d, "txtHaikei")->Text(), QString());
        const QStringList expected = {"CONST/消費税=5",     "CONST/固定資産税=1.4", "CONST/都市計画税=0.3",
                                      "CONST/有効期間=5",   "CONST/基準年=35",      "CONST/割増率1=1.3",
                                      "CONST/割増率2=1.4",  "CONST/耐用年数0=1",    "CONST/耐用年数5=1",
                                      "SETTING/家賃=0",     "SETTING/借入金=0",     "DEFAULT/構造=0",
                                      "DEFAULT/減価方法=0", "DEFAULT/割増償却=0",   "DEFAULT/返済方式=0"};
        for (const QString &e : expected) {
            const QString section = e.section(QLatin1Char('/'), 0, 0);
            const QString key = e.section(QLatin1Char('/'), 1).section(QLatin1Char('='), 0, 0);
            QCOMPARE(ini(qPrintable(section), key.toUtf8().constData()), e.section(QLatin1Char('='), 1));
        }
        QVERIFY(QFile(iniPath()).open(QIODevice::ReadOnly));
    }

    void badOptionIndexesChooseTheFirstOption_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("group");
        QTest::newRow("structure 9") << QByteArray("[DEFAULT]\n構造=9\n") << "OptKozo";
        QTest::newRow("structure -1") << QByteArray("[DEFAULT]\n構造=-1\n") << "OptKozo";
        QTest::newRow("method 2") << QByteArray("[DEFAULT]\n減価方法=2\n") << "OptGenka";
        QTest::newRow("rent mode text") << QByteArray("[SETTING]\n家賃=abc\n") << "OptYatin";
        QTest::newRow("loan mode 99999") << QByteArray("[SETTING]\n借入金=99999\n") << "OptKariire";
    }
    void badOptionIndexesChooseTheFirstOption()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, group);
        writeIni(line + "[CONST]\n消費税=8\n");
        frmSystem d;
        QCOMPARE(checkedIndex(d, qPrintable(group)), 0);
        // Loading went on past the bad key.
        QCOMPARE(number(d, "numTax")->Value().toDouble(), 8.0);
        QCOMPARE(number(d, "numWKijun")->Value().toDouble(), 35.0);
    }

    void saveRoundTrip()
    {
        writeIni("[SETTING]\n背景=\"/old/back.bmp\"\n");
        gTaxRate = 5;
        gBackImage = QStringLiteral("/old/back.bmp");
        {
            frmSystem d;
            number(d, "numTax")->setValue(10);
            number(d, "numWBai2")->setValue(1.55);
            number(d, "numTaiyo6")->setValue(47);
            option(d, "OptKozo", 5)->setChecked(true);
            option(d, "OptGenka", 1)->setChecked(true);
            option(d, "OptKariire", 1)->setChecked(true);
            text(d, "txtHaikei")->setText(QString());
            text(d, "txtIcon2")->setText(QStringLiteral("/pics/apart.ico"));
            save(d);
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QCOMPARE(gTaxRate, 10.0);
        QCOMPARE(gBackImage, QString());
        QCOMPARE(gIcon2, QStringLiteral("/pics/apart.ico"));
        QCOMPARE(ini("CONST", "消費税"), QStringLiteral("10"));
        QCOMPARE(ini("CONST", "割増率2"), QStringLiteral("1.55"));
        QCOMPARE(ini("CONST", "耐用年数5"), QStringLiteral("47"));
        QCOMPARE(ini("DEFAULT", "構造"), QStringLiteral("5"));
        QCOMPARE(ini("DEFAULT", "減価方法"), QStringLiteral("1"));
        QCOMPARE(ini("SETTING", "借入金"), QStringLiteral("1"));
        QCOMPARE(ini("SETTING", "家賃"), QStringLiteral("0"));
        QCOMPARE(ini("SETTING", "背景"), QString());
        QCOMPARE(ini("SETTING", "アイコン2"), QStringLiteral("/pics/apart.ico"));

        frmSystem again;
        QCOMPARE(checkedIndex(again, "OptKozo"), 5);
        QCOMPARE(number(again, "numWBai2")->Value().toDouble(), 1.55);
    }

    void cancelSavesNothing()
    {
        writeIni("[CONST]\n消費税=\"8\"\n");
        gTaxRate = 8;
        frmSystem d;
        number(d, "numTax")->setValue(3);
        text(d, "txtData1")->setText(QStringLiteral("/x.bmp"));
        FormButtons::click(d.findChild<QWidget *>(QStringLiteral("lbutClose")));
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(gTaxRate, 8.0);
        QCOMPARE(ini("CONST", "消費税"), QStringLiteral("8"));
        QCOMPARE(ini("SETTING", "画像1"), QString());
        QVERIFY(shownBoxes().isEmpty());
    }

    void unreadableFileNeverLosesThePaths()
    {
        // The settings cannot be read (a folder stands in the file's place): saving writes nothing.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Vanrek.ini")));
        gImage1 = QStringLiteral("/kept.bmp");
        frmSystem d;
        save(d);
        QCOMPARE(gImage1, QStringLiteral("/kept.bmp"));
    }

    void pickerFillsTheBoxAndCancelKeepsIt()
    {
        writeIni("");
        frmSystem d;
        text(d, "txtData2")->setText(QStringLiteral("/typed.bmp"));
        QString filter;
        cFileDlg::setChooser([&filter](const cFileDlg::ChooserRequest &r) {
            for (const auto &f : r.filters)
                filter += f.first + QLatin1Char('|') + f.second + QLatin1Char(';');
            return cFileDlg::ChooserResult{false, QString(), 1};
        });
        d.findChild<QPushButton *>(QStringLiteral("butData2"))->click();
        QCOMPARE(text(d, "txtData2")->Text(), QStringLiteral("/typed.bmp"));
        QVERIFY(filter.contains(QStringLiteral("*.jpg")));
        cFileDlg::setChooser([&filter](const cFileDlg::ChooserRequest &r) {
            for (const auto &f : r.filters)
                filter += f.first + QLatin1Char('|') + f.second + QLatin1Char(';');
            return cFileDlg::ChooserResult{true, QStringLiteral("/pics/icon.ico"), 1};
        });
        filter.clear();
        d.findChild<QPushButton *>(QStringLiteral("butIcon1"))->click();
        QCOMPARE(text(d, "txtIcon1")->Text(), QStringLiteral("/pics/icon.ico"));
        QVERIFY(filter.contains(QStringLiteral("*.ico")));
        cFileDlg::setChooser({});
    }

    // Where the screen's available area holds the dialog it keeps its size; where it does
    // not, the dialog stays within that area and a control that takes the focus, down to
    // the last path and the buttons, scrolls into view.
    void dialogFitsTheScreen_data()
    {
        TestScreen::addColumns();
        QTest::addColumn<bool>("holds");
        QTest::newRow("1280 x 800") << QSize(1280, 800) << 1.0 << true;
        QTest::newRow("800 x 600") << QSize(800, 600) << 1.0 << false;
        QTest::newRow("1920 x 1080 at 2") << QSize(1920, 1080) << 2.0 << false; // 960 x 540
    }
    void dialogFitsTheScreen()
    {
        if (!TestScreen::onRowScreen())
            return;
        QFETCH(bool, holds);
        writeIni("");
        frmSystem d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QVERIFY(d.screen()->availableGeometry().contains(d.frameGeometry()));
        auto *scroll = d.findChild<QScrollArea *>();
        QVERIFY(scroll);
        QCOMPARE(d.size() == scroll->widget()->size(), holds);
        for (const char *name : {"txtIcon2", "lbutAdd", "lbutClose"}) {
            auto *control = d.findChild<QWidget *>(QString::fromLatin1(name));
            control->setFocus(Qt::TabFocusReason);
            const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
            QVERIFY2(scroll->viewport()->rect().contains(shown), name);
        }
    }

    void enterOnAnOptionMovesTheFocus()
    {
        writeIni("");
        frmSystem d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QRadioButton *first = option(d, "OptGenka", 0);
        first->setFocus();
        QCOMPARE(QApplication::focusWidget(), first);
        // White on navy, readable under any desktop theme.
        const QImage look = first->grab().toImage();
        QCOMPARE(look.pixelColor(look.width() - 3, look.height() / 2), QColor(0, 0, 128));
        QCOMPARE(first->palette().color(QPalette::WindowText), QColor(Qt::white));
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != first);
        QWidget *next = QApplication::focusWidget();
        QTest::keyClick(next, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), first);
    }
};

QTEST_MAIN(tst_frmSystem)
#include "tst_frmSystem.moc"
