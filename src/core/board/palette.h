// The palette's items as data: group, caption, class, given name, file
// type and model, icon. Each item owns one part slot.
#pragma once

#include "core/circuit/port_info.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kelto {

struct TPaletteItem {
    int32_t Item;  // N of dxNavBar1ItemN; its slot is Item - 1
    int32_t Group; // 1..4, as numbered by the group names
    std::string_view Caption;
    TOwnerType Type;
    std::string_view Name; // FName of the placed component
    int32_t FileType;
    int32_t Model; // 0 for single-instance kinds
    int32_t Icon;
    bool NormallyClosed;
};

constexpr int kMcuItem = 14;
constexpr int kOScopesItem = 24;
constexpr int kAudioasItem = 26;

// Items in display order, group by group. A part type without an item, or
// two items with one number, stops the build (palette.cpp).
inline constexpr auto kPaletteItems = std::to_array<TPaletteItem>({
    {15, 1, "开关K0", otZhaDaoSwitch, "K0", 5, 1, 0, false},
    {1, 1, "开关K1", otZhaDaoSwitch, "K1", 5, 2, 0, false},
    {2, 1, "开关K2", otZhaDaoSwitch, "K2", 5, 3, 0, false},
    {3, 1, "开关K3", otZhaDaoSwitch, "K3", 5, 4, 0, false},
    {4, 1, "常开按钮S1", otAnNiuSwitch, "S1", 4, 1, 1, false},
    {5, 1, "常闭按钮S2", otAnNiuSwitch, "S2", 4, 2, 3, true},
    {6, 1, "可调电阻R", otResistance, "R", 2, 0, 2, false},
    {19, 1, "麦克风", otMicphone, "Q3", 11, 0, 12, false},
    {21, 1, "4×4键盘", otKeypad, "K1", 10, 0, 14, false},
    {7, 2, "发光二极管LED0", otLEDA, "LED0", 3, 1, 4, false},
    {8, 2, "发光二极管LED1", otLEDA, "LED1", 3, 2, 4, false},
    {9, 2, "发光二极管LED2", otLEDA, "LED2", 3, 3, 4, false},
    {34, 2, "发光二极管LED3", otLEDB, "LED3", 24, 1, 24, false},
    {35, 2, "发光二极管LED4", otLEDB, "LED4", 24, 2, 24, false},
    {10, 2, "电机MOTOR1", otMotor, "Motor1", 1, 1, 5, false},
    {11, 2, "电机MOTOR2", otMotor, "Motor2", 1, 2, 5, false},
    {16, 2, "喇叭Y1", otSpeaker, "Y1", 9, 0, 9, false},
    {17, 2, "2位数码管", otSegDispTwo, "K1", 13, 0, 10, false},
    {18, 2, "舵机", otServo, "Y1", 12, 0, 11, false},
    {20, 2, "8位发光二极管", otBitDisp, "K1", 14, 0, 13, false},
    {22, 2, "6位数码管", otSegDispSix, "K1", 15, 0, 15, false},
    {23, 2, "LCD1602", otLCD1602, "K1", 16, 0, 16, false},
    {44, 2, "LED点阵16x16", otDotMat1616, "K1", 29, 0, 29, false},
    {45, 2, "LED点阵32x32", otDotMat3232, "K1", 30, 0, 30, false},
    {27, 4, "非门1", otNOTGate, "NOT1", 20, 1, 20, false},
    {28, 4, "非门2", otNOTGate, "NOT2", 20, 2, 20, false},
    {30, 4, "与门1", otANDGate, "AND1", 22, 1, 22, false},
    {31, 4, "与门2", otANDGate, "AND2", 22, 2, 22, false},
    {32, 4, "或门1", otORGate, "OR1", 23, 1, 23, false},
    {33, 4, "或门2", otORGate, "OR2", 23, 2, 23, false},
    {36, 4, "与非门1", otANDNGate, "NAND1", 25, 1, 25, false},
    {37, 4, "与非门2", otANDNGate, "NAND2", 25, 2, 25, false},
    {38, 4, "或非门1", otORNGate, "NOR1", 26, 1, 26, false},
    {39, 4, "或非门2", otORNGate, "NOR2", 26, 2, 26, false},
    {40, 4, "D触发器1", otDFlipFlop, "D F/F 1", 27, 1, 27, false},
    {41, 4, "D触发器2", otDFlipFlop, "D F/F 2", 27, 2, 27, false},
    {42, 4, "JK触发器1", otJKFlipFlop, "JK F/F 1", 28, 1, 28, false},
    {43, 4, "JK触发器2", otJKFlipFlop, "JK F/F 2", 28, 2, 28, false},
    {12, 3, "电源正VCC", otVCC, "VCC", 7, 0, 6, false},
    {13, 3, "电源负GND", otGND, "GND", 8, 0, 7, false},
    {14, 3, "单片机MCU", otMCU, "MCU", 6, 0, 8, false},
    {24, 3, "示波器", otOScopes, "K1", 17, 0, 17, false},
    {25, 3, "DAC数模转换器", otDAC8Bit, "K1", 18, 0, 18, false},
    {26, 3, "单通道示波器", otAudioas, "K1", 19, 0, 19, false},
    {29, 3, "电压表", otVoMeter, "Y1", 21, 0, 21, false},
    {46, 3, "输出扩展器", otOutExpander, "Y1", 31, 0, 31, false},
});

constexpr int kPaletteItemCount = static_cast<int>(kPaletteItems.size());

constexpr const std::array<TPaletteItem, kPaletteItemCount>& PaletteItems()
{
    return kPaletteItems;
}

struct TPaletteGroup {
    std::string_view Name;
    std::string_view Caption;
};

const std::array<TPaletteGroup, 4>& PaletteGroups();
// The item with this number (1..46), or nullptr.
const TPaletteItem* PaletteItem(int32_t item);
// The item a file record names: its type code and, for multi-instance kinds, its model.
const TPaletteItem* PaletteItemForFile(int32_t fileType, int32_t model);
// The item a placed part came from: its class and the name the item gave it
// tell items apart even where two parts of a loaded file share one slot.
const TPaletteItem* PaletteItemForPart(TOwnerType type, std::string_view name);
// The caption item 26 shows after start-up replaced its layout caption.
constexpr std::string_view kAudioasCaption = "单通道示波器";

} // namespace kelto
