// A run that can go back in time. While the run goes, every tick, action and
// answer from outside goes into a recording, and every so many ticks the
// board's state is kept as a checkpoint. Going to a past tick puts back the
// nearest checkpoint before it and runs the recorded ticks from there with
// the recorded answers: no sound plays, and the board ends exactly as it was
// after that tick. Continuing from a past tick starts a new branch.
#pragma once

#include "core/replay/recording_sound.h"
#include "core/replay/run_recording.h"
#include "core/replay/user_action.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelto {

class TSimuBoard;
class TSimuPart;

struct TTimelineSettings {
    // The busy board runs about 900 000 ticks a second here, so going
    // anywhere replays at most ~11 ms of work.
    int64_t TicksPerCheckpoint = 10000;
    // Beyond this many, every other one goes and they come half as often,
    // so a run of any length keeps its memory bounded.
    size_t MaxCheckpoints = 128;
};

class TRunTimeline {
public:
    // `board` holds the circuit and program of `recording`, as they were when
    // Run was pressed, and has run no tick; Run is pressed already when the
    // recording says so, and the recording's seed is set. The recording's
    // actions must fit the board. Both must outlive the timeline, which sets
    // the board's sound devices while it lives. Nothing when the actions do
    // not fit.
    static std::unique_ptr<TRunTimeline> Create(TSimuBoard& board, TRunRecording& recording,
                                                std::string& error, TTimelineSettings settings = {});
    ~TRunTimeline();
    TRunTimeline(const TRunTimeline&) = delete;
    TRunTimeline& operator=(const TRunTimeline&) = delete;

    // The run goes on from the tick the board is at: later ticks, actions
    // and answers are dropped (a new branch), and the board asks the `real`
    // devices from now on, each answer recorded.
    void ContinueLive(const TSoundDevices& real);
    bool Live() const { return FLive; }
    // While live: an action before the next tick, performed and recorded
    // (parts named by their index when the timeline began). Every action
    // must come through here, or a replay goes otherwise. Nothing while not live.
    void Perform(const TUserAction& action);
    // While live: an action the user has already done to the board (the
    // window's mouse on a part, an oscilloscope button), recorded as
    // Perform records it.
    void Record(const TUserAction& action);
    // How Perform names a part of the board (deletions renumber nothing).
    int32_t ActionIndex(const TSimuPart& part) const { return FTargets->IndexOf(part); }
    // The board's parts by the index actions name them; null once deleted.
    const std::vector<TSimuPart*>& ActionParts() const { return FTargets->Parts(); }
    // While live: one tick of this length, recorded. Nothing while not live:
    // the board stays at the tick shown.
    void RunTick(double deltaTime);

    // The board is after this tick (0: before the first).
    int64_t Tick() const { return FTick; }
    int64_t TickCount() const { return FRecording.Ticks(); }
    // Puts the board where it was after the tick (clamped to the recorded
    // ones) and leaves live running. The board's listeners hear the ticks
    // run again; a window shows the log afresh afterwards. When a deletion
    // lies between, the circuit is built again from the recording.
    void SeekTo(int64_t tick);
    // One statement back: to just before the statement shown last ran.
    // One statement forward: to just after the next statement ran. False,
    // changing nothing, where there is none.
    bool StepBack();
    bool StepForward();

    // A tick run again asked what the recording has no answer for: it is
    // not the run that was recorded (another version made it).
    bool RanOut() const { return FReplaySound.RanOut(); }

    size_t CheckpointCount() const { return FCheckpoints.size(); }
    // What the checkpoints hold, shared parts once.
    size_t CheckpointBytes() const;

private:
    struct TCheckpoint;
    struct TAnswersRead;

    TRunTimeline(TSimuBoard& board, TRunRecording& recording, std::vector<TTimedAction> actions,
                 TTimelineSettings settings);
    TAnswersRead AnswersRead() const;
    void SeekAnswers(const TAnswersRead& read);
    void LeaveLive();
    void Restore(const TCheckpoint& checkpoint);
    void RebuildBoard(int64_t tick);
    void ReplayTick();
    // One tick of the board, then the statement mark and the checkpoint.
    void TickBoard(double deltaTime);
    TSeededRandom& Random();

    TSimuBoard& FBoard;
    TRunRecording& FRecording;
    TTimelineSettings FSettings;
    std::vector<TTimedAction> FActions; // the recording's, read
    size_t FNextAction = 0;
    std::optional<TActionTargets> FTargets;
    TReplaySound FReplaySound;
    std::unique_ptr<TRecordingSound> FRecordingSound;
    bool FLive = false;
    int64_t FTick = 0;
    double FTime = 0.0;
    std::vector<std::unique_ptr<TCheckpoint>> FCheckpoints;
    // Whether tick t + 1 ran a statement, for every tick run so far.
    std::vector<bool> FStatementTicks;
};

} // namespace kelto
