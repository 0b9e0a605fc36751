#include "core/circuit/catalogue.h"

#include <array>
#include <vector>

namespace kelto {

namespace {

using TPins = std::vector<TPinSpec>;

TPins Row(int count, int x0, int dx, int y, TPortKind kind, int level = 0)
{
    TPins pins;
    for (int k = 0; k < count; ++k)
        pins.push_back({x0 + dx * k, y, kind, level});
    return pins;
}

TPins Column(int count, int x, int y0, int dy, TPortKind kind, int level = 0)
{
    TPins pins;
    for (int k = 0; k < count; ++k)
        pins.push_back({x, y0 + dy * k, kind, level});
    return pins;
}

TPins Join(std::initializer_list<TPins> parts)
{
    TPins all;
    for (const TPins& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TPins McuPins()
{
    TPins pins(kMcuPinCount);
    for (int k = 0; k < 14; ++k) {
        pins[k] = {43, 25 + 16 * k, DIGITAL_IN, 0};
        pins[27 - k] = {161, 25 + 16 * k, DIGITAL_IN, 0};
    }
    return pins;
}

TPins ExpanderPins()
{
    TPins pins = Join({Column(8, 6, 14, 13, DIGITAL_IN), Column(3, 6, 136, 13, DIGITAL_IN),
                       TPins{{6, 193, DIGITAL_IN, 0}}});
    for (int m = 0; m < 64; ++m) {
        if (m < 32)
            pins.push_back({56 + 40 * (m / 8), 14 + 13 * (m % 8), DIGITAL_OUT, 0});
        else
            pins.push_back({56 + 40 * ((m - 32) / 8), 136 + 13 * (m % 8), DIGITAL_OUT, 0});
    }
    return pins;
}

const TPins kTwoInputGatePins{{8, 28, DIGITAL_IN, 0}, {8, 58, DIGITAL_IN, 0}, {103, 43, DIGITAL_OUT, 0}};

struct TClassRow {
    TOwnerType Type;
    std::string_view ClassName;
    int32_t Width;
    int32_t Height;
    int32_t FileType;
    TPins Pins;
};

const std::vector<TClassRow>& Rows()
{
    static const std::vector<TClassRow> rows{
        {otMotor, "TSimuMotor", 70, 73, 1, {{10, 50, MOTOR_PWM_IN, 0}, {60, 50, MOTOR_PWM_IN, 0}}},
        {otResistance, "TSimuResistance", 72, 179, 2, {{65, 83, ANALOG_OUT, 0}}},
        {otLEDA, "TSimuLEDA", 62, 138, 3, {{24, 126, DIGITAL_IN, 0}}},
        {otLEDB, "TSimuLEDB", 62, 154, 24, {{24, 8, DIGITAL_IN, 0}}},
        {otAnNiuSwitch, "TSimuAnNiuSwitch", 64, 143, 4, {{50, 65, DIGITAL_OUT, 1}}},
        {otZhaDaoSwitch, "TSimuZhaDaoSwitch", 105, 38, 5, {{10, 26, SWITCH_CONN, 0}, {95, 26, SWITCH_CONN, 0}}},
        {otMCU, "TSimuMCU", 205, 264, 6, McuPins()},
        {otVCC, "TSimuVCC", 36, 50, 7, {{18, 38, DIGITAL_OUT, 1}}},
        {otGND, "TSimuGND", 50, 60, 8, {{25, 10, DIGITAL_OUT, 0}}},
        {otSpeaker, "TSimuSpeaker", 104, 74, 9, {{79, 27, DIGITAL_IN, 0}}},
        {otKeypad, "TSimuKeypad", 260, 191, 10,
         Join({Row(4, 64, 19, 171, SWITCH_CONN), Row(4, 159, 19, 171, SWITCH_CONN)})},
        {otMicphone, "TSimuMicphone", 114, 66, 11, {{29, 20, DIGITAL_OUT, 0}}},
        {otServo, "TSimuServo", 128, 144, 12, {{35, 125, SERVO_PWM_IN, 0}}},
        {otSegDispTwo, "TSimuSegDispTwo", 172, 142, 13,
         Join({Row(7, 16, 12, 136, DIGITAL_IN), TPins{{114, 136, DIGITAL_IN, 0}}, Row(2, 142, 12, 136, DIGITAL_IN)})},
        {otSegDispSix, "TSimuSegDispSix", 389, 125, 15,
         Join({Row(7, 16, 12, 119, DIGITAL_IN), TPins{{114, 119, DIGITAL_IN, 0}}, Row(6, 142, 12, 119, DIGITAL_IN)})},
        {otLCD1602, "TSimuLCD1602", 291, 119, 16,
         Join({Row(3, 16, 21, 113, DIGITAL_IN), Row(8, 88, 18, 113, DIGITAL_IN)})},
        {otOScopes, "TSimuOScopes", 117, 100, 17, Join({Row(7, 16, 12, 94, SCOPE_IN), TPins{{100, 94, SCOPE_IN, 0}}})},
        {otAudioas, "TSimuAudioas", 80, 79, 19, {{39, 73, SCOPE_IN, 0}}},
        {otDAC8Bit, "TSimuDAC8Bit", 73, 140, 18, Join({Column(8, 6, 14, 16, DIGITAL_IN), TPins{{67, 70, ANALOG_OUT, 0}}})},
        {otBitDisp, "TSimuBitDisp", 198, 90, 14, Row(8, 56, 12, 84, DIGITAL_IN)},
        {otNOTGate, "TSimuNOTGate", 111, 79, 20, {{8, 43, DIGITAL_IN, 0}, {103, 43, DIGITAL_OUT, 0}}},
        {otANDGate, "TSimuANDGate", 111, 79, 22, kTwoInputGatePins},
        {otORGate, "TSimuORGate", 111, 79, 23, kTwoInputGatePins},
        {otANDNGate, "TSimuANDNGate", 111, 79, 25, kTwoInputGatePins},
        {otORNGate, "TSimuORNGate", 111, 79, 26, kTwoInputGatePins},
        {otDFlipFlop, "TSimuDFlipFlop", 219, 105, 27,
         Join({Column(4, 43, 29, 18, DIGITAL_IN), TPins{{176, 38, DIGITAL_OUT, 0}, {176, 74, DIGITAL_OUT, 1}}})},
        {otJKFlipFlop, "TSimuJKFlipFlop", 219, 123, 28,
         Join({Column(5, 43, 29, 18, DIGITAL_IN), TPins{{176, 38, DIGITAL_OUT, 0}, {176, 92, DIGITAL_OUT, 1}}})},
        {otOutExpander, "TSimuOutExpander", 201, 242, 31, ExpanderPins()},
        {otDotMat1616, "TSimuDotMat1616", 282, 262, 29,
         Join({Column(16, 236, 23, 13, DIGITAL_IN), Row(16, 23, 13, 236, DIGITAL_IN)})},
        {otDotMat3232, "TSimuDotMat3232", 331, 331, 30,
         Join({Column(32, 285, 21, 8, DIGITAL_IN), Row(32, 21, 8, 285, DIGITAL_IN)})},
        {otVoMeter, "TSimuVoMeter", 109, 109, 21, {{54, 85, SCOPE_IN, 0}}},
    };
    return rows;
}

const std::array<TClassInfo, kOwnerTypeCount>& Infos()
{
    static const std::array<TClassInfo, kOwnerTypeCount> infos = [] {
        std::array<TClassInfo, kOwnerTypeCount> table{};
        for (const TClassRow& row : Rows())
            table[row.Type] = {row.Type, row.ClassName, row.Width, row.Height, row.FileType, row.Pins};
        return table;
    }();
    return infos;
}

} // namespace

const TClassInfo& ClassInfo(TOwnerType type)
{
    return Infos()[IsValidOwnerType(type) ? type : 0];
}

const TClassInfo* ClassForFileType(int32_t fileType)
{
    for (const TClassInfo& info : Infos())
        if (info.FileType == fileType)
            return &info;
    return nullptr;
}

} // namespace kelto
