// Simulated time in whole microseconds for the runner's sound devices. A run
// may be given any number of ticks of any length, so the counts stop at the
// largest value instead of overflowing.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kelto {

constexpr int64_t kMaxSimulatedMicroseconds = std::numeric_limits<int64_t>::max();

// Zero for a negative or undefined span.
inline int64_t MicrosecondsOf(double seconds)
{
    const double microseconds = std::round(seconds * 1e6);
    if (!(microseconds > 0.0))
        return 0;
    // The first double that no longer fits; the maximum itself rounds up to it.
    if (microseconds >= 9223372036854775808.0)
        return kMaxSimulatedMicroseconds;
    return static_cast<int64_t>(microseconds);
}

// For non-negative operands.
inline int64_t SaturatingAdd(int64_t a, int64_t b)
{
    return a > kMaxSimulatedMicroseconds - b ? kMaxSimulatedMicroseconds : a + b;
}

} // namespace kelto
