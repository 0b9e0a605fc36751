// Recording a run as it happens in the window: from the press of Run (or of
// Step from idle) to the run's end, everything its replay needs; the user's
// changes between ticks come from an input watch. A change of the circuit a
// recording cannot hold (a part placed, a wire added or taken away) ends the
// recording there.
#pragma once

#include "core/board/edit_history.h"
#include "core/replay/input_watch.h"
#include "core/replay/recording_sound.h"
#include "core/replay/run_recording.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelto {

class TSimuBoard;

class TLiveRecording {
public:
    TLiveRecording();
    ~TLiveRecording();
    TLiveRecording(const TLiveRecording&) = delete;
    TLiveRecording& operator=(const TLiveRecording&) = delete;

    // Before the press that starts the run takes effect. Inputs that differ
    // from the saved circuit's become actions before the first tick, so a
    // replay from the file starts from what the user started from. The board
    // must keep its parts (or report deletions through ticks) while this
    // records; `real` must outlive the recording.
    void Begin(const TSimuBoard& board, std::vector<std::string> programLines, bool runAtStart,
               const TSoundDevices& real, std::string madeBy, uint32_t seed);
    bool Active() const { return FActive; }
    // The devices the board asks while this records: the real ones, with
    // every answer written down.
    TSoundDevices Devices();

    // A run or oscilloscope button, in the runner's words ("pause",
    // "scope1:run"), pressed before the coming tick.
    void Pressed(const std::string& action);
    void BeforeTick(const TSimuBoard& board);
    void AfterTick(double deltaTime);
    // No more ticks: the run ended, or the circuit changed in a way a
    // recording cannot hold.
    void End();
    // An edit of the canvas while this records.
    void CircuitEdited(TEditKind kind);

    const TRunRecording& Recording() const { return FRecording; }
    TRunRecording& Recording() { return FRecording; }

private:
    TInputWatch FInputs;
    TRunRecording FRecording;
    std::unique_ptr<TRecordingSound> FSound;
    bool FActive = false;
};

} // namespace kelto
