// Numbers in statement text, as the interpreter reads them and the reader
// describes them: "0x" and hex digits, a leading 0 for octal, decimal
// otherwise; digits accumulate in 32 bits and the value wraps to 16.
#pragma once

#include "core/basic/statement_buffer.h"

#include <cstdint>

namespace kelto {

struct TNumberLiteral {
    int16_t Value = 0;
    int32_t End = 0;    // just after the last digit read
    bool Octal = false; // a leading 0 with more digits after it
};

// start holds a digit.
TNumberLiteral ReadNumberLiteral(const TStatementBuffer& text, int32_t start);

} // namespace kelto
