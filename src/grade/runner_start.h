// How a grading runs keltosimu-run: as a child process on the desktop
// (runner_process.cpp), as a call in this process in the browser, which has
// no processes (src/web).
#pragma once

#include "grade/child_process.h"

namespace kelto::grade {

// Runs `runner` with `args` in `folder` to its end, the deadline or
// `stopped()`; its standard error comes back in the outcome.
TChildOutcome StartRunner(const std::string& runner, const std::vector<std::string>& args,
                          const std::string& folder, const TChildLimits& limits,
                          std::chrono::steady_clock::time_point deadline, bool (*stopped)());

} // namespace kelto::grade
