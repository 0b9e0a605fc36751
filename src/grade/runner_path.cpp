#include "grade/runner_path.h"

#include <cstdlib>
#include <unistd.h>

namespace kelto::grade {

std::string DefaultRunnerPath(const std::vector<std::filesystem::path>& folders)
{
    if (const char* fromEnvironment = std::getenv("KELTOSIMU_RUN"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    for (const std::filesystem::path& folder : folders)
        if (const std::string runner = (folder / "keltosimu-run").string(); ::access(runner.c_str(), X_OK) == 0)
            return runner;
    return folders.empty() ? "keltosimu-run" : (folders.front() / "keltosimu-run").string();
}

} // namespace kelto::grade
