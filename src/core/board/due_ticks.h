// The window's pace: the frame clock wakes after its pause, but painting and
// other work make the gaps between wake-ups uneven. The ticks due for the
// time that passed run back to back, each one pause long, so the program
// keeps wall-clock time however long a paint takes and every tick has the
// same deltaTime.
#pragma once

#include <cstdint>

namespace kelto {

// With no run under way the frame clock may wake this seldom: the due ticks
// still run, a switch's effect just shows a few milliseconds later, and the
// idle window costs a tenth of the wake-ups.
constexpr int kStillWakeMilliseconds = 10;

class TDueTicks {
public:
    // A stall longer than this (a blocked event loop, a suspended machine)
    // is skipped rather than caught up, as a drag is.
    static constexpr int64_t kMaxCatchUpNanoseconds = 100'000'000;

    // Starts afresh: time already owed is forgotten.
    void SetTickLength(int64_t nanoseconds);
    int64_t TickLength() const { return FTickLength; }
    double TickSeconds() const { return static_cast<double>(FTickLength) / 1e9; }

    // The ticks due after `elapsed` more nanoseconds; the remainder waits
    // for the next call.
    int32_t Take(int64_t elapsedNanoseconds);

private:
    int64_t FTickLength = 1'000'000;
    int64_t FOwed = 0;
};

} // namespace kelto
