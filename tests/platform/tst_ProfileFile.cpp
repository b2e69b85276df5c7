#include "ProfileFile.h"

#include "FileSizeLimit.h"
#include "RegularFile.h"
#include "TestFiles.h"
#include "Unwritable.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

class tst_ProfileFile : public QObject
{
    Q_OBJECT

private:
    QString write(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("t.ini"));
        writeFileBytes(path, content);
        return path;
    }
    static QByteArray read(const QString &path) { return fileBytes(path); }
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
        // [CONST] 消費税="8" and [SETTING] 背景="C:\画像\背景.bmp" as an earlier installation wrote them.
        QTest::newRow("Shift-JIS key") << QByteArray("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n") << "CONST"
                                       << "消費税"
                                       << "8";
        QTest::newRow("Shift-JIS value with a 0x5C trail byte")
            << QByteArray("[SETTING]\r\n\x94\x77\x8C\x69=\"C:\\\x89\xE6\x91\x9C\\\x94\x77\x8C\x69.bmp\"\r\n")
            << "SETTING"
            << "背景"
            << "C:\\画像\\背景.bmp";
        QTest::newRow("Shift-JIS half-width kana") << QByteArray("[s]\nk=\xC3\xDE\xB0\xC0\n") << "s"
                                                   << "k"
                                                   << "ﾃﾞｰﾀ";
        // A file an earlier version damaged: UTF-8 lines appended to a Shift-JIS file. The
        // installation's own line comes first and wins.
        QTest::newRow("Shift-JIS with UTF-8 lines appended")
            << QByteArray("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n") + QByteArray("消費税=\"5\"\r\n") << "CONST"
            << "消費税"
            << "8";
        QTest::newRow("UTF-8 stays UTF-8") << QByteArray("[CONST]\n消費税=\"10\"\n") << "CONST"
                                           << "消費税"
                                           << "10";
        // An earlier installation's file: [CONST] 消費税="5" and [ReportNames] ReportName03="ﾎｰﾑｽ",
        // whose Shift-JIS bytes CE B0 D1 BD are also the UTF-8 of "ΰѽ".
        const QByteArray reportNames("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"5\"\r\n[ReportNames]\r\n"
                                     "ReportName03=\"\xCE\xB0\xD1\xBD\"\r\n");
        QTest::newRow("Shift-JIS file, line valid both ways") << reportNames << "ReportNames"
                                                              << "ReportName03"
                                                              << "ﾎｰﾑｽ";
        // The same with a line of UTF-8 alone added (消費税 spelled in UTF-8): UTF-8 wins.
        QTest::newRow("mixed file, line valid both ways")
            << reportNames + QByteArray("消費税=\"8\"\r\n") << "ReportNames"
            << "ReportName03"
            << "ΰѽ";
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
        // Added lines take the first line's end; the lines there keep their own.
        QTest::newRow("mixed ends follow the first line") << QByteArray("[s]\nk=1\r\n") << "s"
                                                          << "j"
                                                          << "2" << QByteArray("[s]\nk=1\r\nj=2\n");
        QTest::newRow("last line's LF kept among CR LF") << QByteArray("[s]\r\nk=1\r\nj=\"\"\n") << "s"
                                                         << "k"
                                                         << "2" << QByteArray("[s]\r\nk=2\r\nj=\"\"\n");
        QTest::newRow("last line without a line end kept") << QByteArray("[s]\r\nk=1\r\nj=2") << "s"
                                                           << "k"
                                                           << "3" << QByteArray("[s]\r\nk=3\r\nj=2");
        QTest::newRow("line added after a last line without a line end")
            << QByteArray("[s]\r\nk=1") << "t"
            << "j"
            << "2" << QByteArray("[s]\r\nk=1\r\n[t]\r\nj=2\r\n");
        QTest::newRow("BOM and bytes of other lines kept") << QByteArray("\xEF\xBB\xBF[s]\n\x82\xA0=raw\nk=1\n") << "s"
                                                           << "k"
                                                           << "2" << QByteArray("\xEF\xBB\xBF[s]\n\x82\xA0=raw\nk=2\n");
        QTest::newRow("line breaks in value become blanks") << QByteArray("[s]\nk=1\n") << "s"
                                                            << "k"
                                                            << "a\r\nb\nc" << QByteArray("[s]\nk=a b c\n");
        // "; メモ" as an editor saved it in Shift-JIS, in a UTF-8 file.
        QTest::newRow("UTF-8 with a Shift-JIS comment")
            << QByteArray("; \x83\x81\x83\x82\r\n[SETTING]\r\n背景=\"\"\r\n") << "SETTING"
            << "背景"
            << "\"/写真/a.bmp\"" << QByteArray("; \x83\x81\x83\x82\r\n[SETTING]\r\n背景=\"/写真/a.bmp\"\r\n");
        // Damaged by an earlier version, which appended its defaults in UTF-8: new lines would be
        // Shift-JIS, but a UTF-8 key keeps UTF-8. The UTF-8 of 背景="" is also valid Shift-JIS;
        // the appended 消費税="5", valid only in UTF-8, tells the file is mixed.
        const QByteArray damaged("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n消費税=\"5\"\r\n[SETTING]\r\n");
        QTest::newRow("UTF-8 key of a Shift-JIS file")
            << damaged + QByteArray("背景=\"\"\r\n") << "SETTING"
            << "背景"
            << "\"/写真/a.bmp\"" << damaged + QByteArray("背景=\"/写真/a.bmp\"\r\n");
        QTest::newRow("Japanese value in UTF-8") << QByteArray() << "s"
                                                 << "k"
                                                 << "\"大阪\"" << QByteArray("[s]\r\nk=\"大阪\"\r\n");
        const QByteArray sjis("; \x90\xDD\x92\xE8\r\n[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n"
                              "[SETTING]\r\n\x94\x77\x8C\x69=\"C:\\\x89\xE6\x91\x9C\\a.bmp\"\r\n");
        QTest::newRow("Shift-JIS value replaced in Shift-JIS")
            << sjis << "CONST"
            << "消費税"
            << "\"１０\""
            << QByteArray("; \x90\xDD\x92\xE8\r\n[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"\x82\x50\x82\x4F\"\r\n"
                          "[SETTING]\r\n\x94\x77\x8C\x69=\"C:\\\x89\xE6\x91\x9C\\a.bmp\"\r\n");
        QTest::newRow("new key in Shift-JIS")
            << sjis << "CONST"
            << "基準年"
            << "\"35\""
            << QByteArray("; \x90\xDD\x92\xE8\r\n[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n"
                          "\x8A\xEE\x8F\x80\x94\x4E=\"35\"\r\n"
                          "[SETTING]\r\n\x94\x77\x8C\x69=\"C:\\\x89\xE6\x91\x9C\\a.bmp\"\r\n");
        QTest::newRow("new section in Shift-JIS")
            << sjis << "DEFAULT"
            << "構造"
            << "\"0\"" << sjis + QByteArray("[DEFAULT]\r\n\x8D\x5C\x91\xA2=\"0\"\r\n");
        // ｶﾅ=1 in Shift-JIS (B6 C5) and 漢字=2, valid only in UTF-8: a line valid both ways reads
        // as UTF-8, so ﾃｽﾄ値 in Shift-JIS (C3 BD C4 92 6C) would read "ýĒl", and the section
        // ﾎｰﾑｽ in Shift-JIS (CE B0 D1 BD) reads "ΰѽ": both are written in UTF-8.
        const QByteArray mixed("[CONST]\r\n\xB6\xC5=1\r\n漢字=2\r\n[\xCE\xB0\xD1\xBD]\r\nk=\"1\"\r\n");
        QTest::newRow("mixed file, value valid both ways in Shift-JIS")
            << mixed << "CONST"
            << "TrueSIZE0"
            << "\"ﾃｽﾄ値\""
            << QByteArray(
                   "[CONST]\r\n\xB6\xC5=1\r\n漢字=2\r\nTrueSIZE0=\"ﾃｽﾄ値\"\r\n[\xCE\xB0\xD1\xBD]\r\nk=\"1\"\r\n");
        QTest::newRow("mixed file, section valid both ways in Shift-JIS")
            << mixed << "ﾎｰﾑｽ"
            << "k"
            << "\"2\"" << mixed + QByteArray("[ﾎｰﾑｽ]\r\nk=\"2\"\r\n");
        // 背景's line, valid only in UTF-8 with 漢字 before "." (97 2E), would be valid both ways
        // and read in Shift-JIS with 背景 (E8 83 8C E6 99 AF): it is written in Shift-JIS.
        const QByteArray tax("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n[SETTING]\r\n");
        QTest::newRow("the only line valid only in UTF-8 would be valid both ways")
            << tax + QByteArray("背景=\"/写真/漢字.bmp\"\r\n") << "SETTING"
            << "背景"
            << "\"/写真/背景.bmp\""
            << tax + QByteArray("\x94\x77\x8C\x69=\"/\x8E\xCA\x90\x5E/\x94\x77\x8C\x69.bmp\"\r\n");
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
        // The mixed files' other values read as before the saves.
        const ProfileFile file(path);
        const auto others = [&file] {
            return QStringList{file.value("CONST", "ｶﾅ"), file.value("CONST", "漢字"), file.value("ΰѽ", "k")};
        };
        const QStringList before = others();
        // A second save of the same value changes nothing.
        for (int save = 0; save < 2; ++save) {
            QVERIFY(ProfileFile(path).setValue(section, key, value));
            QCOMPARE(read(path), expected);
        }
        QCOMPARE(file.value(section, key), value.simplified().remove(QLatin1Char('"')));
        QCOMPARE(others(), before);
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

    void shiftJisIsAvailable()
    {
        // Qt reads and writes Shift-JIS only through its ICU support.
        QVERIFY(ProfileFile::shiftJisAvailable());
    }

    void valueTheFileCannotTakeIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("Shift-JIS cannot hold it")
            << QByteArray("[CONST]\r\n\x8F\xC1\x94\xEF\x90\xC5=\"8\"\r\n") << "背景"
            << "\"/写真/€.bmp\""
            << "設定ファイルの文字コード (Shift-JIS) で表せない文字があります";
        // あ=1 in Shift-JIS, k's 漢字 valid only in UTF-8, j's ﾎｰﾑｽ valid both ways: without the
        // line valid only in UTF-8, j would read in Shift-JIS.
        QTest::newRow("the only line valid only in UTF-8 rewritten")
            << QByteArray("[SETTING]\r\n\x82\xA0=1\r\nk=\"漢字\"\r\nj=\"\xCE\xB0\xD1\xBD\"\r\n") << "k"
            << "\"1\""
            << "この値は今のままの設定ファイルには保存できません（書き込むと、この値か他の値が正しく読めなくなります）";
    }
    void valueTheFileCannotTakeIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, error);
        const QString path = write(content);
        ProfileFile file(path);
        QVERIFY(!file.setValue(QStringLiteral("SETTING"), key, value));
        QCOMPARE(file.errorString(), error + QStringLiteral(": [SETTING] %1=%2").arg(key, value));
        QCOMPARE(read(path), content);
    }

    void severalKeysInOneWrite()
    {
        const QString path = write("[s]\nk=1\n");
        ProfileFile file(path);
        QVERIFY(file.setValues({{QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")},
                                {QStringLiteral("t"), QStringLiteral("j"), QStringLiteral("3")},
                                {QStringLiteral("s"), QStringLiteral("i"), QStringLiteral("4")}}));
        QCOMPARE(read(path), QByteArray("[s]\nk=2\ni=4\n[t]\nj=3\n"));
    }

    void folderThatTakesNoNewFileIsWrittenInPlace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vanrek.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[SETTING]\r\nSize=\"22\"\r\n; last line\r\n");
        }
        Unwritable folder(dir.path());
        if (!folder.isActive())
            QSKIP(qPrintable(folder.skipReason()));
        ProfileFile file(path);
        QVERIFY2(file.setValue(QStringLiteral("SETTING"), QStringLiteral("Size"), QStringLiteral("\"3\"")),
                 qPrintable(file.errorString()));
        // One byte shorter: nothing of the old end may stay behind.
        QCOMPARE(read(path), QByteArray("[SETTING]\r\nSize=\"3\"\r\n; last line\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vanrek.ini")});
    }

    // A disk with less room than the new content, or one that cannot keep it: the old file stays.
    void saveThatDoesNotFitKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("disk too small") << EFBIG;
        QTest::newRow("sync that fails") << EIO;
    }
    void saveThatDoesNotFitKeepsTheOldFile()
    {
        QFETCH(int, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vanrek.ini"));
        const QByteArray old("[CONST]\r\n消費税=\"5\"\r\n");
        QVERIFY(writeFileBytes(path, old));
        ProfileFile file(path);
        {
            const FileSizeLimit room(error == EFBIG ? rlim_t(old.size()) : RLIM_INFINITY);
            if (error == EIO)
                RegularFile::setSyncCall([](int) { return errno = EIO, -1; });
            const auto restore = qScopeGuard([] { RegularFile::setSyncCall(nullptr); });
            QVERIFY(!file.setValue(QStringLiteral("CONST"), QStringLiteral("消費税"), QStringLiteral("\"10\"")));
        }
        QCOMPARE(file.errorString(), QString::fromLocal8Bit(std::strerror(error)));
        QCOMPARE(read(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vanrek.ini")});
    }

    void writeThatFailsSaysWhy()
    {
        ProfileFile file(m_dir.filePath(QStringLiteral("no such folder/Vanrek.ini")));
        QVERIFY(!file.setValue(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!file.errorString().isEmpty());
    }

    void missingFileReadsEmpty()
    {
        ProfileFile file(m_dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(file.value(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("def")), QStringLiteral("def"));
        QVERIFY(!file.contains(QStringLiteral("s"), QStringLiteral("k")));
    }

    // What is no regular file is neither read (a pipe would block the start) nor written
    // or renamed over: it keeps being what it was.
    void unreadableFileIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("link to a socket") << QStringLiteral("socket");
        QTest::newRow("link to a named pipe") << QStringLiteral("fifo");
    }

    void unreadableFileIsNeverReplaced()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString target = dir.filePath(kind);
        QString path = target;
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(kind == QLatin1String("socket") ? makeSocketFile(target)
                                                    : ::mkfifo(QFile::encodeName(target).constData(), 0600) == 0);
            path = dir.filePath(QStringLiteral("Vanrek.ini"));
            QVERIFY(QFile::link(target, path));
        }
        const QFileInfo before(target);
        ProfileFile file(path);
        QCOMPARE(file.value(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("def")), QStringLiteral("def"));
        QVERIFY(!file.setValue(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!file.errorString().isEmpty());
        const QFileInfo after(target);
        QVERIFY(!after.isFile());
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(isSocketFile(target), kind == QLatin1String("socket"));
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size(),
            kind == QLatin1String("folder") ? 1 : 2);
    }
};

QTEST_GUILESS_MAIN(tst_ProfileFile)
#include "tst_ProfileFile.moc"
