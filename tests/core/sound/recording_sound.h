// Sound devices for tests: they remember every request, and a test decides
// when a tune or an announcement is over.
#pragma once

#include "core/sound/sound_interfaces.h"

#include <set>
#include <string>
#include <vector>

namespace kelto::testing {

class TRecordingToneGenerator final : public IToneGenerator {
public:
    bool PlayString(std::string_view text) override
    {
        FStrings.emplace_back(text);
        FPlaying = FAccept && FPlayAfterStart;
        return FAccept;
    }
    bool IsPlaying() const override { return FPlaying; }

    std::vector<std::string> FStrings;
    bool FAccept = true;
    bool FPlayAfterStart = false;
    bool FPlaying = false;
};

class TRecordingWavePlayer final : public IWavePlayer {
public:
    void PlayAsync(const std::string& source) override { FAsync.push_back(source); }
    void PlaySync(const std::string& source) override { FSync.push_back(source); }
    bool FileExists(const std::string& path) const override { return FExistingFiles.contains(path); }

    std::vector<std::string> FAsync;
    std::vector<std::string> FSync;
    std::set<std::string> FExistingFiles;
};

class TRecordingClockSpeaker final : public IClockSpeaker {
public:
    void StartClock() override
    {
        if (FRunning)
            return;
        ++FStarts;
        FRunning = FRunAfterStart;
    }
    bool ClockRunning() const override { return FRunning; }

    int FStarts = 0;
    bool FRunAfterStart = false;
    bool FRunning = false;
};

// Hands out scripted values and remembers each bound it was asked for.
class TScriptedRandom final : public IRandomSource {
public:
    int32_t Next(int32_t bound) override
    {
        FBounds.push_back(bound);
        return FValue % bound;
    }
    std::vector<int32_t> FBounds;
    int32_t FValue = 0;
};

} // namespace kelto::testing
