#include "TerminationSignals.h"

#include "ChildProcess.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

// The end the system asks for: run from the event loop, with 128 + the signal's number;
// a second signal ends the program at once.
class tst_TerminationSignals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsFromTheEventLoop_data()
    {
        QTest::addColumn<QList<int>>("ignored");
        QTest::addColumn<QList<int>>("sent");
        QTest::addColumn<bool>("toChild");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("endingRan");
        const QList<int> none;
        QTest::newRow("SIGTERM (a kill, the system's shutdown)")
            << none << QList<int>{SIGTERM} << false << "exit 143" << true;
        QTest::newRow("SIGHUP (the terminal closed)") << none << QList<int>{SIGHUP} << false << "exit 129" << true;
        QTest::newRow("SIGINT (Ctrl+C)") << none << QList<int>{SIGINT} << false << "exit 130" << true;
        QTest::newRow("a second one before the event loop ran")
            << none << QList<int>{SIGTERM, SIGINT} << false << "signal 2" << false;
        QTest::newRow("SIGHUP and SIGINT ignored at the start (nohup, a script's background job)")
            << QList<int>{SIGHUP, SIGINT} << QList<int>{SIGHUP, SIGINT, SIGTERM} << false << "exit 143" << true;
        QTest::newRow("a child before it runs its own program, SIGHUP ignored at the start")
            << QList<int>{SIGHUP} << QList<int>{SIGHUP, SIGTERM} << true << "exit 143" << false;
    }

    void endsFromTheEventLoop()
    {
        QFETCH(QList<int>, ignored);
        QFETCH(QList<int>, sent);
        QFETCH(bool, toChild);
        QFETCH(QString, end);
        QFETCH(bool, endingRan);
        if (const QString ended = QFile::decodeName(testChildValue()); !ended.isEmpty()) {
            for (const int signal : ignored)
                ::signal(signal, SIG_IGN);
            TerminationSignals::install([ended] { writeFileBytes(ended, "ended"); });
            // The program, its events processed, exits with its child's end: 128 + the signal.
            if (const pid_t child = toChild ? ::fork() : 0; child > 0) {
                int status = 0;
                ::waitpid(child, &status, 0);
                QCoreApplication::processEvents();
                ::_exit(WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 93);
            }
            for (const int signal : sent)
                ::raise(signal);
            if (toChild)
                ::_exit(92);
            // Not in the handler: only once the event loop runs.
            if (QFile::exists(ended))
                ::_exit(90);
            QCoreApplication::exec();
            ::_exit(91);
        }
        QTemporaryDir dir;
        const QString ended = dir.filePath(QStringLiteral("ended"));
        const pid_t child = startTestChild(QFile::encodeName(ended));
        QVERIFY(child > 0);
        QCOMPARE(childEnd(child), end);
        QCOMPARE(QFile::exists(ended), endingRan);
    }
};

QTEST_GUILESS_MAIN(tst_TerminationSignals)
#include "tst_TerminationSignals.moc"
