// The two-phase commit and the per-class dispatch of one simulation tick.
#include "core/circuit/parts.h"
#include "core/numbers/double_bits.h"
#include "core/sim/sim_engine.h"

namespace kelto {

TSimEngine::TSimEngine(TdxFlowChart& canvas) : FCanvas(canvas), FNets(canvas)
{
}

void TSimEngine::CommitPendingPorts()
{
    for (TSimuPortInfo* record : FPendingPorts) {
        // Bit for bit, so that a NaN or a signed zero written counts as a change.
        if (record->FKind == record->FNextKind && record->FLevel == record->FNextLevel &&
            DoubleBits(record->FValue) == DoubleBits(record->FNextValue))
            continue;
        record->FKind = record->FNextKind;
        record->FLevel = record->FNextLevel;
        record->FValue = record->FNextValue;
        FNets.ForgetDrivers(record);
    }
}

void TSimEngine::SetHandler(TOwnerType type, THandler handler)
{
    if (!IsValidOwnerType(type))
        return;
    FNets.SetTicked(type, handler != nullptr);
    FHandlers[type] = std::move(handler);
    FDeviceTicks[type] = nullptr;
}

void TSimEngine::SetDeviceTick(TOwnerType type, TDeviceTick tick)
{
    if (!IsValidOwnerType(type))
        return;
    FNets.SetTicked(type, tick != nullptr);
    FDeviceTicks[type] = tick;
    FHandlers[type] = nullptr;
}

void TSimEngine::RunTick(const std::vector<TSimuPart*>& parts, double deltaTime, double newTime)
{
    FPendingPorts.clear();
    // Drivers kept from earlier ticks stay: commits and single-pin reads
    // mark the nets they change, and CheckSwitches compares the pins that
    // are written between ticks.
    FNets.CheckSwitches();
    if (FNetCacheOn) {
        FNets.MakeCurrent();
        FNets.Reserve(parts);
    }
    FInTick = true;
    FKeptReads = FNetCacheOn;
    for (TSimuPart* part : parts) {
        if (const TDeviceTick tick = FDeviceTicks[part->FOwnerType])
            tick(*this, *part, deltaTime);
        else if (const THandler& handler = FHandlers[part->FOwnerType])
            handler(*part, deltaTime, newTime);
    }
    FInTick = false;
    FKeptReads = false;
    CommitPendingPorts();
    // Nothing outside a tick may commit, and records may be freed between ticks.
    FPendingPorts.clear();
}

} // namespace kelto
