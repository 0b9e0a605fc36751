// What makes a run reproducible: the circuit and program it started from and
// every answer it got from outside the board, in the order it asked. Played
// back into a fresh board, the run goes exactly as it went.
#pragma once

#include "core/replay/answer_runs.h"
#include "core/sound/sound_interfaces.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

// A user's action between two ticks, in the runner's --at form without the tick.
struct TRecordedAction {
    int64_t Tick = 0; // performed before this tick
    std::string Action;
    bool operator==(const TRecordedAction&) const = default;
};

struct TRunRecording {
    std::string MadeBy;                     // the program and version that recorded it
    std::string Circuit;                    // the circuit file's text
    std::vector<std::string> ProgramLines;  // the editor's lines, UTF-8
    bool RunAtStart = false;                // Run pressed before the first tick
    double SpeedFactor = 1.0;               // the motors' speed factor
    uint32_t Seed = 0;                      // RANDOM's seed
    TAnswerRuns<double> DeltaTimes;         // one per tick
    std::vector<TRecordedAction> Actions;   // in the order they happened
    TAnswerRuns<TLocalTime> ClockReadings;  // HOUR, MINUTE, SECOND and the spoken clock
    TAnswerRuns<bool> TunesStarted;         // PLAY: whether the tune could start
    TAnswerRuns<bool> TunesPlaying;         // PLAY's wait: whether it still sounds
    TAnswerRuns<bool> ClockAnnouncing;      // CLOCK's wait: whether it still speaks
    TAnswerRuns<bool> ClipFilesFound;       // file voice clips: whether the file is there

    int64_t Ticks() const { return DeltaTimes.Total(); }
    bool operator==(const TRunRecording&) const = default;
};

} // namespace kelto
