// The byte sine of the SIN and COS functions: 128 + 127 sin(degrees).
#pragma once

#include <cstdint>

namespace kelto {

// 0..255 for any angle in degrees; negative angles count back from 360.
int16_t SineByte(int16_t degrees);

} // namespace kelto
