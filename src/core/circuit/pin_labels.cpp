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

std::string Numbered(std::string_view prefix, int32_t n)
{
    return std::string(prefix) + std::to_string(n);
}

std::string Letter(int32_t n)
{
    return std::string(1, static_cast<char>('A' + n));
}

std::string SegmentLabel(int32_t pin)
{
    if (pin < 7)
        return "段 " + Letter(pin);
    if (pin == 7)
        return "段 DP";
    return Numbered("位 ", pin - 7);
}

std::string GateLabel(TOwnerType type, int32_t pin)
{
    if (type == otNOTGate)
        return pin == 0 ? "输入" : "输出";
    return pin < 2 ? Numbered("输入 ", pin + 1) : "输出";
}

std::string FlipFlopLabel(TOwnerType type, int32_t pin)
{
    static constexpr std::array<std::string_view, 6> kD = {"S（置位，低有效）", "D", "CP（时钟）",
                                                           "R（复位，低有效）", "Q", "Q 反"};
    static constexpr std::array<std::string_view, 7> kJK = {"S（置位，低有效）", "J", "CP（时钟）", "K",
                                                            "R（复位，低有效）", "Q", "Q 反"};
    if (type == otDFlipFlop)
        return std::string(kD.at(static_cast<size_t>(pin)));
    return std::string(kJK.at(static_cast<size_t>(pin)));
}

std::string ExpanderLabel(int32_t pin)
{
    if (pin < 8)
        return Numbered("D", pin);
    if (pin < 11)
        return Numbered("A", pin - 8);
    if (pin == 11)
        return "CP（时钟）";
    const int32_t m = pin - 12;
    return "输出 " + std::to_string(m / 8) + "." + std::to_string(m % 8);
}

} // namespace

std::string McuPinFunction(int32_t pinIndex)
{
    return std::string(kMcuFunctions.at(static_cast<size_t>(pinIndex)));
}

std::string PinLabel(TOwnerType type, int32_t pin)
{
    if (!IsValidOwnerType(type) || pin < 0 || static_cast<size_t>(pin) >= ClassInfo(type).Pins.size())
        return {};
    switch (type) {
    case otMCU: return McuPinFunction(pin) + "（第 " + std::to_string(pin + 1) + " 脚）";
    case otMotor: return Numbered("接线 ", pin + 1);
    case otResistance: return "滑动端";
    case otAnNiuSwitch:
    case otMicphone: return "输出";
    case otZhaDaoSwitch: return Numbered("触点 ", pin + 1);
    case otVCC: return "VCC";
    case otGND: return "GND";
    case otLEDA:
    case otLEDB:
    case otSpeaker:
    case otAudioas: return "输入";
    case otServo: return "控制";
    case otVoMeter: return "探头";
    case otKeypad:
        return Numbered("J", pin) +
               (pin < 4 ? Numbered("（第 ", pin + 1) + " 行）" : Numbered("（第 ", pin - 3) + " 列）");
    case otSegDispTwo:
    case otSegDispSix: return SegmentLabel(pin);
    case otLCD1602: {
        static constexpr std::array<std::string_view, 3> kControl = {"RS", "R/W", "E"};
        return pin < 3 ? std::string(kControl.at(static_cast<size_t>(pin))) : Numbered("D", pin - 3);
    }
    case otOScopes: return "通道 " + Letter(pin);
    case otBitDisp: return Letter(pin);
    case otDAC8Bit: return pin < 8 ? Numbered("D", pin) : "输出";
    case otNOTGate:
    case otANDGate:
    case otORGate:
    case otANDNGate:
    case otORNGate: return GateLabel(type, pin);
    case otDFlipFlop:
    case otJKFlipFlop: return FlipFlopLabel(type, pin);
    case otOutExpander: return ExpanderLabel(pin);
    case otDotMat1616: return pin < 16 ? Numbered("行 ", pin + 1) : Numbered("列 ", pin - 15);
    case otDotMat3232: return pin < 32 ? Numbered("行 ", pin + 1) : Numbered("列 ", pin - 31);
    }
    return {};
}

} // namespace kelto
