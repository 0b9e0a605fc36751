// Net traversal through wires, closed toggle switches and pressed keypad
// keys, and the nets kept between reads.
#include "core/sim/net_cache.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"

#include <algorithm>

namespace kelto {

namespace {

bool SwitchClosed(const TSimuPortInfo& record)
{
    return record.FOwner != nullptr && record.FOwner->FOwnerType == otZhaDaoSwitch &&
           static_cast<const TSimuZhaDaoSwitch*>(record.FOwner)->FClosed != 0;
}

// The key that joins this keypad pin to the pin in its link slot k.
bool KeyJoins(const TSimuPortInfo& record, int k)
{
    if (record.FOwner == nullptr || record.FOwner->FOwnerType != otKeypad)
        return false;
    const auto& keypad = *static_cast<const TSimuKeypad*>(record.FOwner);
    const int p = record.FPinIndex;
    return p < 4 ? keypad.Key(k, p) != 0 : keypad.Key(p - 4, k) != 0;
}

} // namespace

void TNetCache::Walk(const TdxFcObject* pin, std::vector<int32_t>& net)
{
    net.clear();
    const int32_t start = FCanvas.IndexOfObject(pin);
    if (start < 0)
        return;
    if (FVisited.size() < static_cast<size_t>(FCanvas.ObjectCount()))
        FVisited.resize(static_cast<size_t>(FCanvas.ObjectCount()), 0);
    const auto push = [this, &net](const TdxFcObject* object) {
        const int32_t j = FCanvas.IndexOfObject(object);
        if (j >= 0 && !FVisited[static_cast<size_t>(j)]) {
            FVisited[static_cast<size_t>(j)] = 1;
            net.push_back(j);
            FStack.push_back(j);
        }
    };
    FStack.clear();
    push(pin);
    while (!FStack.empty()) {
        const TdxFcObject* object = FCanvas.Objects(FStack.back());
        FStack.pop_back();
        for (const TdxFcObject* wired : object->WiredObjects())
            push(wired);
        const TSimuPortInfo* record = object->UserData;
        if (record == nullptr)
            continue;
        if (record->FOwnerType == otZhaDaoSwitch && SwitchClosed(*record))
            push(LinkedPin(*record, 0));
        if (record->FOwnerType == otKeypad)
            for (int k = 0; k < 4; ++k)
                if (KeyJoins(*record, k))
                    push(LinkedPin(*record, k));
    }
    for (int32_t j : net)
        FVisited[static_cast<size_t>(j)] = 0;
    std::sort(net.begin(), net.end());
}

void TNetCache::Forget()
{
    FWiringVersion = FCanvas.WiringVersion();
    FValid = true;
    FNetOf.assign(static_cast<size_t>(FCanvas.ObjectCount()), -1);
    FLevelOf.assign(static_cast<size_t>(FCanvas.ObjectCount()), kDriversNotKept);
    FNetCount = 0;
    FWatched.clear();
    FWatchedState.clear();
}

void TNetCache::SetTicked(TOwnerType type, bool ticked)
{
    if (FTicked[type] == ticked)
        return;
    FTicked[type] = ticked;
    FValid = false;
}

bool TNetCache::Watched(TOwnerType type) const
{
    return type == otZhaDaoSwitch || type == otKeypad || !FTicked[type];
}

void TNetCache::AppendState(const TSimuPart* part, std::vector<uint8_t>& state)
{
    const auto append = [&state](const auto& field) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&field);
        state.insert(state.end(), bytes, bytes + sizeof field);
    };
    if (part->FOwnerType == otZhaDaoSwitch)
        append(static_cast<const TSimuZhaDaoSwitch*>(part)->FClosed);
    if (part->FOwnerType == otKeypad)
        append(static_cast<const TSimuKeypad*>(part)->FKeys);
    for (int32_t p = 0; p < part->PinCount(); ++p) {
        const TSimuPortInfo& record = *part->Port(p);
        append(record.FKind);
        append(record.FLevel);
        append(record.FValue);
    }
}

void TNetCache::Watch(const TSimuPart* part)
{
    if (std::find(FWatched.begin(), FWatched.end(), part) != FWatched.end())
        return;
    FWatched.push_back(part);
    AppendState(part, FWatchedState);
}

void TNetCache::CheckSwitches()
{
    // A watched part may have been deleted since: never look at it then.
    if (!FValid || FWiringVersion != FCanvas.WiringVersion()) {
        FValid = false;
        return;
    }
    FNow.clear();
    for (const TSimuPart* part : FWatched)
        AppendState(part, FNow);
    if (FNow != FWatchedState)
        FValid = false;
}

// Joining is symmetric (wires, switch and key links all go both ways), so
// a walk from any pin of a net finds the same pins and one walk serves them all.
TCachedNet* TNetCache::NetOf(const TdxFcObject* pin)
{
    MakeCurrent();
    const int32_t index = FCanvas.IndexOfObject(pin);
    if (index < 0)
        return nullptr;
    int32_t& slot = FNetOf[static_cast<size_t>(index)];
    if (slot >= 0)
        return &FNets[static_cast<size_t>(slot)];
    if (FNetCount == FNets.size())
        FNets.emplace_back();
    TCachedNet& net = FNets[FNetCount];
    const auto number = static_cast<int32_t>(FNetCount++);
    Walk(pin, FWalk);
    net.Indices.assign(FWalk.begin(), FWalk.end());
    net.Records.clear();
    for (int32_t j : net.Indices) {
        const TSimuPortInfo* record = FCanvas.Objects(j)->UserData;
        FNetOf[static_cast<size_t>(j)] = number;
        if (record == nullptr)
            continue;
        net.Records.push_back(record);
        if (record->FOwner != nullptr && Watched(record->FOwner->FOwnerType))
            Watch(record->FOwner);
    }
    ForgetDrivers(net);
    return &net;
}

} // namespace kelto
