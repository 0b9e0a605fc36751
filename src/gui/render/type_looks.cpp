#include "gui/render/type_looks.h"

#include "gui/render/palette_icons.h"

#include "core/board/palette.h"
#include "core/circuit/parts.h"
#include "core/circuit/type_table.h"
#include "core/devices/device_actions.h"
#include "core/devices/lcd1602.h"

#include <algorithm>

namespace kelto::gui {

namespace {

template <typename TPart> TPart& As(TSimuPart& part)
{
    return static_cast<TPart&>(part);
}

// The gallery's states, for the types that have more than "placed".

// Segments A..G of the digits 0..9, bit 0 = A.
constexpr std::array<uint8_t, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

template <size_t N> void ShowDigits(std::array<uint8_t, N>& segments, std::string_view digits, int pointAfter)
{
    for (size_t d = 0; d < digits.size() && 8 * d + 7 < N; ++d) {
        const uint8_t pattern = kDigitSegments[static_cast<size_t>(digits[d] - '0') % 10];
        for (int s = 0; s < 7; ++s)
            segments[8 * d + s] = (pattern >> s) & 1;
        segments[8 * d + 7] = static_cast<int>(d) == pointAfter ? 1 : 0;
    }
}

// A ring and a cross on a square matrix of side N.
template <size_t N> void DrawRingAndCross(std::array<uint8_t, N * N>& dots)
{
    const double centre = (N - 1) / 2.0;
    for (size_t i = 0; i < N; ++i) {
        for (size_t j = 0; j < N; ++j) {
            const double dx = j - centre;
            const double dy = i - centre;
            const double r2 = dx * dx + dy * dy;
            const double outer = N * N / 4.0;
            const bool ring = r2 <= outer && r2 >= outer * 0.55;
            dots[N * i + j] = ring || i == j || i + j == N - 1 ? 1 : 0;
        }
    }
}

void WriteLcdText(TSimuLCD1602& lcd, std::string_view text)
{
    for (char c : text)
        WriteData(lcd, static_cast<uint8_t>(c));
}

void PressOnce(TSimuPart& p)
{
    PressButton(As<TSimuAnNiuSwitch>(p));
}

constexpr TGalleryState kMotorStates[] = {
    {"0 deg"},
    {"30 deg", [](TSimuPart& p) { As<TSimuMotor>(p).FAngle = 30; }},
    {"90 deg", [](TSimuPart& p) { As<TSimuMotor>(p).FAngle = 90; }},
};
constexpr TGalleryState kResistanceStates[] = {
    {"slider 0", [](TSimuPart& p) { SetSliderPosition(*p.FCanvas, As<TSimuResistance>(p), 0.0); }},
    {"slider 0.5", [](TSimuPart& p) { SetSliderPosition(*p.FCanvas, As<TSimuResistance>(p), 0.5); }},
    {"slider 1", [](TSimuPart& p) { SetSliderPosition(*p.FCanvas, As<TSimuResistance>(p), 1.0); }},
};
constexpr TGalleryState kLEDAStates[] = {{"unlit"}, {"lit", [](TSimuPart& p) { As<TSimuLEDA>(p).FLit = 1; }}};
constexpr TGalleryState kLEDBStates[] = {{"unlit"}, {"lit", [](TSimuPart& p) { As<TSimuLEDB>(p).FLit = 1; }}};
constexpr TGalleryState kButtonStates[] = {
    {"S1 released", nullptr, 4},
    {"S1 pressed", PressOnce, 4},
    {"S2 released", nullptr, 5},
    {"S2 pressed", PressOnce, 5},
};
constexpr TGalleryState kToggleStates[] = {
    {"open"}, {"closed", [](TSimuPart& p) { FlipSwitch(As<TSimuZhaDaoSwitch>(p)); }}};
constexpr TGalleryState kKeypadStates[] = {
    {"all keys up"},
    {"6 and F held",
     [](TSimuPart& p) {
         PressKey(As<TSimuKeypad>(p), {1, 2});
         PressKey(As<TSimuKeypad>(p), {3, 3});
     }},
};
constexpr TGalleryState kServoStates[] = {
    {"-90 deg", [](TSimuPart& p) { As<TSimuServo>(p).FAngle = -90; }},
    {"0 deg"},
    {"+90 deg", [](TSimuPart& p) { As<TSimuServo>(p).FAngle = 90; }},
};
constexpr TGalleryState kSegDispTwoStates[] = {
    {"dark"},
    {"1 and 2.", [](TSimuPart& p) { ShowDigits(As<TSimuSegDispTwo>(p).FSegments, "12", 1); }},
    {"all lit", [](TSimuPart& p) { As<TSimuSegDispTwo>(p).FSegments.fill(1); }},
};
constexpr TGalleryState kSegDispSixStates[] = {
    {"dark"}, {"1234.56", [](TSimuPart& p) { ShowDigits(As<TSimuSegDispSix>(p).FSegments, "123456", 3); }}};
constexpr TGalleryState kDotMat1616States[] = {
    {"dark"}, {"ring and cross", [](TSimuPart& p) { DrawRingAndCross<16>(As<TSimuDotMat1616>(p).FDots); }}};
constexpr TGalleryState kDotMat3232States[] = {
    {"dark"}, {"ring and cross", [](TSimuPart& p) { DrawRingAndCross<32>(As<TSimuDotMat3232>(p).FDots); }}};
constexpr TGalleryState kLcdStates[] = {
    {"reset, one line"},
    {"two lines of text",
     [](TSimuPart& p) {
         TSimuLCD1602& lcd = As<TSimuLCD1602>(p);
         WriteInstruction(lcd, 0x38); // 8-bit bus, two lines
         WriteInstruction(lcd, 0x0C); // display on, no cursor
         WriteInstruction(lcd, 0x01);
         WriteLcdText(lcd, "KeltoSimu LCD");
         WriteInstruction(lcd, 0xC0); // second line
         WriteLcdText(lcd, "Hello, 1602! {}");
     }},
};
constexpr TGalleryState kBitDispStates[] = {
    {"dark"},
    {"A, C, E, G lit",
     [](TSimuPart& p) {
         auto& lit = As<TSimuBitDisp>(p).FLit;
         for (size_t k = 0; k < lit.size(); k += 2)
             lit[k] = 1;
     }},
};
constexpr TGalleryState kVoMeterStates[] = {
    {"new"}, {"3.14159", [](TSimuPart& p) { As<TSimuVoMeter>(p).FReading = "3.14159"; }}};

constexpr TPartTable<TPartLook> kLooks = MakePartTable<TPartLook>({
    {otMotor, {{{{5, "05_motor"}}}, kMotorStates}},
    {otResistance, {{{{2, "02_resistor"}}}, kResistanceStates}},
    {otLEDA, {{{{4, "04_led_to_supply"}}}, kLEDAStates}},
    {otLEDB, {{{{24, "24_led_to_ground"}}}, kLEDBStates}},
    {otAnNiuSwitch, {{{{1, "01_push_button"}, {3, "03_push_button_closed"}}}, kButtonStates}},
    {otZhaDaoSwitch, {{{{0, "00_knife_switch"}}}, kToggleStates}},
    {otMCU, {{{{8, "08_mcu"}}}, {}}},
    {otVCC, {{{{6, "06_supply"}}}, {}}},
    {otGND, {{{{7, "07_ground"}}}, {}}},
    {otSpeaker, {{{{9, "09_speaker"}}}, {}}},
    {otKeypad, {{{{14, "14_keypad"}}}, kKeypadStates}},
    {otMicphone, {{{{12, "12_microphone"}}}, {}}},
    {otServo, {{{{11, "11_servo"}}}, kServoStates}},
    {otSegDispTwo, {{{{10, "10_two_digits"}}}, kSegDispTwoStates}},
    {otSegDispSix, {{{{15, "15_six_digits"}}}, kSegDispSixStates}},
    {otLCD1602, {{{{16, "16_lcd"}}}, kLcdStates}},
    {otOScopes, {{{{17, "17_oscilloscope"}}}, {}}},
    {otAudioas, {{{{19, "19_single_probe"}}}, {}}},
    {otDAC8Bit, {{{{18, "18_dac"}}}, {}}},
    {otBitDisp, {{{{13, "13_bar_display"}}}, kBitDispStates}},
    {otNOTGate, {{{{20, "20_not_gate"}}}, {}}},
    {otANDGate, {{{{22, "22_and_gate"}}}, {}}},
    {otORGate, {{{{23, "23_or_gate"}}}, {}}},
    {otANDNGate, {{{{25, "25_nand_gate"}}}, {}}},
    {otORNGate, {{{{26, "26_nor_gate"}}}, {}}},
    {otDFlipFlop, {{{{27, "27_d_flip_flop"}}}, {}}},
    {otJKFlipFlop, {{{{28, "28_jk_flip_flop"}}}, {}}},
    {otOutExpander, {{{{31, "31_expander"}}}, {}}},
    {otDotMat1616, {{{{29, "29_matrix_16"}}}, kDotMat1616States}},
    {otDotMat3232, {{{{30, "30_matrix_32"}}}, kDotMat3232States}},
    {otVoMeter, {{{{21, "21_voltmeter"}}}, kVoMeterStates}},
});

// The image list's files by index: each index listed by exactly one type.
consteval std::array<std::string_view, kPaletteIconCount> IconFilesByIndex()
{
    std::array<std::string_view, kPaletteIconCount> files{};
    for (const TPartLook& look : kLooks)
        for (const TIconFile& icon : look.Icons) {
            if (icon.File.empty())
                continue;
            if (icon.Index < 0 || icon.Index >= kPaletteIconCount || !files[icon.Index].empty())
                throw "an icon index outside the palette's list or listed twice";
            files[icon.Index] = icon.File;
        }
    for (std::string_view file : files)
        if (file.empty())
            throw "an icon some palette item uses has no file";
    return files;
}

constexpr std::array<std::string_view, kPaletteIconCount> kIconFiles = IconFilesByIndex();

// A palette item shows an icon its own type lists.
consteval bool ItemIconsBelongToTheirType()
{
    for (const TPaletteItem& item : PaletteItems())
        if (std::none_of(kLooks[item.Type].Icons.begin(), kLooks[item.Type].Icons.end(),
                         [&item](const TIconFile& icon) { return icon.Index == item.Icon; }))
            return false;
    return true;
}
static_assert(ItemIconsBelongToTheirType(), "a palette item's icon must be listed in its type's look");

} // namespace

const TPartLook& PartLook(TOwnerType type)
{
    return kLooks[IsValidOwnerType(type) ? type : 0];
}

std::string_view IconFile(int32_t index)
{
    return index >= 0 && index < kPaletteIconCount ? kIconFiles[index] : std::string_view{};
}

} // namespace kelto::gui
