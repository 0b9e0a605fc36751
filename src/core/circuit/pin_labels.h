// The name of each pin as its part labels it (for the microcontroller the
// port bit and the package pin), for hints under the pointer. Each class's
// labels are in its catalogue row.
#pragma once

#include "core/circuit/port_info.h"

#include <cstdint>
#include <string>

namespace kelto {

// UTF-8; an index the class does not have gives an empty text.
std::string PinLabel(TOwnerType type, int32_t pinIndex);

// Package pin k + 1 of the microcontroller's pin index k: "PB0", "VCC", ...
std::string McuPinFunction(int32_t pinIndex);

} // namespace kelto
