// The canvas view's zoom: its steps, which canvas unit a view pixel shows,
// where units land in the view, and zooming around the pointer.
#include "core/canvas/view_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kelto {
namespace {

TViewTransform At(int32_t percent, TPoint offset = {})
{
    TViewTransform view;
    view.ZoomAround(percent, {});
    view.ScrollTo(offset);
    return view;
}

TEST(ViewTransform, StepsRunFromHalfToFourTimesAndHoldAtTheEnds)
{
    const struct {
        int32_t Percent, Steps, Expected;
    } cases[] = {{100, 1, 125}, {100, -1, 80}, {100, 3, 200}, {80, -2, 50}, {400, 1, 400},
                 {50, -1, 50},  {95, 0, 100},  {1000, 0, 400}, {0, 0, 50}, {300, -9, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Percent) + " by " + std::to_string(c.Steps));
        EXPECT_EQ(ZoomStep(c.Percent, c.Steps), c.Expected);
    }
}

// At 100% the view is the canvas as it always was: a pixel is a unit, the
// scroll is the canvas's own.
TEST(ViewTransform, ActualSizeMapsPixelsOneToOne)
{
    const TViewTransform view = At(100, {30, -20});
    EXPECT_EQ(view.ToCanvas({5, 5}), (TPoint{35, -15}));
    EXPECT_EQ(view.ToClient({5, 5}), (TPoint{5, 5}));
    EXPECT_EQ(view.ClientScroll(), (TPoint{30, -20}));
    EXPECT_EQ(view.ToPixels({40, 0, 50, 10}), (TRect{10, 20, 20, 30}));
}

// The click / drag threshold stays about four screen pixels at every step.
TEST(ViewTransform, FourPixelsAreNearlyAsManyUnitsAsTheZoomAllows)
{
    const struct {
        int32_t Percent, Units;
    } cases[] = {{50, 8}, {67, 6}, {80, 5}, {100, 4}, {125, 3}, {150, 3}, {200, 2}, {300, 1}, {400, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Percent) + "%");
        EXPECT_EQ(At(c.Percent).UnitsNear(4), c.Units);
    }
}

TEST(ViewTransform, ScaledPixelsShowTheUnitUnderTheirCentre)
{
    const struct {
        int32_t Percent;
        TPoint Offset, Pixel, Unit;
    } cases[] = {{200, {0, 0}, {201, 1}, {100, 0}}, {200, {-3, 0}, {0, 0}, {-2, 0}},
                 {50, {0, 0}, {10, 11}, {21, 23}},  {67, {0, 0}, {1, 0}, {2, 0}},
                 {400, {8, 0}, {-9, 0}, {-1, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Percent) + "% pixel " + std::to_string(c.Pixel.X));
        EXPECT_EQ(At(c.Percent, c.Offset).ToCanvas(c.Pixel), c.Unit);
    }
}

// Whatever the step and scroll, the pixels a unit is said to cover include
// every pixel that shows it, so repaints and marks reach far enough.
TEST(ViewTransform, AUnitsPixelsIncludeEveryPixelShowingIt)
{
    for (const int32_t percent : kZoomSteps)
        for (const int32_t offset : {0, 7, -13}) {
            const TViewTransform view = At(percent, {offset, offset});
            for (int32_t x = -40; x <= 40; ++x) {
                const TPoint unit = view.ToCanvas({x, x});
                const TRect r = view.ToPixels({unit.X, unit.Y, unit.X + 1, unit.Y + 1});
                SCOPED_TRACE(std::to_string(percent) + "% offset " + std::to_string(offset) + " pixel " +
                             std::to_string(x));
                EXPECT_TRUE(r.Left <= x && x < r.Right && r.Top <= x && x < r.Bottom);
                EXPECT_LE(r.Right - r.Left, view.PixelsCovering(1) + 1);
            }
        }
}

// Client points go to the canvas model, which adds its scroll back.
TEST(ViewTransform, ClientPointsPlusTheClientScrollAreCanvasPoints)
{
    const TViewTransform view = At(300, {301, -299});
    for (const TPoint pixel : {TPoint{0, 0}, TPoint{17, 250}, TPoint{-4, 3}}) {
        const TPoint client = view.ToClient(pixel);
        const TPoint scroll = view.ClientScroll();
        EXPECT_EQ((TPoint{client.X + scroll.X, client.Y + scroll.Y}), view.ToCanvas(pixel));
    }
    // Scrolled 100 pixels at half size is 200 units, and units scale back to pixels.
    EXPECT_EQ(At(50, {100, -7}).ClientScroll(), (TPoint{200, -14}));
    EXPECT_EQ(At(400).PixelsCovering(100), 400);
}

TEST(ViewTransform, ZoomingKeepsTheCanvasPointUnderThePivot)
{
    const struct {
        int32_t From, To;
        TPoint Offset, Pivot;
    } cases[] = {{100, 200, {0, 0}, {101, 40}},  {200, 100, {0, 0}, {101, 40}}, {100, 50, {0, 0}, {200, 200}},
                 {67, 400, {-50, 9}, {333, 1}},  {400, 67, {1000, 12}, {5, 477}}, {125, 150, {3, 3}, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + "% to " + std::to_string(c.To) + "%");
        TViewTransform view = At(c.From, c.Offset);
        const auto under = [&](const TViewTransform& v, int32_t pixel, int32_t offset) {
            return (static_cast<double>(pixel) + offset) * 100 / v.Percent();
        };
        const double x = under(view, c.Pivot.X, view.Offset().X);
        const double y = under(view, c.Pivot.Y, view.Offset().Y);
        EXPECT_TRUE(view.ZoomAround(c.To, c.Pivot));
        EXPECT_EQ(view.Percent(), c.To);
        // Within half a pixel of the new scale.
        EXPECT_LE(std::abs(under(view, c.Pivot.X, view.Offset().X) - x) * c.To / 100, 0.5);
        EXPECT_LE(std::abs(under(view, c.Pivot.Y, view.Offset().Y) - y) * c.To / 100, 0.5);
    }
    TViewTransform same = At(150, {9, 9});
    EXPECT_FALSE(same.ZoomAround(150, {100, 100}));
    EXPECT_EQ(same.Offset(), (TPoint{9, 9}));
}

} // namespace
} // namespace kelto
