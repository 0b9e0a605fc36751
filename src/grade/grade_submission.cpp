#include "grade/grade_submission.h"

#include "core/files/atomic_file.h"
#include "grade/child_process.h"
#include "grade/submission_files.h"

#include <cstring>
#include <filesystem>
#include <set>

namespace kelto::grade {

namespace {

constexpr size_t kMaxStateBytes = 256 * 1024 * 1024;

// The runner's first stderr line, without its name in front.
std::string RunnerMessage(const std::string& errors)
{
    const size_t start = errors.find_first_not_of("\r\n");
    std::string line =
        start == std::string::npos ? "" : errors.substr(start, errors.find('\n', start) - start);
    const std::string prefix = "keltosimu-run: ";
    if (line.compare(0, prefix.size(), prefix) == 0)
        line.erase(0, prefix.size());
    return line;
}

std::string SecondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

// Why a run gave no state, or nothing when it did.
std::optional<std::string> RunProblem(const TChildOutcome& outcome, const TGradeSetup& setup)
{
    using TEnd = TChildOutcome::TEnd;
    switch (outcome.End) {
    case TEnd::Exited:
        if (outcome.Status == 0)
            return std::nullopt;
        if (outcome.Status == 2 && !RunnerMessage(outcome.Errors).empty())
            return RunnerMessage(outcome.Errors);
        return "keltosimu-run ended with status " + std::to_string(outcome.Status) +
               (outcome.Errors.empty() ? "" : ": " + RunnerMessage(outcome.Errors));
    case TEnd::Signalled:
        return "keltosimu-run was killed by signal " + std::to_string(outcome.Status) + " (" +
               strsignal(outcome.Status) + ")";
    case TEnd::TimedOut: return "timed out after " + SecondsText(setup.TimeoutSeconds) + " s";
    case TEnd::Stopped: return "grading was interrupted";
    case TEnd::NotStarted: return "cannot start " + setup.Runner + ": " + std::strerror(outcome.Status);
    }
    return std::nullopt;
}

std::optional<std::string> ReadState(const std::string& path, TJson& state)
{
    std::string text;
    if (const TFileResult read = ReadWholeFile(path, text, kMaxStateBytes); !read.Ok)
        return "cannot read the run's state: " + read.Message;
    state = TJson::parse(text, nullptr, false);
    if (state.is_discarded())
        return "the run's state is not valid JSON";
    return std::nullopt;
}

} // namespace

int64_t TotalPoints(const TTask& task)
{
    int64_t total = 0;
    for (const TExpectation& expectation : task.Expectations)
        total += expectation.Points;
    return total;
}

TGrade GradeSubmission(const TTask& task, const std::string& folder, const TGradeSetup& setup, size_t number)
{
    TGrade grade;
    grade.Submission = folder;
    grade.Total = TotalPoints(task);
    std::string error;
    const auto files = FindSubmissionFiles(folder, error);
    if (!files) {
        grade.Error = error;
        return grade;
    }

    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(setup.TimeoutSeconds));
    const std::string statePath =
        (std::filesystem::path(setup.ScratchFolder) / ("state" + std::to_string(number) + ".json")).string();
    std::set<int64_t> ticks;
    for (const TExpectation& expectation : task.Expectations)
        ticks.insert(expectation.Tick);

    grade.Results.resize(task.Expectations.size());
    for (const int64_t tick : ticks) {
        std::vector<std::string> args = RunnerArguments(task, tick);
        args.insert(args.end(), {"--state", statePath, files->Circuit});
        if (files->Program)
            args.push_back(*files->Program);
        const TChildOutcome outcome = RunChild(setup.Runner, args, files->Folder, deadline, setup.Stopped);
        TJson state;
        std::optional<std::string> problem = RunProblem(outcome, setup);
        if (!problem)
            problem = ReadState(statePath, state);
        std::error_code ignored;
        std::filesystem::remove(statePath, ignored);
        if (problem) {
            grade.Error = *problem;
            grade.Results.clear();
            grade.Points = 0;
            return grade;
        }
        for (size_t i = 0; i < task.Expectations.size(); ++i)
            if (task.Expectations[i].Tick == tick)
                grade.Results[i] = CheckExpectation(task.Expectations[i], state);
    }
    for (size_t i = 0; i < task.Expectations.size(); ++i)
        if (grade.Results[i].Ok)
            grade.Points += task.Expectations[i].Points;
    return grade;
}

} // namespace kelto::grade
