// The --actions file: scheduled actions one a line, for more of them than a
// command line can hold.
#pragma once

#include "cli/run_options.h"

#include <optional>
#include <string>
#include <vector>

namespace kelto::cli {

// Appends the file's actions; blank lines are skipped. Nothing, or why the
// file cannot be used, naming it and the line.
std::optional<std::string> ReadActionsFile(const std::string& path, std::vector<TScheduledAction>& actions);

} // namespace kelto::cli
