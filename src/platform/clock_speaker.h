// The spoken clock's worker: JvThreadClock says the time word by word on its
// own thread, at most one at a time; the interpreter polls whether it runs.
#pragma once

#include "core/sound/sound_interfaces.h"

#include <mutex>
#include <thread>

namespace kelto {

class TClockSpeaker final : public IClockSpeaker {
public:
    // The player and the clock must outlive the speaker.
    TClockSpeaker(IWavePlayer& player, const ILocalClock& clock) : FPlayer(player), FClock(clock) {}
    // Lets a running announcement finish its sentence.
    ~TClockSpeaker() override;
    TClockSpeaker(const TClockSpeaker&) = delete;
    TClockSpeaker& operator=(const TClockSpeaker&) = delete;

    void StartClock() override;
    bool ClockRunning() const override;

private:
    void JvThreadClockExecute();

    IWavePlayer& FPlayer;
    const ILocalClock& FClock;
    mutable std::mutex FLock; // the thread list: FRunning and JvThreadClock
    bool FRunning = false;
    std::thread JvThreadClock;
};

} // namespace kelto
