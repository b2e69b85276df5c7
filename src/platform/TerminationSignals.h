#pragma once

#include <functional>

/// The end the system asks of the program: SIGTERM (a kill, the system's shutdown), SIGHUP
/// (its terminal closed) and SIGINT (Ctrl+C). The handler only writes the signal's number
/// to a socket pair; the end runs from the event loop when it reads the other end, so work
/// that processes no events on the way (a save, a registration, a PDF being written)
/// finishes first. The end runs the program's ending, which asks nothing and closes no
/// window, and exits with 128 + the signal's number. A second signal, once the first has
/// come, ends the program at once by the system's own action. A signal the program was
/// started to ignore (nohup, a script's background job) stays ignored, for the program and
/// for the programs it starts.
class TerminationSignals
{
public:
    using Ending = std::function<void()>;
    /// Installs the handlers, once per process; needs the application object. ending (none
    /// for nullptr) takes the place of the one given before; it must not throw.
    static void install(Ending ending);

    /// While it lives, its cleanup runs at the end by a signal, before the ending, the
    /// latest first: what work cut short there would leave (a file half written while a box
    /// waits for its answer) is removed. Made and destroyed on the event loop's thread.
    class Cleanup
    {
    public:
        explicit Cleanup(std::function<void()> cleanup);
        ~Cleanup();
        Cleanup(const Cleanup &) = delete;
        Cleanup &operator=(const Cleanup &) = delete;

    private:
        std::function<void()> m_cleanup;
    };
};
