#include "cli/run_source.h"

#include "cli/actions_file.h"
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/files/atomic_file.h"
#include "core/files/program_file.h"
#include "core/replay/recording_text.h"

#include <algorithm>
#include <random>

namespace kelto::cli {

TRunSource::TRunSource(const TRunOptions& options, std::string madeBy) : FOptions(options)
{
    FRecording.MadeBy = std::move(madeBy);
}

TRunSource::~TRunSource() = default;

std::optional<std::string> TRunSource::Load(TSimuBoard& board)
{
    return FOptions.ReplayPath ? LoadRecording(board) : LoadFromOptions(board);
}

std::optional<std::string> TRunSource::LoadFromOptions(TSimuBoard& board)
{
    board.SetMotorSpeedFactor(FOptions.SpeedFactor);
    // The text as loaded is what a recording keeps, so its replay loads the very same circuit.
    if (const TFileResult loaded = LoadCircuitFile(board, FOptions.CircuitPath, FRecording.Circuit); !loaded.Ok)
        return loaded.Message;
    if (FOptions.ProgramPath) {
        if (const TFileResult loaded = LoadProgramFile(*FOptions.ProgramPath, FRecording.ProgramLines); !loaded.Ok)
            return loaded.Message;
        board.SetEditorLines(ProgramLinesAsGbk(FRecording.ProgramLines));
    }
    FScheduled = FOptions.Actions;
    if (FOptions.ActionsPath)
        if (std::optional<std::string> problem = ReadActionsFile(*FOptions.ActionsPath, FScheduled))
            return problem;
    FTicks = FOptions.Ticks;
    FRecording.RunAtStart = FOptions.ProgramPath && !FOptions.NoRun;
    if (!FOptions.RecordPath)
        return std::nullopt;
    FRecording.SpeedFactor = FOptions.SpeedFactor;
    FRecording.Seed = FOptions.Seed ? *FOptions.Seed : std::random_device{}();
    std::stable_sort(FScheduled.begin(), FScheduled.end(),
                     [](const TScheduledAction& a, const TScheduledAction& b) { return a.Tick < b.Tick; });
    for (const TScheduledAction& action : FScheduled)
        FRecording.Actions.push_back({action.Tick, action.Action});
    return std::nullopt;
}

std::optional<std::string> TRunSource::LoadRecording(TSimuBoard& board)
{
    const std::string& path = *FOptions.ReplayPath;
    std::string text;
    if (TFileResult read = ReadWholeFile(path, text, kMaxRecordingBytes); !read.Ok) {
        read.About(TFileOperation::Read, path, "Cannot read");
        return read.Message;
    }
    std::string error;
    std::optional<TRunRecording> recording = ReadRecording(text, error);
    if (!recording)
        return path + ": " + error;
    FRecording = std::move(*recording);
    board.SetMotorSpeedFactor(FRecording.SpeedFactor);
    if (const TFileResult loaded = ReadCircuitDocument(board, FRecording.Circuit); !loaded.Ok)
        return path + ": the circuit inside: " + loaded.Message;
    board.SetEditorLines(ProgramLinesAsGbk(FRecording.ProgramLines));
    const int64_t recorded = FRecording.Ticks();
    if (FOptions.TicksGiven && FOptions.Ticks > recorded)
        return path + ": the recording has " + std::to_string(recorded) + " ticks, not " +
               std::to_string(FOptions.Ticks);
    FTicks = FOptions.TicksGiven ? FOptions.Ticks : recorded;
    // Stopped early, the run had not yet seen what came after.
    for (const TRecordedAction& action : FRecording.Actions)
        if (FTicks == recorded || action.Tick <= FTicks)
            FScheduled.push_back({action.Tick, action.Action});
    return std::nullopt;
}

bool TRunSource::RunAtStart() const
{
    return FRecording.RunAtStart;
}

TSoundDevices TRunSource::Devices(const TSoundDevices& real)
{
    if (FOptions.ReplayPath) {
        FReplaySound = std::make_unique<TReplaySound>(FRecording);
        return FReplaySound->Devices();
    }
    if (FOptions.RecordPath) {
        FRecordingSound = std::make_unique<TRecordingSound>(real, FRecording);
        return FRecordingSound->Devices();
    }
    return real;
}

double TRunSource::NextDeltaTime()
{
    if (FOptions.ReplayPath)
        return FRecording.DeltaTimes.Next().value_or(0.0);
    if (FOptions.RecordPath)
        FRecording.DeltaTimes.Append(FOptions.DeltaTime);
    return FOptions.DeltaTime;
}

double TRunSource::FirstDeltaTime() const
{
    if (FOptions.ReplayPath && !FRecording.DeltaTimes.Runs().empty())
        return FRecording.DeltaTimes.Runs().front().Value;
    return FOptions.DeltaTime;
}

std::optional<std::string> TRunSource::ReplayMismatch() const
{
    if (FReplaySound && FReplaySound->RanOut())
        return *FOptions.ReplayPath +
               ": the run asked the clock or the sound devices more than the recording answers; it was "
               "made by " +
               FRecording.MadeBy;
    return std::nullopt;
}

std::string TRunSource::RecordingText(int64_t ticksDone) const
{
    // An interrupted run keeps what it did; actions it never reached are dropped.
    TRunRecording recording = FRecording;
    if (ticksDone < FTicks)
        std::erase_if(recording.Actions, [&](const TRecordedAction& a) { return a.Tick > ticksDone; });
    return WriteRecording(recording);
}

} // namespace kelto::cli
