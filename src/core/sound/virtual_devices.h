// Sound devices that play nothing, a fixed or real local clock and two random
// sources: the runner's devices and the core's defaults when no front end
// supplies its own.
#pragma once

#include "core/sound/sound_interfaces.h"

#include <random>
#include <string>

namespace kelto {

// Accepts every note string and is done with it at once, so a PLAY wait ends
// at the next tick.
class TVirtualToneGenerator final : public IToneGenerator {
public:
    bool PlayString(std::string_view) override { return true; }
    bool IsPlaying() const override { return false; }
};

// Plays nothing; file clips exist when they are found below FFolder.
class TVirtualWavePlayer final : public IWavePlayer {
public:
    void PlayAsync(const std::string&) override {}
    void PlaySync(const std::string&) override {}
    bool FileExists(const std::string& path) const override;

    std::string FFolder;
};

// Every announcement is over as soon as it starts.
class TVirtualClockSpeaker final : public IClockSpeaker {
public:
    void StartClock() override {}
    bool ClockRunning() const override { return false; }
};

class TFixedClock final : public ILocalClock {
public:
    explicit TFixedClock(TLocalTime time = {}) : FTime(time) {}
    TLocalTime Now() const override { return FTime; }
    TLocalTime FTime;
};

class TSystemClock final : public ILocalClock {
public:
    TLocalTime Now() const override;
};

// A reproducible sequence from one seed (the runner's --seed, tests).
class TSeededRandom final : public IRandomSource {
public:
    explicit TSeededRandom(uint32_t seed) : FEngine(seed) {}
    int32_t Next(int32_t bound) override;
    // Whether both would give the same values from here on.
    bool SameState(const TSeededRandom& other) const { return FEngine == other.FEngine; }

private:
    std::mt19937 FEngine;
};

// Re-seeds from the clock before every value, as the dialect's RANDOM does.
class TClockSeededRandom final : public IRandomSource {
public:
    int32_t Next(int32_t bound) override;

private:
    std::mt19937 FEngine;
};

// A value 0..bound-1 without modulo bias; 0 when bound <= 0.
int32_t UniformBelow(std::mt19937& engine, int32_t bound);

} // namespace kelto
