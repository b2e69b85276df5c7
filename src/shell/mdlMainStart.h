#pragma once

#include <functional>

class QWidget;
class fSplash;

// Start-up sits above the forms: it opens the property list, and the forms reach the
// module settings through mdlMain.h, which knows nothing of them.

/// How start-up ended.
enum class StartResult { Started, AlreadyRunning, NoLock, NoDatabase };

/// Start-up: the end on a signal from the system (TerminationSignals: the connection
/// closed, the lock given back), single instance, what a cut save of the settings left,
/// splash, connection, compaction, settings, year filter, property list. waitSeconds is
/// the pause after each splash message (one second in the program, zero in tests and the
/// benchmark).
StartResult Main(double waitSeconds = 1.0);
/// The property list opened by Main, or null.
QWidget *MainWindow();
/// Releases what Main holds (the list window and the instance lock); for tests and the benchmark.
void EndMain();
/// Who is told each time the start-up puts a step's message on the splash, with the splash
/// as it is then (a test keeps the messages in order); the program installs none.
void setSplashRecorder(std::function<void(const fSplash &splash)> recorder);
