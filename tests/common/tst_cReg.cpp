#include "RegistryStore.h"
#include "RegularFile.h"
#include "cReg.h"

#include "DbFixture.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

class tst_cReg : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    QString freshStore() { return m_dir.filePath(QStringLiteral("r%1.reg").arg(++m_count)); }

private Q_SLOTS:
    void valueNamesAndKeysIgnoreCase()
    {
        const QString store = freshStore();
        cReg reg(store);
        reg.SetReg(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\DialogBox"),
                   QStringLiteral("1"));
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\Dialogbox")),
                 QStringLiteral("1"));
        reg.SetReg(QStringLiteral("HKEY_LOCAL_MACHINE\\software\\ZORVIK\\vanrek\\info\\DIALOGBOX"),
                   QStringLiteral("0"));

        // One key and one value, spelled as first written.
        RegistryStore raw(store);
        const auto values = raw.values(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info"));
        QCOMPARE(values.size(), 1);
        QCOMPARE(values.first().first, QStringLiteral("DialogBox"));
        QCOMPARE(values.first().second.text, QStringLiteral("0"));
        QStringList names;
        QCOMPARE(reg.EnumKey(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek"), names), 1);
        QCOMPARE(names, QStringList{QStringLiteral("Info")});
    }

    void pathRules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");

        QTest::newRow("root and value") << "HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\V"
                                        << "HKEY_LOCAL_MACHINE\\SOFTWARE\\A"
                                        << "V";
        QTest::newRow("lower-case root is a key of the current user")
            << "hkey_local_machine\\SOFTWARE\\A\\V"
            << "HKEY_CURRENT_USER\\hkey_local_machine\\SOFTWARE\\A"
            << "V";
        QTest::newRow("blanks and one leading backslash") << "  \\HKEY_USERS\\X\\V "
                                                          << "HKEY_USERS\\X"
                                                          << "V";
        QTest::newRow("no root") << "Software\\A\\V"
                                 << "HKEY_CURRENT_USER\\Software\\A"
                                 << "V";
        QTest::newRow("value of the root") << "HKEY_CURRENT_CONFIG\\V"
                                           << "HKEY_CURRENT_CONFIG"
                                           << "V";
        QTest::newRow("trailing backslash names the last part") << "HKEY_CLASSES_ROOT\\A\\B\\"
                                                                << "HKEY_CLASSES_ROOT\\A\\B"
                                                                << "B";
        QTest::newRow("default value") << "HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\(標準)"
                                       << "HKEY_LOCAL_MACHINE\\SOFTWARE\\A"
                                       << "";
    }
    void pathRules()
    {
        QFETCH(QString, path);
        QFETCH(QString, key);
        QFETCH(QString, name);
        const QString store = freshStore();
        cReg reg(store);
        reg.SetReg(path, QStringLiteral("日本語 \"x\\y\""));
        const auto stored = RegistryStore(store).value(key, name);
        QVERIFY(stored.has_value());
        QCOMPARE(stored->type, RegistryStore::String);
        QCOMPARE(stored->text, QStringLiteral("日本語 \"x\\y\""));
        QCOMPARE(reg.GetRegStr(path), QStringLiteral("日本語 \"x\\y\""));
    }

    void numbersReadAsSignedDecimal_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");

        QTest::newRow("1") << "1"
                           << "1";
        QTest::newRow("negative") << "-5"
                                  << "-5";
        QTest::newRow("halves to even") << "2.5"
                                        << "2";
        QTest::newRow("largest") << "2147483647"
                                 << "2147483647";
    }
    void numbersReadAsSignedDecimal()
    {
        QFETCH(QString, written);
        QFETCH(QString, read);
        const QString key = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\");
        cReg reg(freshStore());
        reg.SetReg(key + QStringLiteral("Text"), QStringLiteral("x")); // the key must exist
        reg.SetRegDWORD(key + QStringLiteral("Number"), written);
        QCOMPARE(reg.GetRegStr(key + QStringLiteral("Number")), read);
    }

    void numberAboveSignedRangeReadsNegative()
    {
        const QString store = freshStore();
        RegistryStore raw(store);
        QVERIFY(raw.createKey(QStringLiteral("HKEY_LOCAL_MACHINE\\K")));
        QVERIFY(raw.setValue(QStringLiteral("HKEY_LOCAL_MACHINE\\K"), QStringLiteral("N"),
                             {RegistryStore::DWord, QString(), 0xFFFFFFFFu}));
        QCOMPARE(cReg(store).GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\N")), QStringLiteral("-1"));
    }

    void setRegDwordRejectsBadNumbers()
    {
        cReg reg(freshStore());
        reg.SetReg(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\T"), QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 reg.SetRegDWORD(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\N"), QStringLiteral("abc")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, reg.SetRegDWORD(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\N"),
                                                                    QStringLiteral("3000000000")));
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\N")), QString());
    }

    void setRegDwordOnMissingKeyWritesNothing()
    {
        const QString store = freshStore();
        cReg reg(store);
        reg.SetRegDWORD(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\None\\N"), QStringLiteral("1"));
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\None\\N")), QString());
        QVERIFY(!QFile::exists(store));
    }

    void missingThingsReadEmpty()
    {
        const QString store = freshStore();
        cReg reg(store);
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\URL")), QString());
        reg.SetReg(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\URL"), QStringLiteral(" u "));
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\Mail")), QString());
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\URL")),
                 QStringLiteral("u"));
    }

    // A store that is no regular file is never read or written over; the reason is logged.
    void unreadableStoreReadsEmptyAndIsKept_data()
    {
        QTest::addColumn<bool>("socket");
        QTest::newRow("folder") << false;
        QTest::newRow("link to a socket") << true;
    }

    void unreadableStoreReadsEmptyAndIsKept()
    {
        QFETCH(bool, socket);
        const ErrLogRecorder log;
        const QString target = m_dir.filePath(QStringLiteral("unreadable%1").arg(++m_count));
        QString store = target;
        if (socket) {
            QVERIFY(makeSocketFile(target));
            store = freshStore();
            QVERIFY(QFile::link(target, store));
        } else {
            QVERIFY(QDir().mkpath(target));
        }
        cReg reg(store);
        reg.SetReg(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\V"), QStringLiteral("1"));
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\K\\V")), QString());
        QCOMPARE(isSocketFile(target), socket);
        QCOMPARE(QFileInfo(target).isDir(), !socket);
        QVERIFY(!log.lines().isEmpty());
        for (const QString &line : log.lines())
            QVERIFY2(line.startsWith(QStringLiteral("cReg|")) && line.contains(store), qPrintable(line));
    }

    // The folder is synced after the rename as well; one that cannot be is logged, and the
    // value counts as written.
    void folderThatCannotBeSyncedIsLogged()
    {
        const ErrLogRecorder log;
        const QString store = freshStore();
        cReg reg(store);
        RegularFile::setSyncCall(&syncFailingForFolders);
        const auto restore = qScopeGuard([] { RegularFile::setSyncCall(nullptr); });
        reg.SetReg(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\URL"),
                   QStringLiteral("https://example.jp/"));
        QCOMPARE(reg.GetRegStr(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Info\\URL")),
                 QStringLiteral("https://example.jp/"));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().startsWith(
                     QStringLiteral("cReg|SetReg|%1 を保存しましたが、フォルダ %2 を").arg(store, m_dir.path())),
                 qPrintable(log.lines().first()));
    }

    void enumAndDeleteKeys()
    {
        cReg reg(freshStore());
        const QString base = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\");
        for (const char *key : {"x\\v", "Y\\v", "z\\deep\\v"})
            reg.SetReg(base + QLatin1String(key), QStringLiteral("1"));

        QStringList names{QStringLiteral("old")};
        QCOMPARE(reg.EnumKey(base + QStringLiteral("x"), names), 0); // no subkeys: names untouched
        QCOMPARE(names, QStringList{QStringLiteral("old")});
        QCOMPARE(reg.EnumKey(base + QStringLiteral("missing"), names), 0);
        QCOMPARE(names, QStringList{QStringLiteral("old")});
        QCOMPARE(reg.EnumKey(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\A"), names), 3);
        QCOMPARE(names, (QStringList{QStringLiteral("x"), QStringLiteral("Y"), QStringLiteral("z")}));

        QVERIFY(!reg.DeleteKey(base + QStringLiteral("z"))); // has a subkey
        QVERIFY(reg.DeleteKey(base + QStringLiteral("Z\\DEEP")));
        QVERIFY(reg.DeleteKey(base + QStringLiteral("z"))); // its parent stays after the last child went
        QVERIFY(!reg.DeleteKey(base + QStringLiteral("z")));
        QVERIFY(!reg.DeleteKey(QStringLiteral("HKEY_LOCAL_MACHINE"))); // a root
        QCOMPARE(reg.EnumKey(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\A"), names), 2);
        QCOMPARE(reg.GetRegStr(base + QStringLiteral("x\\v")), QStringLiteral("1"));
    }

    void perUserSettings()
    {
        cReg reg(freshStore());
        const QString app = QStringLiteral("Vanrek"), win = QStringLiteral("Window");
        QVERIFY(reg.SetVBLocalReg(app, win, QStringLiteral("Top"), QStringLiteral("10")));
        QVERIFY(reg.SetVBLocalReg(app, QStringLiteral("Other"), QStringLiteral("k"), QStringLiteral("左")));
        QVERIFY(!reg.SetVBLocalReg(QString(), win, QStringLiteral("Top"), QStringLiteral("1")));
        QCOMPARE(reg.GetVBLocalReg(app, QStringLiteral("window"), QStringLiteral("TOP")), QStringLiteral("10"));
        QCOMPARE(
            reg.GetRegStr(QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Vanrek\\Other\\k")),
            QStringLiteral("左"));
        QList<QStringList> all;
        QVERIFY(reg.GetVBLocalRegAll(app, win, all));
        QCOMPARE(all, (QList<QStringList>{{QStringLiteral("Top"), QStringLiteral("10")}}));

        QVERIFY(reg.DeleteVBLocalRegSection(app, win));
        QVERIFY(!reg.DeleteVBLocalRegKey(app, win, QStringLiteral("Top"))); // already gone
        QCOMPARE(reg.GetVBLocalReg(app, QStringLiteral("Other"), QStringLiteral("k")), QStringLiteral("左"));
        QVERIFY(reg.DeleteVBLocalRegAll(app));
        QVERIFY(!reg.DeleteVBLocalRegAll(app));
        QCOMPARE(reg.GetVBLocalReg(app, QStringLiteral("Other"), QStringLiteral("k")), QString());
    }

    void storeFileSurvivesHandEditing()
    {
        const QString store = freshStore();
        QFile f(store);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; hand-written\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Color\\Line]\r\n"
                "\"Exit\"=\"255000000\"\r\ngarbage line\r\n\"Count\"=dword:0000000a\r\n@=\"d\"\r\n"
                "[not a root\\x]\r\n\"Lost\"=\"1\"\r\n");
        f.close();
        cReg reg(store);
        const QString key = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek\\Color\\Line\\");
        QCOMPARE(reg.GetRegStr(key + QStringLiteral("exit")), QStringLiteral("255000000"));
        QCOMPARE(reg.GetRegStr(key + QStringLiteral("Count")), QStringLiteral("10"));
        QCOMPARE(reg.GetRegStr(key + QStringLiteral("(標準)")), QStringLiteral("d"));
    }
};

QTEST_GUILESS_MAIN(tst_cReg)
#include "tst_cReg.moc"
