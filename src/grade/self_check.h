// A student's check of the circuit and program they have open against a task,
// graded exactly as if handed in (the same runs, the same checks), worded as
// the student view.
#pragma once

#include "grade/task_file.h"

#include <optional>
#include <string>

namespace kelto::grade {

struct TWorkInProgress {
    std::string Circuit;                // the circuit file's bytes
    std::optional<std::string> Program; // the program file's bytes; none: no program
};

// `runner` is keltosimu-run's path; `stopped` ends the check early when it
// turns true (the window closing).
std::string SelfCheck(const TTask& task, const TWorkInProgress& work, const std::string& runner,
                      bool (*stopped)());

} // namespace kelto::grade
