// The reads that combine the drivers found on a net.
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

namespace kelto {

int32_t TSimEngine::CollectNet(const TSimuPortInfo* pin, std::vector<const TSimuPortInfo*>& list)
{
    FNets.Walk(pin, FNet);
    list.insert(list.end(), FNet.begin(), FNet.end());
    return static_cast<int32_t>(FNet.size());
}

const TNetDrivers& TSimEngine::GatherDriversAgain(const TSimuPortInfo* pin)
{
    if (!FNetCacheOn) {
        FNets.Walk(pin, FNet);
        FDrivers.Clear();
        for (const TSimuPortInfo* record : FNet)
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
    if (FInTick && FNets.KeptLevel(*net) != kDriversNotKept)
        return net->Drivers;
    return Regather(*net);
}

const TNetDrivers& TSimEngine::Regather(TCachedNet& net)
{
    net.Drivers.Clear();
    for (const TSimuPortInfo* record : FNets.Records(net))
        net.Drivers.Add(*record);
    net.Drivers.Finish();
    // Pins written between ticks are only compared at the next tick.
    if (FInTick)
        FNets.KeepDrivers(net);
    else
        FNets.ForgetDrivers(net);
    return net.Drivers;
}

TProbeReading TSimEngine::ProbePin(const TSimuPortInfo* pin)
{
    const TNetDrivers& d = GatherDrivers(pin);
    const int32_t levels = d.AnalogCount + d.DigitalCount;
    if (levels + d.MotorCount + d.ServoCount == 0)
        return {4, 0.0};
    if (d.MotorCount == 1 && levels + d.ServoCount == 0)
        return {2, d.FirstMotor};
    if (d.ServoCount == 1 && levels + d.MotorCount == 0)
        return {1, d.FirstServo};
    if (d.MotorCount + d.ServoCount > 0)
        return {3, 0.0};
    return {0, d.AnalogLevel};
}

int32_t TSimEngine::ReadMcuPinLevel(int32_t pinIndex)
{
    if (FMcu == nullptr)
        return 0;
    const TNetDrivers& drivers = GatherDrivers(FMcu->Port(pinIndex));
    if (!drivers.Driven)
        return 1;
    return drivers.AllHigh ? 1 : 0;
}

double TSimEngine::ReadMcuPinAnalog(int32_t pinIndex)
{
    if (FMcu == nullptr)
        return 0.0;
    const TNetDrivers& drivers = GatherDrivers(FMcu->Port(pinIndex));
    if (!drivers.Driven)
        return 0.0;
    return drivers.AnalogLevel;
}

} // namespace kelto
