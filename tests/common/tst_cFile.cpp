#include "cFile.h"

#include "DbFixture.h"
#include "EnvironmentValue.h"
#include "RegularFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class tst_cFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    cFile m_file;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    static void writeFile(const QString &file, const QByteArray &content)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    static QByteArray readFile(const QString &file)
    {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private Q_SLOTS:
    void makeFullPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");

        QTest::newRow("folder ending in backslash") << "C:\\app\\"
                                                    << "db.mdb"
                                                    << "C:\\app\\db.mdb";
        QTest::newRow("windows folder") << "C:\\app"
                                        << "db.mdb"
                                        << "C:\\app\\db.mdb";
        QTest::newRow("no folder") << ""
                                   << "x.ini"
                                   << "x.ini";
        QTest::newRow("blanks around folder, no file") << "  C:\\app "
                                                       << ""
                                                       << "C:\\app";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "";
        QTest::newRow("leading backslash of file kept") << "C:\\a"
                                                        << "\\b"
                                                        << "C:\\a\\\\b";
        QTest::newRow("linux folder") << "/opt/app"
                                      << "DB/Vanrek.mdb"
                                      << "/opt/app/DB/Vanrek.mdb";
        QTest::newRow("linux folder ending in slash") << "/opt/app/"
                                                      << "Vanrek.ini"
                                                      << "/opt/app/Vanrek.ini";
        QTest::newRow("folder without separator") << "app"
                                                  << "x.ini"
                                                  << "app/x.ini";
    }
    void makeFullPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(m_file.MakeFullPath(folder, file), expected);
    }

    void splitPathEx_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ext");

        QTest::newRow("drive path") << "C:\\data\\plan.mdb"
                                    << "C:"
                                    << "\\data"
                                    << "plan"
                                    << "mdb";
        QTest::newRow("network path") << "\\\\srv\\share\\dir\\f.txt"
                                      << "\\\\srv\\share"
                                      << "dir"
                                      << "f"
                                      << "txt";
        QTest::newRow("server only") << "\\\\srv"
                                     << "\\\\srv"
                                     << ""
                                     << ""
                                     << "";
        QTest::newRow("server and file") << "\\\\srv\\f.txt"
                                         << "\\\\srv"
                                         << ""
                                         << "f"
                                         << "txt";
        QTest::newRow("name only") << "readme"
                                   << ""
                                   << ""
                                   << "readme"
                                   << "";
        QTest::newRow("drive without folder") << "C:plan.mdb"
                                              << "C:"
                                              << ""
                                              << "plan"
                                              << "mdb";
        QTest::newRow("linux path") << " /opt/app/DB/Vanrek.mdb "
                                    << ""
                                    << "/opt/app/DB"
                                    << "Vanrek"
                                    << "mdb";
        QTest::newRow("colon inside linux folder") << "/home/a:b/c.txt"
                                                   << ""
                                                   << "/home/a:b"
                                                   << "c"
                                                   << "txt";
        QTest::newRow("two dots") << "/x/y.tar.gz"
                                  << ""
                                  << "/x"
                                  << "y.tar"
                                  << "gz";
    }
    void splitPathEx()
    {
        QFETCH(QString, path);
        QString drive = "old", folder = "old", base = "old", ext = "old";
        m_file.SplitPathEx(path, drive, folder, base, ext);
        QTEST(drive, "drive");
        QTEST(folder, "folder");
        QTEST(base, "base");
        QTEST(ext, "ext");
    }

    void fileNameDropsAnEmptyExtension()
    {
        QCOMPARE(m_file.FileName(QStringLiteral("C:\\a\\b.")), QStringLiteral("b"));
        QCOMPARE(m_file.FileName(QStringLiteral("/a/b.txt")), QStringLiteral("b.txt"));
    }

    void splitPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");

        QTest::newRow("windows path") << "C:\\a\\b.txt" << true << "C:\\a"
                                      << "b"
                                      << "txt";
        QTest::newRow("linux path") << "/a/b.txt" << true << "/a"
                                    << "b"
                                    << "txt";
        QTest::newRow("dot in a folder name") << "C:\\a.d\\b" << true << "C:"
                                              << "a"
                                              << "d\\b";
        QTest::newRow("no separator keeps folder and name") << "b.txt" << false << "F"
                                                            << "N"
                                                            << "txt";
        QTest::newRow("no dot keeps the extension") << "/a/b" << true << "/a"
                                                    << "b"
                                                    << "E";
    }
    void splitPath()
    {
        QFETCH(QString, path);
        QString folder = "F", name = "N", ext = "E";
        QTEST(m_file.SplitPath(path, folder, name, ext), "result");
        QTEST(folder, "folder");
        QTEST(name, "name");
        QTEST(ext, "ext");
    }

    void existence()
    {
        writeFile(path("exists.txt"), "12345");
        QVERIFY(m_file.IsFileExists(path("exists.txt")));
        QVERIFY(!m_file.IsFileExists(path("missing.txt")));
        QVERIFY(!m_file.IsFileExists(m_dir.path()));
        QVERIFY(!m_file.IsFileExists(QString()));
        QVERIFY(m_file.IsFolder(m_dir.path()));
        QVERIFY(m_file.IsFolder(path("exists.txt")));
        QVERIFY(!m_file.IsFolder(path("missing")));
        QVERIFY(m_file.IsFolderExist(m_dir.path()));
        QVERIFY(!m_file.IsFolderExist(path("exists.txt")));
        QCOMPARE(m_file.FileSize(path("exists.txt")), 5);
        QCOMPARE(m_file.FileSize(path("missing.txt")), 0);
    }

    void makeDir()
    {
        const QString deep = path("a/b/c");
        QVERIFY(m_file.MakeDir(deep));
        QVERIFY(QFileInfo(deep).isDir());
        QVERIFY(m_file.MakeDir(deep)); // already there
        writeFile(path("plain"), "x");
        QVERIFY(!m_file.MakeDir(path("plain"))); // a file is no folder
        QVERIFY(!m_file.MakeDir(QString()));
    }

    void copyFiles()
    {
        writeFile(path("src.txt"), "new");
        QVERIFY(m_file.MakeDir(path("into")));
        QVERIFY(m_file.WilCopyFile(path("src.txt"), path("into")));
        QCOMPARE(readFile(path("into/src.txt")), QByteArray("new"));

        writeFile(path("old.txt"), "old content");
        QVERIFY(m_file.WilCopyFile(path("src.txt"), path("old.txt"))); // replaces
        QCOMPARE(readFile(path("old.txt")), QByteArray("new"));

        QVERIFY(m_file.WilCopyFile(path("src.txt"), path("made/here/copy.txt"))); // folder created
        QCOMPARE(readFile(path("made/here/copy.txt")), QByteArray("new"));

        QVERIFY(!m_file.WilCopyFile(path("nothing.txt"), path("x.txt")));
        QVERIFY(!QFile::exists(path("x.txt")));
        QCOMPARE(m_file.CopyFiles(nullptr, path("nothing.txt"), path("x.txt")), 2);
        QCOMPARE(m_file.CopyFiles(nullptr, path("src.txt"), path("no/folder/x.txt")), 3);
        QCOMPARE(m_file.CopyFiles(nullptr, path("src.txt"), path("y.txt")), 0);
    }

    // The copy's name lives in its folder, which is synced after the rename as well; a folder
    // that cannot be is logged, and the copy counts as made.
    void folderThatCannotBeSyncedIsLogged()
    {
        const ErrLogRecorder log;
        writeFile(path("synced.txt"), "new");
        RegularFile::setSyncCall(&syncFailingForFolders);
        const auto restore = qScopeGuard([] { RegularFile::setSyncCall(nullptr); });
        QVERIFY(m_file.WilCopyFile(path("synced.txt"), path("copy.txt")));
        QCOMPARE(readFile(path("copy.txt")), QByteArray("new"));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().startsWith(QStringLiteral("cFile|CopyFiles|%1 を保存しましたが、フォルダ %2 を")
                                                    .arg(path("copy.txt"), m_dir.path())),
                 qPrintable(log.lines().first()));
    }

    void deleteFiles()
    {
        QVERIFY(!m_file.WilDeleteFile(path("never.txt")));
        writeFile(path("del.txt"), "x");
        QVERIFY(m_file.WilDeleteFile(path("del.txt")));
        QVERIFY(!QFile::exists(path("del.txt")));

        QVERIFY(m_file.MakeDir(path("tree/sub")));
        writeFile(path("tree/sub/f"), "x");
        QCOMPARE(m_file.DeleteFiles(nullptr, path("tree"), true, false), 0);
        QVERIFY(!QFileInfo::exists(path("tree")));
        QCOMPARE(m_file.DeleteFiles(nullptr, path("tree"), true, false), 2);
    }

    void appendFile()
    {
        const QString log = path("logs/ErrLog.txt");
        QVERIFY(m_file.AppendFile(log, QStringLiteral("一行目")));
        QVERIFY(m_file.AppendFile(log, QStringLiteral("line 2")));
        QCOMPARE(readFile(log), QStringLiteral("一行目\r\nline 2\r\n").toUtf8());
        QVERIFY(!m_file.AppendFile(m_dir.path(), QStringLiteral("x"))); // a folder cannot take lines
    }

    void temporaryFiles()
    {
        QVERIFY(!m_file.TempDir().isEmpty());
        QVERIFY(!m_file.TempDir().endsWith(QLatin1Char('/')));
        const QString made = m_file.GetTempFile(m_dir.path(), QStringLiteral("VANREK"));
        QVERIFY(QFileInfo(made).isFile());
        QVERIFY(QFileInfo(made).fileName().startsWith(QLatin1String("VAN")));
        QVERIFY(made.endsWith(QLatin1String(".tmp")));
        QCOMPARE(m_file.GetTempFile(path("no/such"), QStringLiteral("x")), QString());
    }

    // A temporary folder that exists: TMPDIR's, or "/tmp" where it names none, never the
    // folder the program was started from.
    void tempDirIsAFolderThatExists_data()
    {
        QTest::addColumn<QString>("tmpdir");
        QTest::addColumn<bool>("taken");
        QTest::newRow("a folder") << QStringLiteral("temp") << true;
        QTest::newRow("a folder that does not exist") << QStringLiteral("no such folder") << false;
        QTest::newRow("a file") << QStringLiteral("notes.txt") << false;
    }

    void tempDirIsAFolderThatExists()
    {
        QFETCH(QString, tmpdir);
        QFETCH(bool, taken);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("temp")));
        writeFile(path(QStringLiteral("notes.txt")), "a note\n");
        const EnvironmentValue variable("TMPDIR", QFile::encodeName(path(tmpdir)));
        QCOMPARE(m_file.TempDir(), taken ? QFileInfo(path(tmpdir)).canonicalFilePath() : QStringLiteral("/tmp"));
    }
};

QTEST_GUILESS_MAIN(tst_cFile)
#include "tst_cFile.moc"
