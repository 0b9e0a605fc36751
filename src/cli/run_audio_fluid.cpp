#include "cli/run_audio.h"

#include "core/files/atomic_file.h"
#include "core/sound/simulated_time.h"
#include "platform/offline_sound.h"

#include <limits>

namespace kelto::cli {

namespace {

constexpr int32_t kChannels = 2;
constexpr int32_t kRate = static_cast<int32_t>(kSynthSampleRate);
// The RIFF sizes are 32-bit.
constexpr double kLongestSeconds =
    static_cast<double>(std::numeric_limits<uint32_t>::max() - 36) / (kRate * kChannels * 2);

} // namespace

std::optional<std::string> AudioRefusal(double seconds)
{
    if (seconds > kLongestSeconds)
        return "--audio: a run of " + std::to_string(seconds) +
               " seconds is too long for a wave file (at most " +
               std::to_string(static_cast<int64_t>(kLongestSeconds)) + ")";
    TFluidSynthEngine probe;
    if (!probe.IsReady())
        return std::string("--audio: cannot load the soundfont ") + kGeneralMidiSoundFont;
    return std::nullopt;
}

TFileResult WriteRunAudio(const std::string& path, const TSoundScript& script, double seconds,
                          std::vector<std::string>& warnings)
{
    TFileWriter file;
    if (TFileResult opened = file.Open(path); !opened.Ok)
        return opened;
    const int64_t microseconds = MicrosecondsOf(seconds);
    file.Write(
        WaveHeader16(static_cast<uint64_t>(RenderedFrames(microseconds)) * kChannels * 2, kChannels, kRate));
    std::string bytes;
    const std::optional<std::vector<std::string>> missing =
        StreamSoundScript(script, microseconds, DefaultWaveFolders(), [&](std::span<const int16_t> piece) {
            bytes.clear();
            AppendSamples16(bytes, piece);
            file.Write(bytes);
        });
    if (!missing)
        return TFileResult::Failure(std::string("cannot load the soundfont ") + kGeneralMidiSoundFont);
    for (const std::string& source : *missing)
        warnings.push_back("voice clip " + source + " could not be read; it is silent in " + path);
    return file.Commit();
}

} // namespace kelto::cli
