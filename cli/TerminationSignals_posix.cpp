#include "cli/TerminationSignals.h"

#include <pthread.h>
#include <signal.h>

#include <cstdlib>
#include <thread>

#include "jww/leftovers.h"

namespace {

sigset_t TerminationSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

}  // namespace

void RemoveLeftoversOnTermination()
{
    // The signals wait for one thread that takes them when it can: a handler that interrupts a
    // thread anywhere may not take locks or remove folders. Threads started later inherit the
    // blocking.
    const sigset_t signals = TerminationSignals();
    if (::pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0)
        return;
    std::thread([signals] {
        int received = 0;
        if (::sigwait(&signals, &received) != 0)
            return;
        RemoveLeftoversForGood();
        // Ended by the signal itself, so that a shell loop sees an interrupt as one.
        ::signal(received, SIG_DFL);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, received);
        ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
        ::raise(received);
        std::_Exit(128 + received);
    }).detach();
}
