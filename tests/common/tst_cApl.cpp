#include "Globals.h"
#include "RegistryStore.h"
#include "cApl.h"
#include "cReg.h"

#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

// Stands for a line button: anything with a LineColor property.
class ColouredButton : public QObject
{
    Q_OBJECT
    Q_PROPERTY(quint32 LineColor MEMBER m_lineColor)
public:
    quint32 m_lineColor = 0xFFFF00;
};

class tst_cApl : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    // Points the program's registry at a new empty file.
    void freshRegistry() { RegistryStore::setFilePath(m_dir.filePath(QStringLiteral("r%1.reg").arg(++m_count))); }
    static void setValue(const QString &below, const QString &text) { cReg().SetReg(cApl::RegistryKey + below, text); }

private Q_SLOTS:
    void cleanupTestCase() { RegistryStore::setFilePath(QString()); }

    void colourParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("colour");

        QTest::newRow("pure red") << "255000000" << quint32(0x000000FF);
        QTest::newRow("green 128 blue 255") << "000128255" << quint32(0x00FF8000);
        QTest::newRow("fewer than nine digits") << "255" << quint32(0x000000FF);
        QTest::newRow("red and half of green") << "0102" << quint32(0x0000020A);
        QTest::newRow("non-numeric group") << "255abc255" << quint32(0x00FF00FF);
        QTest::newRow("group above 255") << "999000300" << quint32(0x00FF00FF);
        QTest::newRow("negative group") << "-10010010" << quint32(0x000A0A00);
        QTest::newRow("blank") << "" << quint32(0);
    }
    void colourParsing()
    {
        QFETCH(QString, text);
        QFETCH(quint32, colour);
        freshRegistry();
        setValue(QStringLiteral("\\Color\\Line\\Delete"), text);
        const cApl apl;
        QCOMPARE(apl.LineColor(cApl::Delete), colour);
        QCOMPARE(apl.LineColor(cApl::Exit), quint32(0));
    }

    void eachKindHasItsValue()
    {
        freshRegistry();
        const char *const names[] = {"Exit", "Query", "Print", "New", "Add", "Delete", "Detail", "Clear"};
        for (int i = 0; i < 8; ++i)
            setValue(QStringLiteral("\\Color\\Line\\") + QLatin1String(names[i]),
                     QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
        const cApl apl;
        for (int i = 0; i < 8; ++i)
            QCOMPARE(apl.LineColor(i), quint32(i + 1));
    }

    void noRegistryAtAll()
    {
        freshRegistry();
        const cApl apl;
        for (int i = 0; i < 8; ++i)
            QCOMPARE(apl.LineColor(i), quint32(0));
        QCOMPARE(apl.URL(), QString());
        QCOMPARE(apl.Mail(), QString());
        QCOMPARE(apl.DialogBox(), QString());
    }

    void textsAreRead()
    {
        freshRegistry();
        setValue(QStringLiteral("\\Info\\URL"), QStringLiteral("https://example.jp/"));
        setValue(QStringLiteral("\\Info\\Mail"), QStringLiteral("info@example.jp"));
        setValue(QStringLiteral("\\Info\\DIALOGBOX"), QStringLiteral("1"));
        const cApl apl;
        QCOMPARE(apl.URL(), QStringLiteral("https://example.jp/"));
        QCOMPARE(apl.Mail(), QStringLiteral("info@example.jp"));
        QCOMPARE(apl.DialogBox(), QStringLiteral("1"));
        QCOMPARE(apl.Company(), QString());
    }

    void dialogBoxSavedAndReadByNextStart()
    {
        freshRegistry();
        setValue(QStringLiteral("\\Info\\Dialogbox"), QStringLiteral("0"));
        {
            cApl apl;
            apl.setDialogBox(QStringLiteral("1"));
            QCOMPARE(cApl().DialogBox(), QStringLiteral("0")); // nothing written before the save
            apl.SaveRegDialogBox();
        }
        QCOMPARE(cApl().DialogBox(), QStringLiteral("1"));
        const auto values = RegistryStore().values(cApl::RegistryKey + QStringLiteral("\\Info"));
        QCOMPARE(values.size(), 1); // Dialogbox and DialogBox are one value
        QCOMPARE(values.first().second.type, RegistryStore::String);
        QCOMPARE(values.first().second.text, QStringLiteral("1"));
    }

    void setButLineColor()
    {
        freshRegistry();
        setValue(QStringLiteral("\\Color\\Line\\New"), QStringLiteral("000255000"));
        cApl apl;
        ColouredButton button;
        apl.SetButLineColor(&button, cApl::New);
        QCOMPARE(button.m_lineColor, quint32(0x0000FF00));
        apl.setLineColor(cApl::Clear, 0x123456);
        apl.SetButLineColor(&button, cApl::Clear);
        QCOMPARE(button.m_lineColor, quint32(0x123456));

        QVERIFY_THROWS_EXCEPTION(std::out_of_range, apl.SetButLineColor(&button, 8));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, apl.SetButLineColor(&button, -1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, apl.LineColor(8));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, apl.setLineColor(8, 0));
        QObject plain;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, apl.SetButLineColor(&plain, 0));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, apl.SetButLineColor(nullptr, 0));
        QCOMPARE(button.m_lineColor, quint32(0x123456));
    }

    void globalIsReadAgainAfterRelease()
    {
        freshRegistry();
        QCOMPARE(gApl().URL(), QString());
        setValue(QStringLiteral("\\Info\\URL"), QStringLiteral("u"));
        QCOMPARE(gApl().URL(), QString()); // read once, at creation
        releaseGlobals();
        QCOMPARE(gApl().URL(), QStringLiteral("u"));
    }
};

QTEST_GUILESS_MAIN(tst_cApl)
#include "tst_cApl.moc"
