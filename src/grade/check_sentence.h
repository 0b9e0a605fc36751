// A check in words for a student and a teacher: what it wants and, when it
// failed, what the run showed ("常开按钮S1 按下后，发光二极管LED3 应该亮：实际不亮").
#pragma once

#include "grade/expectation_check.h"
#include "grade/task_file.h"

#include <string>
#include <vector>

namespace kelto::grade {

// `parts`: the run's part captions by index (PartCaptions), naming the parts
// the task gives by index.
std::string CheckSentence(const TTask& task, const TExpectation& expectation,
                          const std::vector<std::string>& parts);
// The sentence and what the run showed instead.
std::string FailureSentence(const TTask& task, const TExpectation& expectation, const TCheckResult& result,
                            const std::vector<std::string>& parts);

} // namespace kelto::grade
