// The grader keeps only what its task checks of a run's state.
#include "grade/state_reader.h"

#include "run_cli.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelto::grade {
namespace {

TEST(StateReader, KeepsOnlyTheFieldsTheTaskChecksAndRefusesAnOversizedState)
{
    const auto dir = kelto::testing::ScratchDir("grade_state_reader");
    const std::string path = (dir / "state.json").string();
    std::ofstream(path) << R"({"ticks": 5, "running": true, "log": ["a"], "line": 20,
        "variables": {"A": 1, "B": 2},
        "components": [
          {"index": 0, "item": "LCD1602", "pins": [{"level": 1}], "state": {"text": ["HI"], "ddram": [72, 73]}},
          {"index": 1, "item": "发光二极管LED3", "state": {"lit": 1, "text": {"nested": {"deep": 1}}}}
        ],
        "scopes": {"samples": [1, 2, 3]}})";
    std::string error;
    const auto task = ParseTask("ticks = 5\n"
                                "[[expect]]\npart = 0\nfield = \"text.0\"\ncontains = \"HI\"\n"
                                "[[expect]]\nfield = \"variables.B\"\nequals = 2\n",
                                "task.toml", error);
    ASSERT_TRUE(task) << error;

    TJson state;
    ASSERT_EQ(ReadCheckedState(path, *task, 4096, state), std::nullopt);
    EXPECT_EQ(state, TJson::parse(R"({"variables": {"A": 1, "B": 2}, "components": [
        {"item": "LCD1602", "state": {"text": ["HI"]}},
        {"item": "发光二极管LED3", "state": {"text": {"nested": {"deep": 1}}}}]})"));

    EXPECT_EQ(ReadCheckedState(path, *task, 100, state).value_or("").rfind("运行状态超过", 0), 0u);
    std::ofstream(path) << R"({"variables": )";
    EXPECT_EQ(ReadCheckedState(path, *task, 4096, state), "运行状态不是有效的 JSON");
}

} // namespace
} // namespace kelto::grade
