// The microcontroller's whole-port writes and reads, single-pin reads of
// port C and the analogue-to-digital conversion.
#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

#include <algorithm>
#include <cmath>

namespace kelto {

const std::array<int32_t, 31> McuPortPinMap{
    22, 23, 24, 25, 26, 27, 0,      // PC0..PC6 for the single-pin reads
    13, 14, 15, 16, 17, 18, 8,  9,  // PB0..PB7
    22, 23, 24, 25, 26, 27, 0,  -1, // PC0..PC7
    1,  2,  3,  4,  5,  10, 11, 12, // PD0..PD7
};

namespace {

int PortBase(TMcuPort port)
{
    switch (port) {
    case TMcuPort::B: return kPortBBase;
    case TMcuPort::C: return kPortCBase;
    case TMcuPort::D: return kPortDBase;
    }
    return kPortBBase;
}

} // namespace

TSimuPortInfo* TSimEngine::McuPortRecord(int entry) const
{
    if (FMcu == nullptr || entry < 0 || entry >= static_cast<int>(McuPortPinMap.size()))
        return nullptr;
    return FMcu->Port(McuPortPinMap[static_cast<size_t>(entry)]);
}

void TSimEngine::WritePortDirection(TMcuPort port, int16_t value)
{
    for (int b = 0; b < 8; ++b)
        if (TSimuPortInfo* record = McuPortRecord(PortBase(port) + b)) {
            record->FNextKind = (value >> b) & 1 ? DIGITAL_OUT : DIGITAL_IN;
            QueuePort(*record);
        }
}

void TSimEngine::WritePortOutput(TMcuPort port, int16_t value)
{
    for (int b = 0; b < 8; ++b)
        if (TSimuPortInfo* record = McuPortRecord(PortBase(port) + b)) {
            record->FNextLevel = (value >> b) & 1;
            QueuePort(*record);
        }
}

int16_t TSimEngine::ReadPortOutput(TMcuPort port) const
{
    int16_t result = 0;
    for (int b = 0; b < 8; ++b)
        if (const TSimuPortInfo* record = McuPortRecord(PortBase(port) + b); record && record->FLevel != 0)
            result = static_cast<int16_t>(result | (1 << b));
    return result;
}

int16_t TSimEngine::ReadPortInput(TMcuPort port)
{
    int16_t result = 0;
    for (int b = 0; b < 8; ++b) {
        const int entry = PortBase(port) + b;
        if (McuPortRecord(entry) != nullptr &&
            ReadMcuPinLevel(McuPortPinMap[static_cast<size_t>(entry)]) == 1)
            result = static_cast<int16_t>(result | (1 << b));
    }
    return result;
}

void TSimEngine::SetKindNow(TSimuPortInfo& record, TPortKind kind)
{
    if (record.FKind == kind)
        return;
    record.FKind = kind;
    FNets.ForgetDrivers(&record);
}

int16_t TSimEngine::ReadPortCPin(int32_t n)
{
    if (n < 0 || n > 6)
        return 0;
    TSimuPortInfo* record = McuPortRecord(n);
    if (record == nullptr)
        return 0;
    // The read turns the pin into an input at once, outside the two-phase rule.
    SetKindNow(*record, DIGITAL_IN);
    return static_cast<int16_t>(ReadMcuPinLevel(McuPortPinMap[static_cast<size_t>(n)]));
}

int16_t TSimEngine::ReadAnalogChannel(int32_t n)
{
    if (n < 0 || n > 5)
        return 0;
    TSimuPortInfo* record = McuPortRecord(n);
    if (record == nullptr)
        return 0;
    SetKindNow(*record, ANALOG_IN);
    const double scaled = ReadMcuPinAnalog(McuPortPinMap[static_cast<size_t>(n)]) * 1023.0;
    if (std::isnan(scaled))
        return 0;
    // nearbyint rounds ties to even in the default rounding mode.
    return static_cast<int16_t>(std::clamp(std::nearbyint(scaled), 0.0, 1023.0));
}

} // namespace kelto
