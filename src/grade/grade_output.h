// What grading a class produces: the table a teacher reads, the JSON report,
// the CSV sheet and the gradebook.
#pragma once

#include "grade/grade_submission.h"

#include <string>
#include <vector>

namespace kelto::grade {

// One line per submission: folder, points / total, first failed expectation or error.
std::string GradeTable(const TTask& task, const std::vector<TGrade>& grades);
// Expectations are numbered from 1, as they stand in the task file.
std::string GradeReportJson(const std::vector<TGrade>& grades);
// With a byte order mark, so spreadsheet programs read the names as UTF-8.
std::string GradeCsv(const TTask& task, const std::vector<TGrade>& grades);
// Folder name and points, one row per submission, with a header row: the shape
// learning-management systems import. UTF-8 without a byte order mark.
std::string Gradebook(const std::vector<TGrade>& grades);

// The first failed expectation or the error, in a few words; empty when all passed.
std::string FirstFailure(const TTask& task, const TGrade& grade);

} // namespace kelto::grade
