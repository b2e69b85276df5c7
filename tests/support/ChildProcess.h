#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

/// Starts this test program again, as a program of its own rather than a copy of this
/// process (a copy would lack the threads Qt started here, and wait on them for ever), to
/// run the current test function with its data row only; value reaches it through
/// testChildValue(). Its test log is not shown. The process id, or -1.
pid_t startTestChild(const QByteArray &value);
/// In a process startTestChild started, the value it was given; empty in the test itself.
QByteArray testChildValue();
/// How the child process pid ended: "exit n" or "signal n". A child still running after a
/// minute, far longer than any test's child needs, is killed and gives "running".
QString childEnd(pid_t pid);
