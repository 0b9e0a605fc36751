// The folder the runner was started from: voice clip files are looked up
// beside the program, as the window does.
#pragma once

#include <string>

namespace kelto::cli {

std::string ExecutableFolder();

} // namespace kelto::cli
