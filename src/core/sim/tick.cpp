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
    if (IsValidOwnerType(type))
        FHandlers[type] = std::move(handler);
}

void TSimEngine::RunTick(const std::vector<TSimuPart*>& parts, double deltaTime, double newTime)
{
    FPendingPorts.clear();
    // Pins may have been written between ticks: drivers gathered before are stale.
    ++FReadEpoch;
    FNets.CheckSwitches();
    FInTick = true;
    for (TSimuPart* part : parts) {
        const THandler& handler = FHandlers[part->FOwnerType];
        if (handler)
            handler(*part, deltaTime, newTime);
    }
    FInTick = false;
    CommitPendingPorts();
    // Nothing outside a tick may commit, and records may be freed between ticks.
    FPendingPorts.clear();
}

} // namespace kelto
