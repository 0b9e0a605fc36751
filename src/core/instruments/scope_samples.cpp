#include "core/instruments/scope_samples.h"

#include <algorithm>

namespace kelto {

TScopeSamples::TScopeSamples(int32_t channelCount)
    : FChannelCount(std::clamp(channelCount, int32_t{1}, kMaxScopeChannels))
{
}

std::shared_ptr<TScopeSamples::TBlock> TScopeSamples::NewBlock() const
{
    auto block = std::make_shared<TBlock>();
    block->Values = std::make_unique<float[]>(static_cast<size_t>(kBlockSamples * FChannelCount));
    return block;
}

void TScopeSamples::Append(std::span<const float> values, uint8_t nullMask)
{
    const int64_t slot = FCount % kBlockSamples;
    if (slot == 0)
        FBlocks.push_back(NewBlock());
    // Put back to an earlier count, this holder writes where a copy taken
    // later keeps its samples: the block becomes this holder's own.
    if (std::shared_ptr<TBlock>& shared = FBlocks.back(); shared->Written > slot && shared.use_count() > 1) {
        std::shared_ptr<TBlock> own = NewBlock();
        std::copy_n(shared->Values.get(), slot * FChannelCount, own->Values.get());
        own->NullMasks = shared->NullMasks;
        shared = std::move(own);
    }
    TBlock& block = *FBlocks.back();
    block.Written = std::max(block.Written, slot + 1);
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
    // make_shared keeps the counts beside the block: a vtable pointer and two counters.
    const size_t counts = sizeof(void*) + 2 * sizeof(int);
    const size_t perBlock =
        counts + sizeof(TBlock) + sizeof(float) * static_cast<size_t>(kBlockSamples * FChannelCount);
    return FBlocks.size() * perBlock + FBlocks.capacity() * sizeof(std::shared_ptr<TBlock>);
}

} // namespace kelto
