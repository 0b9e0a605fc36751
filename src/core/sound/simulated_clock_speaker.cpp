#include "core/sound/simulated_clock_speaker.h"

#include "core/sound/simulated_time.h"
#include "core/sound/speech.h"

#include <algorithm>

namespace kelto {

void TSimulatedClockSpeaker::StartClock()
{
    if (ClockRunning())
        return;
    const size_t words = ClockWordsAt(FClock.Now()).size();
    FMicrosecondsLeft = MicrosecondsOf(static_cast<double>(words) * FSecondsPerWord);
}

void TSimulatedClockSpeaker::AdvanceTime(double seconds)
{
    FMicrosecondsLeft = std::max<int64_t>(FMicrosecondsLeft - MicrosecondsOf(seconds), 0);
}

} // namespace kelto
