// What a student may see of a check of their work: the task, and each check
// that is not hidden as passed or failed, in words. The window's self-check
// and `keltosimu-grade --student` both show this.
#pragma once

#include "grade/grade_submission.h"

#include <string>

namespace kelto::grade {

// The title and the assignment, as the student view begins.
std::string TaskView(const TTask& task);
std::string StudentView(const TTask& task, const TGrade& grade);

} // namespace kelto::grade
