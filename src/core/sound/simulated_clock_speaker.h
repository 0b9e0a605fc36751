// The runner's spoken clock: an announcement lasts a fixed simulated time
// per word, so a CLOCK wait takes as many ticks as the sentence would.
#pragma once

#include "core/sound/sound_interfaces.h"

#include <cstdint>

namespace kelto {

class TSimulatedClockSpeaker final : public IClockSpeaker {
public:
    // About the length of one spoken clock word.
    static constexpr double kSecondsPerWord = 0.6;

    // The clock must outlive the speaker.
    explicit TSimulatedClockSpeaker(const ILocalClock& clock, double secondsPerWord = kSecondsPerWord)
        : FClock(clock), FSecondsPerWord(secondsPerWord)
    {
    }

    void StartClock() override;
    bool ClockRunning() const override { return FMicrosecondsLeft > 0; }
    void AdvanceTime(double seconds);

private:
    const ILocalClock& FClock;
    double FSecondsPerWord;
    int64_t FMicrosecondsLeft = 0;
};

} // namespace kelto
