// Mouse sequences on a board through the canvas's mouse machine and the main
// window's handlers: wiring, switches, buttons, keys, probes, dragging, and
// the double-click dialogs, answered by a scripted host.
#include "core/board/schematic_editor.h"

#include "board_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelto {
namespace {

using namespace kelto::testing;
using TLog = std::vector<std::string>;

class TScriptedHost final : public IEditorHost {
public:
    void SetFrameClockEnabled(bool enabled) override { Calls.push_back(enabled ? "clock on" : "clock off"); }
    void RestartClickTimer() override { Calls.push_back("timer restart"); }
    void StopClickTimer() override { Calls.push_back("timer stop"); }
    TWireDialogAnswer ShowWireDialog(TLineStyle current) override
    {
        Calls.push_back("wire dialog");
        ShownStyle = current;
        return WireAnswer;
    }
    TModalResult ShowDeleteDialog(const std::string& partCaption) override
    {
        Calls.push_back("delete dialog " + partCaption);
        return DeleteAnswer;
    }
    void ShowInstrumentWindow(TInstrument instrument) override
    {
        Calls.push_back("show " + std::to_string(static_cast<int>(instrument)));
    }
    void HideInstrumentWindow(TInstrument instrument) override
    {
        Calls.push_back("hide " + std::to_string(static_cast<int>(instrument)));
    }

    TLog Calls;
    TWireDialogAnswer WireAnswer;
    TModalResult DeleteAnswer = TModalResult::mrCancel;
    TLineStyle ShownStyle = TLineStyle::lsStraight;
};

struct TEditorRig {
    TEditorRig() { Editor.Mouse().SetClientSize(2000, 2000); }

    void Press(TPoint p) { Editor.Mouse().MouseDown(TMouseButton::mbLeft, 0, p.X, p.Y); }
    void Release(TPoint p) { Editor.Mouse().MouseUp(TMouseButton::mbLeft, 0, p.X, p.Y); }
    void Click(TPoint p) { Drag(p, {0, 0}); }
    void Drag(TPoint p, TPoint by)
    {
        Press(p);
        const TPoint to{p.X + by.X, p.Y + by.Y};
        if (by.X != 0 || by.Y != 0)
            Editor.Mouse().MouseMove(true, to.X, to.Y);
        Release(to);
    }
    void DoubleClick(TPoint p)
    {
        Click(p);
        Editor.Mouse().DoubleClick(TMouseButton::mbLeft, 0, p.X, p.Y);
        Release(p);
    }

    TSimuBoard Board;
    TScriptedHost Host;
    TSchematicEditor Editor{Board, Host};
};

constexpr TPoint kEmpty{1500, 1500};

struct TWiringCase {
    const char* Name;
    std::vector<char> Clicks; // 'A', 'B': pins; 'e': empty canvas; 'b': a body off its pins
    int32_t Wires;
    int32_t Pending;
};

TEST(SchematicEditor, WiringByClickingPinAfterPin)
{
    const TWiringCase cases[] = {
        {"A then B", {'A', 'B'}, 1, 0},
        {"A twice then B", {'A', 'A', 'B'}, 1, 0},
        {"A then B twice over", {'A', 'B', 'A', 'B', 'B', 'A'}, 1, 0},
        {"A, empty canvas, B", {'A', 'e', 'B'}, 0, 1},
        {"A, a body, B", {'A', 'b', 'B'}, 0, 1},
    };
    for (const TWiringCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditorRig rig;
        TSimuPart& toggle = Place(rig.Board, kK0);
        TSimuPart& led = Place(rig.Board, kLED0, 300, 0);
        for (const char click : c.Clicks) {
            switch (click) {
            case 'A': rig.Click(PinPoint(toggle, 1)); break;
            case 'B': rig.Click(PinPoint(led, 0)); break;
            case 'e': rig.Click(kEmpty); break;
            default: rig.Click({330, 40}); break;
            }
        }
        ASSERT_EQ(rig.Board.Canvas().ConnectionCount(), c.Wires);
        if (c.Wires == 1) {
            const TdxFcConnection* wire = rig.Board.Canvas().Connections(0);
            EXPECT_EQ(wire->SourceObject(), toggle.Pin(1));
            EXPECT_EQ(wire->TargetObject(), led.Pin(0));
            EXPECT_EQ(wire->LineStyle(), TLineStyle::lsStraight);
        }
        EXPECT_EQ(rig.Editor.PinClickCount(), c.Pending);
    }
}

TEST(SchematicEditor, DragEndingOverAPinIsAPinClickAndStopsTheClockMeanwhile)
{
    TEditorRig rig;
    TSimuPart& toggle = Place(rig.Board, kK0);
    TSimuPart& led = Place(rig.Board, kLED0, 300, 0);
    rig.Click(PinPoint(toggle, 1));
    // Pressed one unit beside the LED's own pin, so the release lies on it again.
    rig.Press({325, 125});
    rig.Editor.Mouse().MouseMove(true, 425, 175);
    EXPECT_EQ(rig.Host.Calls, (TLog{"clock off"}));
    EXPECT_TRUE(rig.Board.Canvas().Updating());
    rig.Release({425, 175});
    EXPECT_EQ(led.FBody->Left(), 400);
    ASSERT_EQ(rig.Board.Canvas().ConnectionCount(), 1);
    EXPECT_EQ(rig.Board.Canvas().Connections(0)->TargetObject(), led.Pin(0));
    EXPECT_EQ(rig.Host.Calls, (TLog{"clock off", "clock on"}));
    EXPECT_FALSE(rig.Board.Canvas().Updating());
}

TEST(SchematicEditor, ToggleSwitchFlipsOnEachClickAndTwiceOnAKeptDoubleClick)
{
    TEditorRig rig;
    auto& toggle = static_cast<TSimuZhaDaoSwitch&>(Place(rig.Board, kK0));
    rig.Click({50, 10});
    EXPECT_EQ(toggle.FClosed, 1);
    rig.Click({50, 10});
    EXPECT_EQ(toggle.FClosed, 0);
    rig.Drag({50, 10}, {5, 0});
    EXPECT_EQ(toggle.FClosed, 0) << "a drag is no click";

    rig.Host.Calls.clear();
    rig.DoubleClick({60, 10});
    EXPECT_EQ(toggle.FClosed, 0) << "flipped by the first click, back by the second release";
    EXPECT_EQ(rig.Host.Calls, (TLog{"timer stop", "delete dialog 开关K0"}));
    EXPECT_EQ(rig.Board.PartCount(), 1);
}

TEST(SchematicEditor, DeleteDialogRemovesThePartItsWiresAndFreesItsItem)
{
    TEditorRig rig;
    TSimuPart& toggle = Place(rig.Board, kK0);
    TSimuPart& led = Place(rig.Board, kLED0, 300, 0);
    Wire(rig.Board, toggle, 1, led, 0);
    rig.Host.DeleteAnswer = TModalResult::mrNo;
    rig.DoubleClick({50, 10});
    ASSERT_EQ(rig.Board.PartCount(), 1);
    EXPECT_EQ(rig.Board.Part(0), &led);
    EXPECT_EQ(rig.Board.Canvas().ConnectionCount(), 0);
    EXPECT_NE(rig.Board.PlaceItem(kK0), nullptr);
}

TEST(SchematicEditor, ProbeClickSchedulesItsWindowAndADoubleClickCancelsIt)
{
    TEditorRig rig;
    TSimuPart& scope = Place(rig.Board, kScope);
    const TPoint body{60, 40};

    rig.Click(body);
    EXPECT_EQ(rig.Host.Calls, (TLog{"timer restart"}));
    rig.Editor.ClickTimerTimer();
    EXPECT_EQ(rig.Host.Calls, (TLog{"timer restart", "timer stop", "show 1"}));

    rig.Host.Calls.clear();
    rig.Click(PinPoint(scope, 0));
    EXPECT_TRUE(rig.Host.Calls.empty()) << "a click on a probe's pin is a wiring click only";

    rig.Host.Calls.clear();
    rig.DoubleClick(body);
    EXPECT_EQ(rig.Host.Calls, (TLog{"timer restart", "timer stop", "delete dialog 示波器", "timer restart"}));

    rig.Host.Calls.clear();
    rig.Host.DeleteAnswer = TModalResult::mrNo;
    rig.DoubleClick(body);
    EXPECT_EQ(rig.Host.Calls, (TLog{"timer restart", "timer stop", "delete dialog 示波器", "hide 1"}));
    EXPECT_EQ(rig.Board.PartCount(), 0);
}

TEST(SchematicEditor, PushButtonFollowsPressAndReleaseEvenAcrossADrag)
{
    TEditorRig rig;
    auto& s1 = static_cast<TSimuAnNiuSwitch&>(Place(rig.Board, kS1));
    rig.Press({30, 100});
    EXPECT_EQ(s1.Port(0)->FLevel, 0);
    rig.Editor.Mouse().MouseMove(true, 80, 100);
    EXPECT_EQ(s1.Port(0)->FLevel, 0) << "held while dragged";
    rig.Release({80, 100});
    EXPECT_EQ(s1.FBody->Left(), 50);
    EXPECT_EQ(s1.Port(0)->FLevel, 1) << "released over the moved button";

    TSimuPart& supply = Place(rig.Board, kVCC, -100, 0);
    TSimuPart& ground = Place(rig.Board, kGND, 300, 28);
    Wire(rig.Board, supply, 0, ground, 0); // runs along y = 38, across the button
    rig.Press({80, 38});
    EXPECT_EQ(s1.FClosed, 0) << "a press where a wire crosses the button does not operate it";
    rig.Release({80, 38});
}

TEST(SchematicEditor, KeypadKeyReleasedOffItsKeyStaysDown)
{
    TEditorRig rig;
    auto& keypad = static_cast<TSimuKeypad&>(Place(rig.Board, kKeypad));
    rig.Press({80, 10});
    EXPECT_EQ(keypad.Key(0, 0), 1);
    rig.Release({84, 10}); // four pixels on: a click, over column 1
    EXPECT_EQ(keypad.Key(0, 0), 1);
    EXPECT_EQ(keypad.Key(1, 0), 0);
    rig.Click({60, 10});
    EXPECT_EQ(keypad.Key(0, 0), 0);
}

TEST(SchematicEditor, WireDialogChangesTheStyleOrDeletesOnlyThatWire)
{
    struct TWireCase {
        const char* Name;
        TWireDialogAnswer Answer;
        int32_t WiresLeft;
        TLineStyle Style;
    };
    const TWireCase cases[] = {
        {"OK with elbow", {TModalResult::mrOk, TLineStyle::lsElbowVertical}, 2, TLineStyle::lsElbowVertical},
        {"OK with none checked", {TModalResult::mrOk, std::nullopt}, 2, TLineStyle::lsElbowHorizontal},
        {"Cancel", {TModalResult::mrCancel, TLineStyle::lsStraight}, 2, TLineStyle::lsElbowHorizontal},
        {"delete", {TModalResult::mrNo, std::nullopt}, 1, TLineStyle::lsStraight},
    };
    for (const TWireCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditorRig rig;
        TSimuPart& toggle = Place(rig.Board, kK0);
        TSimuPart& led = Place(rig.Board, kLED0, 300, 0);
        TdxFcConnection* other = Wire(rig.Board, toggle, 0, led, 0);
        TdxFcConnection* wire = Wire(rig.Board, toggle, 1, led, 0); // (95,26) to (324,126)
        wire->SetLineStyle(TLineStyle::lsElbowHorizontal);          // corner at (324,26)
        rig.Click({200, 26});
        ASSERT_EQ(rig.Board.Canvas().SelectedConnection(), wire);
        rig.Host.WireAnswer = c.Answer;
        rig.DoubleClick(kEmpty); // empty canvas keeps the wire selected
        EXPECT_EQ(rig.Host.Calls, (TLog{"wire dialog"}));
        EXPECT_EQ(rig.Host.ShownStyle, TLineStyle::lsElbowHorizontal);
        ASSERT_EQ(rig.Board.Canvas().ConnectionCount(), c.WiresLeft);
        EXPECT_EQ(rig.Board.PartCount(), 2);
        EXPECT_EQ(rig.Board.Canvas().Connections(0), other);
        if (c.WiresLeft == 2) {
            EXPECT_EQ(wire->LineStyle(), c.Style);
        }
    }
}

TEST(SchematicEditor, DoubleClickOnTheSliderOrAPartlessObjectDoesNothing)
{
    TEditorRig rig;
    auto& resistor = static_cast<TSimuResistance&>(Place(rig.Board, kResistor));
    TdxFcObject* banner = rig.Board.Canvas().CreateObject(400, 400, 100, 50, 1);
    const TPoint slider{resistor.FSlider->Left() + 5, resistor.FSlider->Top() + 5};
    rig.DoubleClick(slider);
    rig.DoubleClick({420, 420});
    EXPECT_TRUE(rig.Host.Calls.empty());
    EXPECT_EQ(rig.Board.PartCount(), 1);
    EXPECT_EQ(rig.Board.Canvas().SelectedObject(), banner);
}

} // namespace
} // namespace kelto
