#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

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
        // What tells a running copy is its flock on the file, whatever the file holds.
        const int fd = ::open(QFile::encodeName(first.lockPath()).constData(), O_RDONLY);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), -1);
        QCOMPARE(errno, EWOULDBLOCK);
        ::close(fd);
        first.release();
        QVERIFY(second.acquire(dir.path()));
    }

    // A copy that has created its lock file but not yet written it still holds it.
    void aHeldLockRefusesWhateverItHolds_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("empty, just created") << QByteArray();
        QTest::newRow("naming a process that is gone") << QByteArray("999999999\nvanrek\n");
    }

    void aHeldLockRefusesWhateverItHolds()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        QFile held(QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock")));
        QVERIFY(held.open(QIODevice::WriteOnly));
        QCOMPARE(::flock(held.handle(), LOCK_EX | LOCK_NB), 0);
        held.write(contents);
        held.flush();
        SingleInstance second;
        QVERIFY(!second.acquire(dir.path()));
        QCOMPARE(second.lockPath(), held.fileName());
    }

    // Nobody holds the file: a copy killed before it wrote it, or one that is dead but not
    // yet reaped (a zombie keeps its process id but no lock).
    void anUnheldLockIsTakenOver_data()
    {
        QTest::addColumn<bool>("zombie");
        QTest::newRow("empty file") << false;
        QTest::newRow("holder exited, not reaped") << true;
    }

    void anUnheldLockIsTakenOver()
    {
        QFETCH(bool, zombie);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        const QString path = QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock"));
        pid_t child = 0;
        if (zombie) {
            child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                SingleInstance copy;
                ::_exit(copy.acquire(dir.path()) ? 0 : 1);
            }
            siginfo_t info{};
            QCOMPARE(::waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT), 0);
            QCOMPARE(info.si_status, 0);
        } else {
            QFile empty(path);
            QVERIFY(empty.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::exists(path));
        SingleInstance next;
        const bool acquired = next.acquire(dir.path());
        if (child > 0)
            ::waitpid(child, nullptr, 0);
        QVERIFY(acquired);
        QCOMPARE(next.lockPath(), path);
        QCOMPARE(next.failures(), QString());
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
