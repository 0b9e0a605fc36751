// Renders a run's sound script without a sound card: the synthesiser
// through FluidSynth with the window's soundfont and gain, the clips mixed in
// at their times; 44 100 Hz, 16-bit, stereo.
#pragma once

#include "core/sound/sound_script.h"
#include "platform/fluid_synth_engine.h"
#include "platform/wave_folders.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelto {

// Receives the rendered sound in order, a piece at a time: interleaved
// left, right.
using TSoundSink = std::function<void(std::span<const int16_t>)>;

// How many frames a run of this length renders to.
size_t RenderedFrames(int64_t lengthMicroseconds);

constexpr size_t kSoundPieceFrames = 65536;

// Renders piece by piece, so a long run never holds its whole sound; the
// samples do not depend on the piece size. Returns the clip files that could
// not be read, once each; nothing when the synthesiser or its soundfont
// cannot be had.
std::optional<std::vector<std::string>>
StreamSoundScript(const TSoundScript& script, int64_t lengthMicroseconds, const TWaveFolders& folders,
                  const TSoundSink& sink, size_t pieceFrames = kSoundPieceFrames,
                  const std::string& soundFont = kGeneralMidiSoundFont);

// The head of a RIFF/WAVE file of 16-bit PCM holding dataBytes of samples;
// empty when that is too long for one.
std::string WaveHeader16(uint64_t dataBytes, int32_t channels, int32_t sampleRate);
// The samples as the file holds them, little-endian.
void AppendSamples16(std::string& bytes, std::span<const int16_t> samples);

} // namespace kelto
