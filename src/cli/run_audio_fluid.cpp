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
    const std::optional<TRenderedSound> sound =
        RenderSoundScript(script, MicrosecondsOf(seconds), DefaultWaveFolders());
    if (!sound)
        return TFileResult::Failure(std::string("cannot load the soundfont ") + kGeneralMidiSoundFont);
    for (const std::string& source : sound->Missing)
        warnings.push_back("voice clip " + source + " could not be read; it is silent in " + path);
    return WriteFileAtomically(path, EncodeWave16(sound->Samples, kChannels, kRate));
}

} // namespace kelto::cli
