#include "core/instruments/scope_samples.h"

#include <algorithm>

namespace kelto {

TScopeSamples::TScopeSamples(int32_t channelCount)
    : FChannelCount(std::clamp(channelCount, int32_t{1}, kMaxScopeChannels))
{
}

void TScopeSamples::Append(std::span<const float> values, uint8_t nullMask)
{
    const int64_t slot = FCount % kBlockSamples;
    if (slot == 0) {
        auto block = std::make_unique<TBlock>();
        block->Values = std::make_unique<float[]>(static_cast<size_t>(kBlockSamples * FChannelCount));
        FBlocks.push_back(std::move(block));
    }
    TBlock& block = *FBlocks.back();
    float* row = &block.Values[static_cast<size_t>(slot * FChannelCount)];
    uint8_t mask = 0;
    for (int32_t c = 0; c < FChannelCount; ++c) {
        const bool null = static_cast<size_t>(c) >= values.size() || (nullMask >> c & 1) != 0;
        row[c] = null ? 0.0f : values[static_cast<size_t>(c)];
        mask |= static_cast<uint8_t>(null ? 1u << c : 0u);
    }
    block.NullMasks[static_cast<size_t>(slot)] = mask;
    ++FCount;
}

TScopePoint TScopeSamples::Point(int32_t channel, int64_t index) const
{
    if (channel < 0 || channel >= FChannelCount || index < 0 || index >= FCount)
        return {};
    const TBlock& block = *FBlocks[static_cast<size_t>(index / kBlockSamples)];
    const int64_t slot = index % kBlockSamples;
    if ((block.NullMasks[static_cast<size_t>(slot)] >> channel & 1) != 0)
        return {};
    return {block.Values[static_cast<size_t>(slot * FChannelCount + channel)], false};
}

void TScopeSamples::Clear()
{
    FBlocks.clear();
    FBlocks.shrink_to_fit();
    FCount = 0;
}

size_t TScopeSamples::AllocatedBytes() const
{
    const size_t perBlock =
        sizeof(TBlock) + sizeof(float) * static_cast<size_t>(kBlockSamples * FChannelCount);
    return FBlocks.size() * perBlock + FBlocks.capacity() * sizeof(std::unique_ptr<TBlock>);
}

} // namespace kelto
