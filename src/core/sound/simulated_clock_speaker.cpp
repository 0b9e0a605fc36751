#include "core/sound/simulated_clock_speaker.h"

#include "core/sound/speech.h"

#include <cmath>

namespace kelto {

void TSimulatedClockSpeaker::StartClock()
{
    if (ClockRunning())
        return;
    const size_t words = ClockWordsAt(FClock.Now()).size();
    FMicrosecondsLeft = std::llround(static_cast<double>(words) * FSecondsPerWord * 1e6);
}

void TSimulatedClockSpeaker::AdvanceTime(double seconds)
{
    if (seconds > 0)
        FMicrosecondsLeft -= std::llround(seconds * 1e6);
}

} // namespace kelto
