// Which page the plot shows while the recorder turns pages faster than anyone reads.
#include "core/instruments/scope_page_hold.h"

#include <gtest/gtest.h>

#include <array>

namespace kelto {
namespace {

void RecordOne(TScopeRecorder& scope)
{
    const std::array<TProbeReading, 1> high{TProbeReading{0, 1.0}};
    scope.AppendReadings(high);
}

TEST(ScopePageHold, FastPagesTurnOnScreenAtACalmRateAndTheNewestShowsWhenCalm)
{
    TScopeRecorder scope(1);
    TScopePageHold hold;
    scope.ButtonRunClick();
    int64_t shown = hold.ShownMinimum(scope, 0);
    int64_t lastChange = 0;
    int changes = 0;
    // Nearly three seconds at a thousand ticks a second: 29 page turns.
    for (int64_t now = 1; now <= 2950; ++now) {
        RecordOne(scope);
        const int64_t next = hold.ShownMinimum(scope, now);
        if (next != shown) {
            EXPECT_GE(now - lastChange, TScopePageHold::kCalmPageMilliseconds) << now;
            EXPECT_EQ(next, scope.AxisMinimum());
            lastChange = now;
            ++changes;
            shown = next;
        }
    }
    EXPECT_EQ(changes, 2);
    EXPECT_NE(shown, scope.AxisMinimum());
    EXPECT_EQ(hold.ShownMinimum(scope, lastChange + TScopePageHold::kCalmPageMilliseconds),
              scope.AxisMinimum());
}

TEST(ScopePageHold, SlowPagesAndEveryUserMoveShowAtOnce)
{
    TScopeRecorder scope(1);
    TScopePageHold hold;
    scope.ButtonRunClick();
    // Twenty milliseconds a tick: a page every two seconds, never held.
    for (int64_t now = 0; now < 5000; now += 20) {
        RecordOne(scope);
        ASSERT_EQ(hold.ShownMinimum(scope, now), scope.AxisMinimum()) << now;
    }
    // Each of these, right after a held turn, shows where the recorder is.
    int64_t now = 10000;
    const auto heldTurn = [&] {
        for (int i = 0; i < 200; ++i) {
            RecordOne(scope);
            hold.ShownMinimum(scope, now);
        }
        ASSERT_NE(hold.ShownMinimum(scope, now), scope.AxisMinimum());
    };
    heldTurn();
    scope.PanAxisTo(0);
    EXPECT_EQ(hold.ShownMinimum(scope, now), 0);
    scope.PanAxisTo(scope.ScrollRange().Maximum);
    EXPECT_EQ(hold.ShownMinimum(scope, now), scope.AxisMinimum());
    heldTurn();
    scope.ButtonStopClick();
    EXPECT_EQ(hold.ShownMinimum(scope, now), scope.AxisMinimum());
    scope.ButtonClearClick();
    EXPECT_EQ(hold.ShownMinimum(scope, now), 0);
}

} // namespace
} // namespace kelto
