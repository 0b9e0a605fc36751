// Which statement a compact statement text runs as, and where each of its
// expressions starts and ends: the one decision both the interpreter's step
// and the program reader take, so what a line is said to do is what it does.
#pragma once

#include "core/basic/statement_buffer.h"

#include <array>
#include <cstdint>

namespace kelto {

enum class TStatementKind : uint8_t {
    Nothing, // no row of the dispatch matches: the line counter just advances
    Header,
    Assign,
    Forward,
    Backward,
    Left,
    Right,
    StopDrive,
    Clock,
    PortDirection,
    PortOutput,
    End,
    For,
    Gosub,
    Goto,
    If,
    Key,
    Led,
    Motor,
    Next,
    Play,
    Print,
    Return,
    Accepted,  // recognised, no effect, nothing evaluated
    Evaluated, // recognised, expressions evaluated and discarded
    Servos,
    Voice,
    Wait,
};

struct TExpressionSpan {
    int32_t Begin = 0;
    // Where the statement puts the terminator before reading this expression
    // (-1: it puts none, the expression runs to the end of the text).
    int32_t Terminator = -1;
};

struct TStatementLayout {
    static constexpr int kMaxExpressions = 6;

    TStatementKind Kind = TStatementKind::Nothing;
    // Drives: the X form, which evaluates nothing. Servos: the X form, with
    // three skipped fields before the last value.
    bool Untimed = false;
    // The statement is recognised but a separator or its variable is missing,
    // so it stops before doing anything (after its terminators, if any).
    bool Stops = false;
    // Assignment, FOR, NEXT: the variable; port statements: the port letter.
    uint8_t Letter = 0;
    // Where the statement's word ends: its first expression, or the text's end.
    int32_t WordEnd = 0;
    // What the interpreter's last separator search leaves in FSplitMark;
    // meaningful only when Searches is set.
    bool Searches = false;
    int32_t SplitMark = -1;
    // The expressions in the order the statement reads them.
    std::array<TExpressionSpan, kMaxExpressions> Expressions{};
    int ExpressionCount = 0;
};

// The statement in the buffer as loaded (no terminators placed yet).
TStatementLayout LayOutStatement(const TStatementBuffer& statement);

bool IsVariableLetter(uint8_t c);

} // namespace kelto
