#include "core/devices/tick_handlers.h"

#include "core/circuit/parts.h"
#include "core/devices/analog_handlers.h"
#include "core/devices/display_handlers.h"
#include "core/devices/lcd1602_bus.h"
#include "core/devices/logic_handlers.h"
#include "core/sim/sim_engine.h"

namespace kelto {

namespace {

// Adapts a handler of one class to the engine's uniform signature.
template <typename TPart, void (*Handler)(TSimEngine&, TPart&)>
void Install(TSimEngine& engine, TOwnerType type)
{
    engine.SetHandler(
        type, [&engine](TSimuPart& part, double, double) { Handler(engine, static_cast<TPart&>(part)); });
}

} // namespace

// In the order the tick tests the classes. Parts that never react (resistor,
// switches, supply, ground, speaker, keypad, microphone) have no handler; the
// microcontroller's step and the oscilloscopes are installed by their owners.
void InstallDeviceHandlers(TSimEngine& engine)
{
    engine.SetHandler(otMotor, [&engine](TSimuPart& part, double deltaTime, double) {
        UpdateMotor(engine, static_cast<TSimuMotor&>(part), deltaTime);
    });
    Install<TSimuLEDA, UpdateLEDA>(engine, otLEDA);
    Install<TSimuLEDB, UpdateLEDB>(engine, otLEDB);
    Install<TSimuServo, UpdateServo>(engine, otServo);
    Install<TSimuSegDispTwo, UpdateSegDispTwo>(engine, otSegDispTwo);
    Install<TSimuSegDispSix, UpdateSegDispSix>(engine, otSegDispSix);
    Install<TSimuDotMat1616, UpdateDotMat1616>(engine, otDotMat1616);
    Install<TSimuDotMat3232, UpdateDotMat3232>(engine, otDotMat3232);
    Install<TSimuLCD1602, UpdateLCD1602>(engine, otLCD1602);
    Install<TSimuDAC8Bit, UpdateDAC8Bit>(engine, otDAC8Bit);
    Install<TSimuBitDisp, UpdateBitDisp>(engine, otBitDisp);
    Install<TSimuGate, UpdateNOTGate>(engine, otNOTGate);
    Install<TSimuGate, UpdateANDGate>(engine, otANDGate);
    Install<TSimuGate, UpdateORGate>(engine, otORGate);
    Install<TSimuGate, UpdateANDNGate>(engine, otANDNGate);
    Install<TSimuGate, UpdateORNGate>(engine, otORNGate);
    Install<TSimuDFlipFlop, UpdateDFlipFlop>(engine, otDFlipFlop);
    Install<TSimuJKFlipFlop, UpdateJKFlipFlop>(engine, otJKFlipFlop);
    Install<TSimuOutExpander, UpdateOutExpander>(engine, otOutExpander);
    Install<TSimuVoMeter, UpdateVoMeter>(engine, otVoMeter);
}

} // namespace kelto
