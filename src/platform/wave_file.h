// Uncompressed PCM wave files (RIFF/WAVE, 8- or 16-bit, mono or stereo):
// the voice clips and clock words.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelto {

struct TWaveClip {
    int32_t Channels = 0;
    int32_t SampleRate = 0;
    int32_t BitsPerSample = 0;    // 8 (unsigned) or 16 (signed little-endian)
    std::vector<uint8_t> Samples; // whole interleaved frames as stored

    int32_t FrameSize() const { return Channels * BitsPerSample / 8; }
    size_t FrameCount() const { return FrameSize() > 0 ? Samples.size() / FrameSize() : 0; }
    double Seconds() const { return SampleRate > 0 ? static_cast<double>(FrameCount()) / SampleRate : 0.0; }
};

// Nothing for a file that is not such a wave; a data chunk cut short keeps
// the whole frames that are there.
std::optional<TWaveClip> ParseWave(std::span<const uint8_t> bytes);
std::optional<TWaveClip> LoadWaveFile(const std::string& path);

} // namespace kelto
