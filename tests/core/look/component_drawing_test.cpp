// Part drawings as display lists, without any surface: what a user would see
// lit, pressed or placed, read from the operations.
#include "core/board/board.h"
#include "core/board/palette.h"
#include "core/circuit/catalogue.h"
#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"
#include "core/look/colours.h"
#include "core/look/component_drawing.h"
#include "core/look/segment_outlines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelto::look {
namespace {

template <typename TOp> std::vector<const TOp*> OpsOf(const TDisplayList& list)
{
    std::vector<const TOp*> ops;
    for (const TOperation& operation : list.Operations)
        if (const TOp* op = std::get_if<TOp>(&operation))
            ops.push_back(op);
    return ops;
}

struct TPlaced {
    explicit TPlaced(int item) : Part(Board.PlaceItem(item)) {}
    template <typename TPart> TPart& As() { return static_cast<TPart&>(*Part); }
    TDisplayList Drawn() const
    {
        TDisplayList list;
        DrawPart(list, *Part);
        return list;
    }
    TSimuBoard Board;
    TSimuPart* Part;
};

TEST(PartDrawing, EveryPaletteItemDrawsItsPinMarkersAndAName)
{
    for (const TPaletteItem& item : PaletteItems()) {
        SCOPED_TRACE(std::string(item.Caption));
        TPlaced placed(item.Item);
        const TDisplayList list = placed.Drawn();
        size_t markers = 0;
        for (const TDiscFill* disc : OpsOf<TDiscFill>(list))
            markers += disc->Box.W == 7 && disc->Box.H == 7 ? 1 : 0;
        EXPECT_GE(markers, ClassInfo(item.Type).Pins.size());
        EXPECT_FALSE(OpsOf<TText>(list).empty() && OpsOf<TPictureRun>(list).empty());
    }
}

TEST(PartDrawing, LedGlowCircleTakesTheLitOrUnlitColour)
{
    struct TCase {
        int Item;
        TBox Glow;
    };
    for (const TCase c : {TCase{7, {4, 68, 36, 36}}, TCase{34, {4, 62, 36, 36}}}) {
        SCOPED_TRACE("item " + std::to_string(c.Item));
        TPlaced led(c.Item);
        uint8_t& lit = led.Part->FOwnerType == otLEDA ? led.As<TSimuLEDA>().FLit : led.As<TSimuLEDB>().FLit;
        for (const bool on : {false, true}) {
            lit = on ? 1 : 0;
            const TDisplayList list = led.Drawn();
            const auto discs = OpsOf<TDiscFill>(list);
            ASSERT_FALSE(discs.empty());
            // Drawn last of the discs, over the symbol.
            EXPECT_EQ(discs.back()->Box, c.Glow);
            EXPECT_EQ(discs.back()->Colour, on ? kLedGlowLit : kLedGlowUnlit);
        }
    }
}

// Filled segment polygons in drawing order: digit by digit, A to G.
std::vector<const TPolygon*> Segments(const TDisplayList& list)
{
    std::vector<const TPolygon*> filled;
    for (const TPolygon* polygon : OpsOf<TPolygon>(list))
        if (polygon->Filled)
            filled.push_back(polygon);
    return filled;
}

std::vector<TPoint> OutlineAt(int entry, int x, int y)
{
    std::vector<TPoint> points;
    for (const TPoint p : SegmentOutlines[static_cast<size_t>(entry)])
        points.push_back({p.X + x, p.Y + y});
    return points;
}

TEST(PartDrawing, DigitSegmentsArePolygonsAtTheLayoutLitByTheirStateBytes)
{
    struct TCase {
        int Item;
        int Digit;
        int Segment;
        int OutlineSet;
        int DigitPitch;
    };
    const TCase cases[] = {{17, 0, 1, kLargeSegments, 76},
                           {17, 1, 2, kLargeSegments, 76},
                           {22, 5, 0, kSmallSegments, 61},
                           {22, 2, 6, kSmallSegments, 61}};
    for (const TCase& c : cases) {
        SCOPED_TRACE("item " + std::to_string(c.Item) + " digit " + std::to_string(c.Digit));
        TPlaced display(c.Item);
        uint8_t* segments = display.Part->FOwnerType == otSegDispTwo
                                ? display.As<TSimuSegDispTwo>().FSegments.data()
                                : display.As<TSimuSegDispSix>().FSegments.data();
        segments[8 * c.Digit + c.Segment] = 1;
        const TDisplayList list = display.Drawn();
        const auto drawn = Segments(list);
        const size_t index = static_cast<size_t>(7 * c.Digit + c.Segment);
        ASSERT_LT(index + 1, drawn.size());
        EXPECT_EQ(drawn[index]->Points, OutlineAt(c.OutlineSet + c.Segment, 17 + c.DigitPitch * c.Digit, 20));
        EXPECT_EQ(drawn[index]->Colour, ClrLit);
        EXPECT_EQ(drawn[index + 1]->Colour, ClrUnlit);
    }
}

TEST(PartDrawing, PushButtonPlungerStandsInItsColumn)
{
    struct TCase {
        int Item;
        bool Pressed;
        int X;
    };
    for (const TCase c : {TCase{4, false, 36}, TCase{4, true, 29}, TCase{5, false, 19}, TCase{5, true, 12}}) {
        SCOPED_TRACE("item " + std::to_string(c.Item) + (c.Pressed ? " pressed" : " released"));
        TPlaced button(c.Item);
        if (c.Pressed)
            PressButton(button.As<TSimuAnNiuSwitch>());
        const TDisplayList list = button.Drawn();
        const auto lines = OpsOf<TLine>(list);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->From, (TPoint{c.X, 74}));
        EXPECT_EQ(lines[0]->To, (TPoint{c.X, 102}));
        EXPECT_EQ(lines[0]->Width, 4);
        EXPECT_EQ(lines[0]->Colour, ClrAccent);
    }
}

TEST(PartDrawing, MatrixAndLcdDotsAreOneKeptFieldOfTheirStates)
{
    TPlaced matrix(44);
    matrix.As<TSimuDotMat1616>().FDots[16 * 2 + 5] = 1;
    const TDisplayList matrixList = matrix.Drawn();
    const auto fields = OpsOf<TDotField>(matrixList);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0]->Owner, matrix.Part);
    EXPECT_EQ(fields[0]->Layout.CellAt(5, 2), (TPoint{13 * 5, 13 * 2}));
    EXPECT_EQ(fields[0]->States[16 * 2 + 5], 1);
    ASSERT_EQ(fields[0]->Cells.size(), 2u);
    EXPECT_EQ(OpsOf<TDiscFill>(fields[0]->Cells[1]).front()->Colour, ClrLit);
    EXPECT_EQ(OpsOf<TDiscFill>(fields[0]->Cells[0]).front()->Colour, ClrUnlit);

    TPlaced lcd(23);
    lcd.As<TSimuLCD1602>().FCellDots.fill(0);
    lcd.As<TSimuLCD1602>().FCellDots[kLcdGlyphDots * 17 + 7 * kLcdGlyphColumns + 4] = 1;
    lcd.As<TSimuLCD1602>().FCellDots[kLcdGlyphDots * 3 + 2 * kLcdGlyphColumns] = 2;
    const TDisplayList lcdList = lcd.Drawn();
    const auto lcdFields = OpsOf<TDotField>(lcdList);
    ASSERT_EQ(lcdFields.size(), 1u);
    const TDotLayout& layout = lcdFields[0]->Layout;
    const auto state = [&](int column, int row) {
        return lcdFields[0]->States[static_cast<size_t>(row * layout.Columns + column)];
    };
    // Position 17 is the second line's second character; its last dot is lit.
    EXPECT_EQ(state(5 + 4, 8 + 7), 1);
    EXPECT_EQ(layout.CellAt(5 + 4, 8 + 7), (TPoint{16 + 12, 36 + 28}));
    // A value above 1 leaves the rest of its character bare.
    EXPECT_EQ(state(15, 1), 0);
    EXPECT_EQ(state(15, 2), 2);
    EXPECT_EQ(state(19, 7), 2);
}

} // namespace
} // namespace kelto::look
