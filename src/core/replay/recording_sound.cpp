#include "core/replay/recording_sound.h"

namespace kelto {

namespace {

class TRecordingTone final : public IToneGenerator {
public:
    TRecordingTone(IToneGenerator& real, TRunRecording& recording) : FReal(real), FRecording(recording) {}
    // The interpreter goes on whether or not a tune could start.
    bool PlayString(std::string_view text) override { return FReal.PlayString(text); }
    bool IsPlaying() const override
    {
        const bool playing = FReal.IsPlaying();
        FRecording.TunesPlaying.Append(playing);
        return playing;
    }

private:
    IToneGenerator& FReal;
    TRunRecording& FRecording;
};

class TRecordingWave final : public IWavePlayer {
public:
    TRecordingWave(IWavePlayer& real, TRunRecording& recording) : FReal(real), FRecording(recording) {}
    void PlayAsync(const std::string& source) override { FReal.PlayAsync(source); }
    void PlaySync(const std::string& source) override { FReal.PlaySync(source); }
    bool FileExists(const std::string& path) const override
    {
        const bool found = FReal.FileExists(path);
        FRecording.ClipFilesFound.Append(found);
        return found;
    }

private:
    IWavePlayer& FReal;
    TRunRecording& FRecording;
};

class TRecordingSpeaker final : public IClockSpeaker {
public:
    TRecordingSpeaker(IClockSpeaker& real, TRunRecording& recording) : FReal(real), FRecording(recording) {}
    void StartClock() override { FReal.StartClock(); }
    bool ClockRunning() const override
    {
        const bool running = FReal.ClockRunning();
        FRecording.ClockAnnouncing.Append(running);
        return running;
    }

private:
    IClockSpeaker& FReal;
    TRunRecording& FRecording;
};

class TRecordingClock final : public ILocalClock {
public:
    TRecordingClock(const ILocalClock& real, TRunRecording& recording) : FReal(real), FRecording(recording) {}
    TLocalTime Now() const override
    {
        const TLocalTime now = FReal.Now();
        FRecording.ClockReadings.Append(now);
        return now;
    }

private:
    const ILocalClock& FReal;
    TRunRecording& FRecording;
};

// Answers from the recording; a question past its end gets the quiet answer
// and is remembered.
template <class T> T Answer(TAnswerRuns<T>& answers, bool& ranOut, T quiet)
{
    if (const std::optional<T> answer = answers.Next())
        return *answer;
    ranOut = true;
    return quiet;
}

class TReplayTone final : public IToneGenerator {
public:
    TReplayTone(TRunRecording& recording, bool& ranOut) : FRecording(recording), FRanOut(ranOut) {}
    bool PlayString(std::string_view) override { return true; }
    bool IsPlaying() const override { return Answer(FRecording.TunesPlaying, FRanOut, false); }

private:
    TRunRecording& FRecording;
    bool& FRanOut;
};

class TReplayWave final : public IWavePlayer {
public:
    TReplayWave(TRunRecording& recording, bool& ranOut) : FRecording(recording), FRanOut(ranOut) {}
    void PlayAsync(const std::string&) override {}
    void PlaySync(const std::string&) override {}
    bool FileExists(const std::string&) const override { return Answer(FRecording.ClipFilesFound, FRanOut, false); }

private:
    TRunRecording& FRecording;
    bool& FRanOut;
};

class TReplaySpeaker final : public IClockSpeaker {
public:
    TReplaySpeaker(TRunRecording& recording, bool& ranOut) : FRecording(recording), FRanOut(ranOut) {}
    void StartClock() override {}
    bool ClockRunning() const override { return Answer(FRecording.ClockAnnouncing, FRanOut, false); }

private:
    TRunRecording& FRecording;
    bool& FRanOut;
};

class TReplayClock final : public ILocalClock {
public:
    TReplayClock(TRunRecording& recording, bool& ranOut) : FRecording(recording), FRanOut(ranOut) {}
    TLocalTime Now() const override { return Answer(FRecording.ClockReadings, FRanOut, TLocalTime{}); }

private:
    TRunRecording& FRecording;
    bool& FRanOut;
};

} // namespace

struct TRecordingSound::TProxies {
    TProxies(const TSoundDevices& real, TRunRecording& recording)
        : Tone(real.ToneGenerator ? *real.ToneGenerator : SilentTone, recording),
          Wave(real.WavePlayer ? *real.WavePlayer : SilentWave, recording),
          Speaker(real.ClockSpeaker ? *real.ClockSpeaker : SilentSpeaker, recording),
          Clock(real.LocalClock ? *real.LocalClock : SystemClock, recording), Random(recording.Seed)
    {
    }
    TVirtualToneGenerator SilentTone;
    TVirtualWavePlayer SilentWave;
    TVirtualClockSpeaker SilentSpeaker;
    TSystemClock SystemClock;
    TRecordingTone Tone;
    TRecordingWave Wave;
    TRecordingSpeaker Speaker;
    TRecordingClock Clock;
    TSeededRandom Random;
};

TRecordingSound::TRecordingSound(const TSoundDevices& real, TRunRecording& recording)
    : FProxies(std::make_unique<TProxies>(real, recording))
{
}

TRecordingSound::~TRecordingSound() = default;

TSoundDevices TRecordingSound::Devices()
{
    return {&FProxies->Tone, &FProxies->Wave, &FProxies->Speaker, &FProxies->Clock, &FProxies->Random};
}

TSeededRandom& TRecordingSound::Random()
{
    return FProxies->Random;
}

struct TReplaySound::TProxies {
    explicit TProxies(TRunRecording& recording)
        : Tone(recording, RanOut), Wave(recording, RanOut), Speaker(recording, RanOut), Clock(recording, RanOut),
          Random(recording.Seed)
    {
    }
    bool RanOut = false;
    TReplayTone Tone;
    TReplayWave Wave;
    TReplaySpeaker Speaker;
    TReplayClock Clock;
    TSeededRandom Random;
};

TReplaySound::TReplaySound(TRunRecording& recording) : FProxies(std::make_unique<TProxies>(recording)) {}

TReplaySound::~TReplaySound() = default;

TSoundDevices TReplaySound::Devices()
{
    return {&FProxies->Tone, &FProxies->Wave, &FProxies->Speaker, &FProxies->Clock, &FProxies->Random};
}

TSeededRandom& TReplaySound::Random()
{
    return FProxies->Random;
}

bool TReplaySound::RanOut() const
{
    return FProxies->RanOut;
}

} // namespace kelto
