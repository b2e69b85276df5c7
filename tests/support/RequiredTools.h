#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// The programs the tests run (poppler's PDF readers, the CUPS scheduler and its admin
/// tools). `make test` installs them, so a missing or failing one is a fault of the set-up:
/// the tests that need it fail with the program's name, the others run.
namespace RequiredTools
{

/// The program's path, searched in PATH and then in the system's own program folders; empty
/// when it is not installed.
QString path(const QString &name);
/// "cupsd is not installed" for the first of the programs that is missing; empty when all are there.
QString missing(const QStringList &names);
/// Runs the program to its end and gives what it wrote to its standard output. A run that
/// cannot start, fails or does not end within 30 s is kept for takeFailures().
QByteArray output(const QString &name, const QStringList &arguments);
/// The runs that failed since the last call, one line each with the program's name, its exit
/// status and what it wrote to its error output; emptied by the call.
QString takeFailures();

} // namespace RequiredTools

/// In a test class's cleanup(): a test one of whose programs failed fails, whatever it checked
/// of their output.
#define VERIFY_TOOLS_RAN()                                                                                             \
    do {                                                                                                               \
        const QString toolFailures = RequiredTools::takeFailures();                                                    \
        QVERIFY2(toolFailures.isEmpty(), qPrintable(toolFailures));                                                    \
    } while (false)
