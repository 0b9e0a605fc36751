// Microcontroller, logic parts and instruments: the symbols that tell the
// parts apart, the vertical title, the reading and the probe traces.
#include "rendered_part.h"

#include <gtest/gtest.h>

namespace kelto::gui {
namespace {

TEST(RenderLogic, InvertingGatesHaveTheirBoxFurtherLeftAndABubble)
{
    struct TCase {
        int Item;
        bool Inverted;
    };
    const TCase cases[] = {{27, true}, {30, false}, {32, false}, {36, true}, {38, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE("item " + std::to_string(c.Item));
        TPlacedPart gate(c.Item);
        const TRenderedPart image(*gate.Part);
        EXPECT_EQ(image.At(33, 60) == ClrInk, c.Inverted) << "box left edge at 33";
        EXPECT_EQ(image.At(37, 60) == ClrInk, !c.Inverted) << "box left edge at 37";
        EXPECT_EQ(image.Count(ClrInk, 68, 38, 3, 9) > 0, c.Inverted) << "bubble (67, 38, 8, 8)";
        EXPECT_EQ(image.At(80, 42), ClrInk) << "output lead";
    }
}

TEST(RenderLogic, OnlyTheJkFlipFlopDrawsItsClockInverted)
{
    TPlacedPart d(40);
    TPlacedPart jk(42);
    const TRenderedPart dImage(*d.Part);
    const TRenderedPart jkImage(*jk.Part);
    EXPECT_EQ(jkImage.At(68, 60), ClrInk) << "bubble (64, 60, 8, 8)";
    EXPECT_NE(dImage.At(68, 60), ClrInk);
    EXPECT_EQ(jkImage.At(10, 58), ClrInk) << "overbar over CP";
    EXPECT_NE(dImage.At(10, 58), ClrInk);
    EXPECT_EQ(dImage.At(10, 22), ClrInk) << "overbar over S";
    EXPECT_EQ(dImage.At(208, 67), ClrInk) << "overbar over the inverted Q";
    EXPECT_EQ(jkImage.At(208, 85), ClrInk);
    EXPECT_EQ(jkImage.At(100, 113), ClrInk) << "box (72, 15, 72, 98) bottom";
}

TEST(RenderLogic, MicrocontrollerTitleRunsDownwards)
{
    TPlacedPart mcu(14);
    const TRenderedPart image(*mcu.Part);
    // One column of text one line wide, its left edge at x = 91, from y = 95 down
    // (the first glyph's serif may overhang that point by a pixel).
    const int width = TestKit().LineHeight(TPartFont::Title);
    const int inColumn = image.Count(ClrAccent, 91, 94, width, 120);
    EXPECT_GT(inColumn, 100);
    EXPECT_EQ(image.Count(ClrAccent, 0, 0, 205, 264), inColumn);
    EXPECT_GT(image.Count(ClrAccent, 91, 150, width, 20), 10) << "the text reaches well below its start";
}

TEST(RenderLogic, VoltmeterShowsItsReadingInFaceGreen)
{
    TPlacedPart meter(29);
    const TRenderedPart fresh(*meter.Part);
    meter.As<TSimuVoMeter>().FReading = "1.00000";
    const TRenderedPart one(*meter.Part);
    const int freshDigits = fresh.Count(ClrLcdFace, 14, 37, 78, 24);
    EXPECT_GT(freshDigits, 40);
    EXPECT_NE(one.Count(ClrLcdFace, 14, 37, 78, 24), freshDigits);
    EXPECT_EQ(fresh.At(50, 36), ClrLcdFace) << "window outline";
    EXPECT_EQ(fresh.At(20, 58), ClrInk) << "window";
    EXPECT_EQ(fresh.At(10, 53), ClrPlate) << "dial";
}

TEST(RenderLogic, ProbeBodiesShowTheirTraces)
{
    TPlacedPart scope(24);
    const TRenderedPart scopeImage(*scope.Part);
    EXPECT_EQ(scopeImage.At(10 + 10, 53 + 10), ClrTrace) << "square wave, low part";
    EXPECT_EQ(scopeImage.At(10 + 30, 53), ClrTrace) << "square wave, high part";
    EXPECT_EQ(scopeImage.At(10, 28), ClrTrace) << "sine starts at its first point";
    EXPECT_GT(scopeImage.Count(ClrTrace, 10, 18, 95, 20), 90) << "sine spans the face";
    TPlacedPart probe(26);
    const TRenderedPart probeImage(*probe.Part);
    EXPECT_EQ(probeImage.At(10 + 5, 33), ClrTrace);
    EXPECT_GT(probeImage.Count(ClrTrace, 28, 10, 10, 20), 5) << "the spike up to y = 14";
}

} // namespace
} // namespace kelto::gui
