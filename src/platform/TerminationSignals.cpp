#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <iterator>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// What the handler may touch: plain values, set before it is installed.
volatile sig_atomic_t s_writeEnd = -1;
volatile sig_atomic_t s_owner = 0;
// Whether the handler took each of kSignals: not one the program was started to ignore.
volatile sig_atomic_t s_taken[std::size(kSignals)] = {};

int s_readEnd = -1;
QPointer<QSocketNotifier> s_notifier;
TerminationSignals::Ending s_ending;
std::vector<const std::function<void()> *> s_cleanups;

void setAction(void (*handler)(int))
{
    struct sigaction action {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // No second of them runs into the handler; a save's reads and writes are resumed, not failed.
    for (const int signal : kSignals)
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        if (s_taken[i])
            ::sigaction(kSignals[i], &action, nullptr);
}

void runTrapped(const std::function<void()> &work)
{
    try {
        if (work)
            work();
    } catch (...) {
        // Each traps its own errors; the program ends all the same.
    }
}

// Only what is safe inside a signal handler.
void onSignal(int signal)
{
    const int saved = errno;
    // Those it took alone: one ignored stays so, also for the program a child runs.
    setAction(SIG_DFL);
    // A child started by the program, before it runs its own program, ends as if it had
    // no handler: its signal is not the program's end.
    if (::getpid() != s_owner) {
        ::raise(signal);
    } else {
        const unsigned char number = static_cast<unsigned char>(signal);
        [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &number, 1);
    }
    errno = saved;
}

void end()
{
    unsigned char number = 0;
    if (::read(s_readEnd, &number, 1) != 1)
        return;
    s_notifier->setEnabled(false);
    for (auto cleanup = s_cleanups.rbegin(); cleanup != s_cleanups.rend(); ++cleanup)
        runTrapped(**cleanup);
    runTrapped(s_ending);
    // No destructor and no exit handler runs: they would close the windows by the user's
    // path and save what the end drops.
    ::_exit(128 + number);
}

} // namespace

void TerminationSignals::install(Ending ending)
{
    s_ending = std::move(ending);
    if (s_owner == ::getpid() && s_notifier)
        return;
    // A process forked from one that had them installed makes its own pair: the one it
    // inherited is its parent's.
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0)
        return;
    delete s_notifier.data();
    const int oldRead = s_readEnd;
    const int oldWrite = s_writeEnd;
    s_readEnd = pair[0];
    s_writeEnd = pair[1];
    s_owner = ::getpid();
    if (oldRead >= 0) {
        ::close(oldRead);
        ::close(oldWrite);
    }
    s_notifier = new QSocketNotifier(s_readEnd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(s_notifier, &QSocketNotifier::activated, s_notifier, [] { end(); });
    // What the program was started with: read again in a forked process, it is the same.
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction current {
        };
        s_taken[i] = ::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler != SIG_IGN;
    }
    setAction(&onSignal);
}

TerminationSignals::Cleanup::Cleanup(std::function<void()> cleanup) : m_cleanup(std::move(cleanup))
{
    s_cleanups.push_back(&m_cleanup);
}

TerminationSignals::Cleanup::~Cleanup()
{
    std::erase(s_cleanups, &m_cleanup);
}
