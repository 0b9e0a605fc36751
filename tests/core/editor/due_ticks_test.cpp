// The window's pace: every nanosecond that passes is run as whole ticks,
// sooner or later, except a stall beyond the catch-up limit.
#include "core/board/due_ticks.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

TEST(DueTicks, RunsTheTimeThatPassedInWholeTicksAndSkipsAStall)
{
    struct TStep {
        int64_t Elapsed;
        int32_t Due;
    };
    const TStep steps[] = {
        {400'000, 0},         // too early: owed
        {700'000, 1},         // 1.1 ms: one tick, 0.1 ms owed
        {900'000, 1},         // exactly 1 ms owed
        {12'345'678, 12},     // a slow paint: caught up, 0.345678 ms owed
        {654'322, 1},         // the remainders add up to one tick
        {-5, 0},              // a clock that steps back costs nothing
        {5'000'000'000, 100}, // a stall: at most 100 ms caught up
        {1'000'000, 1},       // and nothing of the stall is left over
    };
    TDueTicks ticks;
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Elapsed);
        EXPECT_EQ(ticks.Take(step.Elapsed), step.Due);
    }
    ticks.SetTickLength(2'000'000);
    EXPECT_EQ(ticks.Take(1'999'999), 0);
    EXPECT_EQ(ticks.Take(1), 1);
    EXPECT_DOUBLE_EQ(ticks.TickSeconds(), 0.002);
    // No length at all would divide by zero: a nanosecond is the least.
    ticks.SetTickLength(0);
    EXPECT_EQ(ticks.Take(5), 5);
}

} // namespace
} // namespace kelto
