#include "core/circuit/catalogue.h"

#include "core/circuit/parts.h"
#include "core/circuit/pin_labels.h"
#include "core/circuit/type_table.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace kelto {

namespace {

// Pin lists are built at compile time so that every row lives in the table.
template <size_t N> using TPins = std::array<TPinSpec, N>;

consteval TPins<1> Pin(int32_t x, int32_t y, TPortKind kind, int32_t level = 0)
{
    return {{{x, y, kind, level}}};
}

template <size_t N> consteval TPins<N> Row(int32_t x0, int32_t dx, int32_t y, TPortKind kind)
{
    TPins<N> pins{};
    for (size_t k = 0; k < N; ++k)
        pins[k] = {x0 + dx * static_cast<int32_t>(k), y, kind, 0};
    return pins;
}

template <size_t N> consteval TPins<N> Column(int32_t x, int32_t y0, int32_t dy, TPortKind kind)
{
    TPins<N> pins{};
    for (size_t k = 0; k < N; ++k)
        pins[k] = {x, y0 + dy * static_cast<int32_t>(k), kind, 0};
    return pins;
}

template <size_t... N> consteval TPins<(N + ...)> Join(const TPins<N>&... parts)
{
    TPins<(N + ...)> all{};
    size_t next = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + next), next += parts.size()), ...);
    return all;
}

consteval TPins<kMcuPinCount> McuPins()
{
    TPins<kMcuPinCount> pins{};
    for (int32_t k = 0; k < 14; ++k) {
        pins[k] = {43, 25 + 16 * k, DIGITAL_IN, 0};
        pins[27 - k] = {161, 25 + 16 * k, DIGITAL_IN, 0};
    }
    return pins;
}

consteval TPins<64> ExpanderOutputPins()
{
    TPins<64> pins{};
    for (int32_t m = 0; m < 64; ++m)
        pins[m] = {56 + 40 * ((m % 32) / 8), (m < 32 ? 14 : 136) + 13 * (m % 8), DIGITAL_OUT, 0};
    return pins;
}

constexpr auto kMotorPins = Join(Pin(10, 50, MOTOR_PWM_IN), Pin(60, 50, MOTOR_PWM_IN));
constexpr auto kResistancePins = Pin(65, 83, ANALOG_OUT);
constexpr auto kLEDAPins = Pin(24, 126, DIGITAL_IN);
constexpr auto kLEDBPins = Pin(24, 8, DIGITAL_IN);
constexpr auto kButtonPins = Pin(50, 65, DIGITAL_OUT, 1);
constexpr auto kTogglePins = Join(Pin(10, 26, SWITCH_CONN), Pin(95, 26, SWITCH_CONN));
constexpr auto kMcuPins = McuPins();
constexpr auto kVCCPins = Pin(18, 38, DIGITAL_OUT, 1);
constexpr auto kGNDPins = Pin(25, 10, DIGITAL_OUT);
constexpr auto kSpeakerPins = Pin(79, 27, DIGITAL_IN);
constexpr auto kKeypadPins = Join(Row<4>(64, 19, 171, SWITCH_CONN), Row<4>(159, 19, 171, SWITCH_CONN));
constexpr auto kMicphonePins = Pin(29, 20, DIGITAL_OUT);
constexpr auto kServoPins = Pin(35, 125, SERVO_PWM_IN);
constexpr auto kSegDispTwoPins =
    Join(Row<7>(16, 12, 136, DIGITAL_IN), Pin(114, 136, DIGITAL_IN), Row<2>(142, 12, 136, DIGITAL_IN));
constexpr auto kSegDispSixPins =
    Join(Row<7>(16, 12, 119, DIGITAL_IN), Pin(114, 119, DIGITAL_IN), Row<6>(142, 12, 119, DIGITAL_IN));
constexpr auto kLcdPins = Join(Row<3>(16, 21, 113, DIGITAL_IN), Row<8>(88, 18, 113, DIGITAL_IN));
constexpr auto kOScopesPins = Join(Row<7>(16, 12, 94, SCOPE_IN), Pin(100, 94, SCOPE_IN));
constexpr auto kAudioasPins = Pin(39, 73, SCOPE_IN);
constexpr auto kDacPins = Join(Column<8>(6, 14, 16, DIGITAL_IN), Pin(67, 70, ANALOG_OUT));
constexpr auto kBitDispPins = Row<8>(56, 12, 84, DIGITAL_IN);
constexpr auto kNOTGatePins = Join(Pin(8, 43, DIGITAL_IN), Pin(103, 43, DIGITAL_OUT));
constexpr auto kTwoInputGatePins =
    Join(Pin(8, 28, DIGITAL_IN), Pin(8, 58, DIGITAL_IN), Pin(103, 43, DIGITAL_OUT));
constexpr auto kDFlipFlopPins =
    Join(Column<4>(43, 29, 18, DIGITAL_IN), Pin(176, 38, DIGITAL_OUT), Pin(176, 74, DIGITAL_OUT, 1));
constexpr auto kJKFlipFlopPins =
    Join(Column<5>(43, 29, 18, DIGITAL_IN), Pin(176, 38, DIGITAL_OUT), Pin(176, 92, DIGITAL_OUT, 1));
constexpr auto kExpanderPins = Join(Column<8>(6, 14, 13, DIGITAL_IN), Column<3>(6, 136, 13, DIGITAL_IN),
                                    Pin(6, 193, DIGITAL_IN), ExpanderOutputPins());
constexpr auto kDotMat1616Pins = Join(Column<16>(236, 23, 13, DIGITAL_IN), Row<16>(23, 13, 236, DIGITAL_IN));
constexpr auto kDotMat3232Pins = Join(Column<32>(285, 21, 8, DIGITAL_IN), Row<32>(21, 8, 285, DIGITAL_IN));
constexpr auto kVoMeterPins = Pin(54, 85, SCOPE_IN);

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

std::string TwoInputGateLabel(int32_t pin)
{
    return pin < 2 ? Numbered("输入 ", pin + 1) : "输出";
}

std::string DFlipFlopLabel(int32_t pin)
{
    static constexpr std::array<std::string_view, 6> kLabels = {"S（置位，低有效）", "D", "CP（时钟）",
                                                                "R（复位，低有效）", "Q", "Q 反"};
    return std::string(kLabels.at(static_cast<size_t>(pin)));
}

std::string JKFlipFlopLabel(int32_t pin)
{
    static constexpr std::array<std::string_view, 7> kLabels = {"S（置位，低有效）", "J", "CP（时钟）", "K",
                                                                "R（复位，低有效）", "Q", "Q 反"};
    return std::string(kLabels.at(static_cast<size_t>(pin)));
}

std::string LcdLabel(int32_t pin)
{
    static constexpr std::array<std::string_view, 3> kControl = {"RS", "R/W", "E"};
    return pin < 3 ? std::string(kControl.at(static_cast<size_t>(pin))) : Numbered("D", pin - 3);
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

template <TOwnerType Type, typename TPart> std::unique_ptr<TSimuPart> Make(TdxFlowChart& canvas)
{
    if constexpr (std::is_constructible_v<TPart, TdxFlowChart&>)
        return std::make_unique<TPart>(canvas);
    else
        return std::make_unique<TPart>(canvas, Type); // the gates share one class
}

// constexpr, not consteval: clang 14 (the WebAssembly build's) hands 0 for a
// function pointer made inside a consteval call, and every pin label went blank.
template <TOwnerType Type, typename TPart, size_t N>
constexpr TPartRow<TClassInfo> Class(std::string_view name, int32_t width, int32_t height, int32_t fileType,
                                     const TPins<N>& pins, std::string (*label)(int32_t))
{
    return {Type, {Type, name, width, height, fileType, pins, label, Make<Type, TPart>}};
}

constexpr TPartTable<TClassInfo> kClasses = MakePartTable<TClassInfo>({
    Class<otMotor, TSimuMotor>("TSimuMotor", 70, 73, 1, kMotorPins,
                               [](int32_t pin) { return Numbered("接线 ", pin + 1); }),
    Class<otResistance, TSimuResistance>("TSimuResistance", 72, 179, 2, kResistancePins,
                                         [](int32_t) { return std::string("滑动端"); }),
    Class<otLEDA, TSimuLEDA>("TSimuLEDA", 62, 138, 3, kLEDAPins, [](int32_t) { return std::string("输入"); }),
    Class<otLEDB, TSimuLEDB>("TSimuLEDB", 62, 154, 24, kLEDBPins,
                             [](int32_t) { return std::string("输入"); }),
    Class<otAnNiuSwitch, TSimuAnNiuSwitch>("TSimuAnNiuSwitch", 64, 143, 4, kButtonPins,
                                           [](int32_t) { return std::string("输出"); }),
    Class<otZhaDaoSwitch, TSimuZhaDaoSwitch>("TSimuZhaDaoSwitch", 105, 38, 5, kTogglePins,
                                             [](int32_t pin) { return Numbered("触点 ", pin + 1); }),
    Class<otMCU, TSimuMCU>(
        "TSimuMCU", 205, 264, 6, kMcuPins,
        [](int32_t pin) { return McuPinFunction(pin) + "（第 " + std::to_string(pin + 1) + " 脚）"; }),
    Class<otVCC, TSimuVCC>("TSimuVCC", 36, 50, 7, kVCCPins, [](int32_t) { return std::string("VCC"); }),
    Class<otGND, TSimuGND>("TSimuGND", 50, 60, 8, kGNDPins, [](int32_t) { return std::string("GND"); }),
    Class<otSpeaker, TSimuSpeaker>("TSimuSpeaker", 104, 74, 9, kSpeakerPins,
                                   [](int32_t) { return std::string("输入"); }),
    Class<otKeypad, TSimuKeypad>("TSimuKeypad", 260, 191, 10, kKeypadPins,
                                 [](int32_t pin) {
                                     return Numbered("J", pin) + (pin < 4
                                                                      ? Numbered("（第 ", pin + 1) + " 行）"
                                                                      : Numbered("（第 ", pin - 3) + " 列）");
                                 }),
    Class<otMicphone, TSimuMicphone>("TSimuMicphone", 114, 66, 11, kMicphonePins,
                                     [](int32_t) { return std::string("输出"); }),
    Class<otServo, TSimuServo>("TSimuServo", 128, 144, 12, kServoPins,
                               [](int32_t) { return std::string("控制"); }),
    Class<otSegDispTwo, TSimuSegDispTwo>("TSimuSegDispTwo", 172, 142, 13, kSegDispTwoPins, SegmentLabel),
    Class<otSegDispSix, TSimuSegDispSix>("TSimuSegDispSix", 389, 125, 15, kSegDispSixPins, SegmentLabel),
    Class<otLCD1602, TSimuLCD1602>("TSimuLCD1602", 291, 119, 16, kLcdPins, LcdLabel),
    Class<otOScopes, TSimuOScopes>("TSimuOScopes", 117, 100, 17, kOScopesPins,
                                   [](int32_t pin) { return "通道 " + Letter(pin); }),
    Class<otAudioas, TSimuAudioas>("TSimuAudioas", 80, 79, 19, kAudioasPins,
                                   [](int32_t) { return std::string("输入"); }),
    Class<otDAC8Bit, TSimuDAC8Bit>("TSimuDAC8Bit", 73, 140, 18, kDacPins,
                                   [](int32_t pin) { return pin < 8 ? Numbered("D", pin) : "输出"; }),
    Class<otBitDisp, TSimuBitDisp>("TSimuBitDisp", 198, 90, 14, kBitDispPins, Letter),
    Class<otNOTGate, TSimuGate>("TSimuNOTGate", 111, 79, 20, kNOTGatePins,
                                [](int32_t pin) { return std::string(pin == 0 ? "输入" : "输出"); }),
    Class<otANDGate, TSimuGate>("TSimuANDGate", 111, 79, 22, kTwoInputGatePins, TwoInputGateLabel),
    Class<otORGate, TSimuGate>("TSimuORGate", 111, 79, 23, kTwoInputGatePins, TwoInputGateLabel),
    Class<otANDNGate, TSimuGate>("TSimuANDNGate", 111, 79, 25, kTwoInputGatePins, TwoInputGateLabel),
    Class<otORNGate, TSimuGate>("TSimuORNGate", 111, 79, 26, kTwoInputGatePins, TwoInputGateLabel),
    Class<otDFlipFlop, TSimuDFlipFlop>("TSimuDFlipFlop", 219, 105, 27, kDFlipFlopPins, DFlipFlopLabel),
    Class<otJKFlipFlop, TSimuJKFlipFlop>("TSimuJKFlipFlop", 219, 123, 28, kJKFlipFlopPins, JKFlipFlopLabel),
    Class<otOutExpander, TSimuOutExpander>("TSimuOutExpander", 201, 242, 31, kExpanderPins, ExpanderLabel),
    Class<otDotMat1616, TSimuDotMat1616>("TSimuDotMat1616", 282, 262, 29, kDotMat1616Pins,
                                         [](int32_t pin) {
                                             return pin < 16 ? Numbered("行 ", pin + 1)
                                                             : Numbered("列 ", pin - 15);
                                         }),
    Class<otDotMat3232, TSimuDotMat3232>("TSimuDotMat3232", 331, 331, 30, kDotMat3232Pins,
                                         [](int32_t pin) {
                                             return pin < 32 ? Numbered("行 ", pin + 1)
                                                             : Numbered("列 ", pin - 31);
                                         }),
    Class<otVoMeter, TSimuVoMeter>("TSimuVoMeter", 109, 109, 21, kVoMeterPins,
                                   [](int32_t) { return std::string("探头"); }),
});

} // namespace

const TClassInfo& ClassInfo(TOwnerType type)
{
    return kClasses[IsValidOwnerType(type) ? type : 0];
}

const TClassInfo* ClassForFileType(int32_t fileType)
{
    for (const TClassInfo& info : kClasses)
        if (info.FileType == fileType)
            return &info;
    return nullptr;
}

} // namespace kelto
