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
    int32_t Number = 0;                        // its place in the cache
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
    // The same without walking: nullptr unless the pin's net is kept and
    // the wiring has not changed since. Switches are not looked at.
    int32_t KeptNetNumber(const TdxFcObject* pin) const
    {
        if (!FValid || FWiringVersion != FCanvas.WiringVersion())
            return -1;
        const int32_t index = FCanvas.IndexOfObject(pin);
        return index < 0 ? -1 : FNetOf[static_cast<size_t>(index)];
    }
    TCachedNet& Net(int32_t number) { return FNets[static_cast<size_t>(number)]; }

    // Whether a net's Drivers still add up its pins as they are, and the
    // level they read as. Kept apart from the nets, densely: most reads of
    // a tick need no more.
    int8_t KeptLevel(int32_t number) const { return FKeptLevels[static_cast<size_t>(number)]; }
    void KeepDrivers(const TCachedNet& net)
    {
        FKeptLevels[static_cast<size_t>(net.Number)] =
            static_cast<int8_t>(!net.Drivers.Driven ? -1 : net.Drivers.AllHigh ? 1 : 0);
    }
    void ForgetDrivers(const TCachedNet& net) { FKeptLevels[static_cast<size_t>(net.Number)] = kDriversNotKept; }
    // Marks the drivers kept for the pin's net as stale.
    void ForgetDrivers(const TdxFcObject* pin)
    {
        if (const int32_t number = KeptNetNumber(pin); number >= 0)
            FKeptLevels[static_cast<size_t>(number)] = kDriversNotKept;
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
    std::vector<int8_t> FKeptLevels;
    size_t FNetCount = 0;
    std::vector<uint8_t> FVisited;
    std::vector<int32_t> FStack;
    std::vector<int32_t> FWalk;
};

} // namespace kelto
