// What a student watching a run sees: the run state, the line executed last,
// the variables, the GOSUB depth and the FOR loops still open; a copy, so a
// panel can never change the interpreter.
#pragma once

#include "core/basic/interpreter.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

struct TForLoopView {
    char Variable = 'A';
    int16_t Value = 0;
    int16_t Limit = 0;
    int16_t ForLine = 0; // the line number of its FOR statement
    bool operator==(const TForLoopView&) const = default;
};

struct TRunSnapshot {
    TRunState State = TRunState::Idle;
    bool StepPending = false;
    // The prepared row (= editor line) and number of the statement executed
    // last in this run; -1 before the first.
    int32_t ExecutedRow = -1;
    int32_t ExecutedLine = -1;
    std::string ExecutedReading; // what that statement ran as ("A = A + 1")
    int16_t CurrentLine = 0;     // the number looked up next
    int16_t GosubDepth = 0;
    bool Waiting = false;
    uint8_t WaitKind = 0;
    int16_t WaitCount = 0;
    std::array<int16_t, TBasicInterpreter::kVariableCount> Variables{};
    std::vector<TForLoopView> ForLoops; // by variable, A first
};

TRunSnapshot TakeRunSnapshot(const TBasicInterpreter& basic);

} // namespace kelto
