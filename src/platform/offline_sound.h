// Renders a run's sound script without a sound card: the synthesiser
// through FluidSynth with the window's soundfont and gain, the clips mixed in
// at their times; 44 100 Hz, 16-bit, stereo.
#pragma once

#include "core/sound/sound_script.h"
#include "platform/fluid_synth_engine.h"
#include "platform/wave_folders.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelto {

struct TRenderedSound {
    std::vector<int16_t> Samples;     // interleaved left, right
    std::vector<std::string> Missing; // clip files that could not be read, once each
};

// Nothing when the synthesiser or its soundfont cannot be had.
std::optional<TRenderedSound> RenderSoundScript(const TSoundScript& script, int64_t lengthMicroseconds,
                                                const TWaveFolders& folders,
                                                const std::string& soundFont = kGeneralMidiSoundFont);

// A RIFF/WAVE file of 16-bit PCM; empty when the data is too long for one.
std::string EncodeWave16(const std::vector<int16_t>& interleaved, int32_t channels, int32_t sampleRate);

} // namespace kelto
