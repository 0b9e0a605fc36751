// The recording of an oscilloscope: per tick one value per channel, each
// either a level 0..1 or a null point that breaks the trace.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kelto {

constexpr int32_t kMaxScopeChannels = 8;

struct TScopePoint {
    float Y = 0.0f;
    bool Null = true;
    bool operator==(const TScopePoint&) const = default;
};

// Values are kept as floats with one null bit per channel, in fixed blocks,
// so a sample costs 4 bytes per channel plus one byte, and growing the
// recording never copies what is already recorded. A copy shares the blocks
// (a snapshot costs nothing); a block is copied only when one holder writes
// over samples another may still show.
class TScopeSamples {
public:
    // channelCount is clamped to 1..kMaxScopeChannels.
    explicit TScopeSamples(int32_t channelCount);

    int32_t ChannelCount() const { return FChannelCount; }
    int64_t Count() const { return FCount; }

    // One sample: values[c] for channel c, null where bit c of nullMask is set
    // (its stored Y is 0). Channels beyond values.size() are null.
    void Append(std::span<const float> values, uint8_t nullMask);
    // A null point outside the channels or the recording.
    TScopePoint Point(int32_t channel, int64_t index) const;
    void Clear();

    // Bytes held for the recorded values, blocks and their index together.
    size_t AllocatedBytes() const;

    static constexpr int64_t kBlockSamples = 4096;

private:
    struct TBlock {
        std::unique_ptr<float[]> Values; // kBlockSamples x channel count, sample-major
        std::array<uint8_t, kBlockSamples> NullMasks{};
        int64_t Written = 0; // samples any holder wrote into it
    };
    std::shared_ptr<TBlock> NewBlock() const;

    int32_t FChannelCount;
    int64_t FCount = 0;
    std::vector<std::shared_ptr<TBlock>> FBlocks;
};

} // namespace kelto
