// The sound devices the page gives the interpreter, timed as the runner times
// them: a tune plays on a stream device that moves on with every tick's
// deltaTime, so a PLAY wait lasts as many ticks as the tune, and the page,
// which ticks at the window's rate, hears each record as it falls due. Voice
// clips and the spoken clock are the page's, through Web Audio.
#pragma once

#include "core/basic/interpreter.h"
#include "core/sound/midi_gen.h"
#include "core/sound/virtual_devices.h"
#include "core/sound/virtual_stream_device.h"
#include "web/page_calls.h"

#include <string>

namespace kelto::web {

class TWebSound {
public:
    // The page's midi(status, data1, data2), silence(releasePedal),
    // playClip(source), speakClock([source, ...]) and clockRunning() -> bool;
    // a page without them stays silent and no wait hangs.
    explicit TWebSound(const TPageCalls& page);

    TSoundDevices Devices() { return {&MidiGen1, &FWavePlayer, &FClockSpeaker, nullptr, nullptr}; }
    // After each tick.
    void AdvanceTime(double seconds);

private:
    class TWavePlayer final : public IWavePlayer {
    public:
        explicit TWavePlayer(const TPageCalls& page) : FPage(page) {}
        void PlayAsync(const std::string& source) override { FPage.Call("playClip", source); }
        void PlaySync(const std::string& source) override { PlayAsync(source); }
        // The page has no program folder for numbered clips.
        bool FileExists(const std::string&) const override { return false; }

    private:
        const TPageCalls& FPage;
    };

    class TClockSpeaker final : public IClockSpeaker {
    public:
        explicit TClockSpeaker(const TPageCalls& page) : FPage(page) {}
        void StartClock() override;
        bool ClockRunning() const override;

    private:
        const TPageCalls& FPage;
        TSystemClock FClock;
    };

    TVirtualStreamDevice FStreamDevice;
    TMidiGen MidiGen1{FStreamDevice};
    TWavePlayer FWavePlayer;
    TClockSpeaker FClockSpeaker;
};

} // namespace kelto::web
