#include "platform/wave_file.h"

#include <algorithm>
#include <fstream>
#include <string_view>

namespace kelto {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kFormatChunkSize = 16;
// Far beyond any clip; keeps a stray large file from being read whole.
constexpr std::streamoff kLargestWaveFile = 64 << 20;

uint32_t Read32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool HasTag(std::span<const uint8_t> bytes, size_t at, std::string_view tag)
{
    return at + tag.size() <= bytes.size() &&
           std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

bool ReadFormat(std::span<const uint8_t> chunk, TWaveClip& clip)
{
    if (chunk.size() < kFormatChunkSize)
        return false;
    const uint16_t format = Read16(chunk, 0);
    clip.Channels = Read16(chunk, 2);
    clip.SampleRate = static_cast<int32_t>(std::min<uint32_t>(Read32(chunk, 4), 1000000));
    clip.BitsPerSample = Read16(chunk, 14);
    return (format == kFormatPcm || format == kFormatExtensible) &&
           (clip.Channels == 1 || clip.Channels == 2) && clip.SampleRate >= 1000 &&
           (clip.BitsPerSample == 8 || clip.BitsPerSample == 16);
}

} // namespace

std::optional<TWaveClip> ParseWave(std::span<const uint8_t> bytes)
{
    if (!HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE"))
        return std::nullopt;
    TWaveClip clip;
    bool formatRead = false;
    size_t at = 12;
    while (at + kChunkHeaderSize <= bytes.size()) {
        const size_t available = bytes.size() - at - kChunkHeaderSize;
        const size_t size = std::min<size_t>(Read32(bytes, at + 4), available);
        const std::span<const uint8_t> chunk = bytes.subspan(at + kChunkHeaderSize, size);
        if (HasTag(bytes, at, "fmt ")) {
            formatRead = ReadFormat(chunk, clip);
            if (!formatRead)
                return std::nullopt;
        } else if (HasTag(bytes, at, "data")) {
            if (!formatRead)
                return std::nullopt;
            const size_t whole = size - size % static_cast<size_t>(clip.FrameSize());
            clip.Samples.assign(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(whole));
            return clip;
        }
        at += kChunkHeaderSize + size + size % 2;
    }
    return std::nullopt;
}

std::optional<TWaveClip> LoadWaveFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kLargestWaveFile)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return ParseWave(bytes);
}

} // namespace kelto
