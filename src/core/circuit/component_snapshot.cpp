#include "core/circuit/component_snapshot.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/type_table.h"

#include <algorithm>
#include <cstdint>

namespace kelto {

namespace {

struct TStateRow {
    TPartState (*Save)(const TSimuPart& part, const TPartState& earlier) = nullptr;
    void (*Restore)(TSimuPart& part, const void* state) = nullptr;
    size_t Bytes = 0;
};

template <class TState> TPartState Shared(const TState& state, const TPartState& earlier)
{
    if (earlier != nullptr && *static_cast<const TState*>(earlier.get()) == state)
        return earlier;
    return std::make_shared<const TState>(state);
}

template <class TPart, class TState> TPartState SaveFields(const TSimuPart& part, const TPartState& earlier)
{
    return Shared<TState>(static_cast<const TPart&>(part), earlier);
}

template <class TPart, class TState> void RestoreFields(TSimuPart& part, const void* state)
{
    static_cast<TState&>(static_cast<TPart&>(part)) = *static_cast<const TState*>(state);
}

template <class TPart, class TState> constexpr TStateRow Fields()
{
    return {SaveFields<TPart, TState>, RestoreFields<TPart, TState>, sizeof(TState)};
}

// The wiper is a canvas object: its place on the track, and its exact pixel
// position, which a drag may have rounded otherwise than the place, from the
// part's body, which may have been moved since.
struct TWiperState {
    double Position = 0.0;
    int64_t Left = 0;
    int64_t Top = 0;
    bool operator==(const TWiperState&) const = default;
};

TPartState SaveWiper(const TSimuPart& part, const TPartState& earlier)
{
    const TdxFcObject* slider = static_cast<const TSimuResistance&>(part).FSlider;
    if (slider == nullptr)
        return nullptr;
    return Shared(TWiperState{slider->SliderPosition(), int64_t{slider->Left()} - part.FBody->Left(),
                              int64_t{slider->Top()} - part.FBody->Top()},
                  earlier);
}

void RestoreWiper(TSimuPart& part, const void* state)
{
    TdxFcObject* slider = static_cast<TSimuResistance&>(part).FSlider;
    const auto& wiper = *static_cast<const TWiperState*>(state);
    part.FCanvas->SetSliderPosition(slider, wiper.Position);
    const auto at = [](int64_t place) {
        return static_cast<int32_t>(std::clamp<int64_t>(place, INT32_MIN, INT32_MAX));
    };
    slider->SetBounds(at(part.FBody->Left() + wiper.Left), at(part.FBody->Top() + wiper.Top), slider->Width(),
                      slider->Height());
}

constexpr TStateRow kNoState{};

constexpr TPartTable<TStateRow> kStates = MakePartTable<TStateRow>({
    {otMotor, Fields<TSimuMotor, TMotorState>()},
    {otResistance, {SaveWiper, RestoreWiper, sizeof(TWiperState)}},
    {otLEDA, Fields<TSimuLEDA, TLedState>()},
    {otLEDB, Fields<TSimuLEDB, TLedState>()},
    {otAnNiuSwitch, Fields<TSimuAnNiuSwitch, TButtonState>()},
    {otZhaDaoSwitch, Fields<TSimuZhaDaoSwitch, TToggleState>()},
    {otMCU, kNoState},
    {otVCC, kNoState},
    {otGND, kNoState},
    {otSpeaker, kNoState},
    {otKeypad, Fields<TSimuKeypad, TKeypadState>()},
    {otMicphone, kNoState},
    {otServo, Fields<TSimuServo, TServoState>()},
    {otSegDispTwo, Fields<TSimuSegDispTwo, TSegmentState<2>>()},
    {otSegDispSix, Fields<TSimuSegDispSix, TSegmentState<6>>()},
    {otLCD1602, Fields<TSimuLCD1602, TLcdState>()},
    {otOScopes, kNoState},
    {otAudioas, kNoState},
    {otDAC8Bit, kNoState},
    {otBitDisp, Fields<TSimuBitDisp, TBitDispState>()},
    {otNOTGate, kNoState},
    {otANDGate, kNoState},
    {otORGate, kNoState},
    {otANDNGate, kNoState},
    {otORNGate, kNoState},
    {otDFlipFlop, Fields<TSimuDFlipFlop, TClockedFlipFlopState>()},
    {otJKFlipFlop, Fields<TSimuJKFlipFlop, TClockedFlipFlopState>()},
    {otOutExpander, Fields<TSimuOutExpander, TOutExpanderState>()},
    {otDotMat1616, Fields<TSimuDotMat1616, TDotMatrixState<16>>()},
    {otDotMat3232, Fields<TSimuDotMat3232, TDotMatrixState<32>>()},
    {otVoMeter, Fields<TSimuVoMeter, TVoMeterState>()},
});

} // namespace

TPartState SavePartState(const TSimuPart& part, const TPartState& earlier)
{
    const TStateRow& row = kStates[part.FOwnerType];
    return row.Save != nullptr ? row.Save(part, earlier) : nullptr;
}

void RestorePartState(TSimuPart& part, const TPartState& state)
{
    const TStateRow& row = kStates[part.FOwnerType];
    if (row.Restore != nullptr && state != nullptr)
        row.Restore(part, state.get());
    // What it shows may have changed.
    if (part.FBody != nullptr)
        part.FBody->Invalidate();
}

size_t PartStateBytes(TOwnerType type)
{
    return IsValidOwnerType(type) ? kStates[type].Bytes : 0;
}

} // namespace kelto
