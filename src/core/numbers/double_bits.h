// A double's bits, to tell values apart bit for bit (a NaN or a signed zero
// counts as itself). std::bit_cast is missing from the WebAssembly build's
// C++ library.
#pragma once

#include <cstdint>
#include <cstring>

namespace kelto {

inline uint64_t DoubleBits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace kelto
