#include "RequiredTools.h"

#include <QProcess>
#include <QStandardPaths>

namespace
{

QStringList s_failures;

} // namespace

namespace RequiredTools
{

QString path(const QString &name)
{
    // The scheduler lives in sbin, which a user's PATH may leave out.
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty()
               ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
               : found;
}

QString missing(const QStringList &names)
{
    for (const QString &name : names)
        if (path(name).isEmpty())
            return name + QStringLiteral(" is not installed");
    return QString();
}

QByteArray output(const QString &name, const QStringList &arguments)
{
    const QString absent = missing({name});
    if (!absent.isEmpty()) {
        s_failures << absent;
        return QByteArray();
    }
    QProcess p;
    p.start(path(name), arguments);
    if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return p.readAllStandardOutput();
    // Qt's own words for a program that did not start, crashed or did not end in time.
    const QString status =
        p.error() == QProcess::UnknownError ? QStringLiteral("exit status %1").arg(p.exitCode()) : p.errorString();
    p.kill();
    s_failures
        << QStringLiteral("%1: %2: %3").arg(name, status, QString::fromLocal8Bit(p.readAllStandardError().trimmed()));
    return QByteArray();
}

QString takeFailures()
{
    const QString failures = s_failures.join(QLatin1Char('\n'));
    s_failures.clear();
    return failures;
}

} // namespace RequiredTools
