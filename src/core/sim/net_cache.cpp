// Net traversal through wires, closed toggle switches and pressed keypad
// keys, and the nets kept between reads.
#include "core/sim/net_cache.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"

#include <algorithm>
#include <atomic>

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

int32_t TNetCache::Number(const TSimuPortInfo* pin)
{
    if (const int32_t number = NumberOf(pin); number >= 0)
        return number;
    TSimuPart* owner = pin == nullptr ? nullptr : pin->FOwner;
    if (owner == nullptr || owner->FCanvas != &FCanvas || FCanvas.IndexOfObject(owner->FBody) < 0)
        return -1;
    owner->FNetRound = FRound;
    owner->FNetBase = static_cast<int32_t>(FNetOf.size());
    const size_t size = FNetOf.size() + static_cast<size_t>(owner->PinCount());
    FNetOf.resize(size, -1);
    return NumberOf(pin);
}

void TNetCache::Walk(const TSimuPortInfo* pin, std::vector<const TSimuPortInfo*>& net)
{
    MakeCurrent();
    net.clear();
    FOrder.clear();
    const auto push = [this](const TSimuPortInfo* record) {
        const int32_t j = Number(record);
        if (j >= 0 && FNetOf[static_cast<size_t>(j)] > -2) {
            FNetOf[static_cast<size_t>(j)] = Marked(FNetOf[static_cast<size_t>(j)]);
            const auto body = static_cast<uint64_t>(FCanvas.IndexOfObject(record->FOwner->FBody));
            FOrder.emplace_back(body << 32 | static_cast<uint32_t>(record->FPinIndex), record);
            FStack.push_back(record);
        }
    };
    FStack.clear();
    push(pin);
    while (!FStack.empty()) {
        const TSimuPortInfo* record = FStack.back();
        FStack.pop_back();
        if (const TdxFcObject* object = record->FOwner->MadePin(record->FPinIndex))
            for (const TdxFcObject* wired : object->WiredObjects())
                push(wired->UserData);
        if (record->FOwnerType == otZhaDaoSwitch && SwitchClosed(*record))
            push(LinkedPin(*record, 0));
        if (record->FOwnerType == otKeypad)
            for (int k = 0; k < 4; ++k)
                if (KeyJoins(*record, k))
                    push(LinkedPin(*record, k));
    }
    std::sort(FOrder.begin(), FOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, record] : FOrder) {
        int32_t& entry = FNetOf[static_cast<size_t>(NumberOf(record))];
        entry = Marked(entry);
        net.push_back(record);
    }
}

void TNetCache::Forget()
{
    static std::atomic<uint32_t> rounds{0};
    FWiringVersion = FCanvas.WiringVersion();
    FValid = true;
    // Unique across caches, so no part still carries a number of this round.
    FRound = ++rounds;
    FNetOf.clear();
    FReserved = false;
    FNets.clear();
    FRecords.clear();
    FNumbers.clear();
    FWatched.clear();
    FWatchedState.clear();
}

void TNetCache::Reserve(const std::vector<TSimuPart*>& parts)
{
    if (FReserved)
        return;
    FReserved = true;
    size_t pins = FNetOf.size();
    for (const TSimuPart* part : parts)
        pins += static_cast<size_t>(part->PinCount());
    FNetOf.reserve(pins);
    // Most parts read at least one net of their own.
    FNets.reserve(FNets.size() + parts.size());
    FRecords.reserve(FRecords.size() + parts.size());
    FNumbers.reserve(FNumbers.size() + parts.size());
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
    if (Stale()) {
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
TCachedNet* TNetCache::NetOf(const TSimuPortInfo* pin)
{
    MakeCurrent();
    const int32_t index = Number(pin);
    if (index < 0)
        return nullptr;
    if (const int32_t entry = FNetOf[static_cast<size_t>(index)]; entry >= 0)
        return &FNets[static_cast<size_t>(entry >> 2)];
    Walk(pin, FWalk);
    const auto number = static_cast<int32_t>(FNets.size());
    TCachedNet& net = FNets.emplace_back();
    net.First = static_cast<int32_t>(FRecords.size());
    net.Count = static_cast<int32_t>(FWalk.size());
    for (const TSimuPortInfo* record : FWalk) {
        const int32_t j = NumberOf(record);
        FRecords.push_back(record);
        FNumbers.push_back(j);
        FNetOf[static_cast<size_t>(j)] = Entry(number, kDriversNotKept);
        if (Watched(record->FOwner->FOwnerType))
            Watch(record->FOwner);
    }
    ForgetDrivers(net);
    return &net;
}

} // namespace kelto
