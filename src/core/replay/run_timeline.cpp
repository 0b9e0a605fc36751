#include "core/replay/run_timeline.h"

#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/board/board_snapshot.h"

#include <algorithm>

namespace kelto {

struct TRunTimeline::TAnswersRead {
    int64_t Tunes = 0;
    int64_t Announcing = 0;
    int64_t Clips = 0;
    int64_t Clock = 0;
};

struct TRunTimeline::TCheckpoint {
    int64_t Tick = 0;
    double Time = 0.0;
    TBoardSnapshot Board;
    std::shared_ptr<const TSeededRandom> Random;
    TAnswersRead Answers;
};

std::unique_ptr<TRunTimeline> TRunTimeline::Create(TSimuBoard& board, TRunRecording& recording,
                                                   std::string& error, TTimelineSettings settings)
{
    std::optional<std::vector<TTimedAction>> actions = ParseSchedule(recording.Actions, board, error);
    if (!actions)
        return nullptr;
    settings.TicksPerCheckpoint = std::max<int64_t>(1, settings.TicksPerCheckpoint);
    settings.MaxCheckpoints = std::max<size_t>(2, settings.MaxCheckpoints);
    return std::unique_ptr<TRunTimeline>(new TRunTimeline(board, recording, std::move(*actions), settings));
}

TRunTimeline::TRunTimeline(TSimuBoard& board, TRunRecording& recording, std::vector<TTimedAction> actions,
                           TTimelineSettings settings)
    : FBoard(board), FRecording(recording), FSettings(settings), FActions(std::move(actions)),
      FReplaySound(recording)
{
    FTargets.emplace(FBoard);
    SeekAnswers({});
    FRecording.DeltaTimes.SeekTo(0);
    FBoard.SetSoundDevices(FReplaySound.Devices());
    auto start = std::make_unique<TCheckpoint>();
    start->Board = FBoard.TakeSnapshot();
    start->Random = std::make_shared<const TSeededRandom>(FReplaySound.Random());
    FCheckpoints.push_back(std::move(start));
}

TRunTimeline::~TRunTimeline()
{
    // The devices go with the timeline.
    FBoard.SetSoundDevices({});
}

TSeededRandom& TRunTimeline::Random()
{
    return FLive ? FRecordingSound->Random() : FReplaySound.Random();
}

TRunTimeline::TAnswersRead TRunTimeline::AnswersRead() const
{
    const TRunRecording& r = FRecording;
    if (FLive)
        return {r.TunesPlaying.Total(), r.ClockAnnouncing.Total(), r.ClipFilesFound.Total(),
                r.ClockReadings.Total()};
    return {r.TunesPlaying.Read(), r.ClockAnnouncing.Read(), r.ClipFilesFound.Read(), r.ClockReadings.Read()};
}

void TRunTimeline::SeekAnswers(const TAnswersRead& read)
{
    FRecording.TunesPlaying.SeekTo(read.Tunes);
    FRecording.ClockAnnouncing.SeekTo(read.Announcing);
    FRecording.ClipFilesFound.SeekTo(read.Clips);
    FRecording.ClockReadings.SeekTo(read.Clock);
}

void TRunTimeline::LeaveLive()
{
    if (!FLive)
        return;
    const TAnswersRead read = AnswersRead();
    FLive = false;
    SeekAnswers(read);
    FRecording.DeltaTimes.SeekTo(FTick);
    FReplaySound.Random() = FRecordingSound->Random();
    FBoard.SetSoundDevices(FReplaySound.Devices());
}

void TRunTimeline::ContinueLive(const TSoundDevices& real)
{
    LeaveLive();
    // What the board has not done belongs to the branch left behind.
    FRecording.DeltaTimes.Truncate(FTick);
    FActions.resize(FNextAction);
    FRecording.Actions.resize(FNextAction);
    const TAnswersRead read = AnswersRead();
    FRecording.TunesPlaying.Truncate(read.Tunes);
    FRecording.ClockAnnouncing.Truncate(read.Announcing);
    FRecording.ClipFilesFound.Truncate(read.Clips);
    FRecording.ClockReadings.Truncate(read.Clock);
    std::erase_if(FCheckpoints, [this](const std::unique_ptr<TCheckpoint>& c) { return c->Tick > FTick; });
    FStatementTicks.resize(std::min(FStatementTicks.size(), static_cast<size_t>(FTick)));

    FRecordingSound = std::make_unique<TRecordingSound>(real, FRecording);
    FRecordingSound->Random() = FReplaySound.Random();
    FBoard.SetSoundDevices(FRecordingSound->Devices());
    FLive = true;
}

void TRunTimeline::Perform(const TUserAction& action)
{
    if (!FLive)
        return;
    FTargets->Perform(action, FBoard);
    Record(action);
}

void TRunTimeline::Record(const TUserAction& action)
{
    if (!FLive)
        return;
    if (action.Kind == TUserAction::TKind::Delete)
        FTargets->Forget(action.Part);
    FRecording.Actions.push_back({FTick + 1, ActionText(action)});
    FActions.push_back({FTick + 1, action});
    FNextAction = FActions.size();
}

void TRunTimeline::RunTick(double deltaTime)
{
    if (!FLive)
        return;
    FRecording.DeltaTimes.Append(deltaTime);
    TickBoard(deltaTime);
}

void TRunTimeline::ReplayTick()
{
    for (; FNextAction < FActions.size() && FActions[FNextAction].Tick <= FTick + 1; ++FNextAction)
        FTargets->Perform(FActions[FNextAction].Action, FBoard);
    TickBoard(FRecording.DeltaTimes.Next().value_or(0.0));
}

void TRunTimeline::TickBoard(double deltaTime)
{
    FTime += deltaTime;
    FBoard.ForgetLastStep();
    FBoard.RunTick(deltaTime, FTime);
    ++FTick;

    if (static_cast<size_t>(FTick) > FStatementTicks.size())
        FStatementTicks.push_back(FBoard.Basic().LastStep().Kind == TStepReport::TKind::Statement);
    const TCheckpoint& last = *FCheckpoints.back();
    if (FTick < last.Tick + FSettings.TicksPerCheckpoint)
        return;
    auto checkpoint = std::make_unique<TCheckpoint>();
    checkpoint->Tick = FTick;
    checkpoint->Time = FTime;
    checkpoint->Board = FBoard.TakeSnapshot(&last.Board);
    checkpoint->Random =
        last.Random->SameState(Random()) ? last.Random : std::make_shared<const TSeededRandom>(Random());
    checkpoint->Answers = AnswersRead();
    FCheckpoints.push_back(std::move(checkpoint));
    if (FCheckpoints.size() <= FSettings.MaxCheckpoints)
        return;
    for (size_t i = 1; 2 * i < FCheckpoints.size(); ++i)
        FCheckpoints[i] = std::move(FCheckpoints[2 * i]);
    FCheckpoints.resize((FCheckpoints.size() + 1) / 2);
    FSettings.TicksPerCheckpoint *= 2;
}

void TRunTimeline::RebuildBoard(int64_t tick)
{
    ReadCircuitDocument(FBoard, FRecording.Circuit);
    FTargets.emplace(FBoard);
    for (const TTimedAction& timed : FActions)
        if (timed.Tick <= tick && timed.Action.Kind == TUserAction::TKind::Delete)
            FTargets->Perform(timed.Action, FBoard);
}

void TRunTimeline::Restore(const TCheckpoint& checkpoint)
{
    // Parts deleted after the checkpoint come back with the circuit.
    if (!FBoard.RestoreSnapshot(checkpoint.Board)) {
        RebuildBoard(checkpoint.Tick);
        FBoard.RestoreSnapshot(checkpoint.Board);
    }
    FReplaySound.Random() = *checkpoint.Random;
    SeekAnswers(checkpoint.Answers);
    FRecording.DeltaTimes.SeekTo(checkpoint.Tick);
    FTick = checkpoint.Tick;
    FTime = checkpoint.Time;
    FNextAction = static_cast<size_t>(
        std::partition_point(FActions.begin(), FActions.end(),
                             [&](const TTimedAction& timed) { return timed.Tick <= checkpoint.Tick; }) -
        FActions.begin());
}

void TRunTimeline::SeekTo(int64_t tick)
{
    tick = std::clamp<int64_t>(tick, 0, TickCount());
    LeaveLive();
    const auto after =
        std::upper_bound(FCheckpoints.begin(), FCheckpoints.end(), tick,
                         [](int64_t t, const std::unique_ptr<TCheckpoint>& c) { return t < c->Tick; });
    const TCheckpoint& nearest = **std::prev(after);
    // From where the board is when that is nearer than the checkpoint.
    if (FTick > tick || FTick < nearest.Tick)
        Restore(nearest);
    while (FTick < tick)
        ReplayTick();
    // At the end, what the user did after the last tick has happened too.
    if (FTick == TickCount())
        for (; FNextAction < FActions.size(); ++FNextAction)
            FTargets->Perform(FActions[FNextAction].Action, FBoard);
}

bool TRunTimeline::StepBack()
{
    for (int64_t tick = std::min<int64_t>(FTick, static_cast<int64_t>(FStatementTicks.size())); tick > 0;
         --tick)
        if (FStatementTicks[static_cast<size_t>(tick - 1)]) {
            SeekTo(tick - 1);
            return true;
        }
    return false;
}

bool TRunTimeline::StepForward()
{
    for (int64_t tick = FTick + 1; tick <= static_cast<int64_t>(FStatementTicks.size()); ++tick)
        if (FStatementTicks[static_cast<size_t>(tick - 1)]) {
            SeekTo(tick);
            return true;
        }
    return false;
}

size_t TRunTimeline::CheckpointBytes() const
{
    size_t bytes = FStatementTicks.capacity() / 8;
    const TCheckpoint* earlier = nullptr;
    for (const std::unique_ptr<TCheckpoint>& checkpoint : FCheckpoints) {
        bytes += sizeof(TCheckpoint) - sizeof(TBoardSnapshot) +
                 checkpoint->Board.Bytes(earlier != nullptr ? &earlier->Board : nullptr);
        if (earlier == nullptr || earlier->Random != checkpoint->Random)
            bytes += sizeof(TSeededRandom);
        earlier = checkpoint.get();
    }
    return bytes;
}

} // namespace kelto
