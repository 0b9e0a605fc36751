// The simulation engine: the two-phase pin update, net traversal and reads,
// the microcontroller's port operations and the per-class tick dispatch.
#pragma once

#include "core/circuit/port_info.h"
#include "core/sim/net_cache.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelto {

class TdxFlowChart;
class TdxFcObject;
class TSimuPart;
class TSimuMCU;

struct TProbeReading {
    uint8_t Status = 4; // 0 level/analogue, 1 servo PWM, 2 motor PWM, 3 conflict, 4 undriven
    double Value = 0.0;
    bool operator==(const TProbeReading&) const = default;
};

enum class TMcuPort : uint8_t { B, C, D };

// Port bit -> microcontroller pin index; -1 where the bit has no pin (PC7).
// Entries 0..6 serve the single-pin reads, the ports start at 7, 15 and 23.
extern const std::array<int32_t, 31> McuPortPinMap;
constexpr int kPortBBase = 7;
constexpr int kPortCBase = 15;
constexpr int kPortDBase = 23;

class TSimEngine {
public:
    using THandler = std::function<void(TSimuPart& part, double deltaTime, double newTime)>;
    // A part type's own behaviour, called without the indirection of a THandler.
    using TDeviceTick = void (*)(TSimEngine& engine, TSimuPart& part, double deltaTime);

    explicit TSimEngine(TdxFlowChart& canvas);

    TdxFlowChart& Canvas() const { return FCanvas; }

    // Degrees per second of a motor at full duty; set by the speed test.
    double FMotorSpeedFactor = 200.0;

    // Two-phase update.
    void QueuePort(TSimuPortInfo& record) { FPendingPorts.push_back(&record); }
    void CommitPendingPorts();
    const std::vector<TSimuPortInfo*>& PendingPorts() const { return FPendingPorts; }

    // The tick: empty the pending list, run each part's handler in list
    // order, commit. Parts with no handler are skipped. Each setter replaces
    // whatever either of them set for the type before.
    void SetHandler(TOwnerType type, THandler handler);
    void SetDeviceTick(TOwnerType type, TDeviceTick tick);
    void RunTick(const std::vector<TSimuPart*>& parts, double deltaTime, double newTime);

    // Net traversal and reads by pin record; only current pin fields are
    // read. The drivers returned stay valid until the next read.
    int32_t CollectNet(const TSimuPortInfo* pin, std::vector<const TSimuPortInfo*>& list);
    const TNetDrivers& GatherDrivers(const TSimuPortInfo* pin)
    {
        // Most reads of a tick land on a net already gathered in it.
        if (FKeptReads)
            if (const int32_t number = FNets.KeptNetNumberOfCurrent(pin); number >= 0)
                return FNets.KeptLevel(FNets.Net(number)) != kDriversNotKept ? FNets.Net(number).Drivers
                                                                             : Regather(FNets.Net(number));
        return GatherDriversAgain(pin);
    }
    int16_t ReadPinLevel(const TSimuPortInfo* pin)
    {
        if (FKeptReads)
            if (const int8_t level = FNets.KeptLevelOfCurrent(pin); level != kDriversNotKept)
                return level;
        const TNetDrivers& drivers = GatherDrivers(pin);
        if (!drivers.Driven)
            return -1;
        return drivers.AllHigh ? 1 : 0;
    }
    TProbeReading ProbePin(const TSimuPortInfo* pin);

    // The microcontroller in its part slot; reads and writes do nothing
    // (and read 0) while none is placed.
    void SetMcu(TSimuMCU* mcu) { FMcu = mcu; }
    TSimuMCU* Mcu() const { return FMcu; }
    // The record of the pin behind McuPortPinMap[entry]; nullptr for PC7,
    // an entry out of range or no microcontroller.
    TSimuPortInfo* McuPortRecord(int entry) const;
    int32_t ReadMcuPinLevel(int32_t pinIndex);
    double ReadMcuPinAnalog(int32_t pinIndex);

    void WritePortDirection(TMcuPort port, int16_t value);
    void WritePortOutput(TMcuPort port, int16_t value);
    int16_t ReadPortOutput(TMcuPort port) const;
    int16_t ReadPortInput(TMcuPort port);
    int16_t ReadPortCPin(int32_t n);
    int16_t ReadAnalogChannel(int32_t n);

    // A current pin field written during a tick outside the two-phase rule
    // (the program's single-pin reads); readers later in the tick see it.
    void SetKindNow(TSimuPortInfo& record, TPortKind kind);
    // Off: every read walks its net again (the reference the kept nets are
    // measured and checked against).
    void SetNetCache(bool on) { FNetCacheOn = on; }
    // The pins changed behind the engine's back (a snapshot put back).
    void ForgetNets() { FNets.ForgetAll(); }

private:
    const TNetDrivers& GatherDriversAgain(const TSimuPortInfo* pin);
    const TNetDrivers& Regather(TCachedNet& net);

    TdxFlowChart& FCanvas;
    TSimuMCU* FMcu = nullptr;
    std::vector<TSimuPortInfo*> FPendingPorts;
    std::array<THandler, kOwnerTypeCount> FHandlers;
    std::array<TDeviceTick, kOwnerTypeCount> FDeviceTicks{};
    TNetCache FNets;
    bool FNetCacheOn = true;
    // Drivers gathered in a tick are kept across ticks; outside a tick
    // (where buttons and sliders write pins) every read gathers afresh.
    bool FInTick = false;
    // In a tick with the net cache on: the kept nets are current throughout.
    // One flag rather than FInTick && FNetCacheOn tested on every read: the
    // busy board ran about 5 % slower with the two.
    bool FKeptReads = false;
    // Scratch buffers reused by every walking read, so steady-state reads allocate nothing.
    std::vector<const TSimuPortInfo*> FNet;
    TNetDrivers FDrivers;
};

} // namespace kelto
