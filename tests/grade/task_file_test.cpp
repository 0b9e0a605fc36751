#include "grade/task_file.h"

#include <gtest/gtest.h>

namespace kelto::grade {
namespace {

constexpr const char* kExpect = "\n[[expect]]\nfield = \"running\"\nequals = false\n";

std::optional<TTask> Parse(const std::string& text, std::string& error)
{
    return ParseTask(text, "task.toml", error);
}

TEST(TaskFile, RefusesAnUnusableTaskNamingTheLine)
{
    const struct {
        const char* Name;
        std::string Text;
        const char* Message;
    } cases[] = {
        {"no ticks", std::string("title = \"x\"") + kExpect, "task.toml:1: 任务缺少 ticks"},
        {"ticks as text", std::string("ticks = \"100\"") + kExpect,
         "task.toml:1: ticks 应为不小于 0 的整数"},
        {"negative ticks", std::string("ticks = -1") + kExpect, "task.toml:1: ticks 应为不小于 0 的整数"},
        {"misspelt key", std::string("ticks = 10\ntick = 5") + kExpect, "task.toml:2: 未知的键 'tick'"},
        {"no expectation", "ticks = 10\n", "任务至少需要一个 [[expect]] 表"},
        {"field as number", "ticks = 10\n[[expect]]\nfield = 3\nequals = 1\n",
         "task.toml:3: 第 1 个 [[expect]]：field 应为名称"},
        {"empty path step", "ticks = 10\n[[expect]]\npart = 0\nfield = \"text..0\"\nequals = 1\n",
         "task.toml:4: 第 1 个 [[expect]]：field 应为名称"},
        {"run field unknown", "ticks = 10\n[[expect]]\nfield = \"lit\"\nequals = 1\n",
         "task.toml:3: 第 1 个 [[expect]]：运行本身没有 'lit' 这一项"},
        {"lower-case variable", "ticks = 10\n[[expect]]\nfield = \"variables.a\"\nequals = 1\n",
         "第 1 个 [[expect]]：运行本身没有 'variables.a' 这一项"},
        {"neither equals nor contains", "ticks = 10\n[[expect]]\nfield = \"log\"\n",
         "task.toml:2: 第 1 个 [[expect]]：[[expect]] 需要 equals 或 contains 其中之一"},
        {"both equals and contains",
         "ticks = 10\n[[expect]]\nfield = \"log\"\nequals = []\ncontains = \"a\"\n",
         "需要 equals 或 contains 其中之一"},
        {"contains a list", "ticks = 10\n[[expect]]\nfield = \"log\"\ncontains = [\"a\"]\n",
         "task.toml:4: 第 1 个 [[expect]]：contains 只接受一个值"},
        {"tick after the run", std::string("ticks = 10") + kExpect + "tick = 11\n",
         "task.toml:5: 第 1 个 [[expect]]：tick 应为 0 到 ticks（10）之间的整数"},
        {"second expectation bad", std::string("ticks = 10") + kExpect + kExpect + "points = -2\n",
         "task.toml:9: 第 2 个 [[expect]]：points 应为"},
        {"points over the limit", std::string("ticks = 10") + kExpect + "points = 1000001\n",
         "task.toml:5: 第 1 个 [[expect]]：points 应为 0 到 1000000 之间的整数"},
        {"part as float", "ticks = 10\n[[expect]]\npart = 1.5\nfield = \"lit\"\nequals = 1\n",
         "task.toml:3: 第 1 个 [[expect]]：part 应为"},
        {"action without tick", std::string("ticks = 10\nactions = [\"press:0\"]") + kExpect,
         "task.toml:2: 动作 'press:0' 应写成 拍数:动作"},
        {"action no run can take", std::string("ticks = 10\nactions = [\"5:dance:0\"]") + kExpect,
         "task.toml:2: unknown action 'dance:0'"},
        {"key off the keypad", std::string("ticks = 10\nactions = [\"5:keydown:2:4:0\"]") + kExpect,
         "task.toml:2: action 'keydown:2:4:0' wants a key column and row"},
        {"two actions in one line", std::string("ticks = 10\nactions = [\"5:run\\n6:stop\"]") + kExpect,
         "task.toml:2: 动作 '5:run\n6:stop' 应写成 拍数:动作"},
        {"dt out of range", std::string("ticks = 10\ndt = 5000.0") + kExpect, "task.toml:2: dt: --dt wants"},
        {"bad clock", std::string("ticks = 10\ntime = \"25:00:00\"") + kExpect,
         "task.toml:2: time: --time wants"},
        {"negative seed", std::string("ticks = 10\nseed = -4") + kExpect, "task.toml:2: seed: --seed wants"},
        {"not TOML", "ticks = = 3\n", "task.toml:1: TOML 格式错误："},
        {"text as a list", std::string("ticks = 10\ntext = [\"a\"]") + kExpect,
         "task.toml:2: text 应为文字"},
        {"hint as a number", std::string("ticks = 10") + kExpect + "hint = 3\n",
         "task.toml:5: 第 1 个 [[expect]]：hint 应为文字"},
        {"hidden as a word", std::string("ticks = 10") + kExpect + "hidden = \"yes\"\n",
         "task.toml:5: 第 1 个 [[expect]]：hidden 应为 true 或 false"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string error;
        EXPECT_FALSE(Parse(c.Text, error));
        EXPECT_NE(error.find(c.Message), std::string::npos) << error;
    }
}

TEST(TaskFile, ReadsEveryKey)
{
    std::string error;
    const auto task = Parse("title = \"液晶显示\"\ntext = \"\"\"\n第一行\n第二行\"\"\"\n"
                            "ticks = 300\ndt = 0.01\ntime = 10:05:00\nseed = 7\n"
                            "speed_factor = 50\nactions = [\"5:press:常开按钮S1\"]\n"
                            "[[expect]]\npart = \"LCD1602\"\nfield = \"text.0\"\ncontains = \"HI\"\n"
                            "tick = 20\npoints = 1000000\nhint = \"第 1 行应显示 HI\"\nhidden = true\n",
                            error);
    ASSERT_TRUE(task) << error;
    EXPECT_EQ(task->Title, "液晶显示");
    EXPECT_EQ(task->Text, "第一行\n第二行");
    EXPECT_EQ(task->Ticks, 300);
    const std::vector<std::string> options = {"--dt",   "0.01", "--speed-factor", "50",
                                              "--seed", "7",    "--time",         "10:05:00"};
    EXPECT_EQ(task->RunnerOptions, options);
    ASSERT_EQ(task->Expectations.size(), 1u);
    const TExpectation& expectation = task->Expectations[0];
    ASSERT_TRUE(expectation.Part);
    EXPECT_EQ(expectation.Part->Caption, "LCD1602");
    EXPECT_FALSE(expectation.Part->Index);
    EXPECT_TRUE(expectation.Contains);
    EXPECT_EQ(expectation.Value, "HI");
    EXPECT_EQ(expectation.Tick, 20);
    EXPECT_EQ(expectation.Points, 1000000); // the most a check may be worth
    EXPECT_EQ(expectation.Hint, "第 1 行应显示 HI");
    EXPECT_TRUE(expectation.Hidden);
}

TEST(TaskFile, FixesSeedAndClockTheTaskLeavesOut)
{
    std::string error;
    const auto task = Parse(std::string("ticks = 10") + kExpect, error);
    ASSERT_TRUE(task) << error;
    const std::vector<std::string> options = {"--seed", "1", "--time", "12:00:00"};
    EXPECT_EQ(task->RunnerOptions, options);
    EXPECT_EQ(task->Expectations[0].Tick, 10);
    EXPECT_EQ(task->Expectations[0].Points, 1);
}

TEST(TaskFile, ARunEndingEarlyGetsOnlyTheActionsDueByThen)
{
    std::string error;
    const auto task = Parse(std::string("ticks = 100\nseed = 3\ntime = \"08:00:00\"\n"
                                        "actions = [\"50:press:1\", \"10:click:0\", \"101:release:1\"]") +
                                kExpect,
                            error);
    ASSERT_TRUE(task) << error;
    const struct {
        int64_t Ticks;
        const char* Actions;
    } cases[] = {
        {9, ""},
        {10, "10:click:0\n"},
        {50, "50:press:1\n10:click:0\n"},
        {100, "50:press:1\n10:click:0\n101:release:1\n"}, // the full run, as the runner takes it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Ticks);
        const std::vector<std::string> args = RunnerArguments(*task, c.Ticks);
        ASSERT_GE(args.size(), 2u);
        EXPECT_EQ(args[0], "--ticks");
        EXPECT_EQ(args[1], std::to_string(c.Ticks));
        EXPECT_EQ(RunnerActions(*task, c.Ticks), c.Actions);
    }
}

} // namespace
} // namespace kelto::grade
