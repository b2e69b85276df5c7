#include "RegistryStore.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using Change = std::function<bool(RegistryStore &)>;
Q_DECLARE_METATYPE(Change)

// The registry file: a write changes the lines of what it changes and keeps every other line.
class tst_RegistryStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    QString fileWith(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("r%1.reg").arg(++m_count));
        writeFileBytes(path, content);
        return path;
    }
    static QByteArray read(const QString &path) { return fileBytes(path); }

private Q_SLOTS:
    void writesKeepOtherLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QByteArray>("expected");

        const QString info = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info");
        const QByteArray sample("REGEDIT4\n"
                                "; installed values\n"
                                "\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info]\n"
                                "; shown in the version window\n"
                                "\"URL\"=\"http://example.invalid/\"\n"
                                "\"Broken\"=hex:01,02\n"
                                "a line of no format at all\n"
                                "\"Dialogbox\"=\"0\"\n"
                                "\n"
                                "[NoRoot\\Key]\n"
                                "\"x\"=\"1\"\n");
        QTest::newRow("value changed in place") << sample << Change([info](RegistryStore &r) {
            return r.setValue(info, QStringLiteral("DialogBox"), {RegistryStore::String, QStringLiteral("1"), 0});
        }) << QByteArray(sample).replace("\"Dialogbox\"=\"0\"", "\"Dialogbox\"=\"1\"");
        QTest::newRow("new value after the key's last value") << sample << Change([info](RegistryStore &r) {
            return r.setValue(info, QStringLiteral("Mail"), {RegistryStore::String, QStringLiteral("a@b"), 0});
        }) << QByteArray(sample).replace("\"Dialogbox\"=\"0\"\n", "\"Dialogbox\"=\"0\"\n\"Mail\"=\"a@b\"\n");
        QTest::newRow("value deleted") << sample << Change([info](RegistryStore &r) {
            return r.deleteValue(info, QStringLiteral("url"));
        }) << QByteArray(sample).replace("\"URL\"=\"http://example.invalid/\"\n", "");
        QTest::newRow("new key at the end") << sample << Change([](RegistryStore &r) {
            return r.createKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\A"));
        }) << sample + QByteArray("\n[HKEY_CURRENT_USER\\Software\\A]\n");
        QTest::newRow("CR LF file stays CR LF")
            << QByteArray("; c\r\n[HKEY_USERS\\K]\r\n\"v\"=dword:00000001\r\n") << Change([](RegistryStore &r) {
                   return r.setValue(QStringLiteral("HKEY_USERS\\K"), QStringLiteral("v"),
                                     {RegistryStore::DWord, {}, 2});
               })
            << QByteArray("; c\r\n[HKEY_USERS\\K]\r\n\"v\"=dword:00000002\r\n");
        QTest::newRow("deleted key takes its own comments only")
            << QByteArray("[HKEY_USERS\\A]\n; of A\n\"v\"=\"1\"\n[HKEY_USERS\\B]\n; of B\n")
            << Change([](RegistryStore &r) { return r.deleteKey(QStringLiteral("HKEY_USERS\\A")); })
            << QByteArray("[HKEY_USERS\\B]\n; of B\n");
    }
    void writesKeepOtherLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(Change, change);
        QFETCH(QByteArray, expected);
        const QString path = fileWith(content);
        RegistryStore store(path);
        QVERIFY(change(store));
        QCOMPARE(read(path), expected);
    }

    void linesThatDoNotParseAreNoValues()
    {
        RegistryStore store(fileWith("[HKEY_USERS\\K]\n\"Broken\"=hex:01\nfree text\n\"ok\"=\"1\"\n; \"c\"=\"2\"\n"));
        const auto values = store.values(QStringLiteral("HKEY_USERS\\K"));
        QCOMPARE(values.size(), 1);
        QCOMPARE(values.first().first, QStringLiteral("ok"));
    }

    void keyWrittenTwiceHasTheValuesOfBoth()
    {
        const QString path =
            fileWith("[HKEY_USERS\\K]\n\"a\"=\"1\"\n[HKEY_USERS\\L]\n[HKEY_USERS\\k]\n\"a\"=\"9\"\n\"b\"=\"2\"\n");
        RegistryStore store(path);
        QCOMPARE(
            store.value(QStringLiteral("HKEY_USERS\\K"), QStringLiteral("a")).value_or(RegistryStore::Value{}).text,
            QStringLiteral("1"));
        QCOMPARE(
            store.value(QStringLiteral("HKEY_USERS\\K"), QStringLiteral("b")).value_or(RegistryStore::Value{}).text,
            QStringLiteral("2"));
        // Deleting a name removes every line of it, so the shadowed one does not show through.
        QVERIFY(store.deleteValue(QStringLiteral("HKEY_USERS\\K"), QStringLiteral("A")));
        QVERIFY(!store.value(QStringLiteral("HKEY_USERS\\K"), QStringLiteral("a")));
        QCOMPARE(read(path), QByteArray("[HKEY_USERS\\K]\n[HKEY_USERS\\L]\n[HKEY_USERS\\k]\n\"b\"=\"2\"\n"));
    }
};

QTEST_GUILESS_MAIN(tst_RegistryStore)
#include "tst_RegistryStore.moc"
