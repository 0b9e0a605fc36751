// Nets remembered between reads: the pins each pin is joined to, kept until
// the wiring, a toggle switch, a keypad key, a button or a wiper on a kept net
// changes, and the drivers found on a net, kept until a pin on it changes.
#pragma once

#include "core/canvas/flow_chart.h"
#include "core/sim/net_drivers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelto {

class TSimuPart;

// Every pin joined to one pin, in ascending canvas index order.
struct TCachedNet {
    std::vector<int32_t> Indices;
    std::vector<const TSimuPortInfo*> Records; // the records of those pins that have one
    TNetDrivers Drivers;
};

// A kept net's level as a pin read sees it: -1 undriven, 0 low, 1 high.
constexpr int8_t kDriversNotKept = 2;

class TNetCache {
public:
    explicit TNetCache(TdxFlowChart& canvas) : FCanvas(canvas) {}

    // The straightforward walk: every pin joined to this one through wires,
    // closed toggle switches and pressed keypad keys, ascending.
    void Walk(const TdxFcObject* pin, std::vector<int32_t>& net);

    // The pin's net, walked again when the canvas's wiring changed since it
    // was last walked; nullptr for an object not on the canvas.
    TCachedNet* NetOf(const TdxFcObject* pin);
    // The same without walking: -1 unless the pin's net is kept and the
    // wiring has not changed since. Switches are not looked at.
    int32_t KeptNetNumber(const TdxFcObject* pin) const
    {
        if (!FValid || FWiringVersion != FCanvas.WiringVersion())
            return -1;
        return KeptNetNumberOfCurrent(pin);
    }
    // Starts over when the wiring changed or the nets were forgotten.
    void MakeCurrent()
    {
        if (!FValid || FWiringVersion != FCanvas.WiringVersion())
            Forget();
    }
    // KeptNetNumber between MakeCurrent and the next change of the wiring
    // or the switches (none comes during a tick): every read of a tick
    // goes through here.
    int32_t KeptNetNumberOfCurrent(const TdxFcObject* pin) const
    {
        const int32_t index = FCanvas.IndexOfObject(pin);
        return index < 0 ? -1 : FNetOf[static_cast<size_t>(index)];
    }
    TCachedNet& Net(int32_t number) { return FNets[static_cast<size_t>(number)]; }

    // Whether a net's Drivers still add up its pins as they are, and the
    // level they read as. Kept for each pin of the net, densely by canvas
    // index: most reads of a tick need no more than the pin's own entry.
    int8_t KeptLevel(const TCachedNet& net) const { return FLevelOf[static_cast<size_t>(net.Indices.front())]; }
    // KeptLevel of the pin's net between MakeCurrent and the next change.
    int8_t KeptLevelOfCurrent(const TdxFcObject* pin) const
    {
        const int32_t index = FCanvas.IndexOfObject(pin);
        return index < 0 ? kDriversNotKept : FLevelOf[static_cast<size_t>(index)];
    }
    void KeepDrivers(const TCachedNet& net)
    {
        SetLevel(net, static_cast<int8_t>(!net.Drivers.Driven ? -1 : net.Drivers.AllHigh ? 1 : 0));
    }
    void ForgetDrivers(const TCachedNet& net) { SetLevel(net, kDriversNotKept); }
    // Marks the drivers kept for the pin's net as stale.
    void ForgetDrivers(const TdxFcObject* pin)
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
    bool Watched(TOwnerType type) const;
    static void AppendState(const TSimuPart* part, std::vector<uint8_t>& state);
    void Forget();
    void Watch(const TSimuPart* part);
    void SetLevel(const TCachedNet& net, int8_t level)
    {
        for (int32_t j : net.Indices)
            FLevelOf[static_cast<size_t>(j)] = level;
    }

    TdxFlowChart& FCanvas;
    uint64_t FWiringVersion = 0;
    bool FValid = false;
    // The parts CheckSwitches compares, met on kept nets, and their state as
    // the walks saw it, in the same order.
    std::vector<const TSimuPart*> FWatched;
    std::vector<uint8_t> FWatchedState;
    std::vector<uint8_t> FNow;
    std::array<bool, kOwnerTypeCount> FTicked{};
    std::vector<int32_t> FNetOf;   // canvas index -> net number, -1 not walked yet
    std::vector<TCachedNet> FNets; // kept across rebuilds so their buffers are reused
    std::vector<int8_t> FLevelOf;  // canvas index -> its net's kept level
    size_t FNetCount = 0;
    std::vector<uint8_t> FVisited;
    std::vector<int32_t> FStack;
    std::vector<int32_t> FWalk;
};

} // namespace kelto
