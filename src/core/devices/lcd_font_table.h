// The LCD's built-in character generator: the 256 glyphs of the A00 character
// set, 5 x 8 dots each, one byte (0 or 1) per dot.
#pragma once

#include "core/circuit/parts.h"

#include <array>
#include <cstdint>

namespace kelto {

// Character-major, then row (0 = top), then column (0 = leftmost).
extern const std::array<uint8_t, kLcdFontBytes> LcdFontTable;

} // namespace kelto
