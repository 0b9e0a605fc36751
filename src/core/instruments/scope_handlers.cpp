#include "core/instruments/scope_handlers.h"

#include "core/circuit/parts.h"
#include "core/instruments/scope_recorder.h"

#include <algorithm>
#include <array>

namespace kelto {

namespace {

void RecordProbe(TSimEngine& engine, TScopeRecorder& recorder, const TSimuPart& probe)
{
    if (!recorder.Sampling())
        return;
    std::array<TProbeReading, kMaxScopeChannels> readings{};
    const int32_t channels = std::min(recorder.ChannelCount(), probe.PinCount());
    for (int32_t c = 0; c < channels; ++c)
        readings[static_cast<size_t>(c)] = engine.ProbePin(probe.Port(c));
    recorder.AppendReadings(std::span(readings).first(static_cast<size_t>(channels)));
}

} // namespace

void UpdateOScopes(TSimEngine& engine, TScopeRecorder& recorder, const TSimuOScopes& probe)
{
    RecordProbe(engine, recorder, probe);
}

void UpdateAudioas(TSimEngine& engine, TScopeRecorder& recorder, const TSimuAudioas& probe)
{
    RecordProbe(engine, recorder, probe);
}

void InstallScopeHandlers(TSimEngine& engine, TScopeRecorder& oscopes, TScopeRecorder& audioas,
                          std::function<bool(const TSimuPart&)> inSlot)
{
    engine.SetHandler(otOScopes, [&engine, &oscopes, inSlot](TSimuPart& part, double, double) {
        if (inSlot(part))
            UpdateOScopes(engine, oscopes, static_cast<const TSimuOScopes&>(part));
    });
    engine.SetHandler(otAudioas, [&engine, &audioas, inSlot](TSimuPart& part, double, double) {
        if (inSlot(part))
            UpdateAudioas(engine, audioas, static_cast<const TSimuAudioas&>(part));
    });
}

} // namespace kelto
