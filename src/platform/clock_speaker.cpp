#include "platform/clock_speaker.h"

#include "core/sound/speech.h"

#include <system_error>

namespace kelto {

TClockSpeaker::~TClockSpeaker()
{
    std::thread announcement;
    {
        std::lock_guard lock(FLock);
        announcement = std::move(JvThreadClock);
    }
    // Joined outside the lock: the thread takes it once more to say it is done.
    if (announcement.joinable())
        announcement.join();
}

void TClockSpeaker::StartClock()
{
    std::lock_guard lock(FLock);
    if (FRunning)
        return;
    // The previous thread has said its last word; only its return is left.
    if (JvThreadClock.joinable())
        JvThreadClock.join();
    try {
        JvThreadClock = std::thread(&TClockSpeaker::JvThreadClockExecute, this);
        FRunning = true;
    } catch (const std::system_error&) {
        // No thread, no announcement: the CLOCK wait ends at once.
    }
}

bool TClockSpeaker::ClockRunning() const
{
    std::lock_guard lock(FLock);
    return FRunning;
}

void TClockSpeaker::JvThreadClockExecute()
{
    SpeakTime(FClock, [this](std::string_view word) { FPlayer.PlaySync(ClockWordSource(word)); });
    std::lock_guard lock(FLock);
    FRunning = false;
}

} // namespace kelto
