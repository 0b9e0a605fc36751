// Where shapes end: 1-pixel lines cover both end points, filled circles
// their whole box, pictures have hard edges and bold titles keep their
// letters apart.
#include "rendered_part.h"

#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kelto::gui {
namespace {

TEST(RenderExtent, OnePixelLinesCoverBothEndPoints)
{
    struct TCase {
        const char* What;
        int Item;
        QPoint From;
        QPoint To;
        QRgb Colour;
    };
    const TCase cases[] = {
        {"NOT input lead to the box", 27, {10, 42}, {32, 42}, ClrInk},
        {"NOT output lead from the bubble", 27, {76, 42}, {98, 42}, ClrInk},
        {"AND lower input lead", 30, {10, 57}, {36, 57}, ClrInk},
        {"NAND upper input lead", 36, {10, 27}, {32, 27}, ClrInk},
        {"D set lead to its bubble", 40, {45, 28}, {63, 28}, ClrInk},
        {"D reset lead to its bubble", 40, {45, 82}, {63, 82}, ClrInk},
        {"D Q lead into its marker", 40, {144, 37}, {171, 37}, ClrInk},
        {"JK clock lead to its bubble", 42, {45, 64}, {63, 64}, ClrInk},
        {"LED bar at the top", 7, {10, 15}, {36, 15}, ClrInk},
        {"LED light arrow", 7, {40, 88}, {49, 100}, ClrInk},
        {"LED to ground, lowest ground bar", 34, {19, 131}, {27, 131}, ClrInk},
        {"resistor wiper level with its pin", 6, {34, 83}, {63, 83}, ClrAccent},
        {"square-wave pictogram", 24, {10, 63}, {103, 53}, ClrTrace},
        {"single-channel pictogram", 26, {10, 33}, {66, 33}, ClrTrace},
        {"D flip-flop overbar", 40, {206, 67}, {210, 67}, ClrInk},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TPlacedPart placed(c.Item);
        if (c.Item == 6)
            SetSliderPosition(placed.Board.Canvas(), placed.As<TSimuResistance>(), 0.5); // level with the pin
        const TRenderedPart image(*placed.Part);
        EXPECT_EQ(image.At(c.From.x(), c.From.y()), c.Colour) << "first point";
        EXPECT_EQ(image.At(c.To.x(), c.To.y()), c.Colour) << "end point";
    }
}

TEST(RenderExtent, LinesStopAtTheirEndPoints)
{
    TPlacedPart supplyLed(7);
    const TRenderedPart image(*supplyLed.Part);
    EXPECT_EQ(image.At(9, 15), TRenderedPart::kBackground);
    EXPECT_EQ(image.At(37, 15), TRenderedPart::kBackground);
    TPlacedPart groundLed(34);
    const TRenderedPart groundImage(*groundLed.Part);
    EXPECT_EQ(groundImage.At(18, 131), TRenderedPart::kBackground);
    EXPECT_EQ(groundImage.At(28, 131), TRenderedPart::kBackground);
}

// The first and last rows and columns of the box hold the colour, the row
// below and the column right of it do not.
void ExpectCircleFillsItsBox(const TRenderedPart& image, QRect box, QRgb colour)
{
    EXPECT_GT(image.Count(colour, box.left(), box.top(), box.width(), 1), 0) << "top row";
    EXPECT_GT(image.Count(colour, box.left(), box.bottom(), box.width(), 1), 0) << "bottom row";
    EXPECT_GT(image.Count(colour, box.left(), box.top(), 1, box.height()), 0) << "left column";
    EXPECT_GT(image.Count(colour, box.right(), box.top(), 1, box.height()), 0) << "right column";
    EXPECT_EQ(image.Count(colour, box.left(), box.bottom() + 1, box.width(), 1), 0) << "row below";
    EXPECT_EQ(image.Count(colour, box.right() + 1, box.top(), 1, box.height()), 0) << "column right";
}

TEST(RenderExtent, FilledCirclesCoverTheirBoundingBox)
{
    struct TCase {
        const char* What;
        int Item;
        QRect Box;
        QRgb Colour;
    };
    const TCase cases[] = {
        {"pin marker", 12, {13, 33, 7, 7}, ClrPinMarker},
        {"2-digit decimal point", 17, {70, 96, 11, 11}, ClrUnlit},
        {"6-digit decimal point", 22, {59 + 61 * 5, 81, 9, 9}, ClrUnlit},
        {"16 x 16 matrix dot", 44, {16 + 13 * 15, 16 + 13 * 15, 11, 11}, ClrUnlit},
        {"32 x 32 matrix dot", 45, {16, 16, 7, 7}, ClrUnlit},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TPlacedPart placed(c.Item);
        ExpectCircleFillsItsBox(TRenderedPart(*placed.Part), c.Box, c.Colour);
    }
}

TEST(RenderExtent, LedGlowCoversItsBoundingBox)
{
    TPlacedPart led(7);
    const TRenderedPart image(*led.Part);
    const QRgb glow = image.At(5, 86); // left edge of the disc, nothing else there
    ASSERT_NE(glow, TRenderedPart::kBackground);
    ExpectCircleFillsItsBox(image, QRect(4, 68, 36, 36), glow);
}

TEST(RenderExtent, PicturesAreOpaqueOrTransparentAtAnyAngle)
{
    const TRenderKit& kit = TestKit();
    for (int slot = 0; slot < kPartPictureCount; ++slot) {
        for (const double degrees : {0.0, 30.0}) {
            SCOPED_TRACE("slot " + std::to_string(slot) + " at " + std::to_string(degrees));
            const TAliasedPicture picture =
                kit.AliasedPicture(static_cast<TPictureSlot>(slot), QRect(10, 5, 50, 50), degrees, {33, 28});
            int opaque = 0;
            for (int y = 0; y < picture.Image.height(); ++y)
                for (int x = 0; x < picture.Image.width(); ++x) {
                    const int alpha = qAlpha(picture.Image.pixel(x, y));
                    ASSERT_TRUE(alpha == 0 || alpha == 255) << x << ", " << y;
                    opaque += alpha == 255 ? 1 : 0;
                }
            EXPECT_GT(opaque, 50);
        }
    }
}

TEST(RenderExtent, KnifeSwitchPictureLeavesNoGreyFringe)
{
    TPlacedPart toggle(15); // black leads and terminals on white
    const TRenderedPart image(*toggle.Part);
    const std::set<QRgb> allowed{ClrInk, TRenderedPart::kBackground, ClrAccent, ClrPinMarker};
    for (int y = 20; y < 31; ++y)
        for (int x = 11; x < 94; ++x)
            EXPECT_TRUE(allowed.contains(image.At(x, y)))
                << x << ", " << y << ": " << std::hex << image.At(x, y);
}

// Pieces of the colour within the area, pixels touching at an edge or a
// corner counting as one piece.
int Pieces(const TRenderedPart& image, QRect area, QRgb colour)
{
    std::set<std::pair<int, int>> unvisited;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.At(x, y) == colour)
                unvisited.insert({x, y});
    int pieces = 0;
    while (!unvisited.empty()) {
        ++pieces;
        std::vector<std::pair<int, int>> stack{*unvisited.begin()};
        unvisited.erase(unvisited.begin());
        while (!stack.empty()) {
            const auto [x, y] = stack.back();
            stack.pop_back();
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (unvisited.erase({x + dx, y + dy}) != 0)
                        stack.push_back({x + dx, y + dy});
        }
    }
    return pieces;
}

TEST(RenderExtent, BoldTitlesUseARealBoldFaceWithLettersApart)
{
    const QFontInfo title(TestKit().Font(TPartFont::Title));
    EXPECT_TRUE(QFontDatabase::styles(title.family()).contains(QStringLiteral("Bold")))
        << title.family().toStdString();
    EXPECT_TRUE(title.bold());

    TPlacedPart dac(25);
    EXPECT_EQ(Pieces(TRenderedPart(*dac.Part), QRect(18, 78, 50, 22), ClrAccent), 3) << "D, A, C";
    TPlacedPart mcu(14);
    EXPECT_EQ(Pieces(TRenderedPart(*mcu.Part), QRect(60, 90, 60, 170), ClrAccent), 10) << "KELTOBASIC";
}

} // namespace
} // namespace kelto::gui
