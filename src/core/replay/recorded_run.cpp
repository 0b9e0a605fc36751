#include "core/replay/recorded_run.h"

#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/board/run_press.h"
#include "core/files/program_file.h"
#include "core/replay/recording_text.h"

#include <algorithm>
#include <random>

namespace kelto {

namespace {

TUserAction Button(TUserAction::TKind kind)
{
    TUserAction action;
    action.Kind = kind;
    return action;
}

} // namespace

TRecordedRun::TRecordedRun(TSimuBoard& board, std::string madeBy) : FBoard(board), FMadeBy(std::move(madeBy)) {}

TRecordedRun::~TRecordedRun() = default;

void TRecordedRun::SetRealDevices(const TSoundDevices& devices)
{
    FRealDevices = devices;
    if (FTimeline == nullptr)
        FBoard.SetSoundDevices(devices);
}

void TRecordedRun::Forget()
{
    FTimeline.reset();
    FBoard.SetSoundDevices(FRealDevices);
    FRecording = {};
    FInputsAtRun.clear();
    FLookingBack = false;
    FEnded = true;
    FDetached = false;
    FSeenLive = 0;
}

void TRecordedRun::Begin(const std::vector<std::string>& lines, bool runAtStart)
{
    Forget();
    FRecording.MadeBy = FMadeBy;
    FRecording.Circuit = WriteCircuitDocument(FBoard);
    FRecording.ProgramLines = lines;
    FRecording.RunAtStart = runAtStart;
    FRecording.SpeedFactor = FBoard.MotorSpeedFactor();
    FRecording.Seed = std::random_device{}();
    // A replay of the file starts from the circuit as it loads.
    TSimuBoard loaded;
    ReadCircuitDocument(loaded, FRecording.Circuit);
    FInputs.Start(FBoard);
    for (const TUserAction& action : FInputs.DifferencesFrom(loaded))
        FInputsAtRun.push_back({0, ActionText(action)});
    FEnded = false;
}

bool TRecordedRun::StartTimeline(std::string& error)
{
    FTimeline = TRunTimeline::Create(FBoard, FRecording, error);
    if (FTimeline == nullptr)
        return false;
    FTimeline->ContinueLive(FRealDevices);
    return true;
}

// Kept only when the press started a run.
void TRecordedRun::KeepIfStarted()
{
    if (FBoard.Basic().RunState() == TRunState::Idle)
        Forget();
}

void TRecordedRun::PressRun(const std::vector<std::string>& lines)
{
    if (!Buttons().Run)
        return;
    FLookingBack = false;
    Begin(lines, true);
    kelto::PressRun(FBoard, ProgramLinesAsGbk(lines));
    std::string error;
    if (FBoard.Basic().RunState() != TRunState::Idle && !StartTimeline(error))
        Forget();
    KeepIfStarted();
}

void TRecordedRun::PressStep(const std::vector<std::string>& lines)
{
    if (FLookingBack) {
        StepForward();
        return;
    }
    if (FBoard.Basic().RunState() != TRunState::Idle) {
        if (Recording())
            FTimeline->Perform(Button(TUserAction::TKind::Step));
        else
            FBoard.ButtonStepClick();
        return;
    }
    // The press is the run's first action: the timeline starts before it.
    Begin(lines, false);
    const std::vector<std::string> gbk = ProgramLinesAsGbk(lines);
    FBoard.SetEditorLines(gbk);
    std::string error;
    const bool recorded = StartTimeline(error);
    kelto::PressStep(FBoard, gbk);
    if (recorded)
        FTimeline->Record(Button(TUserAction::TKind::Step));
    KeepIfStarted();
}

void TRecordedRun::PressPause()
{
    if (Recording())
        FTimeline->Perform(Button(TUserAction::TKind::Pause));
    else if (!FLookingBack)
        FBoard.ButtonPAUSEClick();
}

void TRecordedRun::LeaveLookingBack()
{
    if (!FLookingBack)
        return;
    FLookingBack = false;
    FTimeline->ContinueLive(FRealDevices);
    FSeenLive = FTimeline->Tick();
    FEnded = FBoard.Basic().RunState() == TRunState::Idle;
}

// What the user changes on the board as shown is recorded when it goes on.
void TRecordedRun::AfterMove()
{
    FLookingBack = true;
    FInputs.Start(FTimeline->ActionParts());
}

void TRecordedRun::PressContinue()
{
    const bool wasLookingBack = FLookingBack;
    LeaveLookingBack();
    if (wasLookingBack && FBoard.Basic().RunState() != TRunState::Paused)
        return;
    if (Recording())
        FTimeline->Perform(Button(TUserAction::TKind::Continue));
    else
        FBoard.ButtonCONTINUEClick();
}

void TRecordedRun::PressStop()
{
    LeaveLookingBack();
    if (!Recording()) {
        kelto::PressStop(FBoard);
        return;
    }
    if (FBoard.Basic().RunState() == TRunState::Paused)
        FTimeline->Perform(Button(TUserAction::TKind::Continue));
    FTimeline->Perform(Button(TUserAction::TKind::Stop));
}

void TRecordedRun::ScopePressed(const std::string& action)
{
    std::string error;
    if (Recording())
        if (const std::optional<TUserAction> parsed = ParseUserAction(action, FBoard, error))
            FTimeline->Record(*parsed);
}

TRunButtons TRecordedRun::Buttons() const
{
    if (!FLookingBack)
        return FBoard.Basic().RunButtons();
    const bool idle = FBoard.Basic().RunState() == TRunState::Idle;
    TRunButtons buttons;
    buttons.Run = idle;
    buttons.Pause = false;
    buttons.Continue = !idle;
    buttons.Stop = !idle;
    buttons.Step = ShownTick() < TickCount();
    return buttons;
}

void TRecordedRun::Tick(double deltaTime)
{
    if (FLookingBack)
        return;
    if (Recording()) {
        std::vector<TUserAction> actions;
        const bool holds = FInputs.TakeChanges(FBoard, actions);
        for (const TUserAction& action : actions)
            FTimeline->Record(action);
        if (holds) {
            FTimeline->RunTick(deltaTime);
            FSeenLive = std::max(FSeenLive, FTimeline->Tick());
            FEnded = FBoard.Basic().RunState() == TRunState::Idle;
            return;
        }
        // A part placed while the run goes is beyond what a recording holds.
        FEnded = true;
    }
    FTime += deltaTime;
    FBoard.RunTick(deltaTime, FTime);
}

void TRecordedRun::CircuitEdited(TEditKind kind)
{
    // Moving things and reshaping a wire change nothing a run can see; a
    // part deleted while the run is recorded is seen before the next tick.
    if (kind == TEditKind::Move || kind == TEditKind::WireStyle || (kind == TEditKind::DeletePart && Recording()))
        return;
    CircuitChanged();
}

void TRecordedRun::CircuitChanged()
{
    FEnded = true;
    FDetached = true;
    // The board goes on from what it shows, unrecorded, with real sound.
    FLookingBack = false;
    if (FTimeline != nullptr && !FTimeline->Live())
        FBoard.SetSoundDevices(FRealDevices);
}

bool TRecordedRun::CanLookBack() const
{
    return FTimeline != nullptr && !FDetached && FTimeline->TickCount() > 0 &&
           (FLookingBack || FEnded || FBoard.Basic().RunState() == TRunState::Paused);
}

void TRecordedRun::SeekTo(int64_t tick)
{
    if (!CanLookBack())
        return;
    FTimeline->SeekTo(tick);
    AfterMove();
}

bool TRecordedRun::StepBack()
{
    if (!CanLookBack() || !FTimeline->StepBack())
        return false;
    AfterMove();
    return true;
}

bool TRecordedRun::StepForward()
{
    if (!CanLookBack() || !FTimeline->StepForward())
        return false;
    AfterMove();
    return true;
}

int64_t TRecordedRun::ShownTick() const
{
    return FTimeline != nullptr ? FTimeline->Tick() : 0;
}

int64_t TRecordedRun::TickCount() const
{
    return FTimeline != nullptr ? FTimeline->TickCount() : 0;
}

int64_t TRecordedRun::UnseenTicks() const
{
    return std::max<int64_t>(0, TickCount() - std::max(ShownTick(), FSeenLive));
}

std::string TRecordedRun::FileText() const
{
    TRunRecording file = FRecording;
    file.Actions.insert(file.Actions.begin(), FInputsAtRun.begin(), FInputsAtRun.end());
    return WriteRecording(file);
}

std::optional<std::string> TRecordedRun::Open(TRunRecording recording, std::vector<std::string>& programLines)
{
    Forget();
    FRecording = std::move(recording);
    if (const TFileResult loaded = ReadCircuitDocument(FBoard, FRecording.Circuit); !loaded.Ok)
        return "the circuit inside: " + loaded.Message;
    FBoard.SetMotorSpeedFactor(FRecording.SpeedFactor);
    FBoard.SetEditorLines(ProgramLinesAsGbk(FRecording.ProgramLines));
    if (FRecording.RunAtStart)
        FBoard.ButtonRUNClick();
    std::string error;
    FTimeline = TRunTimeline::Create(FBoard, FRecording, error);
    if (FTimeline == nullptr)
        return error;
    FTimeline->SeekTo(FTimeline->TickCount());
    AfterMove();
    FEnded = true;
    programLines = FRecording.ProgramLines;
    return std::nullopt;
}

} // namespace kelto
