// The reads that combine the drivers found on a net.
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

#include <algorithm>

namespace kelto {

int32_t TSimEngine::IndexOfCanvasObject(const TdxFcObject* object) const
{
    return FCanvas.IndexOfObject(object);
}

int32_t TSimEngine::CollectNet(const TdxFcObject* pin, std::vector<int32_t>& list)
{
    FNets.Walk(pin, FNet);
    list.insert(list.end(), FNet.begin(), FNet.end());
    return static_cast<int32_t>(FNet.size());
}

const TNetDrivers& TSimEngine::GatherDrivers(const TdxFcObject* pin)
{
    if (!FNetCacheOn) {
        FNets.Walk(pin, FNet);
        FDrivers.Clear();
        for (int32_t index : FNet)
            if (const TSimuPortInfo* record = FCanvas.Objects(index)->UserData)
                FDrivers.Add(*record);
        FDrivers.Finish();
        return FDrivers;
    }
    if (!FInTick)
        FNets.CheckSwitches();
    TCachedNet* net = FNets.NetOf(pin);
    if (net == nullptr) {
        FDrivers.Clear();
        FDrivers.Finish();
        return FDrivers;
    }
    if (FInTick && net->DriversEpoch == FReadEpoch)
        return net->Drivers;
    net->Drivers.Clear();
    for (const TSimuPortInfo* record : net->Records)
        if (record != nullptr)
            net->Drivers.Add(*record);
    net->Drivers.Finish();
    net->DriversEpoch = FInTick ? FReadEpoch : 0;
    return net->Drivers;
}

int16_t TSimEngine::ReadPinLevel(const TdxFcObject* pin)
{
    const TNetDrivers& drivers = GatherDrivers(pin);
    if (!drivers.Driven)
        return -1;
    return drivers.AllHigh ? 1 : 0;
}

TProbeReading TSimEngine::ProbePin(const TdxFcObject* pin)
{
    const TNetDrivers& d = GatherDrivers(pin);
    const size_t nA = d.Analog.size();
    const size_t nD = d.Digital.size();
    const size_t nM = d.Motor.size();
    const size_t nS = d.Servo.size();
    if (nA + nD + nM + nS == 0)
        return {4, 0.0};
    if (nM == 1 && nA + nD + nS == 0)
        return {2, d.Motor.front()};
    if (nS == 1 && nA + nD + nM == 0)
        return {1, d.Servo.front()};
    if (nM + nS > 0)
        return {3, 0.0};
    return {0, d.AnalogLevel};
}

int32_t TSimEngine::ReadMcuPinLevel(int32_t pinIndex)
{
    if (FMcu == nullptr)
        return 0;
    const TNetDrivers& drivers = GatherDrivers(FMcu->Pin(pinIndex));
    if (!drivers.Driven)
        return 1;
    return drivers.AllHigh ? 1 : 0;
}

double TSimEngine::ReadMcuPinAnalog(int32_t pinIndex)
{
    if (FMcu == nullptr)
        return 0.0;
    const TNetDrivers& drivers = GatherDrivers(FMcu->Pin(pinIndex));
    if (!drivers.Driven)
        return 0.0;
    return drivers.AnalogLevel;
}

} // namespace kelto
