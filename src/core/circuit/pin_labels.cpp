#include "core/circuit/pin_labels.h"

#include "core/circuit/catalogue.h"

#include <array>
#include <string_view>

namespace kelto {

namespace {

constexpr std::array<std::string_view, kMcuPinCount> kMcuFunctions = {
    "PC6", "PD0", "PD1", "PD2", "PD3", "PD4",  "VCC",  "GND", "PB6", "PB7", "PD5", "PD6", "PD7", "PB0",
    "PB1", "PB2", "PB3", "PB4", "PB5", "AVCC", "AREF", "GND", "PC0", "PC1", "PC2", "PC3", "PC4", "PC5",
};

} // namespace

std::string McuPinFunction(int32_t pinIndex)
{
    return std::string(kMcuFunctions.at(static_cast<size_t>(pinIndex)));
}

std::string PinLabel(TOwnerType type, int32_t pin)
{
    if (!IsValidOwnerType(type))
        return {};
    const TClassInfo& info = ClassInfo(type);
    if (pin < 0 || static_cast<size_t>(pin) >= info.Pins.size())
        return {};
    return info.PinLabel(pin);
}

} // namespace kelto
