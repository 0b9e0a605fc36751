// How the interpreter reads an expression of a compact statement, put into
// words: its canonical spelling (parenthesised wherever the dialect's reading
// differs from the usual one), where reading stops, and the slips in it.
#pragma once

#include "core/basic/statement_buffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

struct TExpressionReading {
    std::string Text;   // ASCII; evaluates to what the original evaluates to
    int32_t Stop = 0;   // where the interpreter's read position ends
    bool Empty = false; // nothing there at all: the value is 0
    // A lone number, perhaps negated: a jump target the reader can follow.
    bool IsNumber = false;
    int16_t Number = 0;
    // The last thing read was a variable, so a letter right after it is
    // likely the rest of a longer name.
    bool EndsWithVariable = false;
    std::vector<std::string> Slips; // Chinese, UTF-8
};

// Reads from start as the interpreter does, with the buffer's terminators as
// they stand; a top-level comparison is parenthesised when asked, for
// places where it follows an "=" of the statement.
TExpressionReading ReadExpression(const TStatementBuffer& statement, int32_t start,
                                  bool bracketComparison = false);

} // namespace kelto
