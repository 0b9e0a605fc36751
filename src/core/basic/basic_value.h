// KELTOBASIC values: 16-bit two's complement, every result wrapped.
#pragma once

#include <cstdint>

namespace kelto {

constexpr int16_t WrapValue(int64_t value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
}

// A hexadecimal digit's value, either case; -1 for any other character.
constexpr int HexDigitValue(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace kelto
