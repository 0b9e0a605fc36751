// Everything a run's future depends on, taken from a board between two ticks
// and put back into the same board later: each part's own state, every pin
// record, the interpreter, the message log and both oscilloscope recordings.
// The sound devices, the clock and the random source are outside the board;
// whoever drives it keeps their state (core/replay).
#pragma once

#include "core/basic/interpreter.h"
#include "core/basic/log_snapshot.h"
#include "core/circuit/component_snapshot.h"
#include "core/instruments/scope_recorder.h"

#include <memory>
#include <vector>

namespace kelto {

// A pin record's fields, the next ones too: a writer may set only some of
// them before the commit copies all three.
struct TPinSnapshot {
    TPortKind Kind = ANALOG_IN;
    TPortKind NextKind = ANALOG_IN;
    int32_t Level = 0;
    int32_t NextLevel = 0;
    double Value = 0.0;
    double NextValue = 0.0;
};

struct TBoardSnapshot {
    std::vector<TOwnerType> Types; // the parts it fits, in list order
    std::vector<TPartState> Parts;
    std::vector<TPinSnapshot> Pins; // part by part, pin by pin
    TInterpreterState Run;
    std::shared_ptr<const std::vector<TProgramLine>> Program;
    TLogSnapshot Log;
    TScopeRecorder OScopes{kMaxScopeChannels};
    TScopeRecorder Audioas{1};
    double MotorSpeedFactor = 0.0;

    // What it holds beyond what it shares with `earlier` (nullptr: all of
    // it), not counting the oscilloscope samples, which the board shares.
    size_t Bytes(const TBoardSnapshot* earlier) const;
};

} // namespace kelto
