// KELTOBASIC values: 16-bit two's complement, every result wrapped.
#pragma once

#include <cstdint>

namespace kelto {

constexpr int16_t WrapValue(int64_t value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
}

} // namespace kelto
