#include "ChildProcess.h"

#include <QThread>

#include <csignal>

#include <sys/wait.h>

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
