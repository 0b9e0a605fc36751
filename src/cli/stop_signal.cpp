#include "cli/stop_signal.h"

#include <csignal>

namespace kelto::cli {

namespace {

volatile std::sig_atomic_t gStopSignalled = 0;

void OnStopSignal(int)
{
    gStopSignalled = 1;
}

} // namespace

void CatchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarted system calls keep a write in progress whole; the handler
    // resets so a second signal ends a run that hangs on its output.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopSignalled()
{
    return gStopSignalled != 0;
}

} // namespace kelto::cli
