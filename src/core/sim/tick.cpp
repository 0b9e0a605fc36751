// The two-phase commit and the per-class dispatch of one simulation tick.
#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

namespace kelto {

TSimEngine::TSimEngine(TdxFlowChart& canvas) : FCanvas(canvas), FNets(canvas)
{
}

void TSimEngine::CommitPendingPorts()
{
    for (TSimuPortInfo* record : FPendingPorts) {
        record->FKind = record->FNextKind;
        record->FLevel = record->FNextLevel;
        record->FValue = record->FNextValue;
    }
}

void TSimEngine::SetHandler(TOwnerType type, THandler handler)
{
    if (!IsValidOwnerType(type))
        return;
    FHandlers[type] = std::move(handler);
    FDeviceTicks[type] = nullptr;
}

void TSimEngine::SetDeviceTick(TOwnerType type, TDeviceTick tick)
{
    if (!IsValidOwnerType(type))
        return;
    FDeviceTicks[type] = tick;
    FHandlers[type] = nullptr;
}

void TSimEngine::RunTick(const std::vector<TSimuPart*>& parts, double deltaTime, double newTime)
{
    FPendingPorts.clear();
    // Pins may have been written between ticks: drivers gathered before are stale.
    ++FReadEpoch;
    FNets.CheckSwitches();
    FInTick = true;
    for (TSimuPart* part : parts) {
        if (const TDeviceTick tick = FDeviceTicks[part->FOwnerType])
            tick(*this, *part, deltaTime);
        else if (const THandler& handler = FHandlers[part->FOwnerType])
            handler(*part, deltaTime, newTime);
    }
    FInTick = false;
    CommitPendingPorts();
    // Nothing outside a tick may commit, and records may be freed between ticks.
    FPendingPorts.clear();
}

} // namespace kelto
