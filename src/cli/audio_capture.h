// Listens to a run's sound devices and writes down, in simulated time, what
// a sound card would have played: the input of --audio.
#pragma once

#include "core/sound/sound_interfaces.h"
#include "core/sound/sound_script.h"

namespace kelto {
class TVirtualStreamDevice;
}

namespace kelto::cli {

// Stands in front of the run's wave player and clock speaker; the stream
// device's clock is the time of everything. All must outlive the capture.
class TAudioCapture {
public:
    TAudioCapture(TVirtualStreamDevice& streamDevice, IWavePlayer& wavePlayer, IClockSpeaker& clockSpeaker,
                  const ILocalClock& clock);
    TAudioCapture(const TAudioCapture&) = delete;
    TAudioCapture& operator=(const TAudioCapture&) = delete;

    IWavePlayer& WavePlayer() { return FWavePlayer; }
    IClockSpeaker& ClockSpeaker() { return FClockSpeaker; }
    const TSoundScript& Script() const { return FScript; }

private:
    class TCapturedWavePlayer final : public IWavePlayer {
    public:
        TCapturedWavePlayer(TAudioCapture& owner, IWavePlayer& inner) : FOwner(owner), FInner(inner) {}
        void PlayAsync(const std::string& source) override;
        void PlaySync(const std::string& source) override { FInner.PlaySync(source); }
        bool FileExists(const std::string& path) const override { return FInner.FileExists(path); }

    private:
        TAudioCapture& FOwner;
        IWavePlayer& FInner;
    };

    class TCapturedClockSpeaker final : public IClockSpeaker {
    public:
        TCapturedClockSpeaker(TAudioCapture& owner, IClockSpeaker& inner, const ILocalClock& clock)
            : FOwner(owner), FInner(inner), FClock(clock)
        {
        }
        void StartClock() override;
        bool ClockRunning() const override { return FInner.ClockRunning(); }

    private:
        TAudioCapture& FOwner;
        IClockSpeaker& FInner;
        const ILocalClock& FClock;
    };

    int64_t Now() const;

    TVirtualStreamDevice& FStreamDevice;
    TCapturedWavePlayer FWavePlayer;
    TCapturedClockSpeaker FClockSpeaker;
    TSoundScript FScript;
};

} // namespace kelto::cli
