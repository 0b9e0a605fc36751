#include "basic_board.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;
using testing::TLoggedLine;
using Lines = std::vector<TLoggedLine>;

TEST(Execution, TheExampleProgramPrintsEightAndEndsOnItsTicks)
{
    TBasicBoard b;
    ASSERT_TRUE(b.Run({"0 REM \"KELTOBASIC\"", "10 REM \"DDRB 255\"", "20 REM \"FOR I = 0 TO 7\"",
                       "30 REM \"PORTB I\"", "40 REM \"WAIT 10\"", "50 REM \"NEXT I\"", "60 REM \"PRINT I\"",
                       "70 REM \"END\""}));
    b.Tick();
    EXPECT_EQ(b.PortBit(kPortBBase + 7).FKind, DIGITAL_OUT);
    b.Tick(2);
    EXPECT_EQ(b.Basic().FForLimit['I' - 'A'], 7);
    EXPECT_EQ(b.Basic().FForReturnLine['I' - 'A'], 20);
    // Pass k writes k to port B in tick 3 + 13k.
    for (int pass = 1; pass < 8; ++pass) {
        b.Tick(13);
        SCOPED_TRACE(pass);
        EXPECT_EQ(b.Board.Engine().ReadPortOutput(TMcuPort::B), pass);
    }
    EXPECT_EQ(b.TickUntilIdle(), 109);
    EXPECT_EQ(b.Logged, (Lines{{0, "开始"}, {107, "> 8 <"}, {109, "结束"}}));
    EXPECT_EQ(b.Basic().FVariables['I' - 'A'], 8);
}

TEST(Execution, TheTypicalRequestDrivesPb0HighAndEndsInTheThirdTick)
{
    TBasicBoard b;
    ASSERT_TRUE(b.Run({"0 REM \"KELTOBASIC\"", "10 REM \"DDRB 1\"", "20 REM \"PORTB 1\""}));
    b.Tick();
    EXPECT_EQ(b.PortBit(kPortBBase).FKind, DIGITAL_OUT);
    EXPECT_EQ(b.PortBit(kPortBBase).FLevel, 0);
    b.Tick();
    EXPECT_EQ(b.PortBit(kPortBBase).FLevel, 1);
    b.Tick();
    EXPECT_FALSE(b.Basic().FRunning);
    EXPECT_EQ(b.Logged.back(), (TLoggedLine{3, "结束"}));
    b.Tick(5);
    EXPECT_EQ(b.PortBit(kPortBBase).FLevel, 1); // pins keep their values after a run
}

TEST(Execution, StatementTimelinesInTicks)
{
    struct TCase {
        std::string Name;
        std::vector<std::string> Statements;
        Lines Expected; // after 开始 at tick 0
    };
    const TCase cases[] = {
        {"header only", {}, {{1, "结束"}}},
        {"wait 3 then print", {"WAIT 3", "PRINT 1"}, {{5, "> 1 <"}, {6, "结束"}}},
        {"wait 0 starts no wait", {"WAIT 0", "WAIT -5", "PRINT 1"}, {{3, "> 1 <"}, {4, "结束"}}},
        {"for loop",
         {"FOR I=1 TO 3", "PRINT I", "NEXT I", "PRINT I"},
         {{2, "> 1 <"}, {4, "> 2 <"}, {6, "> 3 <"}, {8, "> 4 <"}, {9, "结束"}}},
        {"for body runs once",
         {"FOR I=5 TO 1", "PRINT I", "NEXT I", "PRINT I"},
         {{2, "> 5 <"}, {4, "> 6 <"}, {5, "结束"}}},
        {"nested loops with different variables",
         {"FOR I=1 TO 2", "FOR J=1 TO 2", "PRINT I*10+J", "NEXT J", "NEXT I"},
         {{3, "> 11 <"}, {5, "> 12 <"}, {9, "> 21 <"}, {11, "> 22 <"}, {14, "结束"}}},
        {"goto", {"GOTO 40", "PRINT 1", "PRINT 2", "PRINT 3"}, {{2, "> 3 <"}, {3, "结束"}}},
        {"goto between lines",
         {"GOTO 25", "PRINT 1", "PRINT 2", "PRINT 3"},
         {{2, "> 2 <"}, {3, "> 3 <"}, {4, "结束"}}},
        {"goto 0 ends", {"GOTO 0", "PRINT 1"}, {{2, "结束"}}},
        {"end", {"PRINT 1", "END", "PRINT 2"}, {{1, "> 1 <"}, {3, "结束"}}},
        {"if",
         {"IF 0 THEN 40", "IF -1 THEN 40", "PRINT 1", "IF 7 THEN 60", "PRINT 2", "PRINT 3"},
         {{4, "> 3 <"}, {5, "结束"}}},
        {"if without then does nothing", {"IF 1 GOTO 40", "PRINT 1"}, {{2, "> 1 <"}, {3, "结束"}}},
        {"if then goto jumps to the variable G",
         {"G=30", "IF 1 THEN GOTO 99", "PRINT 1", "PRINT 2"},
         {{3, "> 1 <"}, {4, "> 2 <"}, {5, "结束"}}},
        {"gosub and return",
         {"GOSUB 40", "PRINT 2", "END", "PRINT 1", "RETURN"},
         {{2, "> 1 <"}, {4, "> 2 <"}, {6, "结束"}}},
        {"return without gosub goes on", {"RETURN", "PRINT 1"}, {{2, "> 1 <"}, {3, "结束"}}},
        {"the gosub after a stray return saves nothing",
         {"RETURN", "GOSUB 50", "PRINT 9", "END", "PRINT 1", "RETURN", "PRINT 2"},
         {{3, "> 1 <"}, {5, "> 2 <"}, {6, "结束"}}},
        {"assignment, not backward", {"B=5", "PRINT B"}, {{2, "> 5 <"}, {3, "结束"}}},
        {"print negative", {"PRINT -32768", "PRINT 0-5"}, {{1, "> -32768 <"}, {2, "> -5 <"}, {3, "结束"}}},
        {"assignment wraps", {"A=32767", "A=A+1", "PRINT A"}, {{3, "> -32768 <"}, {4, "结束"}}},
        {"header reached again has no effect",
         {"A=A+1", "IF A<3 THEN -5", "PRINT A"},
         {{9, "> 3 <"}, {10, "结束"}}},
        {"statements that do nothing still take a tick",
         {"ST", "Q=1", "X", "H", "1", "rem", "PU1", "PD", "RXM", "TA5", "TR5", "SEW5", "SEPC5", "SEBG5",
          "SEXY1,2", "COLOR", "PRINT Q"},
         {{17, "> 1 <"}, {18, "结束"}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBasicBoard b;
        ASSERT_TRUE(b.RunStatements(c.Statements));
        b.TickUntilIdle(1000);
        Lines expected{{0, "开始"}};
        expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
        EXPECT_EQ(b.Logged, expected);
    }
}

// Their expressions are still read, with the side effects reading has.
TEST(Execution, StatementsWithoutEffectStillEvaluateTheirExpressions)
{
    const std::pair<std::string, std::vector<int32_t>> cases[] = {
        {"TA RANDOM(5)", {5}},    {"TR RANDOM(5)", {5}},    {"SETW RANDOM(5)", {5}},
        {"SETPC RANDOM(5)", {5}}, {"SETBG RANDOM(5)", {5}}, {"SETXY RANDOM(5),RANDOM(6)", {5, 6}},
        {"SETXY RANDOM(5)", {}},  {"PU RANDOM(5)", {}},
    };
    for (const auto& [statement, bounds] : cases) {
        SCOPED_TRACE(statement);
        TBasicBoard b;
        ASSERT_TRUE(b.RunStatements({statement}));
        b.TickUntilIdle();
        EXPECT_EQ(b.Random.FBounds, bounds);
    }
}

TEST(Execution, EditorOrderDecidesWhichLineIsFound)
{
    TBasicBoard b;
    ASSERT_TRUE(
        b.Run({"0 REM \"KELTOBASIC\"", "30 REM \"PRINT 30\"", "20 REM \"PRINT 20\"", "30 REM \"PRINT 31\""}));
    b.TickUntilIdle();
    EXPECT_EQ(b.LogTexts(), (std::vector<std::string>{"开始", "> 30 <", "结束"}));
}

TEST(Execution, NoLineLiesAboveTheHighestLineNumber)
{
    // Stepping or returning past line 32767 ends the run instead of wrapping
    // round to the lowest line numbers and starting over.
    struct TCase {
        std::string Name;
        std::vector<std::string> ProgramLines;
        Lines Expected; // after 开始 at tick 0
    };
    const TCase cases[] = {
        {"last line", {"32767 REM \"PRINT 1\""}, {{1, "> 1 <"}, {2, "结束"}}},
        {"return to a gosub on the last line",
         {"10 REM \"GOTO 32767\"", "20 REM \"PRINT 2\"", "30 REM \"RETURN\"", "32767 REM \"GOSUB 20\""},
         {{3, "> 2 <"}, {5, "结束"}}},
        {"goto beyond the last line", {"10 REM \"GOTO 32768\"", "20 REM \"PRINT 2\""}, {{2, "结束"}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBasicBoard b;
        std::vector<std::string> lines{"0 REM \"KELTOBASIC\""};
        lines.insert(lines.end(), c.ProgramLines.begin(), c.ProgramLines.end());
        ASSERT_TRUE(b.Run(lines));
        b.TickUntilIdle(100);
        Lines expected{{0, "开始"}};
        expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
        EXPECT_EQ(b.Logged, expected);
    }
}

TEST(Execution, NextUsesLoopRecordsLeftByEarlierRuns)
{
    TBasicBoard b;
    // No FOR for J yet: J = 0 and the zero limit fall through.
    ASSERT_TRUE(b.RunStatements({"NEXT J", "PRINT J"}));
    b.TickUntilIdle();
    EXPECT_EQ(b.LogTexts(), (std::vector<std::string>{"开始", "> 1 <", "结束"}));

    // With J = -5 the zero return line sends it to the line after line 0.
    ASSERT_TRUE(b.RunStatements({"PRINT J", "IF J<0 THEN 40", "J=-5", "NEXT J"}));
    b.Tick(8);
    EXPECT_EQ(b.LogTexts(), (std::vector<std::string>{"开始", "> 0 <", "> -4 <", "> -3 <"}));
    b.Board.ButtonSTOPClick();
    b.Tick();

    // A FOR at line 30 in one run leaves limit 3 and return line 30 for the next.
    ASSERT_TRUE(b.RunStatements({"GOTO 30", "END", "FOR J=1 TO 3", "END"}));
    b.TickUntilIdle();
    ASSERT_TRUE(b.RunStatements({"NEXT J", "PRINT 20", "PRINT 30", "PRINT 40"}));
    b.TickUntilIdle();
    EXPECT_EQ(b.LogTexts(), (std::vector<std::string>{"开始", "> 40 <", "结束"}));
}

TEST(Execution, GosubStackHoldsOneHundredReturnsAndIgnoresDeeperOnes)
{
    // A subroutine that calls itself until D reaches N; C counts the returns
    // that land back inside it, line 150 is where a return from beyond the
    // stack goes on.
    const std::pair<int, std::vector<std::string>> cases[] = {
        {100, {"开始", "> 99 <", "结束"}},
        {101, {"开始", "> 101 <", "> 99 <", "结束"}},
        {150, {"开始", "> 150 <", "结束"}},
    };
    for (const auto& [depth, log] : cases) {
        SCOPED_TRACE(depth);
        TBasicBoard b;
        ASSERT_TRUE(
            b.Run({"0 REM \"KELTOBASIC\"", "10 REM \"GOSUB 100\"", "20 REM \"PRINT C\"", "30 REM \"END\"",
                   "100 REM \"D=D+1\"", "110 REM \"IF D>=" + std::to_string(depth) + " THEN 140\"",
                   "120 REM \"GOSUB 100\"", "130 REM \"C=C+1\"", "140 REM \"RETURN\"", "150 REM \"PRINT D\"",
                   "160 REM \"RETURN\""}));
        ASSERT_NE(b.TickUntilIdle(), -1);
        EXPECT_EQ(b.LogTexts(), log);
        // Nothing beyond the stack was written: the loop tables next to it are untouched.
        EXPECT_EQ(b.Basic().FForLimit, (std::array<int16_t, 26>{}));
        EXPECT_EQ(b.Basic().FForReturnLine, (std::array<int16_t, 26>{}));
    }
}

TEST(RunControl, RunNeedsAMicrocontrollerAndTheHeader)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"PRINT 1"}));
    b.TickUntilIdle();
    const std::vector<std::string> firstLog = b.LogTexts();

    b.Board.DeletePart(b.Mcu);
    EXPECT_FALSE(b.RunStatements({"PRINT 2"}));
    EXPECT_EQ(b.Basic().FMessageLines, firstLog);

    b.Board.PlaceItem(kMcuItem);
    EXPECT_FALSE(b.Run({"0 REM \"keltobasic\"", "10 REM \"PRINT 3\""}));
    EXPECT_EQ(b.Basic().FMessageLines, firstLog);
    EXPECT_EQ(b.Basic().FProgram.size(), 2u); // prepared, just not run

    ASSERT_TRUE(b.RunStatements({"PRINT 4"}));
    EXPECT_EQ(b.Basic().FMessageLines, (std::vector<std::string>{"开始"}));
}

TEST(RunControl, RunStartsAfreshButKeepsLoopTablesAndPins)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"A=7", "KEY 3", "FOR K=1 TO 9", "DDRB 1", "PORTB 1", "GOSUB 100"}));
    b.Tick(8);
    EXPECT_FALSE(b.Basic().FRunning);
    ASSERT_TRUE(b.RunStatements({"PRINT A", "WAIT 5"}));
    EXPECT_EQ(b.Basic().FVariables, (std::array<int16_t, 26>{}));
    EXPECT_EQ(b.Basic().FCurrentLine, 1);
    EXPECT_EQ(b.Basic().FGosubDepth, 0);
    EXPECT_EQ(b.Basic().FKeyShift, 0);
    EXPECT_EQ(b.Basic().FForLimit['K' - 'A'], 9);
    EXPECT_EQ(b.Basic().FGosubStack[0], 60);
    EXPECT_EQ(b.PortBit(kPortBBase).FLevel, 1);
    b.RunStatements({"PRINT 5"}); // Run is disabled while running
    b.Tick();
    EXPECT_EQ(b.LogTexts(), (std::vector<std::string>{"开始", "> 0 <"}));
}

TEST(RunControl, ButtonsFollowTheRunState)
{
    TBasicBoard b;
    const TRunButtons idle{true, false, false, false, true};
    const TRunButtons running{false, true, false, true};
    const TRunButtons paused{false, false, true, true, true};
    const TRunButtons stopping{false, false, false, false};
    EXPECT_EQ(b.Basic().RunButtons(), idle);
    ASSERT_TRUE(b.RunStatements({"WAIT 1000"}));
    EXPECT_EQ(b.Basic().RunButtons(), running);
    b.Board.ButtonPAUSEClick();
    EXPECT_EQ(b.Basic().RunButtons(), paused);
    b.Board.ButtonSTOPClick(); // the runner's stop: not while paused (the window's PressStop)
    EXPECT_EQ(b.Basic().RunButtons(), paused);
    b.Board.ButtonCONTINUEClick();
    EXPECT_EQ(b.Basic().RunButtons(), running);
    b.Board.ButtonSTOPClick();
    EXPECT_EQ(b.Basic().RunState(), TRunState::StopRequested);
    EXPECT_EQ(b.Basic().RunButtons(), stopping);
    b.Board.ButtonPAUSEClick(); // disabled too
    b.Tick();
    EXPECT_EQ(b.Basic().RunButtons(), idle);
}

TEST(RunControl, PauseAndMinimiseFreezeWaitsWhereTheyStand)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"WAIT 100", "PRINT 1"}));
    b.Tick(41); // the WAIT, then 40 counted ticks
    EXPECT_EQ(b.Basic().FWaitCount, 60);
    b.Board.ButtonPAUSEClick();
    b.Tick(500);
    EXPECT_EQ(b.Basic().FWaitCount, 60);
    b.Board.ButtonCONTINUEClick();
    b.Tick(30);
    b.Board.ApplicationEvents1Minimize();
    b.Tick(500);
    EXPECT_EQ(b.Basic().FWaitCount, 30);
    b.Board.ApplicationEvents1Restore();
    b.Tick(31);
    EXPECT_EQ(b.LogTexts().back(), "> 1 <");
    EXPECT_EQ(b.Logged.back().Tick, 41 + 500 + 30 + 500 + 31);
}

TEST(RunControl, StopDuringAWaitEndsTheRunAtTheNextTickAndStopsTheMotors)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"FDX", "WAIT 1000", "PRINT 1"}));
    b.Tick(5);
    EXPECT_EQ(b.PortBit(kPortDBase + 5).FLevel, 1);
    b.Board.ButtonSTOPClick();
    b.Tick();
    EXPECT_FALSE(b.Basic().FRunning);
    EXPECT_FALSE(b.Basic().FWaiting);
    EXPECT_EQ(b.Logged.back(), (TLoggedLine{6, "结束"}));
    for (int bit = 4; bit < 8; ++bit) {
        EXPECT_EQ(b.PortBit(kPortDBase + bit).FKind, DIGITAL_OUT) << bit;
        EXPECT_EQ(b.PortBit(kPortDBase + bit).FLevel, 0) << bit;
    }
}

TEST(RunControl, APrintLoopKeepsABoundedLogButListenersHearEveryLine)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"PRINT A", "A=A+1", "GOTO 10"}));
    b.Tick(3 * 30000);
    EXPECT_EQ(b.Logged.size(), 30001u);
    EXPECT_LE(b.Basic().FMessageLines.size(), 20000u);
    EXPECT_GE(b.Basic().FMessageLines.size(), 10000u);
    EXPECT_EQ(b.Basic().FMessageLines.back(), b.Logged.back().Text);
    EXPECT_EQ(b.Basic().FMessageLines.back(), "> 29999 <");
}

struct TDeleteMcuCase {
    const char* Name;
    std::vector<std::string> Program;
    int64_t TicksBefore;
    bool Pause;
    bool Stop;
    bool ClearAll; // New and Open clear the circuit; the delete dialog deletes one part
};

// A run that outlived its microcontroller left every run button disabled.
TEST(RunControl, DeletingTheMicrocontrollerEndsTheRunAsTheProgramsEndDoes)
{
    const TDeleteMcuCase cases[] = {
        {"running, deleted", {"PRINT 1", "GOTO 1"}, 3, false, false, false},
        {"running, cleared", {"PRINT 1", "GOTO 1"}, 3, false, false, true},
        {"waiting, deleted", {"WAIT 1000", "PRINT 2"}, 5, false, false, false},
        {"paused, cleared", {"PRINT 1", "GOTO 1"}, 2, true, false, true},
        {"stop pressed, deleted", {"PRINT 1", "GOTO 1"}, 2, false, true, false},
    };
    for (const TDeleteMcuCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBasicBoard b;
        ASSERT_TRUE(b.RunStatements(c.Program));
        b.Tick(c.TicksBefore);
        if (c.Pause)
            b.Board.ButtonPAUSEClick();
        if (c.Stop)
            b.Board.ButtonSTOPClick();
        const size_t loggedBefore = b.Logged.size();
        if (c.ClearAll)
            b.Board.ClearCircuit();
        else
            b.Board.DeletePart(b.Mcu);
        EXPECT_FALSE(b.Basic().FRunning);
        EXPECT_EQ(b.Basic().RunButtons(), (TRunButtons{true, false, false, false, true}));
        ASSERT_EQ(b.Logged.size(), loggedBefore + 1);
        EXPECT_EQ(b.Logged.back().Text, "结束");

        // A microcontroller placed later starts nothing by itself.
        b.Board.PlaceItem(kMcuItem);
        b.Tick(5);
        EXPECT_EQ(b.Logged.size(), loggedBefore + 1);
    }
}

TEST(RunControl, DeletingAnotherPartOrAnIdleMicrocontrollerLogsNothing)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"PRINT 1", "GOTO 1"}));
    b.Tick(2);
    b.Board.DeletePart(b.Board.PlaceItem(kMcuItem + 1));
    EXPECT_TRUE(b.Basic().FRunning);
    b.Board.ButtonSTOPClick();
    b.TickUntilIdle();
    const size_t logged = b.Logged.size();
    b.Board.DeletePart(b.Mcu);
    b.Board.ClearCircuit();
    EXPECT_EQ(b.Logged.size(), logged);
}

} // namespace
} // namespace kelto
