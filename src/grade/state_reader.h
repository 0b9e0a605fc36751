// Reads the state a run wrote, keeping only what a task checks, so a huge
// circuit's state does not fill the grader's memory.
#pragma once

#include "grade/task_file.h"

#include <optional>
#include <string>

namespace kelto::grade {

// Nothing, or why the state cannot be used.
std::optional<std::string> ReadCheckedState(const std::string& path, const TTask& task, uintmax_t maxBytes,
                                            TJson& state);

} // namespace kelto::grade
