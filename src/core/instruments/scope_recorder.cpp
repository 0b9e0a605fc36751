#include "core/instruments/scope_recorder.h"

#include <algorithm>
#include <array>

namespace kelto {

namespace {

bool HasValue(const TProbeReading& reading)
{
    return reading.Status != 3 && reading.Status != 4;
}

} // namespace

TScopeRecorder::TScopeRecorder(int32_t channelCount) : FSamples(channelCount)
{
}

void TScopeRecorder::ButtonRunClick()
{
    if (!FRunEnabled)
        return;
    FSampling = true;
    FRunEnabled = false;
    FStopEnabled = true;
    FClearEnabled = false;
    SetAxis(kPageSamples * (FSamples.Count() / kPageSamples));
}

void TScopeRecorder::ButtonStopClick()
{
    if (!FStopEnabled)
        return;
    FSampling = false;
    FRunEnabled = true;
    FStopEnabled = false;
    FClearEnabled = true;
    ++FVersion;
}

void TScopeRecorder::ButtonClearClick()
{
    if (!FClearEnabled)
        return;
    FSamples.Clear();
    SetAxis(0);
}

void TScopeRecorder::AppendReadings(std::span<const TProbeReading> readings)
{
    if (!FSampling)
        return;
    std::array<float, kMaxScopeChannels> values{};
    uint8_t nullMask = 0xFF;
    const size_t channels = std::min(readings.size(), values.size());
    for (size_t c = 0; c < channels; ++c)
        if (HasValue(readings[c])) {
            values[c] = static_cast<float>(readings[c].Value);
            nullMask &= static_cast<uint8_t>(~(1u << c));
        }
    FSamples.Append(values, nullMask);
    const int64_t n = FSamples.Count();
    // The page turns when its last sample is in, so the next one starts an empty page.
    if (n >= kPageSamples && n % kPageSamples == 0) {
        FAxisMinimum += kPageSamples;
        FAxisMaximum += kPageSamples;
        ++FViewVersion;
        ++FPageTurns;
    }
    ++FVersion;
}

void TScopeRecorder::Restore(const TScopeRecorder& saved)
{
    const uint64_t version = std::max(FVersion, saved.FVersion) + 1;
    const uint64_t viewVersion = std::max(FViewVersion, saved.FViewVersion) + 1;
    *this = saved;
    FVersion = version;
    FViewVersion = viewVersion;
}

TScopeScrollRange TScopeRecorder::ScrollRange() const
{
    const int64_t width = FAxisMaximum - FAxisMinimum;
    const int64_t lastX = FSamples.Count() - 1;
    TScopeScrollRange range;
    range.Minimum = std::min<int64_t>(0, FAxisMinimum);
    range.Maximum = std::max(lastX, FAxisMaximum) - width;
    range.Page = width;
    range.Value = FAxisMinimum;
    return range;
}

void TScopeRecorder::PanAxisTo(int64_t minimum)
{
    const TScopeScrollRange range = ScrollRange();
    SetAxis(std::clamp(minimum, range.Minimum, range.Maximum));
}

void TScopeRecorder::SetAxis(int64_t minimum)
{
    FAxisMinimum = minimum;
    FAxisMaximum = minimum + kPageSamples;
    ++FVersion;
    ++FViewVersion;
}

} // namespace kelto
