// The LCD1602 controller driven through its operations: instructions,
// address counter, DDRAM and CGRAM, display mapping, shift and blanking.
#include "core/canvas/flow_chart.h"
#include "core/devices/device_table.h"
#include "core/devices/lcd1602.h"
#include "lcd_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace kelto {
namespace {

using namespace kelto::testing;

class Lcd1602 : public ::testing::Test {
protected:
    void Instructions(std::initializer_list<uint8_t> bytes)
    {
        for (uint8_t b : bytes)
            WriteInstruction(Lcd, b);
    }
    void Text(const std::string& text)
    {
        for (char c : text)
            WriteData(Lcd, static_cast<uint8_t>(c));
    }
    // 8-bit, two lines, display on without cursor, increment, clear.
    void InitTwoLines() { Instructions({0x38, 0x0C, 0x06, 0x01}); }

    TdxFlowChart Canvas;
    // Built as the board builds it, so the power-on state is the one users see.
    std::unique_ptr<TSimuPart> Part = CreateDevice(otLCD1602, Canvas);
    TSimuLCD1602& Lcd = static_cast<TSimuLCD1602&>(*Part);
};

TEST_F(Lcd1602, PowerOnShowsOneDarkLineAndHidesTheSecond)
{
    EXPECT_EQ(Lcd.FEightBit, 1);
    EXPECT_EQ(Lcd.FTwoLine, 0);
    EXPECT_EQ(Lcd.FDisplayOn, 0);
    EXPECT_EQ(Lcd.FAddress, 0);
    EXPECT_EQ(Lcd.FIncrement, 1);
    EXPECT_EQ(Lcd.FBlinkTimerOn, 1);
    EXPECT_EQ(Lcd.FBlinkCountdown, 13);
    EXPECT_EQ(Lcd.FCursorHidden, 0);
    for (int position = 0; position < 32; ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(CellDots(Lcd, position), Filled(position < 16 ? 0 : 2));
    }
    EXPECT_EQ(ShownLineText(Lcd, 0), std::string(16, ' '));
    EXPECT_EQ(ShownLineText(Lcd, 1), "");
}

TEST_F(Lcd1602, InitialisationThenAShowsTheGlyphAndADarkSecondLine)
{
    InitTwoLines();
    Text("A");
    EXPECT_EQ(CellDots(Lcd, 0), FontGlyph('A'));
    for (int position = 1; position < 32; ++position)
        EXPECT_EQ(CellDots(Lcd, position), Filled(0)) << position;
    EXPECT_EQ(ShownLineText(Lcd, 0), "A" + std::string(15, ' '));
    EXPECT_EQ(ShownLineText(Lcd, 1), std::string(16, ' '));
}

TEST_F(Lcd1602, FortyFirstCharacterWrapsToLineTwo)
{
    InitTwoLines();
    std::string text;
    for (int i = 0; i < 41; ++i)
        text.push_back(static_cast<char>('0' + i % 10));
    Text(text);
    EXPECT_EQ(Lcd.FDDRAM[39], '9');
    EXPECT_EQ(Lcd.FDDRAM[64], '0');
    EXPECT_EQ(Lcd.FAddress, 65);
    EXPECT_EQ(ShownLineText(Lcd, 0), "0123456789012345");
    EXPECT_EQ(ShownLineText(Lcd, 1), "0" + std::string(15, ' '));
    EXPECT_EQ(CellDots(Lcd, 16), FontGlyph('0'));
}

TEST_F(Lcd1602, AddressCounterSkipsTheGapBetweenLinesAndWraps)
{
    struct TCase {
        bool TwoLine;
        int From;
        int Step;
        int To;
    };
    const TCase cases[] = {
        {true, 39, +1, 64}, {true, 64, -1, 39}, {true, 103, +1, 0},  {true, 0, -1, 103},
        {false, 79, +1, 0}, {false, 0, -1, 79}, {false, 39, +1, 40},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.TwoLine << " " << c.From << " " << c.Step);
        TSimuLCD1602 lcd(Canvas);
        WriteInstruction(lcd, c.TwoLine ? 0x38 : 0x30);
        lcd.FAddress = static_cast<int16_t>(c.From);
        StepDataAddress(lcd, c.Step);
        EXPECT_EQ(lcd.FAddress, c.To);
    }
}

TEST_F(Lcd1602, SetDataAddressMovesAddressesOutsideDdramToALineStart)
{
    struct TCase {
        bool TwoLine;
        uint8_t Instruction;
        int Address;
    };
    const TCase cases[] = {
        {true, 0x80 | 40, 64}, {true, 0x80 | 63, 64},  {true, 0x80 | 103, 103},
        {true, 0x80 | 104, 0}, {false, 0x80 | 79, 79}, {false, 0x80 | 80, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Instruction));
        TSimuLCD1602 lcd(Canvas);
        WriteInstruction(lcd, c.TwoLine ? 0x38 : 0x30);
        WriteInstruction(lcd, c.Instruction);
        EXPECT_EQ(lcd.FAddress, c.Address);
    }
}

TEST_F(Lcd1602, DefiningAShownUserCharacterRedrawsItAtOnce)
{
    InitTwoLines();
    Text(std::string(1, '\0'));
    EXPECT_EQ(CellDots(Lcd, 0), Filled(0));
    const uint8_t rows[8] = {0x1F, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x1F, 0x00};
    WriteInstruction(Lcd, 0x40);
    for (uint8_t row : rows)
        WriteData(Lcd, row);
    TGlyphDots expected{};
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 5; ++column)
            expected[static_cast<size_t>(row * 5 + column)] = (rows[row] >> (4 - column)) & 1;
    EXPECT_EQ(CellDots(Lcd, 0), expected);
    EXPECT_EQ(Lcd.FCGRAM[1], 0x11);
    EXPECT_EQ(Lcd.FAddress, 64 + 8);
    EXPECT_EQ(ShownLineText(Lcd, 0)[0], '.');

    // Codes 8..15 do not mirror the user characters.
    WriteInstruction(Lcd, 0x80 | 1);
    for (uint8_t code = 8; code < 16; ++code)
        WriteData(Lcd, code);
    for (int position = 1; position < 9; ++position)
        EXPECT_EQ(CellDots(Lcd, position), Filled(0)) << position;
}

TEST_F(Lcd1602, CgramAddressesWrapWithinSixtyFourBytes)
{
    WriteInstruction(Lcd, 0x40 | 63);
    WriteData(Lcd, 0x15);
    WriteData(Lcd, 0x0A);
    EXPECT_EQ(Lcd.FCGRAM[63], 0x15);
    EXPECT_EQ(Lcd.FCGRAM[0], 0x0A);
    EXPECT_EQ(ReadAddress(Lcd), 1);
    WriteInstruction(Lcd, 0x40 | 63);
    EXPECT_EQ(ReadData(Lcd), 0x15);
    EXPECT_EQ(ReadData(Lcd), 0x0A);

    // Stepping down from the first address lands on the last.
    Instructions({0x04, 0x40});
    WriteData(Lcd, 0x11);
    EXPECT_EQ(Lcd.FAddress, 64 + 63);
    WriteData(Lcd, 0x0E);
    EXPECT_EQ(Lcd.FCGRAM[0], 0x11);
    EXPECT_EQ(Lcd.FCGRAM[63], 0x0E);
    EXPECT_EQ(Lcd.FAddress, 64 + 62);
}

TEST_F(Lcd1602, ReadsReturnDdramAndStepTheCounter)
{
    InitTwoLines();
    Text("HI");
    WriteInstruction(Lcd, 0x80);
    EXPECT_EQ(ReadData(Lcd), 'H');
    EXPECT_EQ(ReadAddress(Lcd), 1);
    EXPECT_EQ(ReadData(Lcd), 'I');
    WriteInstruction(Lcd, 0x80 | 0x45);
    EXPECT_EQ(ReadAddress(Lcd), 0x45);
}

TEST_F(Lcd1602, FortyDisplayShiftsInTwoLineModeReturnToZero)
{
    InitTwoLines();
    Text("HELLO");
    WriteInstruction(Lcd, 0x18);
    EXPECT_EQ(Lcd.FDisplayShift, 1);
    EXPECT_EQ(ShownLineText(Lcd, 0), "ELLO" + std::string(12, ' '));
    for (int i = 1; i < 40; ++i)
        WriteInstruction(Lcd, 0x18);
    EXPECT_EQ(Lcd.FDisplayShift, 0);
    EXPECT_EQ(ShownLineText(Lcd, 0), "HELLO" + std::string(11, ' '));

    WriteInstruction(Lcd, 0x1C); // right: address 39 comes into position 0
    EXPECT_EQ(Lcd.FDisplayShift, -1);
    EXPECT_EQ(ShownLineText(Lcd, 0), " HELLO" + std::string(10, ' '));
    EXPECT_EQ(Lcd.FPosAddress[16], 64 + 39);
}

TEST_F(Lcd1602, ReturnHomeShowsTheLineUnshifted)
{
    struct TCase {
        std::initializer_list<uint8_t> Shift;
        std::string Then; // written after the shift instructions
    };
    const TCase cases[] = {{{0x18, 0x18}, ""}, {{0x1C}, ""}, {{0x07}, "X"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(*c.Shift.begin()));
        InitTwoLines();
        Text("HELLO");
        Instructions(c.Shift);
        Text(c.Then);
        ASSERT_NE(Lcd.FDisplayShift, 0);
        WriteInstruction(Lcd, 0x02);
        EXPECT_EQ(Lcd.FDisplayShift, 0);
        EXPECT_EQ(Lcd.FAddress, 0);
        EXPECT_EQ(ShownLineText(Lcd, 0).substr(0, 5), "HELLO");
        EXPECT_EQ(CellDots(Lcd, 0), FontGlyph('H'));
        EXPECT_EQ(Lcd.FPosAddress[16], 64);
    }
}

TEST_F(Lcd1602, ClearDisplayInDecrementModeMakesLaterWritesRunForwards)
{
    InitTwoLines();
    Instructions({0x04, 0x01});
    Text("AB");
    EXPECT_EQ(Lcd.FDDRAM[1], 'B');
    EXPECT_EQ(Lcd.FAddress, 2);
    EXPECT_EQ(ShownLineText(Lcd, 0), "AB" + std::string(14, ' '));
}

TEST_F(Lcd1602, ShiftOnWriteMovesTheDisplayWithEachCharacter)
{
    InitTwoLines();
    Instructions({0x07}); // increment and shift
    Text("AB");
    EXPECT_EQ(Lcd.FDisplayShift, 2);
    EXPECT_EQ(Lcd.FPosAddress[0], 2);
}

TEST_F(Lcd1602, DisplayOffDarkensEveryPositionInUseAndOnRedrawsFromDdram)
{
    InitTwoLines();
    Text("HI");
    Instructions({0x80 | 0x40});
    Text("LO");
    WriteInstruction(Lcd, 0x08);
    for (int position = 0; position < 32; ++position)
        EXPECT_EQ(CellDots(Lcd, position), Filled(0)) << position;
    EXPECT_EQ(ShownLineText(Lcd, 0), std::string(16, ' '));
    WriteInstruction(Lcd, 0x0C);
    EXPECT_EQ(CellDots(Lcd, 1), FontGlyph('I'));
    EXPECT_EQ(CellDots(Lcd, 17), FontGlyph('O'));
    EXPECT_EQ(ShownLineText(Lcd, 1), "LO" + std::string(14, ' '));
}

TEST_F(Lcd1602, UnderlineCursorFollowsTheAddressCounter)
{
    InitTwoLines();
    Text("AB");
    WriteInstruction(Lcd, 0x0E);
    EXPECT_EQ(CellDots(Lcd, 2), Underlined(Filled(0)));
    WriteInstruction(Lcd, 0x10); // cursor left: onto the B
    EXPECT_EQ(CellDots(Lcd, 2), Filled(0));
    EXPECT_EQ(CellDots(Lcd, 1), Underlined(FontGlyph('B')));
    WriteInstruction(Lcd, 0x80 | 20); // not shown in any position
    EXPECT_EQ(Lcd.FCursorHidden, 1);
    EXPECT_EQ(CellDots(Lcd, 1), FontGlyph('B'));
}

TEST_F(Lcd1602, DisplayShiftLeavesNoCursorMarkAtTheLineEnds)
{
    Instructions({0x38, 0x0E, 0x06, 0x01});
    ASSERT_EQ(CellDots(Lcd, 0), Underlined(Filled(0)));
    WriteInstruction(Lcd, 0x18); // address 0 scrolls out of view
    EXPECT_EQ(Lcd.FCursorHidden, 1);
    EXPECT_EQ(CellDots(Lcd, 0), Filled(0));
    WriteInstruction(Lcd, 0x1C); // and back
    EXPECT_EQ(CellDots(Lcd, 0), Underlined(Filled(0)));
}

TEST_F(Lcd1602, SwitchingToTwoLinesLeavesNoUnderlineWhereTheCursorWas)
{
    Instructions({0x30, 0x0E, 0x06, 0x01});
    for (int i = 0; i < 9; ++i)
        WriteInstruction(Lcd, 0x1C); // position 3 now shows address 74
    WriteInstruction(Lcd, 0x80 | 74);
    ASSERT_EQ(CellDots(Lcd, 3), Underlined(Filled(0)));
    WriteInstruction(Lcd, 0x38); // address 74 is not on screen in two-line mode
    EXPECT_EQ(Lcd.FCursorHidden, 1);
    for (int position = 0; position < 32; ++position)
        EXPECT_EQ(CellDots(Lcd, position), Filled(0)) << position;
}

TEST_F(Lcd1602, ClearDisplayKeepsInterfaceModeAndUserCharacters)
{
    Instructions({0x28, 0x0C, 0x40});
    WriteData(Lcd, 0x1F);
    Instructions({0x80});
    Text("X");
    WriteInstruction(Lcd, 0x01);
    EXPECT_EQ(Lcd.FEightBit, 0);
    EXPECT_EQ(Lcd.FTwoLine, 1);
    EXPECT_EQ(Lcd.FCGRAM[0], 0x1F);
    EXPECT_EQ(Lcd.FAddress, 0);
    EXPECT_EQ(ShownLineText(Lcd, 0), std::string(16, ' '));
}

TEST_F(Lcd1602, ReturningToTwoLinesShowsWhatLineTwoStillHolds)
{
    InitTwoLines();
    Instructions({0x80 | 0x40});
    Text("YZ");
    WriteInstruction(Lcd, 0x30);
    EXPECT_EQ(CellDots(Lcd, 17), Filled(2));
    WriteInstruction(Lcd, 0x38);
    EXPECT_EQ(CellDots(Lcd, 17), FontGlyph('Z'));
    EXPECT_EQ(ShownLineText(Lcd, 1).substr(0, 2), "YZ");
}

TEST_F(Lcd1602, DataWriteAfterShiftingFromACgramAddressStaysInsideDdram)
{
    Instructions({0x0C, 0x40 | 0x3F, 0x1C}); // counter at 127, now in DDRAM mode
    ASSERT_EQ(Lcd.FAddressMode, TLcdAddressMode::DDRAM);
    WriteData(Lcd, 'Z');
    for (uint8_t byte : Lcd.FDDRAM)
        EXPECT_EQ(byte, ' ');
    EXPECT_EQ(Lcd.FAddress, 128 % 80);
}

TEST_F(Lcd1602, ShownTextUsesDotsForCodesOutsidePrintableAscii)
{
    InitTwoLines();
    Text("a~}\x7F\xA5");
    EXPECT_EQ(ShownLineText(Lcd, 0), "a.}.." + std::string(11, ' '));
}

} // namespace
} // namespace kelto
