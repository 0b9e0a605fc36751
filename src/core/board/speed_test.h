// The start-up speed test's arithmetic: the measured painting rate, and the
// frame clock's pause and the motor speed factor it sets.
#pragma once

#include <cstdint>

namespace kelto {

struct TSpeedTestSettings {
    int32_t SleepLength = 10; // milliseconds between frame clock events
    double MotorSpeedFactor = 60.0;
    bool operator==(const TSpeedTestSettings&) const = default;
};

// Frames per second from a frame count and an elapsed counter interval; 0
// while no time has passed.
float MeasuredFramesPerSecond(int32_t frameCount, int64_t counterFrequency, int64_t elapsedCounts);

// About 1500 / F milliseconds rounded half to even, clamped to 1 .. 10; the
// factor 0.4 F clamped to 60 .. 300. A rate of 0 (nothing measured) gives the
// slowest settings.
TSpeedTestSettings SpeedTestSettings(float framesPerSecond);

} // namespace kelto
