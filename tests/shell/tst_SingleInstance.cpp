#include "SingleInstance.h"

#include "EnvironmentValue.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/stat.h>
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

    // What stands in the lock's place is left as it is: the lock goes to the temporary folder.
    void aLockThatIsNoPlainFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a user's file") << QStringLiteral("link");
        QTest::newRow("link to nothing") << QStringLiteral("dangling");
        QTest::newRow("hard link to a user's file") << QStringLiteral("hard");
        QTest::newRow("named pipe") << QStringLiteral("pipe");
    }

    void aLockThatIsNoPlainFileIsLeftAlone()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        const QString lock = QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock"));
        const QString users = QDir(dir.path()).filePath(QStringLiteral("notes.txt"));
        const QByteArray text("the user's own notes\n");
        if (kind != QLatin1String("dangling"))
            QVERIFY(writeFileBytes(users, text));
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        else if (kind == QLatin1String("hard"))
            QCOMPARE(::link(QFile::encodeName(users).constData(), QFile::encodeName(lock).constData()), 0);
        else
            QVERIFY(QFile::link(users, lock));
        SingleInstance copy;
        QVERIFY(copy.acquire(dir.path()));
        const QString held = copy.lockPath();
        copy.release();
        QCOMPARE(QFileInfo::exists(users), kind != QLatin1String("dangling"));
        if (kind != QLatin1String("dangling"))
            QCOMPARE(fileBytes(users), text);
        struct stat st {
        };
        QCOMPARE(::lstat(QFile::encodeName(lock).constData(), &st), 0);
        QCOMPARE(S_ISFIFO(st.st_mode), kind == QLatin1String("pipe"));
        QCOMPARE(QFileInfo(held).absolutePath(), QDir::tempPath());
        QVERIFY(!copy.failures().isEmpty());
    }

    // A copy that quits removes its file while it still holds it: a copy that opened the
    // file just before can lock it only once it is no longer named, and so tries again.
    void releaseRemovesTheFileBeforeLettingGo()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        SingleInstance first;
        QVERIFY(first.acquire(dir.path()));
        const int events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(events >= 0);
        QVERIFY(::inotify_add_watch(events, QFile::encodeName(first.lockPath()).constData(), IN_ATTRIB | IN_CLOSE) >=
                0);
        first.release();
        // In the order they happened: the name going (the link count) before the close.
        alignas(inotify_event) char buffer[4096];
        const ssize_t size = ::read(events, buffer, sizeof buffer);
        ::close(events);
        QList<uint32_t> seen;
        for (ssize_t at = 0; at < size;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (!(event->mask & IN_IGNORED))
                seen << event->mask;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
        QCOMPARE(seen, (QList<uint32_t>{IN_ATTRIB, IN_CLOSE_WRITE}));
    }

    // The file is removed between this copy's open and its lock: by the copy that held it,
    // as it quits, or again and again while copies come and go. Each time a copy was ending:
    // this one opens the file again, as often as that happens, and holds the DB folder's lock.
    void aLockOnAFileNoLongerNamedIsTakenAgain_data()
    {
        QTest::addColumn<int>("removals");
        QTest::newRow("removed once, by the copy that quits") << 1;
        QTest::newRow("removed six times in a row") << 6;
    }

    void aLockOnAFileNoLongerNamedIsTakenAgain()
    {
        QFETCH(int, removals);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        const QString dbLock = QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock"));
        SingleInstance first;
        QVERIFY(first.acquire(dir.path()));
        int opened = 0;
        SingleInstance::setOpenedHook([&] {
            if (opened++ < removals) {
                first.release();
                QFile::remove(dbLock); // what the next copy made, as that copy quits
            }
        });
        SingleInstance second;
        const bool acquired = second.acquire(dir.path());
        SingleInstance::setOpenedHook(nullptr);
        QVERIFY(acquired);
        QCOMPARE(second.lockPath(), dbLock);
        QCOMPARE(second.failures(), QString());
        SingleInstance third;
        QVERIFY(!third.acquire(dir.path()));
        QCOMPARE(third.lockPath(), dbLock);
    }

    // Copies of one folder that start while others quit, in a loop: never two at once.
    void copiesStartingAsOthersQuitNeverOverlap()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        // Shared by the processes: how many hold a lock now, and how often one found another.
        void *shared =
            ::mmap(nullptr, 2 * sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        QVERIFY(shared != MAP_FAILED);
        auto *holders = new (shared) std::atomic<int>(0);
        auto *overlaps = new (holders + 1) std::atomic<int>(0);
        std::vector<pid_t> copies;
        for (int i = 0; i < 8; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                QElapsedTimer clock;
                clock.start();
                for (int round = 0; round < 1000 && clock.elapsed() < 500; ++round) {
                    SingleInstance copy;
                    if (!copy.acquire(dir.path()))
                        continue;
                    if (holders->fetch_add(1) != 0)
                        overlaps->fetch_add(1);
                    ::sched_yield();
                    holders->fetch_sub(1);
                }
                ::_exit(0);
            }
            copies.push_back(pid);
        }
        // A copy that crashed or was killed ran its rounds only in part.
        for (const pid_t pid : copies) {
            int status = 0;
            QCOMPARE(::waitpid(pid, &status, 0), pid);
            QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0,
                     qPrintable(WIFSIGNALED(status)
                                    ? QStringLiteral("copy %1 ended by signal %2").arg(pid).arg(WTERMSIG(status))
                                    : QStringLiteral("copy %1 exited with %2").arg(pid).arg(WEXITSTATUS(status))));
        }
        const int seen = overlaps->load();
        ::munmap(shared, 2 * sizeof(std::atomic<int>));
        QCOMPARE(seen, 0);
    }

    // A copy that could not use the DB folder's lock holds only the temporary one. It keeps
    // out a copy that can use both; a file someone else put at this user's name is passed
    // over, not written.
    void aCopyOnTheTemporaryLockOnly_data()
    {
        QTest::addColumn<bool>("otherUsers");
        QTest::newRow("this user's copy") << false;
        QTest::newRow("another user's file at this user's name") << true;
    }

    void aCopyOnTheTemporaryLockOnly()
    {
        QFETCH(bool, otherUsers);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        const QString dbLock = QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock"));
        QVERIFY(QFile::link(QDir(dir.path()).filePath(QStringLiteral("nothing")), dbLock));
        // Run as another user, for whom the files this process finds are someone else's.
        const auto asItself = qScopeGuard([] { SingleInstance::setUserHook(nullptr); });
        if (otherUsers)
            SingleInstance::setUserHook([] { return ::geteuid() + 1; });
        SingleInstance first;
        QVERIFY(first.acquire(dir.path()));
        const QString held = first.lockPath();
        if (otherUsers) {
            first.release();
            QVERIFY(writeFileBytes(held, "12345\n"));
        }
        QVERIFY(QFile::remove(dbLock));
        const QByteArray holds = fileBytes(held);
        SingleInstance second;
        const bool acquired = second.acquire(dir.path());
        const QByteArray holdsAfter = fileBytes(held);
        if (otherUsers)
            QFile::remove(held);
        QCOMPARE(acquired, otherUsers);
        QCOMPARE(second.otherCopyRuns(), !otherUsers);
        QCOMPARE(second.lockPath(), otherUsers ? dbLock : held);
        QCOMPARE(second.failures().contains(held), otherUsers);
        QCOMPARE(holdsAfter, holds);
    }

    // The program folder's lock unusable (installed by another user): another user's copy,
    // running or killed, holds a temporary lock that is never this user's.
    void anotherUsersCopyLeavesThisUserALockOfItsOwn()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        const QString dbLock = QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock"));
        QVERIFY(QFile::link(QDir(dir.path()).filePath(QStringLiteral("nothing")), dbLock));
        SingleInstance theirs;
        QVERIFY(theirs.acquire(dir.path()));
        const QByteArray holds = fileBytes(theirs.lockPath());
        const auto asItself = qScopeGuard([] { SingleInstance::setUserHook(nullptr); });
        SingleInstance::setUserHook([] { return ::geteuid() + 1; });
        SingleInstance mine;
        const bool acquired = mine.acquire(dir.path());
        QVERIFY2(acquired, qPrintable(mine.failures()));
        QCOMPARE(QFileInfo(mine.lockPath()).absolutePath(), QDir::tempPath());
        QVERIFY(mine.lockPath() != theirs.lockPath());
        QVERIFY2(!mine.failures().contains(theirs.lockPath()), qPrintable(mine.failures()));
        QCOMPARE(fileBytes(theirs.lockPath()), holds);
    }

    // With TMPDIR naming no folder, the temporary lock lies in "/tmp", not in the folder a
    // copy was started from: copies started from different folders still meet there.
    void aMissingTemporaryFolderIsNotTheCurrentOne()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB")));
        QVERIFY(QFile::link(QDir(dir.path()).filePath(QStringLiteral("nothing")),
                            QDir(dir.path()).filePath(QStringLiteral("DB/Vanrek.lock"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("one")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("two")));
        const QString startedIn = QDir::currentPath();
        const auto back = qScopeGuard([&startedIn] { QDir::setCurrent(startedIn); });
        const EnvironmentValue variable("TMPDIR", QFile::encodeName(dir.filePath(QStringLiteral("no such folder"))));
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("one"))));
        SingleInstance first;
        QVERIFY(first.acquire(dir.path()));
        QCOMPARE(QFileInfo(first.lockPath()).absolutePath(), QStringLiteral("/tmp"));
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("two"))));
        SingleInstance second;
        const bool acquired = second.acquire(dir.path());
        QVERIFY(!acquired);
        QVERIFY(second.otherCopyRuns());
        // Only the DB folder's lock is told; the temporary folder chosen is not.
        QCOMPARE(first.failures().count(QStringLiteral("ロックファイル")), 1);
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
