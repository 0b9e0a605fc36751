// keltosimu-run: loads a circuit, performs scripted user actions, runs ticks
// and reports the final state; the teacher's batch checker and our e2e
// harness. As a call, the page's self-check runs it without a process.
#pragma once

#include <string>
#include <vector>

namespace kelto::cli {

// The arguments after the program's name; the exit status.
int RunnerMain(const std::vector<std::string>& args);

} // namespace kelto::cli
