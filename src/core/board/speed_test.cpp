// The speed test's rounding and clamps.
#include "core/board/speed_test.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace kelto {

float MeasuredFramesPerSecond(int32_t frameCount, int64_t counterFrequency, int64_t elapsedCounts)
{
    if (elapsedCounts <= 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(frameCount) * static_cast<double>(counterFrequency) /
                              static_cast<double>(elapsedCounts));
}

// 1000 / (F / 15) / 10 is 1500 / F; dividing once keeps the exact halves
// (F = 1000 gives 1.5) exact, so they round to even as intended.
TSpeedTestSettings SpeedTestSettings(float framesPerSecond)
{
    const double rate = std::isfinite(framesPerSecond) ? std::max(double{framesPerSecond}, 0.0) : 0.0;
    TSpeedTestSettings settings;
    if (rate > 0.0) {
        const double pause = std::clamp(1500.0 / rate, 0.0, 1.0e6);
        const int savedMode = std::fegetround();
        std::fesetround(FE_TONEAREST);
        settings.SleepLength = std::clamp(static_cast<int32_t>(std::nearbyint(pause)), 1, 10);
        std::fesetround(savedMode);
    }
    settings.MotorSpeedFactor = std::clamp(rate * 0.4, 60.0, 300.0);
    return settings;
}

} // namespace kelto
