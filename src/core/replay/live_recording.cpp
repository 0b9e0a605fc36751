#include "core/replay/live_recording.h"

#include "core/board/board.h"
#include "core/board/board_file.h"

namespace kelto {

TLiveRecording::TLiveRecording() = default;
TLiveRecording::~TLiveRecording() = default;

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
    FInputs.Start(board);
    for (std::string& action : FInputs.DifferencesFrom(loaded))
        FRecording.Actions.push_back({0, std::move(action)});
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

void TLiveRecording::BeforeTick(const TSimuBoard& board)
{
    if (!FActive)
        return;
    std::vector<std::string> actions;
    const bool expressible = FInputs.TakeChanges(board, actions);
    for (std::string& action : actions)
        FRecording.Actions.push_back({FRecording.Ticks() + 1, std::move(action)});
    // A part placed while the run goes is beyond what a recording holds.
    if (!expressible)
        End();
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
