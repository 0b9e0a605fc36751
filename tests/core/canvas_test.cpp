// The diagram canvas model: lists, wiring bookkeeping, groups, selection,
// hit tests, coordinates, update nesting and the slider.
#include "core/canvas/flow_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kelto {
namespace {

class TRecordingListener : public ICanvasListener {
public:
    void CanvasInvalidated(const TRect& rect) override { Rects.push_back(rect); }
    void CanvasChanged() override { ++Changes; }
    std::vector<TRect> Rects;
    int Changes = 0;
};

int Count(const std::vector<TdxFcObject*>& list, const TdxFcObject* object)
{
    return static_cast<int>(std::count(list.begin(), list.end(), object));
}

TEST(Canvas, DeletingAnObjectShiftsLaterIndicesDown)
{
    TdxFlowChart chart;
    TdxFcObject* a = chart.CreateObject(0, 0, 10, 10, 0);
    TdxFcObject* b = chart.CreateObject(0, 0, 10, 10, 0);
    TdxFcObject* c = chart.CreateObject(0, 0, 10, 10, 0);
    chart.DeleteObject(a);
    EXPECT_EQ(chart.ObjectCount(), 2);
    EXPECT_EQ(chart.IndexOfObject(b), 0);
    EXPECT_EQ(chart.IndexOfObject(c), 1);
    EXPECT_EQ(chart.Objects(1), c);
    EXPECT_EQ(chart.Objects(2), nullptr);
    EXPECT_EQ(chart.IndexOfObject(nullptr), -1);
}

TEST(Canvas, IndexOfObjectOnAnotherCanvasIsMinusOne)
{
    TdxFlowChart one;
    TdxFlowChart other;
    TdxFcObject* stranger = other.CreateObject(0, 0, 1, 1, 0);
    EXPECT_EQ(one.IndexOfObject(stranger), -1);
}

TEST(Canvas, ConstantTimeIndexMatchesLinearSearchAfterRandomDeletions)
{
    TdxFlowChart chart;
    std::vector<TdxFcObject*> alive;
    for (int i = 0; i < 300; ++i)
        alive.push_back(chart.CreateObject(i, i, 1, 1, 0));
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const size_t victim = random() % alive.size();
        chart.DeleteObject(alive[victim]);
        alive.erase(alive.begin() + static_cast<ptrdiff_t>(victim));
        if (round % 3 == 0)
            alive.push_back(chart.CreateObject(0, 0, 1, 1, 0));
    }
    ASSERT_EQ(chart.ObjectCount(), static_cast<int32_t>(alive.size()));
    for (int32_t i = 0; i < chart.ObjectCount(); ++i) {
        int32_t linear = -1;
        for (int32_t j = 0; j < chart.ObjectCount() && linear < 0; ++j)
            if (chart.Objects(j) == chart.Objects(i))
                linear = j;
        EXPECT_EQ(chart.IndexOfObject(chart.Objects(i)), linear);
    }
}

TEST(Canvas, EachEndOfAWireListsTheOtherOncePerWire)
{
    TdxFlowChart chart;
    TdxFcObject* a = chart.CreateObject(0, 0, 0, 0, 0);
    TdxFcObject* b = chart.CreateObject(5, 5, 0, 0, 0);
    TdxFcConnection* first = chart.CreateConnection(a, b);
    chart.CreateConnection(b, a);
    EXPECT_EQ(Count(a->WiredObjects(), b), 2);
    EXPECT_EQ(Count(b->WiredObjects(), a), 2);
    chart.DeleteConnection(first);
    EXPECT_EQ(Count(a->WiredObjects(), b), 1);
    EXPECT_EQ(Count(b->WiredObjects(), a), 1);
    EXPECT_EQ(chart.ConnectionCount(), 1);
    EXPECT_EQ(chart.IndexOfConnection(chart.Connections(0)), 0);
}

// Undo puts wires back by position in both lists of an end, so deleting
// any one wire, even one of two joining the same pins, must leave them parallel.
TEST(Canvas, DeletingAWireKeepsEachEndsListsParallel)
{
    for (int deleted = 0; deleted < 4; ++deleted) {
        TdxFlowChart chart;
        TdxFcObject* a = chart.CreateObject(0, 0, 0, 0, 0);
        TdxFcObject* b = chart.CreateObject(5, 5, 0, 0, 0);
        TdxFcObject* c = chart.CreateObject(9, 9, 0, 0, 0);
        const std::vector<TdxFcConnection*> wires{chart.CreateConnection(a, b), chart.CreateConnection(a, c),
                                                  chart.CreateConnection(b, a), chart.CreateConnection(a, a)};
        chart.DeleteConnection(wires[static_cast<size_t>(deleted)]);
        for (const TdxFcObject* end : {a, b, c}) {
            ASSERT_EQ(end->Connections().size(), end->WiredObjects().size()) << deleted;
            for (size_t i = 0; i < end->Connections().size(); ++i) {
                const TdxFcConnection* wire = end->Connections()[i];
                const TdxFcObject* other =
                    wire->SourceObject() == end ? wire->TargetObject() : wire->SourceObject();
                EXPECT_EQ(end->WiredObjects()[i], other) << "deleted " << deleted << ", slot " << i;
            }
        }
    }
}

TEST(Canvas, DeletingAnObjectRemovesItsWiresGroupsAndSelection)
{
    TdxFlowChart chart;
    TdxFcObject* body = chart.CreateObject(0, 0, 20, 20, 0);
    TdxFcObject* pin = chart.CreateObject(3, 3, 0, 0, 0);
    TdxFcObject* other = chart.CreateObject(50, 50, 0, 0, 0);
    body->AddGroupMember(pin);
    chart.CreateConnection(pin, other);
    chart.CreateConnection(other, pin);
    chart.Select(pin);
    chart.DeleteObject(pin);
    EXPECT_EQ(chart.ConnectionCount(), 0);
    EXPECT_TRUE(other->WiredObjects().empty());
    EXPECT_TRUE(body->GroupMembers().empty());
    EXPECT_EQ(chart.SelectedObjectCount(), 0);
}

TEST(Canvas, AnObjectInSeveralGroupsLeavesThoseLeftWhenDeleted)
{
    for (int gone = 0; gone < 3; ++gone) {
        TdxFlowChart chart;
        std::vector<TdxFcObject*> owners;
        for (int i = 0; i < 3; ++i)
            owners.push_back(chart.CreateObject(10 * i, 0, 10, 10, 0));
        TdxFcObject* shared = chart.CreateObject(0, 0, 0, 0, 0);
        for (TdxFcObject* owner : owners)
            owner->AddGroupMember(shared);
        chart.DeleteObject(owners[static_cast<size_t>(gone)]);
        owners.erase(owners.begin() + gone);
        for (const TdxFcObject* owner : owners)
            EXPECT_EQ(owner->GroupMembers(), std::vector<TdxFcObject*>{shared}) << gone;
        chart.DeleteObject(shared);
        for (const TdxFcObject* owner : owners)
            EXPECT_TRUE(owner->GroupMembers().empty()) << gone;
    }
}

TEST(Canvas, AddGroupMemberRefusals)
{
    TdxFlowChart chart;
    TdxFcObject* body = chart.CreateObject(0, 0, 10, 10, 0);
    TdxFcObject* child = chart.CreateObject(0, 0, 1, 1, 0);
    TdxFcObject* grandchild = chart.CreateObject(0, 0, 1, 1, 0);
    body->AddGroupMember(child);
    child->AddGroupMember(grandchild);
    body->AddGroupMember(nullptr);
    body->AddGroupMember(body);
    body->AddGroupMember(child);
    body->AddGroupMember(grandchild); // already in the tree, one level down
    grandchild->AddGroupMember(body); // would close a cycle
    EXPECT_EQ(body->GroupMembers().size(), 1u);
    EXPECT_EQ(child->GroupMembers().size(), 1u);
    EXPECT_TRUE(grandchild->GroupMembers().empty());
}

TEST(Canvas, SelectingAnItemDeselectsEveryOther)
{
    TdxFlowChart chart;
    TdxFcObject* a = chart.CreateObject(0, 0, 10, 10, 0);
    TdxFcObject* b = chart.CreateObject(20, 0, 10, 10, 0);
    TdxFcConnection* wire = chart.CreateConnection(a, b);
    chart.Select(a);
    EXPECT_EQ(chart.SelectedObject(), a);
    chart.Select(wire);
    EXPECT_EQ(chart.SelectedObject(), nullptr);
    EXPECT_EQ(chart.SelectedConnection(), wire);
    EXPECT_FALSE(a->Selected());
    chart.Select(b);
    EXPECT_EQ(chart.SelectedConnectionCount(), 0);
    EXPECT_EQ(chart.SelectedObject(), b);
}

struct TRouteCase {
    TLineStyle Style;
    std::vector<TPoint> Expected;
};

TEST(Canvas, LineStylesRouteThroughBendPoints)
{
    const TRouteCase cases[] = {
        {TLineStyle::lsStraight, {{0, 0}, {10, 20}, {30, 40}}},
        {TLineStyle::lsElbowHorizontal, {{0, 0}, {10, 0}, {10, 20}, {30, 20}, {30, 40}}},
        {TLineStyle::lsElbowVertical, {{0, 0}, {0, 20}, {10, 20}, {10, 40}, {30, 40}}},
    };
    for (const TRouteCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Style));
        TdxFlowChart chart;
        TdxFcConnection* wire =
            chart.CreateConnection(chart.CreateObject(0, 0, 0, 0, 0), chart.CreateObject(30, 40, 0, 0, 0));
        wire->AddPoint({10, 20});
        wire->SetLineStyle(c.Style);
        EXPECT_EQ(wire->RoutePoints(), c.Expected);
    }
}

// A body 100 x 100 at (0,0) with a wire crossing it horizontally at y = 50.
struct TCrossing {
    TdxFlowChart Chart;
    TdxFcObject* Body = Chart.CreateObject(0, 0, 100, 100, 0);
    TdxFcObject* Left = Chart.CreateObject(-50, 50, 0, 0, 0);
    TdxFcObject* Right = Chart.CreateObject(150, 50, 0, 0, 0);
    TdxFcConnection* Wire = Chart.CreateConnection(Left, Right);
};

TEST(CanvasHitTest, WireCrossingABodyWinsButItemAtStillNamesTheBody)
{
    TCrossing c;
    const THitResult hit = c.Chart.HitTest(40, 50);
    EXPECT_EQ(hit.Object, c.Body);
    EXPECT_EQ(hit.Connection, c.Wire);
    EXPECT_TRUE(hit.Flags & OnWireFlag);
    EXPECT_FALSE(hit.Flags & OnObjectFlag);
    EXPECT_EQ(c.Chart.ItemAt(40, 50), c.Body);
}

TEST(CanvasHitTest, DrawnBehindWireLosesToTheBody)
{
    TCrossing c;
    c.Wire->SetDrawnBehind(true);
    const uint32_t flags = c.Chart.HitTestAt(40, 50);
    EXPECT_TRUE(flags & OnObjectFlag);
    EXPECT_FALSE(flags & OnWireFlag);
}

TEST(CanvasHitTest, InvisibleObjectsAreNeverFoundAndTheEdgeIsNearOnly)
{
    TdxFlowChart chart;
    TdxFcObject* body = chart.CreateObject(10, 10, 20, 20, 0);
    TdxFcObject* hidden = chart.CreateObject(10, 10, 20, 20, 0);
    hidden->SetVisible(false);
    EXPECT_EQ(chart.ItemAt(15, 15), body);
    EXPECT_EQ(chart.HitTestAt(15, 15), static_cast<uint32_t>(OnObjectFlag));
    EXPECT_EQ(chart.HitTestAt(9, 15), static_cast<uint32_t>(NearObjectFlag));
    EXPECT_EQ(chart.HitTestAt(5, 15), 0u);
}

TEST(CanvasHitTest, LaterObjectsLieOnTop)
{
    TdxFlowChart chart;
    chart.CreateObject(0, 0, 50, 50, 0);
    TdxFcObject* top = chart.CreateObject(10, 10, 50, 50, 0);
    EXPECT_EQ(chart.ItemAt(20, 20), top);
}

TEST(CanvasCoordinates, ScrollOffsetsClientPoints)
{
    TdxFlowChart chart;
    chart.SetScroll(30, -20);
    EXPECT_EQ(chart.ClientToChart(5, 5), (TPoint{35, -15}));
    EXPECT_EQ(chart.ChartToClient(35, -15), (TPoint{5, 5}));
    TdxFcObject* body = chart.CreateObject(100, 100, 10, 10, 0);
    EXPECT_EQ(chart.ItemAt(75, 125), body);
}

TEST(CanvasUpdate, NestedUpdatesRepaintOnceAtTheOutermostEnd)
{
    TdxFlowChart chart;
    TRecordingListener listener;
    chart.SetListener(&listener);
    chart.BeginUpdate();
    chart.BeginUpdate();
    chart.CreateObject(0, 0, 10, 10, 0);
    chart.EndUpdate();
    EXPECT_EQ(listener.Changes, 0);
    chart.EndUpdate();
    EXPECT_EQ(listener.Changes, 1);
    EXPECT_TRUE(listener.Rects.empty());
    chart.Objects(0)->Invalidate();
    ASSERT_EQ(listener.Rects.size(), 1u);
    EXPECT_EQ(listener.Rects[0], (TRect{0, 0, 10, 10}));
}

TEST(CanvasMove, BendPointsMoveOnlyWhenBothEndsMove)
{
    TdxFlowChart chart;
    TdxFcObject* a = chart.CreateObject(0, 0, 0, 0, 0);
    TdxFcObject* b = chart.CreateObject(100, 0, 0, 0, 0);
    TdxFcObject* c = chart.CreateObject(200, 0, 0, 0, 0);
    TdxFcConnection* ab = chart.CreateConnection(a, b);
    TdxFcConnection* bc = chart.CreateConnection(b, c);
    ab->AddPoint({50, 50});
    bc->AddPoint({150, 50});
    chart.MoveObjects({a, b}, 10, 5);
    EXPECT_EQ(ab->BendPoints()[0], (TPoint{60, 55}));
    EXPECT_EQ(bc->BendPoints()[0], (TPoint{150, 50}));
    EXPECT_EQ(bc->ControlPoints().front(), (TPoint{110, 5}));
}

struct TSliderRig {
    TdxFlowChart Chart;
    TdxFcObject* Start = Chart.CreateObject(47, 122, 0, 0, 0);
    TdxFcObject* End = Chart.CreateObject(47, 44, 0, 0, 0);
    TdxFcConnection* Track = Chart.CreateConnection(Start, End);
    TdxFcObject* Body = Chart.CreateObject(0, 0, 72, 179, 0);
    TdxFcObject* Slider = Chart.CreateObject(34, 114, 27, 17, 0);
    TSliderRig() { Chart.MakeSlider(Slider, 1, Body, Track); }
};

TEST(CanvasSlider, DraggingMeasuresFromTheTrackSourceAlongTheNearestPoint)
{
    TSliderRig rig;
    EXPECT_EQ(rig.Slider->SliderPosition(), 0.0);
    rig.Chart.DragSliderTo(rig.Slider, 200.0, 83.0); // far to the right of the middle
    EXPECT_DOUBLE_EQ(rig.Slider->SliderPosition(), 0.5);
    EXPECT_EQ(rig.Slider->Left() + rig.Slider->Width() / 2, 47);
    EXPECT_EQ(rig.Slider->Top() + rig.Slider->Height() / 2, 83);
    rig.Chart.DragSliderTo(rig.Slider, 47.0, -500.0); // beyond the far end
    EXPECT_DOUBLE_EQ(rig.Slider->SliderPosition(), 1.0);
    rig.Chart.DragSliderTo(rig.Slider, 0.0, 1000.0);
    EXPECT_DOUBLE_EQ(rig.Slider->SliderPosition(), 0.0);
}

TEST(CanvasSlider, SetPositionClampsAndPlacesTheKnob)
{
    TSliderRig rig;
    rig.Chart.SetSliderPosition(rig.Slider, 0.25);
    EXPECT_DOUBLE_EQ(rig.Slider->SliderPosition(), 0.25);
    EXPECT_EQ(rig.Slider->Top() + rig.Slider->Height() / 2, 103); // 122 - 0.25 * 78, rounded
    rig.Chart.SetSliderPosition(rig.Slider, 7.0);
    EXPECT_DOUBLE_EQ(rig.Slider->SliderPosition(), 1.0);
}

TEST(CanvasSlider, DeletingTheTrackLeavesTheSliderInert)
{
    TSliderRig rig;
    rig.Chart.DeleteConnection(rig.Track);
    EXPECT_EQ(rig.Slider->SliderTrack(), nullptr);
    rig.Chart.DragSliderTo(rig.Slider, 47, 44);
    EXPECT_EQ(rig.Slider->SliderPosition(), 0.0);
}

} // namespace
} // namespace kelto
