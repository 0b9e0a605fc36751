// keltosimu-grade run as a teacher runs it, on a small class in tests/data/grade.
#include "grade/self_check.h"
#include "run_cli.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace kelto::grade {
namespace {

using kelto::testing::ReadFileText;
using kelto::testing::RunCli;
using kelto::testing::ScratchDir;
using nlohmann::json;
namespace fs = std::filesystem;

const fs::path kData = KELTO_GRADE_DATA_DIR;

std::vector<std::string> ClassFolders()
{
    std::vector<std::string> folders;
    for (const char* name : {"wrong", "right", "two_circuits", "missing_program", "broken"})
        folders.push_back((kData / "class" / name).string());
    return folders;
}

std::vector<std::string> Args(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

fs::path WriteTask(const fs::path& dir, const std::string& text)
{
    const fs::path path = dir / "task.toml";
    std::ofstream(path) << text;
    return path;
}

TEST(GradeClass, ReportHoldsEverySubmissionFieldByField)
{
    const fs::path dir = ScratchDir("grade_report");
    const auto result = RunCli(Args({(kData / "task.toml").string(), "--jobs", "3", "--report",
                                     (dir / "report.json").string(), "--csv", (dir / "marks.csv").string()},
                                    ClassFolders()));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json report = json::parse(ReadFileText(dir / "report.json"));

    const struct {
        const char* Folder;
        int Points;
        const char* Error; // a part of the error text, or null
        std::vector<bool> Ok;
    } expected[] = {
        // In name order, whatever order they were given in.
        {"broken", 0, "Cannot read ./lcd.dps: line 44", {}},
        {"missing_program", 0, nullptr, {false, false, false, false, false}},
        {"right", 6, nullptr, {true, true, true, true, true}},
        {"two_circuits", 0, "2 个 .dps 电路文件：lcd.dps, lcd_copy.dps", {}},
        {"wrong", 2, nullptr, {false, true, true, false, false}},
    };
    ASSERT_EQ(report.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& want = expected[i];
        const json& got = report[i];
        SCOPED_TRACE(want.Folder);
        EXPECT_EQ(got.at("submission"), (kData / "class" / want.Folder).string());
        EXPECT_EQ(got.at("points"), want.Points);
        EXPECT_EQ(got.at("total"), 6);
        if (want.Error)
            EXPECT_NE(got.at("error").get<std::string>().find(want.Error), std::string::npos)
                << got.at("error");
        else
            EXPECT_TRUE(got.at("error").is_null());
        ASSERT_EQ(got.at("results").size(), want.Ok.size());
        for (size_t k = 0; k < want.Ok.size(); ++k) {
            EXPECT_EQ(got["results"][k].at("expect"), k + 1);
            EXPECT_EQ(got["results"][k].at("ok"), want.Ok[k]) << "expectation " << k + 1;
        }
    }
    // What the failing runs showed, as a teacher reads it.
    EXPECT_EQ(report[4]["results"][0]["got"], json({"HO              ", "                "}));
    EXPECT_EQ(report[4]["results"][4]["got"], 79);
    EXPECT_EQ(report[1]["results"][1]["got"], json::array());
    EXPECT_EQ(report[1]["results"][2]["got"], false);

    const std::string csv = ReadFileText(dir / "marks.csv");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF作业,得分,总分,错误,检查 1,检查 2,检查 3,检查 4,检查 5\r\n", 0), 0u)
        << csv;
    EXPECT_NE(csv.find("/wrong,2,6,,0,1,1,0,0\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("/two_circuits,0,6,\"2 个 .dps 电路文件：lcd.dps, lcd_copy.dps\",,,,,\r\n"),
              std::string::npos)
        << csv;
}

TEST(GradeClass, TableShowsPointsAndFirstFailureInChinese)
{
    const auto result = RunCli(Args({(kData / "task.toml").string()}, ClassFolders()));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const std::string line :
         {"/right            6/6\n",
          "/wrong            2/6   检查 1：运行 2000 拍后，LCD1602的显示内容 应该是 [\"HI\",\"\"]：实际是 "
          "[\"HO\",\"\"]\n",
          "/two_circuits     0/6   错误：2 个 .dps 电路文件：lcd.dps, lcd_copy.dps\n",
          "/broken           0/6   错误：Cannot read"})
        EXPECT_NE(result.Out.find(line), std::string::npos) << line << "\n" << result.Out;
    EXPECT_EQ(result.Out.rfind("液晶显示 HI\n作业 ", 0), 0u) << result.Out;
    EXPECT_NE(result.Out.find(" 得分  第一项未通过的检查或错误\n"), std::string::npos) << result.Out;
}

TEST(GradeClass, ActionsReachTheRunUpToEachCheckedTick)
{
    const auto result = RunCli(
        {(kData / "buttons.toml").string(), (kData / "buttons" / "pressed").string(), "--report", "-"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json report = json::parse(result.Out);
    EXPECT_EQ(report[0]["points"], 4) << report.dump(1);

    // More actions than a command line holds reach the run all the same.
    std::string task = ReadFileText(kData / "buttons.toml");
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "\"1:run\", ";
    task.replace(task.find("actions = [") + 11, 0, many);
    const auto crowded = RunCli({WriteTask(ScratchDir("grade_many_actions"), task).string(),
                                 (kData / "buttons" / "pressed").string(), "--report", "-"});
    ASSERT_EQ(crowded.ExitCode, 0) << crowded.Err;
    EXPECT_EQ(json::parse(crowded.Out)[0]["points"], 4) << crowded.Out;
}

TEST(GradeClass, EndlessRunTimesOutAndGradingGoesOn)
{
    const fs::path dir = ScratchDir("grade_timeout");
    const fs::path task =
        WriteTask(dir, "ticks = 2000000000\n[[expect]]\nfield = \"running\"\nequals = true\n"
                       "[[expect]]\nfield = \"running\"\nequals = true\ntick = 1\n");
    const auto result =
        RunCli({task.string(), "--timeout", "0.3", "--report", "-", (kData / "class" / "right").string(),
                (kData / "class" / "two_circuits").string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json report = json::parse(result.Out);
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0]["error"], "超时（0.3 秒）");
    EXPECT_EQ(report[0]["points"], 0);
    EXPECT_EQ(report[1]["error"], "2 个 .dps 电路文件：lcd.dps, lcd_copy.dps");
}

TEST(GradeClass, ARunnerThatFailsCostsOnlyThatSubmission)
{
    const fs::path dir = ScratchDir("grade_fake_runner");
    const struct {
        const char* Script;
        const char* Error;
    } cases[] = {
        {"kill -SEGV $$", "keltosimu-run 被信号 11"},
        {"echo 'keltosimu-run: cannot read ./lcd.dps' >&2; exit 2", "cannot read ./lcd.dps"},
        {"exit 2", "keltosimu-run 以状态 2 结束"},
        {"echo 'disk full' >&2; exit 1", "keltosimu-run 以状态 1 结束：disk full"},
        {"exit 0", "无法读取运行状态"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script);
        const fs::path runner = dir / "fake-run";
        std::ofstream(runner) << "#!/bin/sh\n" << c.Script << "\n";
        fs::permissions(runner, fs::perms::owner_all);
        const auto result =
            RunCli({(kData / "task.toml").string(), "--runner", runner.string(), "--report", "-",
                    (kData / "class" / "right").string(), (kData / "class" / "wrong").string()});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const json report = json::parse(result.Out);
        ASSERT_EQ(report.size(), 2u);
        for (const json& grade : report) {
            EXPECT_EQ(grade["points"], 0);
            EXPECT_EQ(grade["error"].get<std::string>().rfind(c.Error, 0), 0u) << grade["error"];
        }
    }
}

TEST(GradeClass, ShardsSplitTheClassWithoutOverlap)
{
    const struct {
        const char* Shard;
        std::vector<std::string> Folders;
    } cases[] = {
        {"1/2", {"broken", "right", "wrong"}},
        {"2/2", {"missing_program", "two_circuits"}},
        {"3/3", {"right"}},
        {"1/1", {"broken", "missing_program", "right", "two_circuits", "wrong"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Shard);
        const auto result = RunCli(
            Args({(kData / "task.toml").string(), "--shard", c.Shard, "--report", "-"}, ClassFolders()));
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        std::vector<std::string> graded;
        for (const json& grade : json::parse(result.Out))
            graded.push_back(fs::path(grade["submission"].get<std::string>()).filename().string());
        EXPECT_EQ(graded, c.Folders);
    }
}

TEST(GradeClass, BadTaskOrArgumentsExitTwoWithAMessage)
{
    const fs::path dir = ScratchDir("grade_bad");
    const std::string good = (kData / "task.toml").string();
    const std::string right = (kData / "class" / "right").string();
    const std::string noTicks = WriteTask(dir, "[[expect]]\nfield = \"log\"\ncontains = \"a\"\n").string();
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{noTicks, right}, "task.toml:1: 任务缺少 ticks"},
        {{(dir / "absent.toml").string(), right}, "无法读取"},
        {{good}, "未给出作业文件夹"},
        {{good, right, "--shard", "0/2"}, "--shard 应写成 K/N"},
        {{good, right, "--shard", "3/2"}, "--shard 应写成 K/N"},
        {{good, right, "--jobs", "0"}, "--jobs 应为"},
        {{good, right, "--timeout", "-1"}, "--timeout 应为"},
        {{good, right, "--colour"}, "未知选项 --colour"},
        {{good, right, "--runner", (dir / "none").string()}, "无法运行"},
        {{good, right, "--memory", "3T"}, "--memory 应为大小"},
        {{good, right, "--runner", "/etc"}, "无法运行 /etc：不是程序文件"},
        {{good, right, "--report", (dir / "no" / "r.json").string()}, "r.json：No such file or directory"},
        {{good, right, "--gradebook", dir.string()}, "无法写入 " + dir.string()},
        {{good, right, "--csv", "-", "--gradebook", "-"}, "只能有一个写到标准输出"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const auto result = RunCli(c.Args);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_EQ(result.Err.rfind("keltosimu-grade: ", 0), 0u) << result.Err;
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << result.Err;
        EXPECT_TRUE(result.Out.empty()) << result.Out;
    }
    EXPECT_FALSE(fs::exists(dir / "no"));

    ::setenv("KELTOSIMU_RUN", (dir / "elsewhere").c_str(), 1);
    const auto result = RunCli({good, right});
    ::unsetenv("KELTOSIMU_RUN");
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(result.Err.find("无法运行 " + (dir / "elsewhere").string()), std::string::npos) << result.Err;
}

// A circuit of twelve thousand displays: far more memory than a lesson's.
void WriteCrowdedCircuit(const fs::path& path)
{
    std::ofstream file(path);
    file << "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<KELTOSIMU><COMP>";
    for (int i = 0; i < 12000; ++i)
        file << "<record><CtrlNode TYPE=\"16\"><POSX>" << 20 + i % 50 * 10 << "</POSX><POSY>"
             << 20 + i / 50 * 10 << "</POSY></CtrlNode></record>";
    file << "</COMP><CONN/></KELTOSIMU>\n";
}

TEST(GradeClass, ARunOverItsMemoryCapCostsOnlyThatSubmission)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a sanitized runner reserves more address space than any cap";
#endif
    const fs::path dir = ScratchDir("grade_memory");
    fs::create_directory(dir / "crowded");
    WriteCrowdedCircuit(dir / "crowded" / "lcd.dps");
    const fs::path task = WriteTask(dir, "ticks = 10\n[[expect]]\nfield = \"running\"\nequals = true\n");
    const auto result = RunCli({task.string(), "--memory", "200M", "--report", "-", (dir / "crowded").string(),
                                (kData / "class" / "right").string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    // Rows come sorted by full path, which puts either folder first depending on where the tree lives.
    json report = json::parse(result.Out);
    ASSERT_EQ(report.size(), 2u);
    if (report[0]["submission"] != (dir / "crowded").string())
        std::swap(report[0], report[1]);
    EXPECT_EQ(report[0]["error"], "内存超限");
    EXPECT_TRUE(report[1]["error"].is_null()) << report[1];
    EXPECT_EQ(report[1]["points"], 1);
}

std::vector<pid_t> ChildrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    std::error_code error;
    for (fs::directory_iterator entry("/proc", error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string stat = ReadFileText(entry->path() / "stat");
        const size_t end = stat.rfind(')');
        if (end == std::string::npos)
            continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(stat.c_str() + end + 1, " %c %d", &state, &ppid) == 2 && ppid == parent)
            children.push_back(std::stoi(name));
    }
    return children;
}

bool Alive(pid_t pid)
{
    const std::string stat = ReadFileText("/proc/" + std::to_string(pid) + "/stat");
    const size_t end = stat.rfind(')');
    return end != std::string::npos && end + 2 < stat.size() && stat[end + 2] != 'Z';
}

TEST(GradeClass, KillingTheGraderEndsItsRuns)
{
    const fs::path dir = ScratchDir("grade_killed");
    const fs::path task =
        WriteTask(dir, "ticks = 2000000000\n[[expect]]\nfield = \"running\"\nequals = true\n");
    const std::string grader = KELTO_RUNNER_PATH;
    const std::string right = (kData / "class" / "right").string();
    std::vector<char*> argv = {const_cast<char*>(grader.c_str()), const_cast<char*>(task.c_str()),
                               const_cast<char*>(right.c_str()), nullptr};
    pid_t pid = 0;
    // Its scratch folder, which a killed grader leaves behind, goes with the test's files.
    ::setenv("TMPDIR", dir.c_str(), 1);
    const int spawned = ::posix_spawn(&pid, grader.c_str(), nullptr, nullptr, argv.data(), environ);
    ::unsetenv("TMPDIR");
    ASSERT_EQ(spawned, 0);
    std::vector<pid_t> runs;
    for (int i = 0; i < 500 && runs.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        runs = ChildrenOf(pid);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_EQ(runs.size(), 1u);
    for (int i = 0; i < 500 && Alive(runs[0]); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(Alive(runs[0]));
    ::kill(runs[0], SIGKILL); // should the test fail
}

// Copies of a submission that each hide one trap.
TEST(GradeClass, FilesThatAreNotTheStudentsOwnAreRefusedWithTheReason)
{
    const fs::path dir = ScratchDir("grade_hostile_files");
    const fs::path right = kData / "class" / "right";
    const auto submission = [&](const std::string& name, bool program = true) {
        fs::create_directories(dir / name / "inner");
        fs::copy_file(right / "lcd.dps", dir / name / "inner" / "lcd.dps");
        if (program)
            fs::copy_file(right / "hello.txt", dir / name / "hello.txt");
        return dir / name;
    };
    fs::create_symlink("inner/lcd.dps", submission("link_inside") / "lcd.dps");
    fs::create_symlink(right / "lcd.dps", submission("link_to_a_classmate") / "lcd.dps");
    fs::create_symlink("/etc/passwd", submission("link_to_the_system") / "lcd.dps");
    fs::create_symlink("inner/lcd.dps", submission("fifo", false) / "lcd.dps");
    ::mkfifo((dir / "fifo" / "hello.txt").c_str(), 0644);
    fs::create_symlink("inner/lcd.dps", submission("utf16", false) / "lcd.dps");
    std::string wide = "\xFF\xFE";
    for (const char c : ReadFileText(right / "hello.txt"))
        wide += std::string{c, '\0'};
    std::ofstream(dir / "utf16" / "hello.txt", std::ios::binary) << wide;

    const auto result = RunCli({(kData / "task.toml").string(), "--report", "-", (dir / "fifo").string(),
                                (dir / "link_inside").string(), (dir / "link_to_a_classmate").string(),
                                (dir / "link_to_the_system").string(), (dir / "utf16").string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json report = json::parse(result.Out);
    const char* errors[] = {"hello.txt 不是普通文件", nullptr, "lcd.dps 是指向提交文件夹以外的符号链接",
                            "lcd.dps 是指向提交文件夹以外的符号链接", "looks like UTF-16"};
    ASSERT_EQ(report.size(), std::size(errors));
    for (size_t i = 0; i < std::size(errors); ++i) {
        SCOPED_TRACE(report[i]["submission"]);
        if (errors[i] == nullptr) {
            EXPECT_EQ(report[i]["points"], 6) << report[i];
            continue;
        }
        EXPECT_EQ(report[i]["points"], 0);
        EXPECT_NE(report[i]["error"].get<std::string>().find(errors[i]), std::string::npos) << report[i];
    }
}

TEST(GradeClass, FolderNamesCannotForgeRowsOrFormulas)
{
    const fs::path dir = ScratchDir("grade_hostile_names");
    const std::string names[] = {"forged\nright            6∕6", "erased\r\x1b[2K", "=HYPERLINK(\"x\")",
                                 "\xFF", "\xFE"};
    std::vector<std::string> args = {
        (kData / "task.toml").string(), "--report",    (dir / "r.json").string(), "--csv",
        (dir / "c.csv").string(),       "--gradebook", (dir / "g.csv").string()};
    for (const std::string& name : names) {
        fs::create_directories(dir / "class" / name);
        args.push_back((dir / "class" / name).string());
    }
    std::ofstream(dir / "class" / names[0] / "a\nb.dps");
    std::ofstream(dir / "class" / names[0] / "c.dps");
    const auto result = RunCli(args);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    const std::string csv = ReadFileText(dir / "c.csv");
    const std::string gradebook = ReadFileText(dir / "g.csv");
    // One line per submission and a header (and the title in the table); no byte that moves the cursor.
    for (const auto& [text, lines] : {std::pair{result.Out, 7}, std::pair{csv, 6}, std::pair{gradebook, 6}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), lines);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), text == result.Out ? 0 : lines);
        EXPECT_EQ(text.find('\x1b'), std::string::npos);
    }
    EXPECT_NE(result.Out.find("/forged\\nright            6∕6  0/6   错误：2 个 .dps 电路文件：a\\nb.dps"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("/erased\\r\\x1B[2K"), std::string::npos) << result.Out;
    EXPECT_EQ(gradebook.rfind("student,points\r\n", 0), 0u) << gradebook;
    for (const char* row : {"\"'=HYPERLINK(\"\"x\"\")\",0\r\n", "\\xFF,0\r\n", "\\xFE,0\r\n"})
        EXPECT_NE(gradebook.find(row), std::string::npos) << row << "\n" << gradebook;
    EXPECT_NE(csv.find("/=HYPERLINK"), std::string::npos) << csv; // a path does not start a formula

    // Scripts read the report: names stay exact where JSON can say them, and apart where it cannot.
    std::vector<std::string> reported;
    for (const json& grade : json::parse(ReadFileText(dir / "r.json")))
        reported.push_back(fs::path(grade["submission"].get<std::string>()).filename().string());
    EXPECT_EQ(reported, (std::vector<std::string>{"=HYPERLINK(\"x\")", "erased\r\x1b[2K",
                                                  "forged\nright            6∕6", "\\xFE", "\\xFF"}));
}

} // namespace
} // namespace kelto::grade

namespace kelto::grade {
namespace {

TEST(GradeClass, AStudentSeesTheirVisibleChecksAndTheTeacherAllOfThem)
{
    const fs::path dir = ScratchDir("grade_student_view");
    const fs::path task = WriteTask(dir, "title = \"液晶显示 HI\"\ntext = \"\"\"\n在第 1 行显示 HI。\n"
                                         "最后输出“结束”。\"\"\"\nticks = 2000\n"
                                         "[[expect]]\npart = 1\nfield = \"text.0\"\nequals = \"HI\"\n"
                                         "hint = \"第 1 行应显示 HI\"\n"
                                         "[[expect]]\nfield = \"log\"\ncontains = \"结束\"\n"
                                         "[[expect]]\nfield = \"variables.B\"\nequals = 73\npoints = 5\n"
                                         "hidden = true\n");
    const std::string head = "液晶显示 HI\n在第 1 行显示 HI。\n最后输出“结束”。\n\n";
    const std::string log = "运行 2000 拍后，程序的输出 应该包含 \"结束\"\n";
    const std::string hidden = "另有 1 项检查在交作业后评分\n";
    const struct {
        const char* Folder;
        std::string View;
    } cases[] = {
        {"right", head + "✓ 运行 2000 拍后，LCD1602的显示内容第 1 行 应该是 \"HI\"\n✓ " + log + hidden},
        {"wrong", head + "✗ 第 1 行应显示 HI\n✓ " + log + hidden},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Folder);
        const std::string folder = (kData / "class" / c.Folder).string();
        const auto view = RunCli({"--student", task.string(), folder});
        ASSERT_EQ(view.ExitCode, 0) << view.Err;
        EXPECT_EQ(view.Out, c.View);
        const auto report = RunCli({task.string(), "--report", "-", folder});
        ASSERT_EQ(report.ExitCode, 0) << report.Err;
        const json graded = json::parse(report.Out)[0];
        EXPECT_EQ(graded["results"].size(), 3u);
        EXPECT_EQ(graded["results"][2]["got"], c.Folder == std::string("right") ? 73 : 79);
        // The window's check of the same work, not yet saved anywhere.
        std::string error;
        const auto parsed = ReadTaskFile(task.string(), error);
        ASSERT_TRUE(parsed) << error;
        const TWorkInProgress work{ReadFileText(fs::path(folder) / "lcd.dps"),
                                   ReadFileText(fs::path(folder) / "hello.txt")};
        EXPECT_EQ(SelfCheck(*parsed, work, KELTO_RUN_PATH, [] { return false; }), c.View);
    }
    // Where the work cannot even be written down, the student is told why;
    // a check that could leaves nothing behind.
    std::string error;
    const auto parsed = ReadTaskFile(task.string(), error);
    fs::create_directory(dir / "tmp");
    ::setenv("TMPDIR", (dir / "tmp").c_str(), 1);
    const fs::path right = kData / "class" / "right";
    const TWorkInProgress work{ReadFileText(right / "lcd.dps"), ReadFileText(right / "hello.txt")};
    EXPECT_EQ(SelfCheck(*parsed, work, KELTO_RUN_PATH, [] { return false; }), cases[0].View);
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));
    ::setenv("TMPDIR", "/proc", 1);
    const std::string unchecked = SelfCheck(*parsed, {}, KELTO_RUN_PATH, [] { return false; });
    ::unsetenv("TMPDIR");
    EXPECT_NE(unchecked.find("错误：无法创建临时文件夹"), std::string::npos) << unchecked;
    EXPECT_NE(unchecked.find("✗ 第 1 行应显示 HI"), std::string::npos) << unchecked;
    EXPECT_NE(RunCli({"--student", task.string(), (kData / "class" / "right").string(), "x"}).ExitCode, 0);
}

std::string VersionOf(const std::string& program)
{
    std::string text;
    if (FILE* pipe = ::popen(("'" + program + "' --version").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            text += buffer;
        ::pclose(pipe);
    }
    return text;
}

TEST(GradeClass, WindowRunnerAndGraderShowOneVersion)
{
    const fs::path grader = KELTO_RUNNER_PATH;
    std::vector<std::pair<std::string, std::string>> programs = {
        {"keltosimu-grade", grader.string()},
        {"keltosimu-run", (grader.parent_path() / "keltosimu-run").string()}};
#ifdef KELTO_WINDOW_PATH
    programs.emplace_back("keltosimu", KELTO_WINDOW_PATH);
#endif
    for (const auto& [name, path] : programs)
        EXPECT_EQ(VersionOf(path), name + " " + KELTO_VERSION + "\n");
}

} // namespace
} // namespace kelto::grade
