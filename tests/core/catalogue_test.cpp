// Every component class is built with its body, pins, records and initial state.
#include "core/board/palette.h"
#include "core/canvas/flow_chart.h"
#include "core/circuit/catalogue.h"
#include "core/circuit/parts.h"

#include <gtest/gtest.h>

#include <set>

namespace kelto {
namespace {

struct TClassCase {
    TOwnerType Type;
    const char* Name;
    int32_t Width;
    int32_t Height;
    int32_t Pins;
    int32_t FileType;
};

const TClassCase kClasses[] = {
    {otMotor, "TSimuMotor", 70, 73, 2, 1},          {otResistance, "TSimuResistance", 72, 179, 1, 2},
    {otLEDA, "TSimuLEDA", 62, 138, 1, 3},           {otLEDB, "TSimuLEDB", 62, 154, 1, 24},
    {otAnNiuSwitch, "TSimuAnNiuSwitch", 64, 143, 1, 4}, {otZhaDaoSwitch, "TSimuZhaDaoSwitch", 105, 38, 2, 5},
    {otMCU, "TSimuMCU", 205, 264, 28, 6},           {otVCC, "TSimuVCC", 36, 50, 1, 7},
    {otGND, "TSimuGND", 50, 60, 1, 8},              {otSpeaker, "TSimuSpeaker", 104, 74, 1, 9},
    {otKeypad, "TSimuKeypad", 260, 191, 8, 10},     {otMicphone, "TSimuMicphone", 114, 66, 1, 11},
    {otServo, "TSimuServo", 128, 144, 1, 12},       {otSegDispTwo, "TSimuSegDispTwo", 172, 142, 10, 13},
    {otSegDispSix, "TSimuSegDispSix", 389, 125, 14, 15}, {otLCD1602, "TSimuLCD1602", 291, 119, 11, 16},
    {otOScopes, "TSimuOScopes", 117, 100, 8, 17},   {otAudioas, "TSimuAudioas", 80, 79, 1, 19},
    {otDAC8Bit, "TSimuDAC8Bit", 73, 140, 9, 18},    {otBitDisp, "TSimuBitDisp", 198, 90, 8, 14},
    {otNOTGate, "TSimuNOTGate", 111, 79, 2, 20},    {otANDGate, "TSimuANDGate", 111, 79, 3, 22},
    {otORGate, "TSimuORGate", 111, 79, 3, 23},      {otANDNGate, "TSimuANDNGate", 111, 79, 3, 25},
    {otORNGate, "TSimuORNGate", 111, 79, 3, 26},    {otDFlipFlop, "TSimuDFlipFlop", 219, 105, 6, 27},
    {otJKFlipFlop, "TSimuJKFlipFlop", 219, 123, 7, 28}, {otOutExpander, "TSimuOutExpander", 201, 242, 76, 31},
    {otDotMat1616, "TSimuDotMat1616", 282, 262, 32, 29}, {otDotMat3232, "TSimuDotMat3232", 331, 331, 64, 30},
    {otVoMeter, "TSimuVoMeter", 109, 109, 1, 21},
};

TEST(Catalogue, EveryClassIsBuiltWithItsBodyPinsAndRecords)
{
    ASSERT_EQ(std::size(kClasses), static_cast<size_t>(kOwnerTypeCount));
    for (const TClassCase& c : kClasses) {
        SCOPED_TRACE(c.Name);
        TdxFlowChart chart;
        auto part = CreatePart(c.Type, chart);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(ClassInfo(c.Type).ClassName, c.Name);
        EXPECT_EQ(ClassInfo(c.Type).FileType, c.FileType);
        EXPECT_EQ(ClassForFileType(c.FileType), &ClassInfo(c.Type));
        EXPECT_EQ(part->FOwnerType, c.Type);
        EXPECT_EQ(part->PinCount(), c.Pins);
        EXPECT_EQ(part->FBody->Left(), 0);
        EXPECT_EQ(part->FBody->Width(), c.Width);
        EXPECT_EQ(part->FBody->Height(), c.Height);
        EXPECT_TRUE(part->FBody->Visible());
        for (int32_t i = 0; i < part->PinCount(); ++i) {
            const TdxFcObject* pin = part->Pin(i);
            const TSimuPortInfo* record = part->Port(i);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(pin->UserData, record);
            EXPECT_FALSE(pin->Visible());
            EXPECT_EQ(pin->Width(), 0);
            EXPECT_EQ(record->FOwner, part.get());
            EXPECT_EQ(record->FOwnerType, c.Type);
            EXPECT_EQ(record->FPinIndex, i);
            EXPECT_EQ(record->FNextKind, ANALOG_IN);
            EXPECT_TRUE(part->FBody->InGroupTree(pin));
        }
        EXPECT_EQ(part->Pin(c.Pins), nullptr);
        EXPECT_EQ(part->Port(-1), nullptr);
        part.reset();
        EXPECT_EQ(chart.ObjectCount(), 0);
        EXPECT_EQ(chart.ConnectionCount(), 0);
    }
    EXPECT_EQ(ClassForFileType(0), nullptr);
    EXPECT_EQ(ClassForFileType(32), nullptr);
}

struct TPinCase {
    TOwnerType Type;
    int32_t Pin;
    int32_t X;
    int32_t Y;
    TPortKind Kind;
    int32_t Level;
};

TEST(Catalogue, PinPositionsKindsAndInitialLevels)
{
    const TPinCase cases[] = {
        {otMCU, 0, 43, 25, DIGITAL_IN, 0},        {otMCU, 13, 43, 233, DIGITAL_IN, 0},
        {otMCU, 14, 161, 233, DIGITAL_IN, 0},     {otMCU, 27, 161, 25, DIGITAL_IN, 0},
        {otOutExpander, 11, 6, 193, DIGITAL_IN, 0}, {otOutExpander, 52, 96, 136, DIGITAL_OUT, 0},
        {otOutExpander, 75, 176, 227, DIGITAL_OUT, 0}, {otANDGate, 2, 103, 43, DIGITAL_OUT, 0},
        {otNOTGate, 1, 103, 43, DIGITAL_OUT, 0},  {otDFlipFlop, 4, 176, 38, DIGITAL_OUT, 0},
        {otDFlipFlop, 5, 176, 74, DIGITAL_OUT, 1}, {otJKFlipFlop, 4, 43, 101, DIGITAL_IN, 0},
        {otJKFlipFlop, 6, 176, 92, DIGITAL_OUT, 1}, {otAnNiuSwitch, 0, 50, 65, DIGITAL_OUT, 1},
        {otVCC, 0, 18, 38, DIGITAL_OUT, 1},       {otGND, 0, 25, 10, DIGITAL_OUT, 0},
        {otMicphone, 0, 29, 20, DIGITAL_OUT, 0},  {otResistance, 0, 65, 83, ANALOG_OUT, 0},
        {otDAC8Bit, 8, 67, 70, ANALOG_OUT, 0},    {otDAC8Bit, 7, 6, 126, DIGITAL_IN, 0},
        {otKeypad, 3, 121, 171, SWITCH_CONN, 0},  {otKeypad, 4, 159, 171, SWITCH_CONN, 0},
        {otLCD1602, 2, 58, 113, DIGITAL_IN, 0},   {otLCD1602, 10, 214, 113, DIGITAL_IN, 0},
        {otSegDispTwo, 7, 114, 136, DIGITAL_IN, 0}, {otSegDispTwo, 9, 154, 136, DIGITAL_IN, 0},
        {otSegDispSix, 13, 202, 119, DIGITAL_IN, 0}, {otDotMat1616, 31, 218, 236, DIGITAL_IN, 0},
        {otDotMat3232, 31, 285, 269, DIGITAL_IN, 0}, {otDotMat3232, 32, 21, 285, DIGITAL_IN, 0},
        {otOScopes, 7, 100, 94, SCOPE_IN, 0},     {otVoMeter, 0, 54, 85, SCOPE_IN, 0},
        {otServo, 0, 35, 125, SERVO_PWM_IN, 0},   {otMotor, 1, 60, 50, MOTOR_PWM_IN, 0},
        {otLEDB, 0, 24, 8, DIGITAL_IN, 0},        {otLEDA, 0, 24, 126, DIGITAL_IN, 0},
    };
    for (const TPinCase& c : cases) {
        SCOPED_TRACE(std::string(ClassInfo(c.Type).ClassName) + " pin " + std::to_string(c.Pin));
        TdxFlowChart chart;
        auto part = CreatePart(c.Type, chart);
        ASSERT_NE(part->Pin(c.Pin), nullptr);
        EXPECT_EQ(part->Pin(c.Pin)->Left(), c.X);
        EXPECT_EQ(part->Pin(c.Pin)->Top(), c.Y);
        EXPECT_EQ(part->Port(c.Pin)->FKind, c.Kind);
        EXPECT_EQ(part->Port(c.Pin)->FLevel, c.Level);
    }
}

TEST(Catalogue, SwitchAndKeypadPinsLinkAcross)
{
    TdxFlowChart chart;
    TSimuZhaDaoSwitch toggle(chart);
    EXPECT_EQ(LinkedPin(*toggle.Port(0), 0), toggle.Port(1));
    EXPECT_EQ(LinkedPin(*toggle.Port(1), 0), toggle.Port(0));
    EXPECT_EQ(LinkedPin(*toggle.Port(0), 1), nullptr);
    TSimuKeypad keypad(chart);
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(LinkedPin(*keypad.Port(k), j), keypad.Port(4 + j));
            EXPECT_EQ(LinkedPin(*keypad.Port(4 + k), j), keypad.Port(j));
        }
    EXPECT_EQ(LinkedPin(*keypad.Port(0), 4), nullptr);
    TSimuLEDA led(chart);
    EXPECT_EQ(LinkedPin(*led.Port(0), 0), nullptr);
}

TEST(Catalogue, ResistorCarriesTrackAndSliderInItsGroup)
{
    TdxFlowChart chart;
    {
        TSimuResistance resistor(chart);
        EXPECT_EQ(resistor.FTrackStart->Left(), 47);
        EXPECT_EQ(resistor.FTrackStart->Top(), 122);
        EXPECT_EQ(resistor.FTrackEnd->Top(), 44);
        EXPECT_EQ(resistor.FTrack->SourceObject(), resistor.FTrackStart);
        EXPECT_TRUE(resistor.FTrack->DrawnBehind());
        EXPECT_FALSE(resistor.FTrack->Visible());
        EXPECT_EQ(resistor.FSlider->SliderTrack(), resistor.FTrack);
        EXPECT_EQ(resistor.FSlider->SliderContainer(), resistor.FBody);
        EXPECT_TRUE(resistor.FSlider->Visible());
        EXPECT_EQ(resistor.FSlider->UserData, nullptr);
        for (TdxFcObject* member : {resistor.FTrackStart, resistor.FTrackEnd, resistor.FSlider, resistor.Pin(0)})
            EXPECT_TRUE(resistor.FBody->InGroupTree(member));
        // The knob is created after the body, so it lies on top of it.
        EXPECT_GT(chart.IndexOfObject(resistor.FSlider), chart.IndexOfObject(resistor.FBody));
    }
    EXPECT_EQ(chart.ObjectCount(), 0);
    EXPECT_EQ(chart.ConnectionCount(), 0);
}

TEST(Catalogue, ClassSpecificInitialState)
{
    TdxFlowChart chart;
    TSimuMotor motor(chart);
    EXPECT_EQ(motor.FDirection, 1);
    TSimuServo servo(chart);
    EXPECT_FLOAT_EQ(servo.FPosition, 0.5f);
    TSimuDFlipFlop flipFlop(chart);
    EXPECT_EQ(flipFlop.FLastClock, 1);
    EXPECT_EQ(flipFlop.FQBar, 1);
    TSimuVoMeter meter(chart);
    EXPECT_EQ(meter.FReading, "0.00000");
    TSimuOutExpander expander(chart);
    EXPECT_EQ(expander.FLastClock, 1);
}

TEST(Palette, ItemsAreUniqueAndNameTheirClassesFileCodes)
{
    std::set<int32_t> seen;
    for (const TPaletteItem& item : PaletteItems()) {
        SCOPED_TRACE(item.Item);
        EXPECT_TRUE(seen.insert(item.Item).second);
        EXPECT_GE(item.Item, 1);
        EXPECT_LE(item.Item, kPaletteItemCount);
        EXPECT_EQ(ClassInfo(item.Type).FileType, item.FileType);
        EXPECT_EQ(PaletteItemForFile(item.FileType, item.Model), &item);
        EXPECT_GE(item.Icon, 0);
        EXPECT_LE(item.Icon, 31);
    }
    EXPECT_EQ(PaletteItem(kAudioasItem)->Caption, kAudioasCaption);
    EXPECT_EQ(PaletteItem(kMcuItem)->Type, otMCU);
    EXPECT_TRUE(PaletteItem(5)->NormallyClosed);
}

} // namespace
} // namespace kelto
