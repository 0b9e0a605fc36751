// keltosimu-run --check PROGRAM.txt: the lines Run would not execute and
// the lines that run but likely not as meant, one "N: reason" line each, as
// the program editor marks them.
#pragma once

#include <ostream>
#include <string>

namespace kelto::cli {

// 0 when nothing is marked, 1 when something is, 2 when the file cannot be read.
int CheckProgramFile(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace kelto::cli
