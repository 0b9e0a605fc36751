#include "web/web_sound.h"

#include "core/sound/speech.h"

namespace kelto::web {

TWebSound::TWebSound(const TPageCalls& page) : FWavePlayer(page), FClockSpeaker(page)
{
    MidiGen1.SetSustain(true);
    FStreamDevice.FOnRecordPlayed = [&page](int64_t, const TStreamRecord& record) {
        page.Call("midi", int{record.Status()}, int{record.Data1()}, int{record.Data2()});
    };
    FStreamDevice.FOnSilence = [&page](int64_t, bool releasePedal) { page.Call("silence", releasePedal); };
}

void TWebSound::AdvanceTime(double seconds)
{
    FStreamDevice.AdvanceTime(seconds);
    MidiGen1.DeliverNotifications();
}

void TWebSound::TClockSpeaker::StartClock()
{
    if (ClockRunning())
        return;
    emscripten::val sources = emscripten::val::array();
    for (const std::string& word : ClockWordsAt(FClock.Now()))
        sources.call<void>("push", ClockWordSource(word));
    FPage.Call("speakClock", sources);
}

bool TWebSound::TClockSpeaker::ClockRunning() const
{
    const emscripten::val running = FPage.Call("clockRunning");
    return running.isTrue();
}

} // namespace kelto::web
