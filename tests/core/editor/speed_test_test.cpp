// The start-up speed test's arithmetic: pause rounding half to even, the
// clamps, the motor speed factor, and the measured rate.
#include "core/board/speed_test.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace kelto {
namespace {

struct TRateCase {
    float Rate;
    int32_t Sleep;
    double Factor;
};

TEST(SpeedTest, PauseAndMotorFactorFromTheMeasuredRate)
{
    const TRateCase cases[] = {
        {150.0f, 10, 60.0},
        {500.0f, 3, 200.0},
        {1000.0f, 2, 300.0}, // 1.5 rounds to 2
        {3000.0f, 1, 300.0}, // 0.5 rounds to 0, clamped to 1
        {600.0f, 2, 240.0},  // 2.5 rounds to 2
        {400.0f, 4, 160.0},
        {1200.0f, 1, 300.0}, // 3.75 and 1.25
        {100.0f, 10, 60.0},
        {20.0f, 10, 60.0},
        {1500.0f, 1, 300.0},
        {250.0f, 6, 100.0},
        {0.0f, 10, 60.0},
        {-5.0f, 10, 60.0},
        {std::numeric_limits<float>::quiet_NaN(), 10, 60.0},
    };
    for (const TRateCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Rate));
        const TSpeedTestSettings settings = SpeedTestSettings(c.Rate);
        EXPECT_EQ(settings.SleepLength, c.Sleep);
        EXPECT_NEAR(settings.MotorSpeedFactor, c.Factor, 1e-4);
    }
}

TEST(SpeedTest, MeasuredRateIsFramesTimesFrequencyOverElapsedCounts)
{
    EXPECT_FLOAT_EQ(MeasuredFramesPerSecond(300, 1'000'000'000, 500'000'000), 600.0f);
    EXPECT_FLOAT_EQ(MeasuredFramesPerSecond(1, 10'000'000, 3'333), 3000.3f);
    // A product past 32 bits must not wrap.
    EXPECT_FLOAT_EQ(MeasuredFramesPerSecond(3'000'000, 1'000'000'000, 2'000'000'000), 1.5e6f);
    EXPECT_EQ(MeasuredFramesPerSecond(5, 1'000'000'000, 0), 0.0f);
}

} // namespace
} // namespace kelto
