#include "grade/grade_submission.h"

#include "core/files/atomic_file.h"
#include "grade/grade_messages.h"
#include "grade/runner_start.h"
#include "grade/state_reader.h"
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

// A warning a run that went through gave, such as a program file in the wrong
// encoding: the likely reason its checks fail, so the teacher must see it.
std::optional<std::string> RunnerWarning(const std::string& errors)
{
    const std::string marker = "keltosimu-run: warning: ";
    const size_t start = errors.find(marker);
    if (start == std::string::npos)
        return std::nullopt;
    const size_t from = start + marker.size();
    return errors.substr(from, errors.find('\n', from) - from);
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
        return EndedWithStatusMessage(outcome.Status) +
               (outcome.Errors.empty() ? "" : kColon + RunnerMessage(outcome.Errors));
    case TEnd::Signalled:
        if (RanOutOfMemory(outcome))
            return kMemoryExceeded;
        return KilledMessage(outcome.Status, strsignal(outcome.Status));
    case TEnd::TimedOut: return TimedOutMessage(SecondsText(setup.TimeoutSeconds));
    case TEnd::Stopped: return kGradingInterrupted;
    case TEnd::NotStarted: return CannotStartMessage(setup.Runner, std::strerror(outcome.Status));
    }
    return std::nullopt;
}

std::string ActionsPath(const std::string& scratchFolder, int64_t tick)
{
    return (std::filesystem::path(scratchFolder) / ("actions" + std::to_string(tick) + ".txt")).string();
}

std::set<int64_t> CheckedTicks(const TTask& task)
{
    std::set<int64_t> ticks;
    for (const TExpectation& expectation : task.Expectations)
        ticks.insert(expectation.Tick);
    return ticks;
}

TGrade Failed(TGrade grade, const std::string& error)
{
    grade.Error = error;
    grade.Results.clear();
    grade.Points = 0;
    return grade;
}

TGrade Grade(const TTask& task, const std::string& folder, const TGradeSetup& setup, size_t number)
{
    TGrade grade;
    grade.Submission = folder;
    grade.Total = TotalPoints(task);
    std::string error;
    const auto files = FindSubmissionFiles(folder, error);
    if (!files)
        return Failed(std::move(grade), error);

    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(setup.TimeoutSeconds));
    const std::string statePath =
        (std::filesystem::path(setup.ScratchFolder) / ("state" + std::to_string(number) + ".json")).string();
    grade.Results.resize(task.Expectations.size());
    for (const int64_t tick : CheckedTicks(task)) {
        std::vector<std::string> args = RunnerArguments(task, tick);
        args.insert(args.end(), {"--actions", ActionsPath(setup.ScratchFolder, tick), "--state", statePath,
                                 files->Circuit});
        if (files->Program)
            args.push_back(*files->Program);
        const TChildOutcome outcome = StartRunner(
            setup.Runner, args, files->Folder, {setup.MemoryBytes, kMaxStateBytes}, deadline, setup.Stopped);
        TJson state;
        std::optional<std::string> problem = RunProblem(outcome, setup);
        if (!problem)
            problem = RunnerWarning(outcome.Errors);
        if (!problem)
            problem = ReadCheckedState(statePath, task, kMaxStateBytes, state);
        std::error_code ignored;
        std::filesystem::remove(statePath, ignored);
        if (problem)
            return Failed(std::move(grade), *problem);
        grade.Parts = PartCaptions(state);
        for (size_t i = 0; i < task.Expectations.size(); ++i)
            if (task.Expectations[i].Tick == tick)
                grade.Results[i] = CheckExpectation(task.Expectations[i], state);
    }
    for (size_t i = 0; i < task.Expectations.size(); ++i)
        if (grade.Results[i].Ok)
            grade.Points += task.Expectations[i].Points;
    return grade;
}

} // namespace

int64_t TotalPoints(const TTask& task)
{
    int64_t total = 0;
    for (const TExpectation& expectation : task.Expectations)
        total += expectation.Points;
    return total;
}

std::optional<std::string> WriteActionFiles(const TTask& task, const std::string& scratchFolder)
{
    for (const int64_t tick : CheckedTicks(task)) {
        const std::string path = ActionsPath(scratchFolder, tick);
        if (const TFileResult written = WriteFileAtomically(path, RunnerActions(task, tick)); !written.Ok)
            return CannotWriteMessage(path, written.Message);
    }
    return std::nullopt;
}

TGrade GradeSubmission(const TTask& task, const std::string& folder, const TGradeSetup& setup,
                       size_t number) noexcept
{
    TGrade grade;
    grade.Submission = folder;
    grade.Total = TotalPoints(task);
    try {
        return Grade(task, folder, setup, number);
    } catch (const std::bad_alloc&) {
        return Failed(std::move(grade), GraderFailedMessage(kGraderOutOfMemory));
    } catch (const std::exception& error) {
        return Failed(std::move(grade), GraderFailedMessage(error.what()));
    }
}

} // namespace kelto::grade
