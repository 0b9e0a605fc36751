#include "basic_board.h"
#include "core/basic/run_snapshot.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;

// Presses Step and ticks until the step is used up; the ticks it took.
int64_t StepAndSettle(TBasicBoard& b, int64_t limit = 1000)
{
    b.Basic().StepRun();
    for (int64_t ticks = 1; ticks <= limit; ++ticks) {
        b.Tick();
        if (!b.Basic().FStepRequested)
            return ticks;
    }
    return -1;
}

TEST(Stepper, EachPressRunsExactlyOneStatementAndPausesAgain)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"A=1", "B=A+1", "PRINT B", "END"}));
    b.Board.ButtonPAUSEClick();
    b.Tick(50);
    EXPECT_EQ(TakeRunSnapshot(b.Basic()).ExecutedRow, -1);

    struct TExpected {
        int32_t Row;
        int32_t Line;
        int16_t A;
        int16_t B;
        size_t LogLines;
    };
    const TExpected steps[] = {{1, 10, 1, 0, 1}, {2, 20, 1, 2, 1}, {3, 30, 1, 2, 2}, {4, 40, 1, 2, 2}};
    for (const TExpected& e : steps) {
        SCOPED_TRACE(e.Line);
        EXPECT_EQ(StepAndSettle(b), 1);
        b.Tick(20); // paused again: nothing more runs
        const TRunSnapshot s = TakeRunSnapshot(b.Basic());
        EXPECT_EQ(s.State, TRunState::Paused);
        EXPECT_FALSE(s.StepPending);
        EXPECT_EQ(s.ExecutedRow, e.Row);
        EXPECT_EQ(s.ExecutedLine, e.Line);
        EXPECT_EQ(s.Variables[0], e.A);
        EXPECT_EQ(s.Variables[1], e.B);
        EXPECT_EQ(b.Logged.size(), e.LogLines);
    }
    // After END the next step ends the run.
    b.Basic().StepRun();
    b.Tick();
    EXPECT_EQ(b.Basic().RunState(), TRunState::Idle);
    EXPECT_EQ(b.LogTexts().back(), "结束");
}

TEST(Stepper, AWaitCountsDownWithinTheNextStepAsWhileRunning)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"WAIT 5", "PRINT 1", "PRINT 2"}));
    b.Board.ButtonPAUSEClick();
    EXPECT_EQ(StepAndSettle(b), 1); // the WAIT itself
    EXPECT_TRUE(b.Basic().FWaiting);
    b.Tick(100);
    EXPECT_EQ(b.Basic().FWaitCount, 5); // frozen while paused
    EXPECT_EQ(StepAndSettle(b), 6);     // five counted ticks, then PRINT 1
    EXPECT_EQ(b.LogTexts().back(), "> 1 <");
    EXPECT_EQ(StepAndSettle(b), 1);
    EXPECT_EQ(b.LogTexts().back(), "> 2 <");
}

TEST(Stepper, StepIsOnlyPossibleWhilePausedAndContinueDropsAPendingStep)
{
    TBasicBoard b;
    b.Basic().StepRun(); // idle: nothing (the board's Step starts a run)
    EXPECT_FALSE(b.Basic().FStepRequested);
    ASSERT_TRUE(b.RunStatements({"WAIT 1000"}));
    b.Basic().StepRun(); // running: nothing
    EXPECT_FALSE(b.Basic().FStepRequested);
    b.Board.ButtonPAUSEClick();
    EXPECT_TRUE(b.Basic().RunButtons().Step);
    b.Basic().StepRun();
    EXPECT_FALSE(b.Basic().RunButtons().Step); // one press at a time
    EXPECT_TRUE(b.Basic().RunButtons().Continue);
    b.Board.ButtonCONTINUEClick();
    EXPECT_FALSE(b.Basic().FStepRequested);
    EXPECT_EQ(b.Basic().RunState(), TRunState::Running);
}

TEST(Stepper, SnapshotShowsGosubDepthAndOnlyTheLoopsStillOpen)
{
    TBasicBoard b;
    ASSERT_TRUE(b.Run({"0 REM \"KELTOBASIC\"", "10 REM \"FOR I=1 TO 2\"", "20 REM \"FOR J=5 TO 5\"",
                       "30 REM \"NEXT J\"", "40 REM \"GOSUB 100\"", "50 REM \"NEXT I\"", "60 REM \"END\"",
                       "100 REM \"WAIT 1000\"", "110 REM \"RETURN\""}));
    b.Tick(5); // FOR I, FOR J, NEXT J (leaves J's loop), GOSUB, WAIT
    TRunSnapshot s = TakeRunSnapshot(b.Basic());
    EXPECT_EQ(s.GosubDepth, 1);
    EXPECT_TRUE(s.Waiting);
    EXPECT_EQ(s.ExecutedLine, 100);
    EXPECT_EQ(s.ExecutedRow, 7);
    ASSERT_EQ(s.ForLoops.size(), 1u);
    EXPECT_EQ(s.ForLoops[0], (TForLoopView{'I', 1, 2, 10}));
    // A new run starts with no loop open, though the tables keep their values.
    b.Board.ButtonSTOPClick();
    b.Tick();
    ASSERT_TRUE(b.RunStatements({"WAIT 1000"}));
    s = TakeRunSnapshot(b.Basic());
    EXPECT_TRUE(s.ForLoops.empty());
    EXPECT_EQ(s.GosubDepth, 0);
    EXPECT_EQ(s.ExecutedRow, -1);
}

} // namespace
} // namespace kelto
