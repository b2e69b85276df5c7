#include "TerminationSignals.h"

#include "ChildProcess.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <unistd.h>

// The end the system asks for: run from the event loop, with 128 + the signal's number;
// a second signal ends the program at once.
class tst_TerminationSignals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsFromTheEventLoop_data()
    {
        QTest::addColumn<QList<int>>("sent");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("endingRan");
        QTest::newRow("SIGTERM (a kill, the system's shutdown)") << QList<int>{SIGTERM} << "exit 143" << true;
        QTest::newRow("SIGHUP (the terminal closed)") << QList<int>{SIGHUP} << "exit 129" << true;
        QTest::newRow("SIGINT (Ctrl+C)") << QList<int>{SIGINT} << "exit 130" << true;
        QTest::newRow("a second one before the event loop ran") << QList<int>{SIGTERM, SIGINT} << "signal 2" << false;
    }

    void endsFromTheEventLoop()
    {
        QFETCH(QList<int>, sent);
        QFETCH(QString, end);
        QFETCH(bool, endingRan);
        if (const QString ended = QFile::decodeName(testChildValue()); !ended.isEmpty()) {
            TerminationSignals::install([ended] { writeFileBytes(ended, "ended"); });
            for (const int signal : sent)
                ::raise(signal);
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
