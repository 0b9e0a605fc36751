// LEDs, segment displays, the bar display and the dot matrices.
#include "device_rig.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

TEST(Leds, LightOnlyOnADrivenNetOfTheirLevel)
{
    struct TCase {
        const char* Net;
        int Level; // -1: released
        uint8_t LitA;
        uint8_t LitB;
    };
    const TCase cases[] = {{"undriven", -1, 0, 0}, {"high", 1, 0, 1}, {"low", 0, 1, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Net);
        TDeviceRig rig;
        auto& ledA = rig.Add<TSimuLEDA>(otLEDA);
        auto& ledB = rig.Add<TSimuLEDB>(otLEDB);
        TSource source = rig.Source();
        rig.Wire(source, ledA.Pin(0));
        rig.Wire(source, ledB.Pin(0));
        if (c.Level >= 0)
            source.Level(c.Level);
        rig.Tick();
        EXPECT_EQ(ledA.FLit, c.LitA);
        EXPECT_EQ(ledB.FLit, c.LitB);
    }
}

TEST(Leds, RepaintOnlyWhenTheLightChanges)
{
    TDeviceRig rig;
    auto& led = rig.Add<TSimuLEDB>(otLEDB);
    TSource source = rig.Source();
    rig.Wire(source, led.Pin(0));
    rig.Tick();
    EXPECT_EQ(rig.Repaints(led), 0);
    source.Level(1);
    rig.Tick();
    EXPECT_EQ(rig.Repaints(led), 1);
    rig.Tick();
    EXPECT_EQ(rig.Repaints(led), 0);
    source.Level(0);
    rig.Tick();
    EXPECT_EQ(led.FLit, 0);
    EXPECT_EQ(rig.Repaints(led), 1);
}

TEST(Leds, OpenToggleSwitchLeavesTheLedDark)
{
    TDeviceRig rig;
    auto& led = rig.Add<TSimuLEDA>(otLEDA);
    auto& toggle = rig.Add<TSimuZhaDaoSwitch>(otZhaDaoSwitch);
    TSource ground = rig.Source();
    ground.Level(0);
    rig.Wire(ground, toggle.Pin(0));
    rig.Wire(toggle.Pin(1), led.Pin(0));
    rig.Tick();
    EXPECT_EQ(led.FLit, 0);
    toggle.FClosed = 1;
    rig.Tick();
    EXPECT_EQ(led.FLit, 1);
}

std::vector<int> LitSegments(const TSimuSegDispTwo& display, int digit)
{
    std::vector<int> lit;
    for (int s = 0; s < 8; ++s)
        if (display.FSegments[static_cast<size_t>(digit * 8 + s)])
            lit.push_back(s);
    return lit;
}

TEST(SegmentDisplays, SelectedDigitTakesTheDrivenHighSegmentsAndKeepsThemWhenReleased)
{
    TDeviceRig rig;
    auto& display = rig.Add<TSimuSegDispTwo>(otSegDispTwo);
    TSource supply = rig.Source();
    TSource select = rig.Source();
    supply.Level(1);
    for (int s = 0; s < 3; ++s)
        rig.Wire(supply, display.Pin(s));
    rig.Wire(select, display.Pin(9));
    select.Level(0);
    rig.Tick();
    EXPECT_EQ(LitSegments(display, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(LitSegments(display, 0).empty());
    EXPECT_EQ(rig.Repaints(display), 1);

    select.Release(); // undriven is not selected: the digit keeps its picture
    supply.Level(0);
    rig.Ticks(5);
    EXPECT_EQ(LitSegments(display, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(rig.Repaints(display), 0);
}

TEST(SegmentDisplays, UnconnectedPinsNeverSelectOrLight)
{
    TDeviceRig rig;
    auto& display = rig.Add<TSimuSegDispSix>(otSegDispSix);
    rig.Ticks(3);
    EXPECT_TRUE(
        std::all_of(display.FSegments.begin(), display.FSegments.end(), [](uint8_t s) { return s == 0; }));
}

TEST(SegmentDisplays, SixDigitScanBuildsASteadyPictureWithoutRepaints)
{
    TDeviceRig rig;
    auto& display = rig.Add<TSimuSegDispSix>(otSegDispSix);
    TSource segmentA = rig.Source();
    std::vector<TSource> selects;
    for (int d = 0; d < 6; ++d) {
        selects.push_back(rig.Source());
        selects.back().Level(1);
        rig.Wire(selects.back(), display.Pin(8 + d));
    }
    rig.Wire(segmentA, display.Pin(0));
    int repaints = 0;
    for (int round = 0; round < 3; ++round)
        for (int d = 0; d < 6; ++d) {
            selects[static_cast<size_t>(d)].Level(0);
            segmentA.Level(d % 2); // odd digits show segment A
            rig.Tick();
            repaints += rig.Repaints(display);
            selects[static_cast<size_t>(d)].Level(1);
        }
    for (int d = 0; d < 6; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(display.FSegments[static_cast<size_t>(d * 8)], d % 2);
    }
    EXPECT_EQ(repaints, 3); // only the first round changed anything
}

TEST(SegmentDisplays, TwoSelectedDigitsShowTheSamePattern)
{
    TDeviceRig rig;
    auto& display = rig.Add<TSimuSegDispTwo>(otSegDispTwo);
    TSource ground = rig.Source();
    TSource supply = rig.Source();
    ground.Level(0);
    supply.Level(1);
    rig.Wire(ground, display.Pin(8));
    rig.Wire(ground, display.Pin(9));
    rig.Wire(supply, display.Pin(6));
    rig.Wire(supply, display.Pin(7));
    rig.Tick();
    EXPECT_EQ(LitSegments(display, 0), (std::vector<int>{6, 7}));
    EXPECT_EQ(LitSegments(display, 1), (std::vector<int>{6, 7}));
}

TEST(BitDisplay, EachLedIsLitExactlyWhileItsPinIsDrivenLow)
{
    TDeviceRig rig;
    auto& bar = rig.Add<TSimuBitDisp>(otBitDisp);
    TSource ground = rig.Source();
    TSource supply = rig.Source();
    ground.Level(0);
    supply.Level(1);
    rig.Wire(ground, bar.Pin(2));
    rig.Wire(supply, bar.Pin(5));
    rig.Tick();
    EXPECT_EQ(bar.FLit, (std::array<uint8_t, 8>{0, 0, 1, 0, 0, 0, 0, 0}));
    ground.Release();
    rig.Tick();
    EXPECT_EQ(bar.FLit, (std::array<uint8_t, 8>{}));
    EXPECT_EQ(rig.Repaints(bar), 1);
}

TEST(DotMatrices, ARowDrivenLowTakesTheColumnLevelsAndOthersKeepTheirs)
{
    TDeviceRig rig;
    auto& matrix = rig.Add<TSimuDotMat3232>(otDotMat3232);
    TSource row = rig.Source();
    TSource columns = rig.Source();
    rig.Wire(row, matrix.Pin(31));
    for (int j = 0; j < 32; j += 2)
        rig.Wire(columns, matrix.Pin(32 + j));
    row.Level(0);
    columns.Level(1);
    rig.Tick();
    for (int j = 0; j < 32; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(matrix.FDots[static_cast<size_t>(31 * 32 + j)], j % 2 == 0 ? 1 : 0);
    }
    EXPECT_EQ(std::count(matrix.FDots.begin(), matrix.FDots.end(), 1), 16);

    // Undriven columns are dark: the selected row is cleared.
    columns.Release();
    rig.Tick();
    EXPECT_EQ(std::count(matrix.FDots.begin(), matrix.FDots.end(), 1), 0);
    EXPECT_EQ(rig.Repaints(matrix), 1);
}

TEST(DotMatrices, SixteenBySixteenUsesPinSixteenAsTheFirstColumn)
{
    TDeviceRig rig;
    auto& matrix = rig.Add<TSimuDotMat1616>(otDotMat1616);
    TSource row = rig.Source();
    TSource column = rig.Source();
    rig.Wire(row, matrix.Pin(0));
    rig.Wire(column, matrix.Pin(16));
    row.Level(0);
    column.Level(1);
    rig.Tick();
    EXPECT_EQ(matrix.FDots[0], 1);
    EXPECT_EQ(std::count(matrix.FDots.begin(), matrix.FDots.end(), 1), 1);
}

} // namespace
} // namespace kelto
