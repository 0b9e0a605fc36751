// The canvas's mouse machine on a bare canvas: what a press selects, where a
// click ends and a drag begins, what a drag moves, and the order of events.
#include "core/canvas/canvas_mouse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelto {
namespace {

class TRecorder final : public ICanvasMouseEvents {
public:
    void OnMouseDown(TMouseButton, TShiftState shift, int32_t x, int32_t y) override
    {
        Log.push_back("down " + Point(x, y) + ((shift & ssDouble) ? " double" : ""));
    }
    void OnMouseUp(TMouseButton, TShiftState, int32_t x, int32_t y) override
    {
        Log.push_back("up " + Point(x, y));
    }
    void OnObjectClick(TdxFcObject* item, int32_t, int32_t) override
    {
        Log.push_back("click");
        Clicked = item;
    }
    void OnDragHandlerOn() override { Log.push_back("drag on"); }
    void OnDragHandlerOff() override { Log.push_back("drag off"); }
    void OnDblClick() override { Log.push_back("dblclick"); }

    static std::string Point(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

    std::vector<std::string> Log;
    TdxFcObject* Clicked = nullptr;
};

using TLog = std::vector<std::string>;

struct TCanvasRig {
    TCanvasRig()
    {
        Mouse.SetClientSize(400, 300);
        Body = Canvas.CreateObject(100, 100, 60, 40, 0);
        Pin = Canvas.CreateObject(100, 120, 0, 0, 0);
        Pin->SetVisible(false);
        Body->AddGroupMember(Pin);
        Other = Canvas.CreateObject(300, 100, 40, 40, 0);
    }
    void Click(int32_t x, int32_t y, int32_t dx = 0, int32_t dy = 0)
    {
        Mouse.MouseDown(TMouseButton::mbLeft, 0, x, y);
        if (dx != 0 || dy != 0)
            Mouse.MouseMove(true, x + dx, y + dy);
        Mouse.MouseUp(TMouseButton::mbLeft, 0, x + dx, y + dy);
    }

    TdxFlowChart Canvas;
    TRecorder Events;
    TCanvasMouse Mouse{Canvas, Events};
    TdxFcObject* Body = nullptr;
    TdxFcObject* Pin = nullptr;
    TdxFcObject* Other = nullptr;
};

struct TMoveCase {
    int32_t Dx;
    int32_t Dy;
    bool Drags;
};

TEST(CanvasMouse, FourPixelsIsStillAClickFiveStartDragging)
{
    const TMoveCase cases[] = {
        {0, 0, false}, {4, 0, false}, {0, -4, false}, {2, 2, false},  {-3, 1, false},
        {5, 0, true},  {0, 5, true},  {3, 2, true},   {-2, -3, true}, {40, 30, true},
    };
    for (const TMoveCase& c : cases) {
        SCOPED_TRACE(TRecorder::Point(c.Dx, c.Dy));
        TCanvasRig rig;
        rig.Click(110, 110, c.Dx, c.Dy);
        const std::string up = "up " + TRecorder::Point(110 + c.Dx, 110 + c.Dy);
        if (c.Drags) {
            EXPECT_EQ(rig.Events.Log, (TLog{"down 110,110", "drag on", "drag off", up}));
            EXPECT_EQ(rig.Body->Left(), 100 + c.Dx);
            EXPECT_EQ(rig.Body->Top(), 100 + c.Dy);
        } else {
            EXPECT_EQ(rig.Events.Log, (TLog{"down 110,110", "click", up}));
            EXPECT_EQ(rig.Events.Clicked, rig.Body);
            EXPECT_EQ(rig.Body->Left(), 100);
        }
    }
}

TEST(CanvasMouse, DragCarriesGroupMembersAndReroutesWires)
{
    TCanvasRig rig;
    TdxFcObject* far = rig.Canvas.CreateObject(300, 300, 0, 0, 0);
    TdxFcObject* secondPin = rig.Canvas.CreateObject(150, 130, 0, 0, 0);
    rig.Body->AddGroupMember(secondPin);
    TdxFcConnection* outside = rig.Canvas.CreateConnection(rig.Pin, far);
    outside->AddPoint({200, 250});
    TdxFcConnection* inside = rig.Canvas.CreateConnection(rig.Pin, secondPin);
    inside->AddPoint({120, 160});

    rig.Mouse.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
    rig.Mouse.MouseMove(true, 120, 110);
    ASSERT_TRUE(rig.Mouse.Dragging());
    EXPECT_EQ(rig.Mouse.DragObjects().size(), 3u);
    rig.Mouse.MouseMove(true, 130, 115);
    EXPECT_EQ(rig.Mouse.DragOffset(), (TPoint{20, 5}));
    EXPECT_EQ(rig.Body->Left(), 100) << "objects move only at the release";
    rig.Mouse.MouseUp(TMouseButton::mbLeft, 0, 130, 115);

    EXPECT_EQ((TPoint{rig.Pin->Left(), rig.Pin->Top()}), (TPoint{120, 125}));
    EXPECT_EQ((TPoint{secondPin->Left(), secondPin->Top()}), (TPoint{170, 135}));
    EXPECT_EQ(outside->BendPoints().front(), (TPoint{200, 250})) << "one end stayed, so its bend stays";
    EXPECT_EQ(inside->BendPoints().front(), (TPoint{140, 165})) << "both ends moved, so its bend moves";
    EXPECT_EQ((TPoint{far->Left(), far->Top()}), (TPoint{300, 300}));
    EXPECT_TRUE(rig.Mouse.DragObjects().empty());
}

TEST(CanvasMouse, DraggingPointerIsKeptInsideTheClientArea)
{
    TCanvasRig rig;
    rig.Mouse.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
    rig.Mouse.MouseMove(true, -500, 900);
    EXPECT_EQ(rig.Mouse.DragOffset(), (TPoint{-110, 189}));
    rig.Mouse.MouseUp(TMouseButton::mbLeft, 0, -500, 900);
    EXPECT_EQ(rig.Body->Left(), -10);
    EXPECT_EQ(rig.Body->Top(), 289);
}

// The last move event may lag the release; the objects land where the
// button came up.
TEST(CanvasMouse, DragEndsWhereTheButtonIsReleased)
{
    struct TCase {
        TPoint Release;
        TPoint BodyAt;
    };
    const TCase cases[] = {{{130, 110}, {120, 100}}, {{150, 125}, {140, 115}}, {{-40, 120}, {-10, 110}}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(TRecorder::Point(c.Release.X, c.Release.Y));
        TCanvasRig rig;
        rig.Mouse.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
        rig.Mouse.MouseMove(true, 130, 110);
        rig.Mouse.MouseUp(TMouseButton::mbLeft, 0, c.Release.X, c.Release.Y);
        EXPECT_EQ((TPoint{rig.Body->Left(), rig.Body->Top()}), c.BodyAt);
        EXPECT_EQ((TPoint{rig.Pin->Left(), rig.Pin->Top()}), (TPoint{c.BodyAt.X, c.BodyAt.Y + 20}));
    }
}

TEST(CanvasMouse, ObjectDeletedDuringADragIsLeftBehindSafely)
{
    TCanvasRig rig;
    rig.Mouse.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
    rig.Mouse.MouseMove(true, 130, 110);
    rig.Mouse.ForgetObject(rig.Body);
    rig.Canvas.DeleteObject(rig.Body);
    rig.Mouse.MouseUp(TMouseButton::mbLeft, 0, 130, 110);
    EXPECT_EQ(rig.Pin->Left(), 120) << "the rest of the group still moves";
    EXPECT_EQ(rig.Events.Log, (TLog{"down 110,110", "drag on", "drag off", "up 130,110"}));

    rig.Events.Log.clear();
    rig.Mouse.MouseDown(TMouseButton::mbLeft, 0, 310, 110);
    rig.Mouse.ForgetObject(rig.Other);
    rig.Canvas.DeleteObject(rig.Other);
    rig.Mouse.MouseMove(true, 330, 110);
    rig.Mouse.MouseUp(TMouseButton::mbLeft, 0, 310, 110);
    EXPECT_EQ(rig.Events.Log, (TLog{"down 310,110", "up 310,110"}));
}

TEST(CanvasMouse, PressSelectsTheItemUnderItAloneAndEmptyCanvasKeepsTheSelection)
{
    TCanvasRig rig;
    TdxFcObject* a = rig.Canvas.CreateObject(0, 200, 0, 0, 0);
    TdxFcObject* b = rig.Canvas.CreateObject(200, 200, 0, 0, 0);
    TdxFcConnection* wire = rig.Canvas.CreateConnection(a, b); // crosses nothing at y = 200

    rig.Click(110, 110);
    EXPECT_TRUE(rig.Body->Selected());
    rig.Click(320, 120);
    EXPECT_TRUE(rig.Other->Selected());
    EXPECT_FALSE(rig.Body->Selected());
    rig.Click(50, 250);
    EXPECT_EQ(rig.Canvas.SelectedObject(), rig.Other) << "empty canvas keeps the selection";
    rig.Click(50, 200);
    EXPECT_EQ(rig.Canvas.SelectedConnection(), wire);
    EXPECT_EQ(rig.Canvas.SelectedObjectCount(), 0);
}

TEST(CanvasMouse, WireAcrossABodyTakesThePressUnlessDrawnBehind)
{
    TCanvasRig rig;
    TdxFcObject* a = rig.Canvas.CreateObject(50, 120, 0, 0, 0);
    TdxFcObject* b = rig.Canvas.CreateObject(250, 120, 0, 0, 0);
    TdxFcConnection* wire = rig.Canvas.CreateConnection(a, b);

    rig.Click(130, 120, 10, 0);
    EXPECT_EQ(rig.Canvas.SelectedConnection(), wire);
    EXPECT_EQ(rig.Body->Left(), 100) << "a press on the wire does not drag the body";
    EXPECT_EQ(rig.Events.Clicked, nullptr);

    wire->SetDrawnBehind(true);
    rig.Click(130, 120);
    EXPECT_EQ(rig.Canvas.SelectedObject(), rig.Body);
    EXPECT_EQ(rig.Events.Clicked, rig.Body);
}

TEST(CanvasMouse, CtrlAltAndOtherButtonsOnlyRaiseTheirEvents)
{
    struct TPressCase {
        TMouseButton Button;
        TShiftState Shift;
    };
    const TPressCase cases[] = {{TMouseButton::mbLeft, ssCtrl},
                                {TMouseButton::mbLeft, ssAlt},
                                {TMouseButton::mbRight, 0},
                                {TMouseButton::mbMiddle, ssShift}};
    for (const TPressCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Button) * 100 + c.Shift);
        TCanvasRig rig;
        rig.Mouse.MouseDown(c.Button, c.Shift, 110, 110);
        rig.Mouse.MouseMove(true, 150, 150);
        rig.Mouse.MouseUp(c.Button, c.Shift, 150, 150);
        EXPECT_EQ(rig.Events.Log, (TLog{"down 110,110", "up 150,150"}));
        EXPECT_FALSE(rig.Body->Selected());
        EXPECT_EQ(rig.Body->Left(), 100);
    }
}

TEST(CanvasMouse, ReleaseOverAnotherObjectOrNearAnEdgeIsNoClick)
{
    TCanvasRig rig;
    TdxFcObject* neighbour = rig.Canvas.CreateObject(162, 100, 20, 40, 0);
    rig.Click(158, 110, 4, 0); // released on the neighbour
    EXPECT_EQ(rig.Events.Clicked, nullptr);
    rig.Click(161, 110); // one pixel outside the body: near it, not on it
    EXPECT_EQ(rig.Events.Clicked, nullptr);
    EXPECT_FALSE(neighbour->Selected()) << "a press near an object selects nothing";
}

TEST(CanvasMouse, DoubleClickRaisesDblClickBeforeTheSecondPressAndClicksAgain)
{
    TCanvasRig rig;
    rig.Click(110, 110);
    rig.Mouse.DoubleClick(TMouseButton::mbLeft, 0, 110, 110);
    rig.Mouse.MouseUp(TMouseButton::mbLeft, 0, 110, 110);
    EXPECT_EQ(rig.Events.Log, (TLog{"down 110,110", "click", "up 110,110", "dblclick", "down 110,110 double",
                                    "click", "up 110,110"}));
}

TEST(CanvasMouse, SliderPressDragsTheSliderWithoutMouseDownOrClick)
{
    TdxFlowChart canvas;
    TRecorder events;
    TCanvasMouse mouse(canvas, events);
    mouse.SetClientSize(400, 300);
    TdxFcObject* start = canvas.CreateObject(50, 200, 0, 0, 0);
    TdxFcObject* end = canvas.CreateObject(50, 100, 0, 0, 0);
    start->SetVisible(false);
    end->SetVisible(false);
    TdxFcConnection* track = canvas.CreateConnection(start, end);
    track->SetVisible(false);
    TdxFcObject* slider = canvas.CreateObject(40, 194, 20, 12, 0);
    canvas.MakeSlider(slider, 1, nullptr, track);

    mouse.MouseDown(TMouseButton::mbLeft, 0, 50, 200);
    EXPECT_TRUE(mouse.SliderDragging());
    mouse.MouseMove(true, 90, 150);
    EXPECT_DOUBLE_EQ(slider->SliderPosition(), 0.5);
    EXPECT_EQ((TPoint{slider->Left(), slider->Top()}), (TPoint{40, 144}));
    mouse.MouseMove(true, 50, 0);
    EXPECT_DOUBLE_EQ(slider->SliderPosition(), 1.0);
    mouse.MouseUp(TMouseButton::mbLeft, 0, 50, 0);
    EXPECT_EQ(events.Log, (TLog{"up 50,0"}));
    EXPECT_FALSE(mouse.SliderDragging());
}

} // namespace
} // namespace kelto
