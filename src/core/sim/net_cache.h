// Nets remembered between reads: the pins each pin is joined to, kept until
// the wiring, a toggle switch, a keypad key, a button or a wiper on a kept net
// changes, and the drivers found on a net, kept until a pin on it changes.
#pragma once

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/sim/net_drivers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace kelto {

// Every pin joined to one pin, in the order of their parts' bodies on the
// canvas and then of pin index (the order their pin objects once had).
// The pins sit in the cache's lists, so that a net of one pin (most of a
// large board) costs no allocation of its own.
struct TCachedNet {
    int32_t First = 0;
    int32_t Count = 0;
    TNetDrivers Drivers;
};

// A kept net's level as a pin read sees it: -1 undriven, 0 low, 1 high.
constexpr int8_t kDriversNotKept = 2;

// Pins are numbered densely, a part's pins together from the part's base,
// the bases given out as the walks meet the parts; a new numbering starts
// whenever the wiring changed, so a pin that never had a canvas object costs
// the cache two entries.
class TNetCache {
public:
    explicit TNetCache(TdxFlowChart& canvas) : FCanvas(canvas) {}

    // The straightforward walk: every pin joined to this one through wires,
    // closed toggle switches and pressed keypad keys, in net order.
    void Walk(const TSimuPortInfo* pin, std::vector<const TSimuPortInfo*>& net);

    // The pin's net, walked again when the canvas's wiring changed since it
    // was last walked; nullptr for a pin of no part on the canvas.
    TCachedNet* NetOf(const TSimuPortInfo* pin);
    // The same without walking: -1 unless the pin's net is kept and the
    // wiring has not changed since. Switches are not looked at.
    int32_t KeptNetNumber(const TSimuPortInfo* pin) const
    {
        return Stale() ? -1 : KeptNetNumberOfCurrent(pin);
    }
    // Starts over when the wiring changed or the nets were forgotten.
    void MakeCurrent()
    {
        if (Stale())
            Forget();
    }
    // Room for every pin of these parts in the per-pin list, and a net for
    // each part, once a new numbering starts: lists grown once rather than
    // doubled in steps keep a large board's peak down.
    void Reserve(const std::vector<TSimuPart*>& parts);
    // KeptNetNumber between MakeCurrent and the next change of the wiring
    // or the switches (none comes during a tick): every read of a tick
    // goes through here.
    int32_t KeptNetNumberOfCurrent(const TSimuPortInfo* pin) const
    {
        const int32_t number = NumberOf(pin);
        const int32_t entry = number < 0 ? -1 : FNetOf[static_cast<size_t>(number)];
        return entry < 0 ? -1 : entry >> 2;
    }
    TCachedNet& Net(int32_t number) { return FNets[static_cast<size_t>(number)]; }

    // Whether a net's Drivers still add up its pins as they are, and the
    // level they read as. Kept for each pin of the net, densely by pin
    // number: most reads of a tick need no more than the pin's own entry.
    int8_t KeptLevel(const TCachedNet& net) const
    {
        return LevelIn(FNetOf[static_cast<size_t>(FNumbers[static_cast<size_t>(net.First)])]);
    }
    std::span<const TSimuPortInfo* const> Records(const TCachedNet& net) const
    {
        return {FRecords.data() + net.First, static_cast<size_t>(net.Count)};
    }
    // KeptLevel of the pin's net between MakeCurrent and the next change.
    int8_t KeptLevelOfCurrent(const TSimuPortInfo* pin) const
    {
        const int32_t number = NumberOf(pin);
        return number < 0 ? kDriversNotKept : LevelIn(FNetOf[static_cast<size_t>(number)]);
    }
    void KeepDrivers(const TCachedNet& net)
    {
        SetLevel(net, static_cast<int8_t>(!net.Drivers.Driven ? -1 : net.Drivers.AllHigh ? 1 : 0));
    }
    void ForgetDrivers(const TCachedNet& net) { SetLevel(net, kDriversNotKept); }
    // Marks the drivers kept for the pin's net as stale.
    void ForgetDrivers(const TSimuPortInfo* pin)
    {
        if (const int32_t number = KeptNetNumber(pin); number >= 0)
            ForgetDrivers(Net(number));
    }

    // Switches, keys and the pins of parts nothing ticks (buttons, wipers,
    // test sources) are plain fields anyone may set between ticks, so they
    // are compared rather than announced: forgets every net when one on a
    // kept net moved. Nothing moves them during a tick, so once a tick is
    // enough. The pins of ticked parts change only through the engine.
    void CheckSwitches();
    // Every kept net and driver list: the pins were put back from a snapshot.
    void ForgetAll() { FValid = false; }
    void SetTicked(TOwnerType type, bool ticked);

private:
    // Forgotten, or walked before the wiring last changed.
    bool Stale() const { return !FValid || FWiringVersion != FCanvas.WiringVersion(); }
    // The pin's number in the present numbering; -1 before its part has one.
    int32_t NumberOf(const TSimuPortInfo* pin) const
    {
        const TSimuPart* owner = pin == nullptr ? nullptr : pin->FOwner;
        return owner == nullptr || owner->FNetRound != FRound ? -1 : owner->FNetBase + pin->FPinIndex;
    }
    // The same, numbering the part's pins first; -1 for a part not on this canvas.
    int32_t Number(const TSimuPortInfo* pin);
    bool Watched(TOwnerType type) const;
    static void AppendState(const TSimuPart* part, std::vector<uint8_t>& state);
    void Forget();
    void Watch(const TSimuPart* part);
    void SetLevel(const TCachedNet& net, int8_t level)
    {
        for (int32_t k = net.First; k < net.First + net.Count; ++k)
        {
            int32_t& entry = FNetOf[static_cast<size_t>(FNumbers[static_cast<size_t>(k)])];
            entry = Entry(entry >> 2, level);
        }
    }

    TdxFlowChart& FCanvas;
    uint64_t FWiringVersion = 0;
    bool FValid = false;
    bool FReserved = false;
    uint32_t FRound = 0;
    // The parts CheckSwitches compares, met on kept nets, and their state as
    // the walks saw it, in the same order.
    std::vector<const TSimuPart*> FWatched;
    std::vector<uint8_t> FWatchedState;
    std::vector<uint8_t> FNow;
    std::array<bool, kOwnerTypeCount> FTicked{};
    // Pin number -> its net's number and kept level, as Entry makes them;
    // -1 not walked yet. A walk marks the pins it met with Marked(entry)
    // until it ends.
    std::vector<int32_t> FNetOf;
    static int32_t Entry(int32_t net, int8_t level) { return net << 2 | (level + 1); }
    static int8_t LevelIn(int32_t entry)
    {
        return entry < 0 ? kDriversNotKept : static_cast<int8_t>((entry & 3) - 1);
    }
    static int32_t Marked(int32_t entry) { return -3 - entry; }
    std::vector<TCachedNet> FNets;
    std::vector<const TSimuPortInfo*> FRecords; // the nets' pins, net after net
    std::vector<int32_t> FNumbers;             // the same pins' numbers
    std::vector<const TSimuPortInfo*> FStack;
    std::vector<std::pair<uint64_t, const TSimuPortInfo*>> FOrder;
    std::vector<const TSimuPortInfo*> FWalk;
};

} // namespace kelto
