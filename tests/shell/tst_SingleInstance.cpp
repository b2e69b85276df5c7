#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

// One running copy per program folder.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondCopyIsRefused()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        SingleInstance first;
        SingleInstance second;
        QVERIFY(first.acquire(dir.path()));
        QCOMPARE(first.lockPath(), QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock")));
        QVERIFY(!second.acquire(dir.path()));
        first.release();
        QVERIFY(second.acquire(dir.path()));
    }

    void otherFoldersAreIndependent()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        SingleInstance first;
        SingleInstance second;
        QVERIFY(first.acquire(a.path()));
        QVERIFY(second.acquire(b.path()));
    }

    void withoutDbFolderTheLockGoesToTemp()
    {
        QTemporaryDir dir;
        SingleInstance first;
        SingleInstance second;
        QVERIFY(first.acquire(dir.path()));
        QVERIFY(first.lockPath().startsWith(QDir::tempPath()));
        QVERIFY(!second.acquire(dir.path()));
        QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("DB"))));
    }

    void lockOfAFinishedRunIsTakenOver()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        // A process id that no longer runs, as a crashed copy leaves it.
        QProcess p;
        p.start(QStringLiteral("true"));
        QVERIFY(p.waitForStarted());
        const qint64 deadPid = p.processId();
        QVERIFY(p.waitForFinished());
        QFile lock(QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nvanrek\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        SingleInstance next;
        QVERIFY(next.acquire(dir.path()));
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
