// Net traversal through wires, closed toggle switches and pressed keypad
// keys, and the reads that combine the drivers found on a net.
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

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

int32_t TSimEngine::IndexOfCanvasObject(const TdxFcObject* object) const
{
    return FCanvas.IndexOfObject(object);
}

void TSimEngine::Traverse(const TdxFcObject* pin)
{
    FNet.clear();
    const int32_t start = IndexOfCanvasObject(pin);
    if (start < 0)
        return;
    if (FVisited.size() < static_cast<size_t>(FCanvas.ObjectCount()))
        FVisited.resize(static_cast<size_t>(FCanvas.ObjectCount()), 0);
    const auto push = [this](const TdxFcObject* object) {
        const int32_t j = IndexOfCanvasObject(object);
        if (j >= 0 && !FVisited[static_cast<size_t>(j)]) {
            FVisited[static_cast<size_t>(j)] = 1;
            FNet.push_back(j);
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
            push(record->FLinks[0]);
        if (record->FOwnerType == otKeypad)
            for (int k = 0; k < 4; ++k)
                if (KeyJoins(*record, k))
                    push(record->FLinks[static_cast<size_t>(k)]);
    }
    for (int32_t j : FNet)
        FVisited[static_cast<size_t>(j)] = 0;
    std::sort(FNet.begin(), FNet.end());
}

int32_t TSimEngine::CollectNet(const TdxFcObject* pin, std::vector<int32_t>& list)
{
    Traverse(pin);
    list.insert(list.end(), FNet.begin(), FNet.end());
    return static_cast<int32_t>(FNet.size());
}

const TNetDrivers& TSimEngine::GatherDrivers(const TdxFcObject* pin)
{
    FDrivers.Analog.clear();
    FDrivers.Digital.clear();
    FDrivers.Motor.clear();
    FDrivers.Servo.clear();
    Traverse(pin);
    for (int32_t index : FNet) {
        const TSimuPortInfo* record = FCanvas.Objects(index)->UserData;
        if (record == nullptr)
            continue;
        switch (record->FKind) {
        case ANALOG_OUT: FDrivers.Analog.push_back(record->FValue); break;
        case DIGITAL_OUT: FDrivers.Digital.push_back(record->FLevel); break;
        case MOTOR_PWM_OUT: FDrivers.Motor.push_back(record->FValue); break;
        case SERVO_PWM_OUT: FDrivers.Servo.push_back(record->FValue); break;
        default: break;
        }
    }
    return FDrivers;
}

namespace {

bool AllHigh(const TNetDrivers& drivers)
{
    return std::all_of(drivers.Analog.begin(), drivers.Analog.end(), [](double a) { return a >= 0.5; }) &&
           std::all_of(drivers.Digital.begin(), drivers.Digital.end(), [](int32_t d) { return d >= 1; });
}

bool DigitalAllHigh(const TNetDrivers& drivers)
{
    return std::all_of(drivers.Digital.begin(), drivers.Digital.end(), [](int32_t d) { return d >= 1; });
}

// The lowest analogue value capped at 1.0, or 0.0 once any digital driver is low.
double AnalogLevel(const TNetDrivers& drivers)
{
    if (!DigitalAllHigh(drivers))
        return 0.0;
    double v = 1.0;
    for (double a : drivers.Analog)
        v = std::min(a, v);
    return v;
}

} // namespace

int16_t TSimEngine::ReadPinLevel(const TdxFcObject* pin)
{
    const TNetDrivers& drivers = GatherDrivers(pin);
    if (drivers.Analog.empty() && drivers.Digital.empty())
        return -1;
    return AllHigh(drivers) ? 1 : 0;
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
    return {0, AnalogLevel(d)};
}

int32_t TSimEngine::ReadMcuPinLevel(int32_t pinIndex)
{
    if (FMcu == nullptr)
        return 0;
    const TNetDrivers& drivers = GatherDrivers(FMcu->Pin(pinIndex));
    if (drivers.Analog.empty() && drivers.Digital.empty())
        return 1;
    return AllHigh(drivers) ? 1 : 0;
}

double TSimEngine::ReadMcuPinAnalog(int32_t pinIndex)
{
    if (FMcu == nullptr)
        return 0.0;
    const TNetDrivers& drivers = GatherDrivers(FMcu->Pin(pinIndex));
    if (drivers.Analog.empty() && drivers.Digital.empty())
        return 0.0;
    return AnalogLevel(drivers);
}

} // namespace kelto
