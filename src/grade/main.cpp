// keltosimu-grade: grades a class's circuits and programs against a task file,
// each submission in its own keltosimu-run so none can bring the others down.
#include "cli/stop_signal.h"
#include "core/files/atomic_file.h"
#include "grade/grade_messages.h"
#include "grade/grade_options.h"
#include "grade/grade_output.h"
#include "grade/progress_bar.h"
#include "grade/runner_path.h"
#include "grade/scratch_folder.h"
#include "grade/student_view.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace kelto::grade {

namespace {

namespace fs = std::filesystem;

constexpr int kBadInput = 2;

int Fail(const std::string& message)
{
    std::cerr << "keltosimu-grade: " << message << '\n';
    return kBadInput;
}

std::string RunnerPath(const TGradeOptions& options)
{
    if (options.RunnerPath)
        return *options.RunnerPath;
    std::error_code error;
    return DefaultRunnerPath({fs::read_symlink("/proc/self/exe", error).parent_path()});
}

// Runs start in the submission's folder.
std::string Absolute(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.string();
}

// Refused before any grading, as the runner refuses its outputs before a run,
// so a typo does not cost a whole batch's results.
std::optional<std::string> OutputProblem(const TGradeOptions& options)
{
    const std::optional<std::string> outputs[] = {options.ReportPath, options.CsvPath, options.GradebookPath};
    if (std::count(std::begin(outputs), std::end(outputs), "-") > 1)
        return kOneStandardOutput;
    for (const std::optional<std::string>& path : outputs)
        if (path && *path != "-")
            if (const TFileResult checked = TFileWriter::CheckTarget(*path); !checked.Ok)
                return CannotWriteMessage(*path, checked.Message);
    return std::nullopt;
}

std::optional<std::string> RunnerProblem(const std::string& runner)
{
    std::error_code error;
    if (!fs::is_regular_file(runner, error))
        return CannotRunMessage(runner, kNotAProgramFile);
    if (::access(runner.c_str(), X_OK) != 0)
        return CannotRunMessage(runner, std::strerror(errno));
    return std::nullopt;
}

std::vector<TGrade> GradeAll(const TTask& task, const std::vector<std::string>& submissions,
                             const TGradeSetup& setup, int64_t jobs)
{
    std::vector<TGrade> grades(submissions.size());
    TProgressBar bar(submissions.size(), ::isatty(STDERR_FILENO) != 0);
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t i = next++; i < submissions.size() && !setup.Stopped(); i = next++) {
            grades[i] = GradeSubmission(task, submissions[i], setup, i);
            bar.Advance();
        }
    };
    const size_t threadCount = std::min<size_t>(submissions.size(), static_cast<size_t>(jobs));
    std::vector<std::thread> workers;
    for (size_t i = 0; i < threadCount; ++i)
        workers.emplace_back(work);
    for (std::thread& worker : workers)
        worker.join();
    bar.Hide();
    return grades;
}

bool WriteOutput(const std::optional<std::string>& path, const std::string& text)
{
    if (!path)
        return true;
    if (*path == "-") {
        std::cout << text << std::flush;
        return true;
    }
    const TFileResult written = WriteFileAtomically(*path, text);
    if (!written.Ok)
        std::cerr << "keltosimu-grade: " << CannotWriteMessage(*path, written.Message) << '\n';
    return written.Ok;
}

// Everything every run needs, or the reason grading cannot start.
std::optional<std::string> PrepareRuns(const TGradeOptions& options, const TTask& task,
                                       const std::string& scratch, TGradeSetup& setup)
{
    setup.Runner = Absolute(RunnerPath(options));
    if (const std::optional<std::string> problem = RunnerProblem(setup.Runner))
        return *problem + kOtherRunner;
    if (const std::optional<std::string> problem = OutputProblem(options))
        return problem;
    setup.ScratchFolder = scratch;
    if (const std::optional<std::string> problem = WriteActionFiles(task, scratch))
        return problem;
    setup.TimeoutSeconds = options.TimeoutSeconds;
    setup.MemoryBytes = options.MemoryBytes;
    setup.Stopped = cli::StopSignalled;
    cli::CatchStopSignals();
    return std::nullopt;
}

int Grade(const TGradeOptions& options)
{
    std::string error;
    const auto task = ReadTaskFile(options.TaskPath, error);
    if (!task)
        return Fail(error);
    const std::optional<TScratchFolder> scratch = TScratchFolder::Make(error);
    if (!scratch)
        return Fail(error);
    TGradeSetup setup;
    if (const std::optional<std::string> problem = PrepareRuns(options, *task, scratch->Path(), setup))
        return Fail(*problem);

    const std::vector<std::string> submissions =
        options.Student ? options.Submissions
                        : ShardSubmissions(options.Submissions, options.Shard, options.ShardCount);
    const int64_t jobs = options.Jobs > 0 ? options.Jobs : std::max(1u, std::thread::hardware_concurrency());
    const std::vector<TGrade> grades = GradeAll(*task, submissions, setup, jobs);
    if (cli::StopSignalled()) {
        std::cerr << "keltosimu-grade: " << kInterrupted << '\n';
        return cli::kInterruptedStatus;
    }
    if (options.Student) {
        std::cout << StudentView(*task, grades.front()) << std::flush;
        return 0;
    }

    if (options.ReportPath != "-" && options.CsvPath != "-" && options.GradebookPath != "-")
        std::cout << GradeTable(*task, grades) << std::flush;
    const bool reportWritten = WriteOutput(options.ReportPath, GradeReportJson(grades));
    const bool csvWritten = WriteOutput(options.CsvPath, GradeCsv(*task, grades));
    const bool gradebookWritten = WriteOutput(options.GradebookPath, Gradebook(grades));
    return reportWritten && csvWritten && gradebookWritten ? 0 : 1;
}

} // namespace

} // namespace kelto::grade

int main(int argc, char** argv)
{
    std::string error;
    const auto options = kelto::grade::ParseGradeOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "keltosimu-grade: " << error << '\n' << kelto::grade::GradeUsage() << '\n';
        return 2;
    }
    if (options->Help) {
        std::cout << kelto::grade::GradeHelp();
        return 0;
    }
    if (options->Version) {
        std::cout << "keltosimu-grade " KELTO_VERSION "\n";
        return 0;
    }
    return kelto::grade::Grade(*options);
}
