// The window's run, recorded from the press that starts it to its end, that
// the student can look at again at any of its ticks and continue from there.
// The run and oscilloscope buttons come here; the mouse acts on the parts
// directly and an input watch turns what changed into recorded actions
// before each tick. A change of the circuit a recording cannot hold (a part
// placed, a wire added or taken away) ends the recording there.
#pragma once

#include "core/board/edit_history.h"
#include "core/replay/input_watch.h"
#include "core/replay/run_recording.h"
#include "core/replay/run_timeline.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelto {

class TSimuBoard;

class TRecordedRun {
public:
    TRecordedRun(TSimuBoard& board, std::string madeBy);
    ~TRecordedRun();
    TRecordedRun(const TRecordedRun&) = delete;
    TRecordedRun& operator=(const TRecordedRun&) = delete;

    // The sound and clock a live run asks (recorded); kept for every run.
    void SetRealDevices(const TSoundDevices& devices);

    // The window's buttons. `lines` are the editor's, UTF-8.
    void PressRun(const std::vector<std::string>& lines);
    void PressStep(const std::vector<std::string>& lines);
    void PressPause();
    // While looking back: goes on from the tick shown, dropping the later ones.
    void PressContinue();
    void PressStop();
    // An oscilloscope button ("scope:run", "scope1:clear"), already pressed.
    void ScopePressed(const std::string& action);
    // What the buttons allow: while looking back, going on from the tick shown.
    TRunButtons Buttons() const;

    // One tick of the frame clock: nothing while looking back.
    void Tick(double deltaTime);
    // An edit of the canvas. One a recording cannot hold (a part placed, a
    // wire added or taken away, a part deleted outside a run) ends the
    // recording and the looking back: going back would take the edit away.
    void CircuitEdited(TEditKind kind);
    void CircuitChanged();
    // The window was minimised: the run holds without the recording knowing,
    // so the board ticks on unrecorded.
    void StopRecording() { FEnded = true; }
    // The circuit was replaced: nothing to look back on.
    void Forget();

    // Paused or ended, with ticks to look at.
    bool CanLookBack() const;
    bool LookingBack() const { return FLookingBack; }
    void SeekTo(int64_t tick);
    bool StepBack();
    bool StepForward();
    int64_t ShownTick() const;
    int64_t TickCount() const;
    // Recorded ticks after the one shown that the window never showed live.
    int64_t UnseenTicks() const;

    bool HasRecording() const { return FTimeline != nullptr; }
    // The recording as a file: it replays from the circuit as saved, so
    // inputs the user had set before Run come first.
    std::string FileText() const;
    // A recording read from its file: the board takes its circuit,
    // `programLines` its program, and the timeline stands at its end. The
    // reason when its circuit or actions do not load.
    std::optional<std::string> Open(TRunRecording recording, std::vector<std::string>& programLines);

private:
    bool Recording() const { return FTimeline != nullptr && FTimeline->Live() && !FEnded; }
    void Begin(const std::vector<std::string>& lines, bool runAtStart);
    bool StartTimeline(std::string& error);
    void KeepIfStarted();
    void LeaveLookingBack();
    void AfterMove();

    TSimuBoard& FBoard;
    std::string FMadeBy;
    TSoundDevices FRealDevices;
    TInputWatch FInputs;
    TRunRecording FRecording;
    std::vector<TRecordedAction> FInputsAtRun;
    std::unique_ptr<TRunTimeline> FTimeline;
    // The run is over or a change ended the recording: the board ticks on unrecorded.
    bool FEnded = false;
    bool FLookingBack = false;
    // The circuit changed since: no going back; the recording stays for its file.
    bool FDetached = false;
    int64_t FSeenLive = 0;
    double FTime = 0.0;
};

} // namespace kelto
