// Which keltosimu-run a grading starts, for the grader and the window's check.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelto::grade {

// $KELTOSIMU_RUN, else keltosimu-run in the first of `folders` that has it
// (an installed program's own folder first), else in the first folder.
std::string DefaultRunnerPath(const std::vector<std::filesystem::path>& folders);

} // namespace kelto::grade
