// Grades one submission: runs it through keltosimu-run once for every tick the
// task checks and scores the expectations against the states it ends in.
#pragma once

#include "grade/expectation_check.h"
#include "grade/task_file.h"

#include <optional>
#include <string>
#include <vector>

namespace kelto::grade {

struct TGrade {
    std::string Submission; // the folder as given
    int64_t Points = 0;
    int64_t Total = 0;
    std::optional<std::string> Error;  // set: 0 points and no results
    std::vector<TCheckResult> Results; // one per expectation, in task order
    std::vector<std::string> Parts;    // the run's part captions, to word the checks
};

struct TGradeSetup {
    std::string Runner;          // absolute path of keltosimu-run
    std::string ScratchFolder;   // absolute; where the runs write their state files
    double TimeoutSeconds = 60;  // for all runs of one submission together
    uint64_t MemoryBytes = 0;    // each run's cap; 0: none
    bool (*Stopped)() = nullptr; // true once grading is interrupted
};

// Writes the actions of every run the task makes into the scratch folder,
// where each run reads them; the reason when it cannot.
std::optional<std::string> WriteActionFiles(const TTask& task, const std::string& scratchFolder);

// `number` tells this submission's scratch files from those of the others.
// Whatever goes wrong, even in the grader, ends up in the grade's error.
TGrade GradeSubmission(const TTask& task, const std::string& folder, const TGradeSetup& setup,
                       size_t number) noexcept;

int64_t TotalPoints(const TTask& task);

} // namespace kelto::grade
