// What the interpreter needs from the outside world to make sound and read
// the time: implemented by the platform layer, the runner's virtual devices
// and test fakes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelto {

// The MIDI tone generator as the PLAY statement sees it.
class IToneGenerator {
public:
    virtual ~IToneGenerator() = default;
    // Starts a note string; false when nothing could be played.
    virtual bool PlayString(std::string_view text) = 0;
    virtual bool IsPlaying() const = 0;
};

// Wave clips named by their resource ("M_05WAV", "BS_XZWAV") or by a file path.
class IWavePlayer {
public:
    virtual ~IWavePlayer() = default;
    // Starts the clip and returns at once; a new clip replaces a sounding one.
    virtual void PlayAsync(const std::string& source) = 0;
    // Returns when the clip has ended (used by the clock thread only).
    virtual void PlaySync(const std::string& source) = 0;
    // Whether a file clip exists (clips 300..393 play only when present).
    virtual bool FileExists(const std::string& path) const = 0;
};

// The spoken clock's worker: at most one announcement at a time.
class IClockSpeaker {
public:
    virtual ~IClockSpeaker() = default;
    // Starts an announcement unless one is running.
    virtual void StartClock() = 0;
    virtual bool ClockRunning() const = 0;
};

struct TLocalTime {
    int32_t Hour = 0;   // 0..23
    int32_t Minute = 0; // 0..59
    int32_t Second = 0; // 0..59
    bool operator==(const TLocalTime&) const = default;
};

class ILocalClock {
public:
    virtual ~ILocalClock() = default;
    virtual TLocalTime Now() const = 0;
};

class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A uniformly distributed value in 0 .. bound-1; 0 when bound <= 0.
    virtual int32_t Next(int32_t bound) = 0;
};

} // namespace kelto
