// Gates, edge-triggered flip-flops with asynchronous set and reset, and the
// clocked latch array of the output expander.
#include "core/devices/logic_handlers.h"

#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

namespace kelto {

namespace {

// Undriven (-1) counts as high; only a net driven low is low.
bool High(int16_t level)
{
    return level != 0;
}

bool DrivenLow(int16_t level)
{
    return level == 0;
}

bool InputHigh(TSimEngine& engine, const TSimuPart& part, int pin)
{
    return High(engine.ReadPinLevel(part.Port(pin)));
}

void DriveOutput(TSimEngine& engine, const TSimuPart& part, int pin, int level)
{
    if (TSimuPortInfo* record = part.Port(pin)) {
        record->FNextKind = DIGITAL_OUT;
        record->FNextLevel = level;
        engine.QueuePort(*record);
    }
}

template <typename TRule> void UpdateGate(TSimEngine& engine, TSimuGate& gate, TRule rule)
{
    const int outputPin = gate.PinCount() - 1;
    const bool a = InputHigh(engine, gate, 0);
    const bool b = outputPin > 1 && InputHigh(engine, gate, 1);
    DriveOutput(engine, gate, outputPin, rule(a, b) ? 1 : 0);
}

struct TFlipFlopState {
    uint8_t Q;
    uint8_t QBar;
};

// The asynchronous inputs, active low; false when neither is active.
bool ApplySetReset(int16_t set, int16_t reset, TFlipFlopState& state)
{
    if (DrivenLow(set) && !DrivenLow(reset))
        state = {1, 0};
    else if (!DrivenLow(set) && DrivenLow(reset))
        state = {0, 1};
    else if (DrivenLow(set))
        state = {1, 1};
    else
        return false;
    return true;
}

// Outputs are written only on a change, so they always show the stored state.
template <typename TFlipFlop>
void StoreState(TSimEngine& engine, TFlipFlop& flipFlop, TFlipFlopState state, int qPin)
{
    if (state.Q == flipFlop.FQ && state.QBar == flipFlop.FQBar)
        return;
    flipFlop.FQ = state.Q;
    flipFlop.FQBar = state.QBar;
    DriveOutput(engine, flipFlop, qPin, state.Q);
    DriveOutput(engine, flipFlop, qPin + 1, state.QBar);
}

} // namespace

void UpdateNOTGate(TSimEngine& engine, TSimuGate& gate)
{
    UpdateGate(engine, gate, [](bool a, bool) { return !a; });
}

void UpdateANDGate(TSimEngine& engine, TSimuGate& gate)
{
    UpdateGate(engine, gate, [](bool a, bool b) { return a && b; });
}

void UpdateORGate(TSimEngine& engine, TSimuGate& gate)
{
    UpdateGate(engine, gate, [](bool a, bool b) { return a || b; });
}

void UpdateANDNGate(TSimEngine& engine, TSimuGate& gate)
{
    UpdateGate(engine, gate, [](bool a, bool b) { return !(a && b); });
}

void UpdateORNGate(TSimEngine& engine, TSimuGate& gate)
{
    UpdateGate(engine, gate, [](bool a, bool b) { return !(a || b); });
}

void UpdateDFlipFlop(TSimEngine& engine, TSimuDFlipFlop& flipFlop)
{
    enum { kSet, kD, kClock, kReset, kQ };
    const int16_t set = engine.ReadPinLevel(flipFlop.Port(kSet));
    const bool d = InputHigh(engine, flipFlop, kD);
    const bool clock = InputHigh(engine, flipFlop, kClock);
    const int16_t reset = engine.ReadPinLevel(flipFlop.Port(kReset));
    TFlipFlopState state{flipFlop.FQ, flipFlop.FQBar};
    if (!ApplySetReset(set, reset, state) && clock && flipFlop.FLastClock == 0)
        state = {static_cast<uint8_t>(d ? 1 : 0), static_cast<uint8_t>(d ? 0 : 1)};
    StoreState(engine, flipFlop, state, kQ);
    flipFlop.FLastClock = clock ? 1 : 0;
}

void UpdateJKFlipFlop(TSimEngine& engine, TSimuJKFlipFlop& flipFlop)
{
    enum { kSet, kJ, kClock, kK, kReset, kQ };
    const int16_t set = engine.ReadPinLevel(flipFlop.Port(kSet));
    const bool j = InputHigh(engine, flipFlop, kJ);
    const bool clock = InputHigh(engine, flipFlop, kClock);
    const bool k = InputHigh(engine, flipFlop, kK);
    const int16_t reset = engine.ReadPinLevel(flipFlop.Port(kReset));
    TFlipFlopState state{flipFlop.FQ, flipFlop.FQBar};
    if (!ApplySetReset(set, reset, state) && flipFlop.FLastClock != 0 && !clock) {
        if (!j && k)
            state = {0, 1};
        else if (j && !k)
            state = {1, 0};
        else if (j && k) // each output inverts on its own, so (1, 1) toggles to (0, 0)
            state = {static_cast<uint8_t>(flipFlop.FQ ^ 1), static_cast<uint8_t>(flipFlop.FQBar ^ 1)};
    }
    StoreState(engine, flipFlop, state, kQ);
    flipFlop.FLastClock = clock ? 1 : 0;
}

void UpdateOutExpander(TSimEngine& engine, TSimuOutExpander& expander)
{
    constexpr int kAddressPin0 = 8;
    constexpr int kClockPin = 11;
    constexpr int kOutputPin0 = 12;
    constexpr int kGroupBits = 8;
    const auto old = expander.FLatches;
    const bool clock = InputHigh(engine, expander, kClockPin);
    if (clock && expander.FLastClock == 0) {
        int group = 0;
        for (int i = 0; i < 3; ++i)
            if (InputHigh(engine, expander, kAddressPin0 + i))
                group |= 1 << i;
        for (int bit = 0; bit < kGroupBits; ++bit)
            expander.FLatches[static_cast<size_t>(kGroupBits * group + bit)] =
                InputHigh(engine, expander, bit) ? 1 : 0;
    }
    for (size_t m = 0; m < expander.FLatches.size(); ++m)
        if (expander.FLatches[m] != old[m])
            DriveOutput(engine, expander, kOutputPin0 + static_cast<int>(m), expander.FLatches[m]);
    expander.FLastClock = clock ? 1 : 0;
}

} // namespace kelto
