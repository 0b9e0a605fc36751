// Names under the pointer: pin labels of every class, what a pin's net reads,
// part captions and a palette item's pins.
#include "board_helpers.h"
#include "core/board/board_file.h"
#include "core/board/pointer_hints.h"
#include "core/circuit/catalogue.h"
#include "core/circuit/parts.h"
#include "core/circuit/pin_labels.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace kelto {
namespace {

using namespace kelto::testing;

TEST(PartHints, EveryPinOfEveryClassHasADistinctLabel)
{
    for (int type = 0; type < kOwnerTypeCount; ++type) {
        const auto owner = static_cast<TOwnerType>(type);
        SCOPED_TRACE(ClassInfo(owner).ClassName);
        std::set<std::string> labels;
        const int32_t count = static_cast<int32_t>(ClassInfo(owner).Pins.size());
        for (int32_t pin = 0; pin < count; ++pin) {
            const std::string label = PinLabel(owner, pin);
            EXPECT_FALSE(label.empty()) << pin;
            // The microcontroller has two GND pins, told apart by the package pin.
            EXPECT_TRUE(labels.insert(label).second) << label;
        }
        EXPECT_EQ(PinLabel(owner, count), "");
        EXPECT_EQ(PinLabel(owner, -1), "");
    }
}

TEST(PartHints, LabelsFollowThePackageAndThePrintedNames)
{
    const std::tuple<TOwnerType, int32_t, std::string> cases[] = {
        {otMCU, 13, "PB0（第 14 脚）"}, {otMCU, 14, "PB1（第 15 脚）"}, {otMCU, 0, "PC6（第 1 脚）"},
        {otMCU, 27, "PC5（第 28 脚）"}, {otMCU, 6, "VCC（第 7 脚）"},   {otMCU, 21, "GND（第 22 脚）"},
        {otMCU, 8, "PB6（第 9 脚）"},   {otLCD1602, 0, "RS"},           {otLCD1602, 1, "R/W"},
        {otLCD1602, 3, "D0"},           {otLCD1602, 10, "D7"},          {otSegDispTwo, 7, "段 DP"},
        {otSegDispSix, 13, "位 6"},     {otKeypad, 4, "J4（第 1 列）"}, {otOutExpander, 75, "输出 7.7"},
        {otDotMat3232, 63, "列 32"},    {otJKFlipFlop, 6, "Q 反"},      {otDAC8Bit, 8, "输出"},
    };
    for (const auto& [type, pin, label] : cases) {
        SCOPED_TRACE(label);
        EXPECT_EQ(PinLabel(type, pin), label);
    }
}

TEST(PartHints, PinHintSaysWhatTheNetReadsNow)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU, 300, 0);
    TSimuPart& vcc = Place(board, kVCC, 0, 0);
    TSimuPart& gnd = Place(board, kGND, 0, 100);
    TSimuPart& resistor = Place(board, kResistor, 0, 200);
    EXPECT_EQ(PinHint(board, mcu.Port(13)), "PB0（第 14 脚）：未驱动（悬空）");
    Wire(board, vcc, 0, mcu, 13);
    Wire(board, gnd, 0, mcu, 14);
    Wire(board, resistor, 0, mcu, 22);
    EXPECT_EQ(PinHint(board, mcu.Port(13)), "PB0（第 14 脚）：高电平");
    EXPECT_EQ(PinHint(board, mcu.Port(14)), "PB1（第 15 脚）：低电平");
    EXPECT_EQ(PinHint(board, mcu.Port(22)), "PC0（第 23 脚）：模拟值 0.000");
    EXPECT_EQ(PinHint(board, vcc.Port(0)), "VCC：高电平");
    EXPECT_EQ(PinHint(board, nullptr), "");
}

TEST(PartHints, BodiesAndPaletteItemsNameThemselves)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU);
    EXPECT_EQ(BodyHint(board, mcu.FBody), std::string(PaletteItem(kMCU)->Caption));
    EXPECT_EQ(BodyHint(board, mcu.Pin(0)), "");
    EXPECT_EQ(HintAtPoint(board, mcu.FWidth / 2, mcu.FHeight / 2), std::string(PaletteItem(kMCU)->Caption));
    EXPECT_EQ(HintAtPoint(board, mcu.FWidth + 200, mcu.FHeight + 200), "");
    for (const TPaletteItem& item : PaletteItems()) {
        if (item.Type != otLCD1602)
            continue;
        EXPECT_EQ(PaletteItemHint(item),
                  std::string(item.Caption) + "\n引脚：RS、R/W、E、D0、D1、D2、D3、D4、D5、D6、D7");
    }
}

// A tooltip too wide for the screen would wrap at the spaces inside labels.
TEST(PartHints, LongPinListsBreakOnlyBetweenPins)
{
    for (const int item : {kMcuItem, kOScopesItem}) {
        const TPaletteItem& palette = *PaletteItem(item);
        std::string pins = "引脚：";
        for (size_t k = 0; k < ClassInfo(palette.Type).Pins.size(); ++k)
            pins += (k > 0 ? "、" : "") + PinLabel(palette.Type, static_cast<int32_t>(k));
        std::istringstream lines(PaletteItemHint(palette));
        std::string line;
        std::getline(lines, line);
        std::string joined;
        int count = 0;
        while (std::getline(lines, line)) {
            SCOPED_TRACE(line);
            EXPECT_LE(line.size(), 120u);
            EXPECT_TRUE(joined.empty() || joined.ends_with("、"));
            joined += line;
            ++count;
        }
        EXPECT_EQ(joined, pins);
        EXPECT_TRUE(item != kMcuItem || count > 2) << count;
    }
}

// A file may hold two parts of one palette item; the slot keeps only the
// later, yet both name themselves.
TEST(PartHints, BothPartsOfOneItemShowTheItemsCaption)
{
    TSimuBoard board;
    const char* file = "<K><COMP><r><n TYPE=\"3\"><POSX>10</POSX><POSY>20</POSY><MODEL>1</MODEL></n></r>"
                       "<r><n TYPE=\"3\"><POSX>30</POSX><POSY>40</POSY><MODEL>1</MODEL></n></r></COMP>"
                       "<CONN></CONN></K>";
    ASSERT_TRUE(ReadCircuitDocument(board, file).Ok);
    ASSERT_EQ(board.PartCount(), 2);
    const TPaletteItem* item = PaletteItemForFile(3, 1);
    ASSERT_NE(item, nullptr);
    for (int32_t i = 0; i < 2; ++i)
        EXPECT_EQ(BodyHint(board, board.Part(i)->FBody), std::string(item->Caption)) << i;
}

} // namespace
} // namespace kelto
