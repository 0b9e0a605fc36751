// Run and Step pressed in the window: a press that starts nothing says why,
// one line each, and a press that starts a run adds nothing of its own.
#include "core/board/run_press.h"

#include "board_helpers.h"
#include "core/board/guidance_texts.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

TEST(RunPress, APressThatStartsNothingSaysWhyInTheLog)
{
    const std::vector<std::string> program{"0 REM \"KELTOBASIC\"", "10 REM \"END\""};
    struct TCase {
        const char* Name;
        bool Mcu;
        std::vector<std::string> Lines;
        std::string_view Said; // empty: the run starts
    };
    const TCase cases[] = {
        {"no microcontroller", false, program, kRunNeedsMcu},
        {"empty program", true, {}, kRunNeedsProgram},
        {"blank lines only", true, {"", "  \t"}, kRunNeedsProgram},
        {"no header", true, {"10 REM \"END\""}, kRunNeedsHeader},
        {"a program that runs", true, program, {}},
    };
    for (const TCase& c : cases)
        for (const auto press : {&PressRun, &PressStep}) {
            SCOPED_TRACE(c.Name);
            TTestBoard board;
            if (c.Mcu)
                Place(board, kMCU);
            board.LogLine("earlier");
            press(board, c.Lines);
            const std::vector<std::string>& log = board.Interpreter().FMessageLines;
            if (c.Said.empty()) {
                EXPECT_EQ(log, std::vector<std::string>{"开始"});
                EXPECT_NE(board.Basic().RunState(), TRunState::Idle);
            } else {
                EXPECT_EQ(log, (std::vector<std::string>{"earlier", std::string(c.Said)}));
            }
        }
}

// The window's Stop is enabled while paused and ends that run at the next
// tick, as while running.
TEST(RunPress, StopEndsAPausedRunAtTheNextTick)
{
    TTestBoard board;
    Place(board, kMCU);
    PressRun(board, {"0 REM \"KELTOBASIC\"", "10 REM \"WAIT 1000\""});
    board.RunTick(0.001, 0.001);
    board.ButtonPAUSEClick();
    EXPECT_TRUE(board.Basic().RunButtons().Stop);
    PressStop(board);
    EXPECT_EQ(board.Basic().RunState(), TRunState::StopRequested);
    board.RunTick(0.001, 0.002);
    EXPECT_EQ(board.Basic().RunState(), TRunState::Idle);
    EXPECT_EQ(board.Interpreter().FMessageLines.back(), "结束");
}

} // namespace
} // namespace kelto
