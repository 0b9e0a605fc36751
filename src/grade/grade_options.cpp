#include "grade/grade_options.h"

#include "core/numbers/number_text.h"
#include "grade/grade_messages.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kelto::grade {

namespace {

bool ParseShard(const std::string& text, TGradeOptions& options)
{
    const size_t slash = text.find('/');
    return slash != std::string::npos && ReadNumber(text.substr(0, slash), options.Shard) &&
           ReadNumber(text.substr(slash + 1), options.ShardCount) && options.ShardCount >= 1 &&
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
    if (!ReadNumber(digits, number) || number > (uint64_t(1) << 40) >> shift)
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
        ok = ReadNumber(value, options.Jobs) && options.Jobs >= 1 && options.Jobs <= 1024;
        error = kJobsWanted;
    } else if (name == "--timeout") {
        ok = ReadNumber(value, options.TimeoutSeconds) && std::isfinite(options.TimeoutSeconds) &&
             options.TimeoutSeconds > 0 && options.TimeoutSeconds <= 86400;
        error = kTimeoutWanted;
    } else if (name == "--shard") {
        ok = ParseShard(value, options);
        error = kShardWanted;
    } else if (name == "--memory") {
        ok = ParseMemory(value, options.MemoryBytes);
        error = kMemoryWanted;
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
        error += NotValueMessage(value);
    return ok;
}

} // namespace

std::string GradeUsage()
{
    return "用法：keltosimu-grade [选项]... TASK.toml 作业文件夹...\n"
           "      keltosimu-grade --student TASK.toml 作业文件夹";
}

std::string GradeHelp()
{
    return GradeUsage() +
           "\n按 TASK.toml 中的检查为每个作业文件夹（一个 .dps 电路文件，最多一个 .txt 程序文件）评分，\n"
           "每份作业由 keltosimu-run 单独运行，最后打印成绩表。\n\n"
           "选项：\n"
           "  --jobs N            同时评 N 份作业（默认：每个处理器核心一份）\n"
           "  --timeout 秒数      一份作业超过这么长时间就放弃（默认 60）\n"
           "  --memory 大小       每次运行可用的内存，如 512M 或 2G（默认 1G；0：不限）\n"
           "  --report 文件       把结果写成 JSON\n"
           "  --csv 文件          把结果写成 CSV\n"
           "  --gradebook 文件    每份作业一行（文件夹名和得分），供教学管理系统导入成绩\n"
           "                      （文件写 - 表示标准输出，代替成绩表）\n"
           "  --shard K/N         只评按名称排序后从第 K 份起每隔 N 份的作业\n"
           "  --runner 路径       使用的 keltosimu-run（默认：$KELTOSIMU_RUN，否则为\n"
           "                      keltosimu-grade 旁边的那个）\n"
           "  --student           按学生看到的样子显示一份作业的检查：任务、每项不隐藏的\n"
           "                      检查通过与否，不显示分数\n"
           "  --version           显示版本\n"
           "  --help, -h          显示本说明\n\n"
           "退出状态：每份作业都评完为 0（不论得分）；有报告无法写出为 1；\n"
           "任务文件或选项有误为 2；被中断为 130。\n";
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
            error = UnknownOptionMessage(arg);
            return std::nullopt;
        } else if (i + 1 >= args.size()) {
            error = OptionNeedsValueMessage(arg);
            return std::nullopt;
        } else if (!ApplyOption(arg, args[++i], options, error)) {
            return std::nullopt;
        }
    }
    if (positional.size() < 2) {
        error = positional.empty() ? kNoTaskFile : kNoSubmission;
        return std::nullopt;
    }
    if (options.Student && (positional.size() != 2 || options.ReportPath || options.CsvPath ||
                            options.GradebookPath || options.Shard != 1 || options.ShardCount != 1)) {
        error = kStudentAlone;
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
