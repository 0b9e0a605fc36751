#include "grade/self_check.h"

#include "core/files/atomic_file.h"
#include "grade/grade_messages.h"
#include "grade/grade_options.h"
#include "grade/grade_submission.h"
#include "grade/scratch_folder.h"
#include "grade/student_view.h"

#include <filesystem>

namespace kelto::grade {

namespace {

namespace fs = std::filesystem;

// What the student sees when the work could not even be handed to the grader.
TGrade Unchecked(std::string error)
{
    TGrade grade;
    grade.Error = std::move(error);
    return grade;
}

std::optional<std::string> WriteOne(const fs::path& path, const std::string& bytes)
{
    if (const TFileResult written = WriteFileAtomically(path.string(), bytes); !written.Ok)
        return CannotWriteMessage(path.string(), written.Message);
    return std::nullopt;
}

// Writes the work as a submission folder, as a student would hand it in; the
// reason when it cannot.
std::optional<std::string> WriteSubmission(const TWorkInProgress& work, const fs::path& folder)
{
    std::error_code error;
    if (!fs::create_directory(folder, error))
        return CannotMakeFolderMessage(error.message());
    if (auto problem = WriteOne(folder / "circuit.dps", work.Circuit))
        return problem;
    if (work.Program)
        return WriteOne(folder / "program.txt", *work.Program);
    return std::nullopt;
}

} // namespace

std::string SelfCheck(const TTask& task, const TWorkInProgress& work, const std::string& runner,
                      bool (*stopped)())
{
    std::string error;
    const std::optional<TScratchFolder> scratch = TScratchFolder::Make(error);
    if (!scratch)
        return StudentView(task, Unchecked(error));
    const fs::path submission = fs::path(scratch->Path()) / "work";
    if (auto problem = WriteSubmission(work, submission))
        return StudentView(task, Unchecked(*problem));
    if (auto problem = WriteActionFiles(task, scratch->Path()))
        return StudentView(task, Unchecked(*problem));
    const TGradeOptions defaults;
    const TGradeSetup setup{runner, scratch->Path(), defaults.TimeoutSeconds, defaults.MemoryBytes, stopped};
    return StudentView(task, GradeSubmission(task, submission.string(), setup, 0));
}

} // namespace kelto::grade
