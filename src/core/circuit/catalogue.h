// What every component class looks like: class name, body size, file type
// code and the position, kind and initial level of each pin.
#pragma once

#include "core/circuit/port_info.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace kelto {

struct TPinSpec {
    int32_t X = 0;
    int32_t Y = 0;
    TPortKind Kind = DIGITAL_IN;
    int32_t Level = 0;
};

struct TClassInfo {
    TOwnerType Type;
    std::string_view ClassName;
    int32_t Width;
    int32_t Height;
    int32_t FileType; // the simulation file's own numbering, not the owner type
    std::span<const TPinSpec> Pins;
};

const TClassInfo& ClassInfo(TOwnerType type);
// The class for a file type code 1..31; nullptr for any other code.
const TClassInfo* ClassForFileType(int32_t fileType);

// Pin indices of the microcontroller and the keypad that other code names.
constexpr int kMcuPinCount = 28;
constexpr int kKeypadRowPin0 = 0;
constexpr int kKeypadColumnPin0 = 4;

} // namespace kelto
