#include "ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_ProfileFile : public QObject
{
    Q_OBJECT

private:
    QString write(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("t.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QTemporaryDir m_dir;

private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("double quotes removed") << QByteArray("[s]\nk=  \"a b\"  \n") << "s"
                                               << "k"
                                               << "a b";
        QTest::newRow("single quotes removed") << QByteArray("[s]\nk='x'\n") << "s"
                                               << "k"
                                               << "x";
        QTest::newRow("unmatched quotes kept") << QByteArray("[s]\nk=\"x'\n") << "s"
                                               << "k"
                                               << "\"x'";
        QTest::newRow("inner quotes kept") << QByteArray("[s]\nk=\"\"x\"\"\n") << "s"
                                           << "k"
                                           << "\"x\"";
        QTest::newRow("first section wins") << QByteArray("[s]\nk=1\n[t]\nk=2\n[S]\nk=3\n") << "s"
                                            << "k"
                                            << "1";
        QTest::newRow("key of other section") << QByteArray("[s]\nk=1\n[t]\nj=2\n") << "s"
                                              << "j"
                                              << "";
        QTest::newRow("comment line") << QByteArray("[s]\n;k=1\n") << "s"
                                      << ";k"
                                      << "";
        QTest::newRow("LF and CRLF mixed") << QByteArray("[a]\r\nx=1\n[b]\ny=2\r\n") << "b"
                                           << "y"
                                           << "2";
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF[s]\nk=v\n") << "s"
                             << "k"
                             << "v";
    }
    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ProfileFile(write(content)).value(section, key), expected);
    }

    void writing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray sample("; settings\r\n[CONST]\r\nRate=\"5\"\r\n\r\n[SETTING]\r\n; size\r\nSize=\"2\"\r\n");
        QTest::newRow("replace keeps everything else")
            << sample << "setting"
            << "SIZE"
            << "\"3\""
            << QByteArray("; settings\r\n[CONST]\r\nRate=\"5\"\r\n\r\n[SETTING]\r\n; size\r\nSize=\"3\"\r\n");
        QTest::newRow("new key after the section's last key")
            << sample << "CONST"
            << "Year"
            << "\"2001\""
            << QByteArray("; settings\r\n[CONST]\r\nRate=\"5\"\r\nYear=\"2001\"\r\n\r\n[SETTING]\r\n; size\r\n"
                          "Size=\"2\"\r\n");
        QTest::newRow("new section at the end") << sample << "DEFAULT"
                                                << "A"
                                                << "x" << sample + QByteArray("[DEFAULT]\r\nA=x\r\n");
        QTest::newRow("LF file stays LF") << QByteArray("[s]\nk=1\n") << "s"
                                          << "k"
                                          << "2" << QByteArray("[s]\nk=2\n");
        QTest::newRow("mixed ends follow the first line") << QByteArray("[s]\nk=1\r\n") << "s"
                                                          << "j"
                                                          << "2" << QByteArray("[s]\nk=1\nj=2\n");
        QTest::newRow("BOM and bytes of other lines kept") << QByteArray("\xEF\xBB\xBF[s]\n\x82\xA0=raw\nk=1\n") << "s"
                                                           << "k"
                                                           << "2" << QByteArray("\xEF\xBB\xBF[s]\n\x82\xA0=raw\nk=2\n");
        QTest::newRow("line breaks in value become blanks") << QByteArray("[s]\nk=1\n") << "s"
                                                            << "k"
                                                            << "a\r\nb\nc" << QByteArray("[s]\nk=a b c\n");
        QTest::newRow("Japanese value in UTF-8") << QByteArray() << "s"
                                                 << "k"
                                                 << "\"大阪\"" << QByteArray("[s]\r\nk=\"大阪\"\r\n");
    }
    void writing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        const QString path = write(content);
        if (content.isEmpty())
            QFile::remove(path);
        QVERIFY(ProfileFile(path).setValue(section, key, value));
        QCOMPARE(read(path), expected);
    }

    void writeLeavesNoTemporaryFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vanrek.ini"));
        ProfileFile file(path);
        for (int i = 0; i < 3; ++i)
            QVERIFY(file.setValue(QStringLiteral("s"), QStringLiteral("k%1").arg(i), QStringLiteral("v")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vanrek.ini")});
        QCOMPARE(file.value(QStringLiteral("s"), QStringLiteral("k2")), QStringLiteral("v"));
    }

    void missingFileReadsEmpty()
    {
        ProfileFile file(m_dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(file.value(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("def")), QStringLiteral("def"));
        QVERIFY(!file.contains(QStringLiteral("s"), QStringLiteral("k")));
    }

    void unreadableFileIsNeverReplaced()
    {
        // A folder in the file's place cannot be read as a settings file.
        const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
        QVERIFY(QDir().mkpath(path));
        ProfileFile file(path);
        QCOMPARE(file.value(QStringLiteral("s"), QStringLiteral("k")), QString());
        QVERIFY(!file.setValue(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(QFileInfo(path).isDir());
    }
};

QTEST_GUILESS_MAIN(tst_ProfileFile)
#include "tst_ProfileFile.moc"
