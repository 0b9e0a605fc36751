// What every component class is: class name, body size, file type code, the
// position, kind, initial level and label of each pin, and how it is built.
// One row per class in catalogue.cpp; a class without a row does not build.
#pragma once

#include "core/circuit/port_info.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace kelto {

class TdxFlowChart;

struct TPinSpec {
    int32_t X = 0;
    int32_t Y = 0;
    TPortKind Kind = DIGITAL_IN;
    int32_t Level = 0;
};

struct TClassInfo {
    TOwnerType Type{};
    std::string_view ClassName;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t FileType = 0; // the simulation file's own numbering, not the owner type
    std::span<const TPinSpec> Pins;
    // The label of pin 0 .. Pins.size() - 1 as the part shows it (UTF-8).
    std::string (*PinLabel)(int32_t pin) = nullptr;
    // The part on the canvas, body at (0, 0), as constructed (before power-on).
    std::unique_ptr<TSimuPart> (*Create)(TdxFlowChart& canvas) = nullptr;
};

const TClassInfo& ClassInfo(TOwnerType type);
// The class for a file type code 1..31; nullptr for any other code.
const TClassInfo* ClassForFileType(int32_t fileType);

// Pin indices of the microcontroller and the keypad that other code names.
constexpr int kMcuPinCount = 28;
constexpr int kKeypadRowPin0 = 0;
constexpr int kKeypadColumnPin0 = 4;

} // namespace kelto
