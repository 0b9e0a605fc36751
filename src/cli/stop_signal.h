// Ctrl+C (SIGINT) and SIGTERM during a run: the run stops after the current
// tick and still writes its outputs; a second signal ends it at once.
#pragma once

namespace kelto::cli {

constexpr int kInterruptedStatus = 130;

void CatchStopSignals();
bool StopSignalled();

} // namespace kelto::cli
