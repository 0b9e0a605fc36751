#include "grade/grade_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace kelto::grade {

namespace {

template <typename T> bool ParseNumber(const std::string& text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseShard(const std::string& text, TGradeOptions& options)
{
    const size_t slash = text.find('/');
    return slash != std::string::npos && ParseNumber(text.substr(0, slash), options.Shard) &&
           ParseNumber(text.substr(slash + 1), options.ShardCount) && options.ShardCount >= 1 &&
           options.Shard >= 1 && options.Shard <= options.ShardCount;
}

// "512M", "2G", "0" (no cap); K, M and G are powers of 1024.
bool ParseMemory(const std::string& text, uint64_t& bytes)
{
    static constexpr std::pair<char, int> kUnits[] = {{'K', 10}, {'M', 20}, {'G', 30}};
    int shift = 0;
    std::string digits = text;
    for (const auto& [unit, unitShift] : kUnits)
        if (!digits.empty() && std::toupper(static_cast<unsigned char>(digits.back())) == unit) {
            shift = unitShift;
            digits.pop_back();
            break;
        }
    uint64_t number = 0;
    if (!ParseNumber(digits, number) || number > (uint64_t(1) << 40) >> shift)
        return false;
    bytes = number << shift;
    return true;
}

// Applies option `name` with `value`; the message says what it wants when it refuses.
bool ApplyOption(const std::string& name, const std::string& value, TGradeOptions& options,
                 std::string& error)
{
    bool ok = true;
    if (name == "--jobs") {
        ok = ParseNumber(value, options.Jobs) && options.Jobs >= 1 && options.Jobs <= 1024;
        error = "--jobs wants a whole number from 1 to 1024";
    } else if (name == "--timeout") {
        ok = ParseNumber(value, options.TimeoutSeconds) && std::isfinite(options.TimeoutSeconds) &&
             options.TimeoutSeconds > 0 && options.TimeoutSeconds <= 86400;
        error = "--timeout wants seconds, more than 0 and at most 86400";
    } else if (name == "--shard") {
        ok = ParseShard(value, options);
        error = "--shard wants K/N with 1 <= K <= N, for example 2/4";
    } else if (name == "--memory") {
        ok = ParseMemory(value, options.MemoryBytes);
        error = "--memory wants a size such as 512M or 2G (0: no cap)";
    } else if (name == "--gradebook") {
        options.GradebookPath = value;
    } else if (name == "--report") {
        options.ReportPath = value;
    } else if (name == "--csv") {
        options.CsvPath = value;
    } else if (name == "--runner") {
        options.RunnerPath = value;
    }
    if (!ok)
        error += ", not '" + value + "'";
    return ok;
}

} // namespace

std::string GradeUsage()
{
    return "usage: keltosimu-grade [OPTION]... TASK.toml SUBMISSION...\n"
           "       keltosimu-grade --student TASK.toml SUBMISSION";
}

std::string GradeHelp()
{
    return GradeUsage() +
           "\nGrades every SUBMISSION folder (one .dps circuit, at most one .txt program) against the\n"
           "expectations of TASK.toml, running each through keltosimu-run, and prints a table.\n\n"
           "Options:\n"
           "  --jobs N            grade N submissions at a time (default: one per processor core)\n"
           "  --timeout SECONDS   give up on a submission after this long (default 60)\n"
           "  --memory SIZE       memory each run may take, such as 512M or 2G (default 1G; 0: no cap)\n"
           "  --report FILE       write the results as JSON\n"
           "  --csv FILE          write the results as CSV\n"
           "  --gradebook FILE    write one row per submission, folder name and points, for\n"
           "                      a learning-management system's grade import\n"
           "                      (FILE - is standard output, in place of the table)\n"
           "  --shard K/N         grade only every N-th submission from the K-th (sorted by name)\n"
           "  --runner PATH       the keltosimu-run to use (default: $KELTOSIMU_RUN, else the one\n"
           "                      beside keltosimu-grade)\n"
           "  --student           show one SUBMISSION's checks as its student sees them: the task,\n"
           "                      each check that is not hidden passed or failed, no points\n"
           "  --version           show the version\n"
           "  --help, -h          show this text\n\n"
           "Exit status: 0 when every submission was graded, whatever its points; 1 when a report\n"
           "could not be written; 2 for a bad task file or option; 130 when interrupted.\n";
}

std::optional<TGradeOptions> ParseGradeOptions(const std::vector<std::string>& args, std::string& error)
{
    static const std::vector<std::string> kWithValue = {"--jobs",   "--timeout", "--memory",    "--shard",
                                                        "--report", "--csv",     "--gradebook", "--runner"};
    TGradeOptions options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h" || arg == "--version") {
            (arg == "--version" ? options.Version : options.Help) = true;
            return options;
        } else if (arg == "--student") {
            options.Student = true;
        } else if (std::find(kWithValue.begin(), kWithValue.end(), arg) == kWithValue.end()) {
            error = "unknown option " + arg + " (--help lists them)";
            return std::nullopt;
        } else if (i + 1 >= args.size()) {
            error = "option " + arg + " needs a value";
            return std::nullopt;
        } else if (!ApplyOption(arg, args[++i], options, error)) {
            return std::nullopt;
        }
    }
    if (positional.size() < 2) {
        error = positional.empty() ? "no task file given" : "no submission folder given";
        return std::nullopt;
    }
    if (options.Student && (positional.size() != 2 || options.ReportPath || options.CsvPath ||
                            options.GradebookPath || options.Shard != 1 || options.ShardCount != 1)) {
        error = "--student checks one submission folder and writes no report";
        return std::nullopt;
    }
    error.clear();
    options.TaskPath = positional[0];
    options.Submissions.assign(positional.begin() + 1, positional.end());
    return options;
}

std::vector<std::string> ShardSubmissions(std::vector<std::string> submissions, int64_t shard, int64_t count)
{
    std::sort(submissions.begin(), submissions.end());
    std::vector<std::string> chosen;
    for (size_t i = static_cast<size_t>(shard - 1); i < submissions.size(); i += static_cast<size_t>(count))
        chosen.push_back(submissions[i]);
    return chosen;
}

} // namespace kelto::grade
