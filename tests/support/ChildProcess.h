#pragma once

#include <QString>

#include <sys/types.h>

/// How the forked child pid ended: "exit n" or "signal n". A child still running after a
/// minute, far longer than any test's child needs, is killed and gives "running".
QString childEnd(pid_t pid);
