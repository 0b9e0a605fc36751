// Displays on the window: bars and matrix dots lit or unlit, captions, and the
// LCD's dot image (the digits' segments are checked on their display lists).
#include "rendered_part.h"

#include <gtest/gtest.h>

namespace kelto::gui {
namespace {

TEST(RenderDisplays, BarsAndMatrixDotsAreLitOrUnlitWithAGlintOnEveryDot)
{
    TPlacedPart bars(20);
    bars.As<TSimuBitDisp>().FLit[3] = 1;
    const TRenderedPart barImage(*bars.Part);
    EXPECT_EQ(barImage.At(17 + 21 * 3 + 7, 38), ClrLit);
    EXPECT_EQ(barImage.At(17 + 21 * 4 + 7, 38), ClrUnlit);
    EXPECT_EQ(barImage.At(17 + 21 * 3 + 16, 38), ClrInk) << "the face shows between bars";

    TPlacedPart small(44);
    small.As<TSimuDotMat1616>().FDots[16 * 2 + 5] = 1; // row 2, column 5
    const TRenderedPart smallImage(*small.Part);
    EXPECT_EQ(smallImage.At(16 + 13 * 5 + 5, 16 + 13 * 2 + 6), ClrLit);
    EXPECT_EQ(smallImage.At(16 + 13 * 6 + 5, 16 + 13 * 2 + 6), ClrUnlit);
    EXPECT_EQ(smallImage.At(19 + 13 * 5, 19 + 13 * 2), ClrWhite);
    EXPECT_EQ(smallImage.At(19 + 13 * 6, 19 + 13 * 2), ClrWhite);

    TPlacedPart large(45);
    large.As<TSimuDotMat3232>().FDots[32 * 31 + 30] = 1; // row 31, column 30
    const TRenderedPart largeImage(*large.Part);
    EXPECT_EQ(largeImage.At(16 + 8 * 30 + 3, 16 + 8 * 31 + 4), ClrLit);
    EXPECT_EQ(largeImage.At(16 + 8 * 31 + 3, 16 + 8 * 31 + 4), ClrUnlit);
    EXPECT_EQ(largeImage.At(18 + 8 * 30, 18 + 8 * 31), ClrWhite);
}

TEST(RenderDisplays, MatrixCaptionsAreStaggered)
{
    TPlacedPart small(44);
    const TRenderedPart smallImage(*small.Part);
    // Column 0 on the first caption line, column 1 on the second.
    EXPECT_GT(smallImage.Count(ClrInk, 16, 238, 12, 10), 0);
    EXPECT_EQ(smallImage.Count(ClrInk, 16, 250, 12, 10), 0);
    EXPECT_GT(smallImage.Count(ClrInk, 29, 250, 12, 10), 0);
    TPlacedPart large(45);
    const TRenderedPart largeImage(*large.Part);
    // Row 3 in the outer column at (307, 38), column 3 on the fourth line at (38, 317),
    // column 4 back on the first line at (46, 287).
    EXPECT_GT(largeImage.Count(ClrInk, 307, 38, 18, 10), 0);
    EXPECT_GT(largeImage.Count(ClrInk, 38, 317, 16, 10), 0);
    EXPECT_GT(largeImage.Count(ClrInk, 46, 287, 12, 10), 0);
}

class TLcdImage : public testing::Test {
protected:
    TLcdImage() : FLcd(FPlaced.As<TSimuLCD1602>()) {}
    // Dot (row, column) of display position n.
    uint8_t& Dot(int n, int row, int column)
    {
        return FLcd.FCellDots[static_cast<size_t>(kLcdGlyphDots * n + kLcdGlyphColumns * row + column)];
    }
    static QPoint DotPixel(int n, int row, int column)
    {
        return {17 + 16 * (n % 16) + 3 * column, (n < 16 ? 20 : 56) + 4 * row};
    }
    TPlacedPart FPlaced{23};
    TSimuLCD1602& FLcd;
};

TEST_F(TLcdImage, NewDisplayShowsADarkFirstLineAndTheBareFaceBelow)
{
    const TRenderedPart image(*FPlaced.Part);
    const QPoint first = DotPixel(0, 0, 0);
    const QPoint second = DotPixel(16, 0, 0);
    EXPECT_EQ(image.At(first.x(), first.y()), ClrLcdDotOff);
    EXPECT_EQ(image.At(first.x() + 2, first.y()), ClrLcdFace) << "1-pixel gap between dots";
    EXPECT_EQ(image.Count(ClrLcdDotOff, 17, 56, 16 * 16, 31), 0);
    EXPECT_EQ(image.At(second.x(), second.y()), ClrLcdFace);
}

TEST_F(TLcdImage, DotsAreInkWhenOnAndAnyOtherValueEndsTheCell)
{
    FLcd.FCellDots.fill(0);
    Dot(17, 7, 4) = 1;
    Dot(3, 2, 0) = 2; // the rest of cell 3 is not drawn
    const TRenderedPart image(*FPlaced.Part);
    const QPoint on = DotPixel(17, 7, 4);
    EXPECT_EQ(image.At(on.x(), on.y()), ClrInk);
    EXPECT_EQ(image.At(on.x() + 1, on.y() + 2), ClrInk) << "a dot is 2 x 3";
    const QPoint before = DotPixel(3, 1, 4);
    const QPoint cut = DotPixel(3, 2, 0);
    const QPoint after = DotPixel(3, 7, 4);
    EXPECT_EQ(image.At(before.x(), before.y()), ClrLcdDotOff);
    EXPECT_EQ(image.At(cut.x(), cut.y()), ClrLcdFace);
    EXPECT_EQ(image.At(after.x(), after.y()), ClrLcdFace);
}

} // namespace
} // namespace kelto::gui
