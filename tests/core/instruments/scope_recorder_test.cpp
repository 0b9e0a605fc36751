// The oscilloscope windows' recording, buttons and horizontal axis, without a window.
#include "core/instruments/scope_recorder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kelto {
namespace {

const TProbeReading kHigh{0, 1.0};

void Record(TScopeRecorder& scope, int samples, TProbeReading reading = kHigh)
{
    const std::array<TProbeReading, kMaxScopeChannels> readings = [&] {
        std::array<TProbeReading, kMaxScopeChannels> all;
        all.fill(reading);
        return all;
    }();
    for (int i = 0; i < samples; ++i)
        scope.AppendReadings(std::span(readings).first(static_cast<size_t>(scope.ChannelCount())));
}

struct TButtons {
    bool Sampling, Run, Stop, Clear;
    bool operator==(const TButtons&) const = default;
};

TButtons ButtonsOf(const TScopeRecorder& scope)
{
    return {scope.Sampling(), scope.RunEnabled(), scope.StopEnabled(), scope.ClearEnabled()};
}

TEST(ScopeRecorder, ButtonsFollowFreshRecordingStopped)
{
    enum TPress { kNone, kRun, kStop, kClear };
    struct TStep {
        const char* Name;
        TPress Press;
        TButtons Expected;
    };
    const TStep steps[] = {
        {"fresh", kNone, {false, true, false, false}},
        {"stop and clear are disabled when fresh", kStop, {false, true, false, false}},
        {"clear disabled when fresh", kClear, {false, true, false, false}},
        {"run records", kRun, {true, false, true, false}},
        {"run again is disabled", kRun, {true, false, true, false}},
        {"clear disabled while recording", kClear, {true, false, true, false}},
        {"stop", kStop, {false, true, false, true}},
        {"clear keeps the stopped buttons", kClear, {false, true, false, true}},
        {"run from stopped", kRun, {true, false, true, false}},
    };
    for (int channels : {8, 1}) {
        TScopeRecorder scope(channels);
        for (const TStep& step : steps) {
            SCOPED_TRACE(std::to_string(channels) + " channels: " + step.Name);
            if (step.Press == kRun)
                scope.ButtonRunClick();
            else if (step.Press == kStop)
                scope.ButtonStopClick();
            else if (step.Press == kClear)
                scope.ButtonClearClick();
            EXPECT_EQ(ButtonsOf(scope), step.Expected);
        }
    }
}

TEST(ScopeRecorder, RecordsOnlyWhileSampling)
{
    TScopeRecorder scope(8);
    Record(scope, 5);
    EXPECT_EQ(scope.Samples().Count(), 0);
    scope.ButtonRunClick();
    Record(scope, 5);
    scope.ButtonStopClick();
    Record(scope, 5);
    EXPECT_EQ(scope.Samples().Count(), 5);
}

TEST(ScopeRecorder, ReadingsWithoutAValueBecomeNullPoints)
{
    struct TCase {
        TProbeReading Reading;
        TScopePoint Expected;
    };
    const TCase cases[] = {
        {{0, 0.75}, {0.75f, false}}, {{0, 0.0}, {0.0f, false}}, {{1, 0.5}, {0.5f, false}},
        {{2, 0.25}, {0.25f, false}}, {{3, 0.9}, {0.0f, true}},  {{4, 0.9}, {0.0f, true}},
    };
    TScopeRecorder scope(8);
    scope.ButtonRunClick();
    std::array<TProbeReading, kMaxScopeChannels> readings{};
    for (size_t c = 0; c < std::size(cases); ++c)
        readings[c] = cases[c].Reading;
    scope.AppendReadings(readings);
    for (size_t c = 0; c < std::size(cases); ++c) {
        SCOPED_TRACE("status " + std::to_string(cases[c].Reading.Status));
        EXPECT_EQ(scope.Samples().Point(static_cast<int32_t>(c), 0), cases[c].Expected);
    }
}

TEST(ScopeRecorder, PageTurnsWhenItsHundredthSampleIsIn)
{
    TScopeRecorder scope(1);
    scope.ButtonRunClick();
    Record(scope, 99);
    EXPECT_EQ(scope.AxisMinimum(), 0);
    Record(scope, 1);
    EXPECT_EQ(scope.AxisMinimum(), 100);
    EXPECT_EQ(scope.AxisMaximum(), 200);
    // The new page is empty until the 101st sample lands at its left edge.
    EXPECT_EQ(scope.Samples().Count(), 100);
    Record(scope, 1);
    EXPECT_EQ(scope.Samples().Count() - 1, scope.AxisMinimum());
    Record(scope, 99);
    EXPECT_EQ(scope.AxisMinimum(), 200);
}

TEST(ScopeRecorder, RunShowsThePageOfTheNextSample)
{
    TScopeRecorder scope(8);
    scope.ButtonRunClick();
    Record(scope, 250);
    scope.ButtonStopClick();
    scope.PanAxisTo(30);
    ASSERT_EQ(scope.AxisMinimum(), 30);
    scope.ButtonRunClick();
    EXPECT_EQ(scope.AxisMinimum(), 200);
    EXPECT_EQ(scope.AxisMaximum(), 300);
}

TEST(ScopeRecorder, StopThenRunContinuesRightAfterTheLastSample)
{
    TScopeRecorder scope(1);
    scope.ButtonRunClick();
    Record(scope, 30, {0, 0.0});
    scope.ButtonStopClick();
    Record(scope, 40, {0, 0.5});
    scope.ButtonRunClick();
    Record(scope, 1, kHigh);
    ASSERT_EQ(scope.Samples().Count(), 31);
    EXPECT_EQ(scope.Samples().Point(0, 29), (TScopePoint{0.0f, false}));
    EXPECT_EQ(scope.Samples().Point(0, 30), (TScopePoint{1.0f, false}));
}

TEST(ScopeRecorder, ClearEmptiesAndRunStartsAgainAtSampleZero)
{
    TScopeRecorder scope(8);
    scope.ButtonRunClick();
    Record(scope, 5000);
    scope.ButtonStopClick();
    scope.ButtonClearClick();
    EXPECT_EQ(scope.Samples().Count(), 0);
    EXPECT_EQ(scope.Samples().AllocatedBytes(), 0u);
    EXPECT_EQ(scope.AxisMinimum(), 0);
    EXPECT_EQ(scope.AxisMaximum(), 100);
    scope.ButtonRunClick();
    Record(scope, 1, {0, 0.25});
    EXPECT_EQ(scope.AxisMinimum(), 0);
    EXPECT_EQ(scope.Samples().Point(3, 0), (TScopePoint{0.25f, false}));
    EXPECT_TRUE(scope.Samples().Point(3, 1).Null);
}

TEST(ScopeRecorder, ScrollBarSpansRecordingAndVisibleWindow)
{
    TScopeRecorder scope(1);
    EXPECT_EQ(scope.ScrollRange(), (TScopeScrollRange{0, 0, 100, 0}));
    scope.ButtonRunClick();
    Record(scope, 250);
    // The view is on the page 200..300, ahead of the last sample 249.
    EXPECT_EQ(scope.ScrollRange(), (TScopeScrollRange{0, 200, 100, 200}));
    scope.PanAxisTo(37);
    EXPECT_EQ(scope.AxisMinimum(), 37);
    EXPECT_EQ(scope.AxisMaximum(), 137);
    // Back from the page ahead, the range ends where the recording does.
    EXPECT_EQ(scope.ScrollRange(), (TScopeScrollRange{0, 149, 100, 37}));
    scope.PanAxisTo(-50);
    EXPECT_EQ(scope.AxisMinimum(), 0);
    scope.PanAxisTo(100000);
    EXPECT_EQ(scope.AxisMinimum(), 149);
    EXPECT_EQ(scope.AxisMaximum(), 249);
}

TEST(ScopeRecorder, PageTurnShiftsAPannedViewByAPage)
{
    TScopeRecorder scope(1);
    scope.ButtonRunClick();
    Record(scope, 150);
    scope.PanAxisTo(20);
    Record(scope, 50);
    EXPECT_EQ(scope.AxisMinimum(), 120);
    EXPECT_EQ(scope.AxisMaximum(), 220);
}

// A window redraws only new samples while the view version stays, so every
// change other than an append within the page must move it.
TEST(ScopeRecorder, ViewVersionMovesWithEverythingButAppendsWithinThePage)
{
    struct TCase {
        const char* Change;
        void (*Apply)(TScopeRecorder&);
        bool Moves;
    };
    const TCase cases[] = {
        {"append within the page", [](TScopeRecorder& s) { Record(s, 5); }, false},
        {"stop", [](TScopeRecorder& s) { s.ButtonStopClick(); }, false},
        {"page turn", [](TScopeRecorder& s) { Record(s, 50); }, true},
        {"pan", [](TScopeRecorder& s) { s.PanAxisTo(10); }, true},
        {"pan to where it is", [](TScopeRecorder& s) { s.PanAxisTo(s.AxisMinimum()); }, true},
        {"stop and clear", [](TScopeRecorder& s) { s.ButtonStopClick(), s.ButtonClearClick(); }, true},
        {"stop and run", [](TScopeRecorder& s) { s.ButtonStopClick(), s.ButtonRunClick(); }, true},
    };
    for (const TCase& c : cases) {
        TScopeRecorder scope(2);
        scope.ButtonRunClick();
        Record(scope, 60);
        const uint64_t before = scope.ViewVersion();
        c.Apply(scope);
        EXPECT_EQ(scope.ViewVersion() != before, c.Moves) << c.Change;
    }
}

TEST(ScopeSamples, ValuesSurviveBlockBoundariesAndOutOfRangeReadsAreNull)
{
    TScopeSamples samples(3);
    const int64_t count = 2 * TScopeSamples::kBlockSamples + 7;
    for (int64_t i = 0; i < count; ++i) {
        const std::array<float, 3> values{static_cast<float>(i), -1.0f, 0.5f};
        samples.Append(values, static_cast<uint8_t>(i % 2 == 0 ? 0b010 : 0b100));
    }
    ASSERT_EQ(samples.Count(), count);
    for (int64_t i :
         {int64_t{0}, TScopeSamples::kBlockSamples - 1, TScopeSamples::kBlockSamples, count - 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(samples.Point(0, i), (TScopePoint{static_cast<float>(i), false}));
        EXPECT_EQ(samples.Point(1, i).Null, i % 2 == 0);
        EXPECT_EQ(samples.Point(2, i).Null, i % 2 != 0);
    }
    EXPECT_TRUE(samples.Point(0, count).Null);
    EXPECT_TRUE(samples.Point(0, -1).Null);
    EXPECT_TRUE(samples.Point(3, 0).Null);
    EXPECT_TRUE(samples.Point(-1, 0).Null);
}

} // namespace
} // namespace kelto
