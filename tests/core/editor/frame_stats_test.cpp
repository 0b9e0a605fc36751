// The window's speed account: rates over each period, counting restarted by
// every report, no division by a zero period, and the printed line.
#include "core/board/frame_stats.h"

#include <gtest/gtest.h>

#include <ctime>

namespace kelto {
namespace {

struct TPeriodCase {
    const char* Name;
    TFrameClocks End;
    int Ticks;
    int Repaints;
    TFrameRates Expected;
};

TEST(FrameStats, RatesOverEachPeriodStartingAfterThePreviousReport)
{
    TFrameStats stats;
    stats.Start({100.0, 3.0});
    // Each period starts where the one before it ended.
    const TPeriodCase periods[] = {
        {"busy", {105.0, 4.25}, 4750, 300, {950.0, 60.0, 25.0}},
        {"idle", {110.0, 4.3}, 0, 0, {0.0, 0.0, 1.0}},
        {"short", {110.5, 4.4}, 500, 30, {1000.0, 60.0, 20.0}},
        {"no time passed", {110.5, 4.5}, 7, 7, {0.0, 0.0, 0.0}},
        {"after the empty one", {111.5, 4.6}, 10, 0, {10.0, 0.0, 10.0}},
    };
    for (const TPeriodCase& p : periods) {
        SCOPED_TRACE(p.Name);
        for (int i = 0; i < p.Ticks; ++i)
            stats.CountTick();
        for (int i = 0; i < p.Repaints; ++i)
            stats.CountRepaint();
        const TFrameRates rates = stats.Take(p.End);
        EXPECT_DOUBLE_EQ(rates.TicksPerSecond, p.Expected.TicksPerSecond);
        EXPECT_DOUBLE_EQ(rates.RepaintsPerSecond, p.Expected.RepaintsPerSecond);
        EXPECT_NEAR(rates.CpuPercent, p.Expected.CpuPercent, 1e-9);
    }
}

TEST(FrameStats, StartForgetsWhatWasCountedBefore)
{
    TFrameStats stats;
    for (int i = 0; i < 50; ++i)
        stats.CountTick();
    stats.Start({0.0, 0.0});
    stats.CountRepaint();
    const TFrameRates rates = stats.Take({2.0, 0.0});
    EXPECT_DOUBLE_EQ(rates.TicksPerSecond, 0.0);
    EXPECT_DOUBLE_EQ(rates.RepaintsPerSecond, 0.5);
}

TEST(FrameStats, PrintedLine)
{
    EXPECT_EQ(FormatFrameRates({950.4, 59.96, 17.26}, 1),
              "950 ticks/s, 60.0 repaints/s, 17.3% CPU, frame pause 1 ms");
    EXPECT_EQ(FormatFrameRates({}, 10), "0 ticks/s, 0.0 repaints/s, 0.0% CPU, frame pause 10 ms");
}

TEST(FrameStats, ProcessCpuTimeFollowsWorkDone)
{
    const double before = ProcessCpuSeconds();
    const std::clock_t start = std::clock();
    volatile double sink = 0.0;
    while (std::clock() - start < CLOCKS_PER_SEC / 20)
        sink = sink + 1.0;
    const double used = ProcessCpuSeconds() - before;
    EXPECT_GE(used, 0.04);
    EXPECT_LT(used, 5.0);
}

} // namespace
} // namespace kelto
