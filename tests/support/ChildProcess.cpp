#include "ChildProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QThread>

#include <csignal>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const char kVariable[] = "VANREK_TEST_CHILD";
} // namespace

pid_t startTestChild(const QByteArray &value)
{
    QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    QByteArray test = QTest::currentTestFunction();
    if (const char *tag = QTest::currentDataTag(); tag && *tag)
        test += QByteArray(":") + tag;
    QByteArray variable = QByteArray(kVariable) + '=' + value;
    std::vector<char *> environment;
    for (char **entry = environ; *entry; ++entry)
        environment.push_back(*entry);
    environment.push_back(variable.data());
    environment.push_back(nullptr);
    // Without the test library's crash handler, which would catch the signals a child is sent.
    char noCrashHandler[] = "-nocrashhandler";
    char *arguments[] = {program.data(), noCrashHandler, test.data(), nullptr};
    // Between the fork and the new program only what is safe in a copy of a threaded process.
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        if (quiet >= 0)
            ::dup2(quiet, STDOUT_FILENO);
        // The system's own end by the signals a test sends, whatever ignored them for the test.
        for (const int signal : {SIGTERM, SIGHUP, SIGINT})
            ::signal(signal, SIG_DFL);
        ::execve(program.constData(), arguments, environment.data());
        ::_exit(127);
    }
    return pid;
}

QByteArray testChildValue()
{
    return qgetenv(kVariable);
}

QString childEnd(pid_t pid)
{
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited > 60000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return QStringLiteral("running");
        }
        QThread::msleep(10);
    }
    return WIFEXITED(status) ? QStringLiteral("exit %1").arg(WEXITSTATUS(status))
                             : QStringLiteral("signal %1").arg(WTERMSIG(status));
}
