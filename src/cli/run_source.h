// What a run is made of: the circuit, the program, the actions, each tick's
// length and the answers of the clock and the sound devices. They come from
// the command line, or all from a recording with --replay; with --record they
// are written down as the run goes.
#pragma once

#include "cli/run_options.h"
#include "core/basic/interpreter.h"
#include "core/replay/recording_sound.h"
#include "core/replay/run_recording.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelto {
class TSimuBoard;
}

namespace kelto::cli {

class TRunSource {
public:
    // `madeBy` names this program and its version in recordings.
    TRunSource(const TRunOptions& options, std::string madeBy);
    ~TRunSource();

    // Loads the circuit and program into the board; the reason when it cannot.
    std::optional<std::string> Load(TSimuBoard& board);
    // Valid after Load.
    const std::vector<TScheduledAction>& Scheduled() const { return FScheduled; }
    bool RunAtStart() const;
    int64_t Ticks() const { return FTicks; }

    // The board's devices: `real` ones as they are, recorded, or replaced by
    // the recording's answers.
    TSoundDevices Devices(const TSoundDevices& real);
    // The length of the next tick.
    double NextDeltaTime();
    // The length of the first tick: what a file of samples takes as every tick's.
    double FirstDeltaTime() const;

    // After the run: why the replay went otherwise than the recorded run.
    std::optional<std::string> ReplayMismatch() const;
    // After the run: the recording --record writes.
    std::string RecordingText(int64_t ticksDone) const;

private:
    std::optional<std::string> LoadFromOptions(TSimuBoard& board);
    std::optional<std::string> LoadRecording(TSimuBoard& board);

    const TRunOptions& FOptions;
    TRunRecording FRecording;
    std::vector<TScheduledAction> FScheduled;
    int64_t FTicks = 0;
    std::unique_ptr<TRecordingSound> FRecordingSound;
    std::unique_ptr<TReplaySound> FReplaySound;
};

} // namespace kelto::cli
