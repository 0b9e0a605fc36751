// What a long recording costs, measured on the heap: this program counts
// every byte allocated and freed, so it runs on its own.
#include "core/instruments/scope_recorder.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> gLiveBytes{0};

// Each block carries its size in front, so delete knows what it frees.
constexpr size_t kHeader = alignof(std::max_align_t);

void* CountedAllocate(size_t size)
{
    void* raw = std::malloc(size + kHeader);
    if (raw == nullptr)
        throw std::bad_alloc();
    *static_cast<size_t*>(raw) = size;
    gLiveBytes += static_cast<long long>(size);
    return static_cast<char*>(raw) + kHeader;
}

void CountedFree(void* pointer) noexcept
{
    if (pointer == nullptr)
        return;
    void* raw = static_cast<char*>(pointer) - kHeader;
    gLiveBytes -= static_cast<long long>(*static_cast<size_t*>(raw));
    std::free(raw);
}

} // namespace

void* operator new(size_t size)
{
    return CountedAllocate(size);
}
void* operator new[](size_t size)
{
    return CountedAllocate(size);
}
void operator delete(void* pointer) noexcept
{
    CountedFree(pointer);
}
void operator delete[](void* pointer) noexcept
{
    CountedFree(pointer);
}
void operator delete(void* pointer, size_t) noexcept
{
    CountedFree(pointer);
}
void operator delete[](void* pointer, size_t) noexcept
{
    CountedFree(pointer);
}

namespace kelto {
namespace {

// Ten minutes at a thousand ticks a second.
constexpr int64_t kTenMinuteSamples = 10 * 60 * 1000;

struct TMemoryCase {
    int32_t Channels;
    double MaxBytesPerSample;
};

TEST(ScopeMemory, TenMinuteRecordingCostsAFloatPerChannelAndAFlag)
{
    // 4 bytes per channel and one byte of null flags, plus the unfilled end
    // of the last block.
    const TMemoryCase cases[] = {{8, 33.5}, {1, 5.5}};
    for (const TMemoryCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Channels) + " channels");
        const long long before = gLiveBytes;
        TScopeRecorder scope(c.Channels);
        scope.ButtonRunClick();
        std::array<TProbeReading, kMaxScopeChannels> readings{};
        for (int32_t ch = 0; ch < kMaxScopeChannels; ++ch)
            readings[static_cast<size_t>(ch)] = {static_cast<uint8_t>(ch % 2 == 0 ? 0 : 4), 0.5};
        const auto channels = std::span(readings).first(static_cast<size_t>(c.Channels));
        for (int64_t i = 0; i < kTenMinuteSamples; ++i)
            scope.AppendReadings(channels);
        const long long used = gLiveBytes - before;
        const long long reported = static_cast<long long>(scope.Samples().AllocatedBytes());
        scope.ButtonStopClick();
        scope.ButtonClearClick();
        const long long leftAfterClear = gLiveBytes - before;

        EXPECT_LE(static_cast<double>(used) / kTenMinuteSamples, c.MaxBytesPerSample);
        EXPECT_LT(used, 100LL * 1000 * 1000 / 4) << "far below 100 MB";
        EXPECT_EQ(reported, used);
        EXPECT_EQ(leftAfterClear, 0) << "Clear gives the memory back";
    }
}

} // namespace
} // namespace kelto
