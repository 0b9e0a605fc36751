#include "core/replay/live_recording.h"

#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/numbers/number_text.h"

#include <algorithm>
#include <unordered_set>

namespace kelto {

TLiveRecording::TLiveRecording() = default;
TLiveRecording::~TLiveRecording() = default;

TLiveRecording::TInputs TLiveRecording::InputsOf(const TSimuPart& part)
{
    TInputs inputs;
    inputs.Part = &part;
    switch (part.FOwnerType) {
    case otAnNiuSwitch: {
        const auto& button = static_cast<const TSimuAnNiuSwitch&>(part);
        inputs.Held = button.FClosed != button.FNormallyClosed ? 1 : 0;
        break;
    }
    case otZhaDaoSwitch: inputs.Held = static_cast<const TSimuZhaDaoSwitch&>(part).FClosed; break;
    case otKeypad: inputs.Keys = static_cast<const TSimuKeypad&>(part).FKeys; break;
    case otResistance: {
        const auto& resistor = static_cast<const TSimuResistance&>(part);
        inputs.Wiper = resistor.FSlider != nullptr ? resistor.FSlider->SliderPosition() : 0.0;
        break;
    }
    default: break;
    }
    return inputs;
}

void TLiveRecording::Begin(const TSimuBoard& board, std::vector<std::string> programLines, bool runAtStart,
                           const TSoundDevices& real, std::string madeBy, uint32_t seed)
{
    FRecording = {};
    FRecording.MadeBy = std::move(madeBy);
    FRecording.Circuit = WriteCircuitDocument(board);
    FRecording.ProgramLines = std::move(programLines);
    FRecording.RunAtStart = runAtStart;
    FRecording.SpeedFactor = board.MotorSpeedFactor();
    FRecording.Seed = seed;
    FSound = std::make_unique<TRecordingSound>(real, FRecording);
    // What a replay starts from: the circuit as its file loads.
    TSimuBoard loaded;
    ReadCircuitDocument(loaded, FRecording.Circuit);
    FInputs.clear();
    for (int32_t i = 0; i < board.PartCount(); ++i) {
        const TInputs now = InputsOf(*board.Part(i));
        if (i < loaded.PartCount())
            NoteChanges(i, InputsOf(*loaded.Part(i)), now, 0);
        FInputs.push_back(now);
    }
    FActive = true;
}

TSoundDevices TLiveRecording::Devices()
{
    return FSound != nullptr ? FSound->Devices() : TSoundDevices{};
}

void TLiveRecording::Pressed(const std::string& action)
{
    if (FActive)
        FRecording.Actions.push_back({FRecording.Ticks() + 1, action});
}

void TLiveRecording::NoteChanges(int32_t index, const TInputs& was, const TInputs& now, int64_t tick)
{
    const std::string part = std::to_string(index);
    auto note = [&](std::string action) { FRecording.Actions.push_back({tick, std::move(action)}); };
    switch (now.Part->FOwnerType) {
    case otAnNiuSwitch:
        if (now.Held != was.Held)
            note((now.Held != 0 ? "press:" : "release:") + part);
        break;
    case otZhaDaoSwitch:
        if (now.Held != was.Held)
            note("click:" + part);
        break;
    case otKeypad:
        for (size_t cell = 0; cell < now.Keys.size(); ++cell)
            if (now.Keys[cell] != was.Keys[cell])
                note((now.Keys[cell] != 0 ? "keydown:" : "keyup:") + part + ":" + std::to_string(cell / 4) + ":" +
                     std::to_string(cell % 4)); // column-major, as the keypad keeps them
        break;
    case otResistance:
        if (now.Wiper != was.Wiper)
            note("slider:" + part + ":" + ShortestText(now.Wiper));
        break;
    default: break;
    }
}

void TLiveRecording::BeforeTick(const TSimuBoard& board)
{
    if (!FActive)
        return;
    const int64_t tick = FRecording.Ticks() + 1;
    if (board.PartCount() != LiveParts()) {
        std::unordered_set<const TSimuPart*> present;
        for (int32_t i = 0; i < board.PartCount(); ++i)
            present.insert(board.Part(i));
        for (size_t i = 0; i < FInputs.size(); ++i)
            if (FInputs[i].Part != nullptr && !present.contains(FInputs[i].Part)) {
                FRecording.Actions.push_back({tick, "delete:" + std::to_string(i)});
                FInputs[i].Part = nullptr;
            }
        if (board.PartCount() != LiveParts()) {
            End();
            return;
        }
    }
    for (size_t i = 0; i < FInputs.size(); ++i) {
        if (FInputs[i].Part == nullptr)
            continue;
        const TInputs now = InputsOf(*FInputs[i].Part);
        NoteChanges(static_cast<int32_t>(i), FInputs[i], now, tick);
        FInputs[i] = now;
    }
}

int32_t TLiveRecording::LiveParts() const
{
    return static_cast<int32_t>(
        std::count_if(FInputs.begin(), FInputs.end(), [](const TInputs& inputs) { return inputs.Part != nullptr; }));
}

void TLiveRecording::CircuitEdited(TEditKind kind)
{
    // Moving things and reshaping a wire change nothing a run can see; a
    // deleted part is seen before the next tick.
    if (kind != TEditKind::Move && kind != TEditKind::WireStyle && kind != TEditKind::DeletePart)
        End();
}

void TLiveRecording::AfterTick(double deltaTime)
{
    if (FActive)
        FRecording.DeltaTimes.Append(deltaTime);
}

void TLiveRecording::End()
{
    FActive = false;
}

} // namespace kelto
