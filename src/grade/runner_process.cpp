#include "grade/runner_start.h"

namespace kelto::grade {

TChildOutcome StartRunner(const std::string& runner, const std::vector<std::string>& args,
                          const std::string& folder, const TChildLimits& limits,
                          std::chrono::steady_clock::time_point deadline, bool (*stopped)())
{
    return RunChild(runner, args, folder, limits, deadline, stopped);
}

} // namespace kelto::grade
