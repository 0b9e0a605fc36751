// keltosimu-grade run as a teacher runs it, on a small class in tests/data/grade.
#include "run_cli.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>

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
        {"two_circuits", 0, "2 .dps circuit files: lcd.dps, lcd_copy.dps", {}},
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
    EXPECT_NE(csv.find("\xEF\xBB\xBFsubmission,points,total,error,expect 1,"), std::string::npos);
    EXPECT_NE(csv.find("/wrong,2,6,,0,1,1,0,0\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("/two_circuits,0,6,\"2 .dps circuit files: lcd.dps, lcd_copy.dps\",,,,,\r\n"),
              std::string::npos)
        << csv;
}

TEST(GradeClass, TableShowsPointsAndFirstFailure)
{
    const auto result = RunCli(Args({(kData / "task.toml").string()}, ClassFolders()));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const std::string line :
         {"/right            6/6\n", "/wrong            2/6     expect 1 (part 1 text): got [\"HO  ",
          "/missing_program  0/6     expect 1 (part 1 text)", "/broken           0/6     error: Cannot read"})
        EXPECT_NE(result.Out.find(line), std::string::npos) << line << "\n" << result.Out;
    EXPECT_EQ(result.Out.rfind("液晶显示 HI\nsubmission", 0), 0u) << result.Out;
}

TEST(GradeClass, ActionsReachTheRunUpToEachCheckedTick)
{
    const auto result = RunCli(
        {(kData / "buttons.toml").string(), (kData / "buttons" / "pressed").string(), "--report", "-"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json report = json::parse(result.Out);
    EXPECT_EQ(report[0]["points"], 4) << report.dump(1);
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
    EXPECT_EQ(report[0]["error"], "timed out after 0.3 s");
    EXPECT_EQ(report[0]["points"], 0);
    EXPECT_EQ(report[1]["error"], "2 .dps circuit files: lcd.dps, lcd_copy.dps");
}

TEST(GradeClass, ARunnerThatFailsCostsOnlyThatSubmission)
{
    const fs::path dir = ScratchDir("grade_fake_runner");
    const struct {
        const char* Script;
        const char* Error;
    } cases[] = {
        {"kill -SEGV $$", "keltosimu-run was killed by signal 11"},
        {"echo 'keltosimu-run: cannot read ./lcd.dps' >&2; exit 2", "cannot read ./lcd.dps"},
        {"exit 2", "keltosimu-run ended with status 2"},
        {"echo 'disk full' >&2; exit 1", "keltosimu-run ended with status 1: disk full"},
        {"exit 0", "cannot read the run's state"},
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
        {{noTicks, right}, "task.toml:1: the task needs ticks"},
        {{(dir / "absent.toml").string(), right}, "cannot read"},
        {{good}, "no submission folder given"},
        {{good, right, "--shard", "0/2"}, "--shard wants K/N"},
        {{good, right, "--shard", "3/2"}, "--shard wants K/N"},
        {{good, right, "--jobs", "0"}, "--jobs wants"},
        {{good, right, "--timeout", "-1"}, "--timeout wants"},
        {{good, right, "--colour"}, "unknown option --colour"},
        {{good, right, "--runner", (dir / "none").string()}, "cannot run"},
        {{good, right, "--memory", "3T"}, "--memory wants a size"},
        {{good, right, "--runner", "/etc"}, "cannot run /etc: not a program file"},
        {{good, right, "--report", (dir / "no" / "r.json").string()}, "r.json: No such file or directory"},
        {{good, right, "--gradebook", dir.string()}, "cannot write " + dir.string()},
        {{good, right, "--csv", "-", "--gradebook", "-"}, "only one of --report, --csv and --gradebook"},
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
    EXPECT_NE(result.Err.find("cannot run " + (dir / "elsewhere").string()), std::string::npos) << result.Err;
}

} // namespace
} // namespace kelto::grade
