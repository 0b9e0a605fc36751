#include "core/basic/number_literal.h"

#include "core/basic/basic_value.h"

namespace kelto {

TNumberLiteral ReadNumberLiteral(const TStatementBuffer& text, int32_t start)
{
    const auto at = [&text](int32_t position) { return text.At(position); };
    int32_t p = start;
    uint32_t accumulated = 0; // wraps at 32 bits, as the reader's accumulator does
    if (at(p) == '0' && at(p + 1) == 'x' && HexDigitValue(at(p + 2)) >= 0) {
        for (p += 2; HexDigitValue(at(p)) >= 0; ++p)
            accumulated = accumulated * 16u + static_cast<uint32_t>(HexDigitValue(at(p)));
    } else if (at(p) == '0') {
        for (++p; at(p) >= '0' && at(p) <= '7'; ++p)
            accumulated = accumulated * 8u + (at(p) - '0');
    } else {
        for (; at(p) >= '0' && at(p) <= '9'; ++p)
            accumulated = accumulated * 10u + (at(p) - '0');
    }
    return {WrapValue(accumulated), p, at(start) == '0' && at(start + 1) != 'x' && p - start > 1};
}

} // namespace kelto
