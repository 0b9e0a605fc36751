#include "core/sound/simulated_clock_speaker.h"
#include "core/sound/virtual_devices.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelto {
namespace {

// Simulated seconds until the announcement ends, in steps of `step`.
double SecondsSpoken(TSimulatedClockSpeaker& speaker, double step)
{
    double seconds = 0;
    while (speaker.ClockRunning() && seconds < 100) {
        speaker.AdvanceTime(step);
        seconds += step;
    }
    return seconds;
}

TEST(SimulatedClockSpeaker, AnAnnouncementLastsItsWords)
{
    const struct {
        TLocalTime Time;
        int Words;
    } cases[] = {{{14, 5, 0}, 7}, {{12, 0, 0}, 6}, {{23, 59, 0}, 9}, {{0, 0, 0}, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Words);
        const TFixedClock clock(c.Time);
        TSimulatedClockSpeaker speaker(clock, 0.5);
        EXPECT_FALSE(speaker.ClockRunning());
        speaker.StartClock();
        EXPECT_NEAR(SecondsSpoken(speaker, 0.001), c.Words * 0.5, 1e-6);
    }
}

TEST(SimulatedClockSpeaker, ASecondStartJoinsTheRunningAnnouncement)
{
    const TFixedClock clock({14, 5, 0});
    TSimulatedClockSpeaker speaker(clock);
    speaker.StartClock();
    speaker.AdvanceTime(4.0);
    speaker.StartClock();
    EXPECT_NEAR(SecondsSpoken(speaker, 0.01), 7 * TSimulatedClockSpeaker::kSecondsPerWord - 4.0, 1e-6);
    speaker.StartClock();
    EXPECT_TRUE(speaker.ClockRunning());
}

// Huge or undefined steps used to overflow the microsecond count.
TEST(SimulatedClockSpeaker, HugeStepsEndTheAnnouncementWithoutOverflow)
{
    const TFixedClock clock({14, 5, 0});
    for (const double step : {4.6e12, 1e300, std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(step);
        TSimulatedClockSpeaker speaker(clock);
        speaker.StartClock();
        speaker.AdvanceTime(step);
        EXPECT_FALSE(speaker.ClockRunning());
    }
    TSimulatedClockSpeaker speaker(clock);
    speaker.StartClock();
    speaker.AdvanceTime(std::numeric_limits<double>::quiet_NaN());
    speaker.AdvanceTime(-5.0);
    EXPECT_TRUE(speaker.ClockRunning());
}

} // namespace
} // namespace kelto
