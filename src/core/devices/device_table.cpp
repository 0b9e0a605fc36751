#include "core/devices/device_table.h"

#include "core/circuit/type_table.h"
#include "core/circuit/parts.h"
#include "core/devices/analog_handlers.h"
#include "core/devices/display_handlers.h"
#include "core/devices/lcd1602.h"
#include "core/devices/lcd1602_bus.h"
#include "core/devices/logic_handlers.h"
#include "core/devices/device_actions.h"
#include "core/sim/sim_engine.h"

namespace kelto {

namespace {

struct TDeviceRow {
    void (*Tick)(TSimEngine&, TSimuPart&, double deltaTime) = nullptr;
    void (*PowerOn)(TSimuPart&) = nullptr;
    void (*Press)(TSimuPart&, TPoint chartPoint) = nullptr;
    void (*Release)(TSimuPart&, TPoint chartPoint) = nullptr;
    void (*Click)(TSimuPart&) = nullptr;
};

// Adapts a handler of one class to the table's uniform signature.
template <typename TPart, void (*Handler)(TSimEngine&, TPart&)>
void Tick(TSimEngine& engine, TSimuPart& part, double)
{
    Handler(engine, static_cast<TPart&>(part));
}

void TickMotor(TSimEngine& engine, TSimuPart& part, double deltaTime)
{
    UpdateMotor(engine, static_cast<TSimuMotor&>(part), deltaTime);
}

void PowerOnLCD1602(TSimuPart& part)
{
    ResetController(static_cast<TSimuLCD1602&>(part));
}

void PressButtonAt(TSimuPart& part, TPoint)
{
    PressButton(static_cast<TSimuAnNiuSwitch&>(part));
}

void ReleaseButtonAt(TSimuPart& part, TPoint)
{
    ReleaseButton(static_cast<TSimuAnNiuSwitch&>(part));
}

void PressKeyAt(TSimuPart& part, TPoint chartPoint)
{
    auto& keypad = static_cast<TSimuKeypad&>(part);
    PressKey(keypad, KeyAtPoint(keypad, chartPoint));
}

void ReleaseKeyAt(TSimuPart& part, TPoint chartPoint)
{
    auto& keypad = static_cast<TSimuKeypad&>(part);
    ReleaseKey(keypad, KeyAtPoint(keypad, chartPoint));
}

void ClickToggle(TSimuPart& part)
{
    FlipSwitch(static_cast<TSimuZhaDaoSwitch&>(part));
}

// Parts that never react (resistor, switches, supply, ground, speaker,
// keypad, microphone) have no tick handler; the microcontroller's step is the
// board's and the oscilloscopes' are the instruments'.
constexpr TPartTable<TDeviceRow> kDevices = MakePartTable<TDeviceRow>({
    {otMotor, {TickMotor}},
    {otResistance, {}},
    {otLEDA, {Tick<TSimuLEDA, UpdateLEDA>}},
    {otLEDB, {Tick<TSimuLEDB, UpdateLEDB>}},
    {otAnNiuSwitch, {nullptr, nullptr, PressButtonAt, ReleaseButtonAt}},
    {otZhaDaoSwitch, {nullptr, nullptr, nullptr, nullptr, ClickToggle}},
    {otMCU, {}},
    {otVCC, {}},
    {otGND, {}},
    {otSpeaker, {}},
    {otKeypad, {nullptr, nullptr, PressKeyAt, ReleaseKeyAt}},
    {otMicphone, {}},
    {otServo, {Tick<TSimuServo, UpdateServo>}},
    {otSegDispTwo, {Tick<TSimuSegDispTwo, UpdateSegDispTwo>}},
    {otSegDispSix, {Tick<TSimuSegDispSix, UpdateSegDispSix>}},
    {otLCD1602, {Tick<TSimuLCD1602, UpdateLCD1602>, PowerOnLCD1602}},
    {otOScopes, {}},
    {otAudioas, {}},
    {otDAC8Bit, {Tick<TSimuDAC8Bit, UpdateDAC8Bit>}},
    {otBitDisp, {Tick<TSimuBitDisp, UpdateBitDisp>}},
    {otNOTGate, {Tick<TSimuGate, UpdateNOTGate>}},
    {otANDGate, {Tick<TSimuGate, UpdateANDGate>}},
    {otORGate, {Tick<TSimuGate, UpdateORGate>}},
    {otANDNGate, {Tick<TSimuGate, UpdateANDNGate>}},
    {otORNGate, {Tick<TSimuGate, UpdateORNGate>}},
    {otDFlipFlop, {Tick<TSimuDFlipFlop, UpdateDFlipFlop>}},
    {otJKFlipFlop, {Tick<TSimuJKFlipFlop, UpdateJKFlipFlop>}},
    {otOutExpander, {Tick<TSimuOutExpander, UpdateOutExpander>}},
    {otDotMat1616, {Tick<TSimuDotMat1616, UpdateDotMat1616>}},
    {otDotMat3232, {Tick<TSimuDotMat3232, UpdateDotMat3232>}},
    {otVoMeter, {Tick<TSimuVoMeter, UpdateVoMeter>}},
});

} // namespace

void InstallDeviceHandlers(TSimEngine& engine)
{
    for (int type = 0; type < kOwnerTypeCount; ++type)
        if (const auto tick = kDevices[static_cast<size_t>(type)].Tick)
            engine.SetDeviceTick(static_cast<TOwnerType>(type), tick);
}

std::unique_ptr<TSimuPart> CreateDevice(TOwnerType type, TdxFlowChart& canvas)
{
    std::unique_ptr<TSimuPart> part = CreatePart(type, canvas);
    if (part != nullptr)
        if (const auto powerOn = kDevices[type].PowerOn)
            powerOn(*part);
    return part;
}

void PressPart(TSimuPart& part, TPoint chartPoint)
{
    if (const auto press = kDevices[part.FOwnerType].Press)
        press(part, chartPoint);
}

void ReleasePart(TSimuPart& part, TPoint chartPoint)
{
    if (const auto release = kDevices[part.FOwnerType].Release)
        release(part, chartPoint);
}

void ClickPart(TSimuPart& part)
{
    if (const auto click = kDevices[part.FOwnerType].Click)
        click(part);
}

} // namespace kelto
