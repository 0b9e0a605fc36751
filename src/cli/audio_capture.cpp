#include "cli/audio_capture.h"

#include "core/sound/speech.h"
#include "core/sound/virtual_stream_device.h"

namespace kelto::cli {

TAudioCapture::TAudioCapture(TVirtualStreamDevice& streamDevice, IWavePlayer& wavePlayer,
                             IClockSpeaker& clockSpeaker, const ILocalClock& clock)
    : FStreamDevice(streamDevice), FWavePlayer(*this, wavePlayer), FClockSpeaker(*this, clockSpeaker, clock)
{
    using TKind = TTimedSynthInput::TKind;
    streamDevice.FOnRecordPlayed = [this](int64_t microseconds, const TStreamRecord& record) {
        FScript.Synth.push_back({microseconds, TKind::Record, record});
    };
    streamDevice.FOnSilence = [this](int64_t microseconds, bool releasePedal) {
        FScript.Synth.push_back({microseconds, releasePedal ? TKind::NotesAndPedalOff : TKind::NotesOff, {}});
    };
}

int64_t TAudioCapture::Now() const
{
    return FStreamDevice.NowMicroseconds();
}

void TAudioCapture::TCapturedWavePlayer::PlayAsync(const std::string& source)
{
    FOwner.FScript.Clips.push_back({FOwner.Now(), source});
    FInner.PlayAsync(source);
}

void TAudioCapture::TCapturedClockSpeaker::StartClock()
{
    // A request while a sentence runs is ignored, as the speaker ignores it.
    if (!FInner.ClockRunning()) {
        TTimedSentence sentence{FOwner.Now(), {}};
        for (const std::string& word : ClockWordsAt(FClock.Now()))
            sentence.Sources.push_back(ClockWordSource(word));
        FOwner.FScript.Sentences.push_back(std::move(sentence));
    }
    FInner.StartClock();
}

} // namespace kelto::cli
