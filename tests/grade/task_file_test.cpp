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
        {"no ticks", std::string("title = \"x\"") + kExpect, "task.toml:1: the task needs ticks"},
        {"ticks as text", std::string("ticks = \"100\"") + kExpect,
         "task.toml:1: ticks must be a whole number"},
        {"negative ticks", std::string("ticks = -1") + kExpect, "task.toml:1: ticks must be a whole number"},
        {"misspelt key", std::string("ticks = 10\ntick = 5") + kExpect, "task.toml:2: unknown key 'tick'"},
        {"no expectation", "ticks = 10\n", "the task needs at least one [[expect]] table"},
        {"field as number", "ticks = 10\n[[expect]]\nfield = 3\nequals = 1\n",
         "task.toml:3: expect 1: field must be a name"},
        {"empty path step", "ticks = 10\n[[expect]]\npart = 0\nfield = \"text..0\"\nequals = 1\n",
         "task.toml:4: expect 1: field must be a name"},
        {"run field unknown", "ticks = 10\n[[expect]]\nfield = \"lit\"\nequals = 1\n",
         "task.toml:3: expect 1: field 'lit' of the run"},
        {"lower-case variable", "ticks = 10\n[[expect]]\nfield = \"variables.a\"\nequals = 1\n",
         "expect 1: field 'variables.a' of the run"},
        {"neither equals nor contains", "ticks = 10\n[[expect]]\nfield = \"log\"\n",
         "task.toml:2: expect 1: [[expect]] needs either equals or contains"},
        {"both equals and contains",
         "ticks = 10\n[[expect]]\nfield = \"log\"\nequals = []\ncontains = \"a\"\n",
         "needs either equals or contains"},
        {"contains a list", "ticks = 10\n[[expect]]\nfield = \"log\"\ncontains = [\"a\"]\n",
         "task.toml:4: expect 1: contains takes one value"},
        {"tick after the run", std::string("ticks = 10") + kExpect + "tick = 11\n",
         "task.toml:5: expect 1: tick must be a whole number from 0 to ticks (10)"},
        {"second expectation bad", std::string("ticks = 10") + kExpect + kExpect + "points = -2\n",
         "task.toml:9: expect 2: points must be"},
        {"part as float", "ticks = 10\n[[expect]]\npart = 1.5\nfield = \"lit\"\nequals = 1\n",
         "task.toml:3: expect 1: part must be"},
        {"action without tick", std::string("ticks = 10\nactions = [\"press:0\"]") + kExpect,
         "task.toml:2: action 'press:0': wants TICK:ACTION"},
        {"action no run can take", std::string("ticks = 10\nactions = [\"5:dance:0\"]") + kExpect,
         "task.toml:2: unknown action 'dance:0'"},
        {"key off the keypad", std::string("ticks = 10\nactions = [\"5:keydown:2:4:0\"]") + kExpect,
         "task.toml:2: action 'keydown:2:4:0' wants a key column and row"},
        {"two actions in one line", std::string("ticks = 10\nactions = [\"5:run\\n6:stop\"]") + kExpect,
         "task.toml:2: action '5:run\n6:stop': wants TICK:ACTION"},
        {"dt out of range", std::string("ticks = 10\ndt = 5000.0") + kExpect, "task.toml:2: dt: --dt wants"},
        {"bad clock", std::string("ticks = 10\ntime = \"25:00:00\"") + kExpect,
         "task.toml:2: time: --time wants"},
        {"negative seed", std::string("ticks = 10\nseed = -4") + kExpect, "task.toml:2: seed: --seed wants"},
        {"not TOML", "ticks = = 3\n", "task.toml:1: "},
        {"text as a list", std::string("ticks = 10\ntext = [\"a\"]") + kExpect,
         "task.toml:2: text must be a text"},
        {"hint as a number", std::string("ticks = 10") + kExpect + "hint = 3\n",
         "task.toml:5: expect 1: hint must be a text"},
        {"hidden as a word", std::string("ticks = 10") + kExpect + "hidden = \"yes\"\n",
         "task.toml:5: expect 1: hidden must be true or false"},
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
                            "tick = 20\npoints = 3\nhint = \"第 1 行应显示 HI\"\nhidden = true\n",
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
    EXPECT_EQ(expectation.Points, 3);
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
