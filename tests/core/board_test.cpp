// Placing, deleting and wiring parts, and the user's actions on them.
#include "board_helpers.h"

#include "core/board/pointer_hints.h"
#include "core/board/schematic_editor.h"
#include "core/devices/device_actions.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

TEST(Placement, AnItemPlacesOnePartUntilItIsDeleted)
{
    TSimuBoard board;
    TSimuPart* first = board.PlaceItem(kMCU);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->FName, "MCU");
    EXPECT_EQ(board.PlaceItem(kMCU), nullptr);
    EXPECT_EQ(board.PartCount(), 1);
    board.DeletePart(first);
    EXPECT_EQ(board.Slot(kMCU), nullptr);
    TSimuPart* again = board.PlaceItem(kMCU);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->FBody->Left(), 0);
    EXPECT_EQ(board.Engine().Mcu(), again);
}

TEST(Placement, ItemsOfOneClassKeepTheirOwnSlotsAndNames)
{
    TSimuBoard board;
    TSimuPart* k0 = board.PlaceItem(kK0);
    TSimuPart* k1 = board.PlaceItem(kK1);
    EXPECT_EQ(k0->FName, "K0");
    EXPECT_EQ(k1->FName, "K1");
    EXPECT_EQ(board.Slot(kK0), k0);
    EXPECT_EQ(board.SlotItemOf(k1), kK1);
    EXPECT_EQ(board.PlaceItem(999), nullptr);
}

TEST(Placement, NormallyClosedButtonStartsClosedWithItsPinLow)
{
    TSimuBoard board;
    auto& s2 = static_cast<TSimuAnNiuSwitch&>(Place(board, kS2));
    EXPECT_EQ(s2.FNormallyClosed, 1);
    EXPECT_EQ(s2.FClosed, 1);
    EXPECT_EQ(s2.Port(0)->FLevel, 0);
    auto& s1 = static_cast<TSimuAnNiuSwitch&>(Place(board, kS1));
    EXPECT_EQ(s1.FClosed, 0);
    EXPECT_EQ(s1.Port(0)->FLevel, 1);
}

TEST(Placement, DeletingRenumbersLaterPartsAndRemovesWires)
{
    TSimuBoard board;
    TSimuPart& supply = Place(board, kVCC);
    TSimuPart& mcu = Place(board, kMCU, 200, 0);
    TSimuPart& led = Place(board, kLED3, 500, 0);
    Wire(board, supply, 0, mcu, 0);
    Wire(board, mcu, 13, led, 0);
    board.DeletePart(&mcu);
    EXPECT_EQ(board.PartCount(), 2);
    EXPECT_EQ(board.IndexOfPart(&led), 1);
    EXPECT_EQ(board.Canvas().ConnectionCount(), 0);
    EXPECT_TRUE(supply.Pin(0)->WiredObjects().empty());
    EXPECT_EQ(board.Engine().Mcu(), nullptr);
}

TEST(Placement, ClearCircuitEmptiesPartsSlotsAndCanvas)
{
    TSimuBoard board;
    for (const TPaletteItem& item : PaletteItems())
        board.PlaceItem(item.Item);
    EXPECT_EQ(board.PartCount(), kPaletteItemCount);
    board.ClearCircuit();
    EXPECT_EQ(board.PartCount(), 0);
    EXPECT_EQ(board.Canvas().ObjectCount(), 0);
    EXPECT_EQ(board.Canvas().ConnectionCount(), 0);
    for (const TPaletteItem& item : PaletteItems())
        EXPECT_EQ(board.Slot(item.Item), nullptr);
}

TEST(Placement, MovePartToCarriesTheWholeGroup)
{
    TSimuBoard board;
    auto& resistor = static_cast<TSimuResistance&>(Place(board, kResistor));
    board.MovePartTo(resistor.FBody, -30, 400);
    EXPECT_EQ(resistor.FBody->Left(), -30);
    EXPECT_EQ(resistor.Pin(0)->Left(), 35);
    EXPECT_EQ(resistor.Pin(0)->Top(), 483);
    EXPECT_EQ(resistor.FSlider->Left(), 4);
    EXPECT_EQ(resistor.FTrackEnd->Top(), 444);
}

// The window around the editor, answering nothing.
class TQuietHost final : public IEditorHost {
public:
    void SetFrameClockEnabled(bool) override {}
    void RestartClickTimer() override {}
    void StopClickTimer() override {}
    TWireDialogAnswer ShowWireDialog(TLineStyle) override { return {}; }
    TModalResult ShowDeleteDialog(const std::string&) override { return TModalResult::mrCancel; }
    void ShowInstrumentWindow(TInstrument) override {}
    void HideInstrumentWindow(TInstrument) override {}
};

struct TEditedBoard {
    TSimuBoard Board;
    TQuietHost Host;
    TSchematicEditor Editor{Board, Host};
};

// Two LEDs side by side: pins A = LED0 pin, B = LED3 pin.
struct TWiringRig : TEditedBoard {
    TSimuPart& A = Place(Board, kLED0, 0, 0);
    TSimuPart& B = Place(Board, kLED3, 100, 0);
    void Click(const TSimuPart& part) { Click(PinPoint(part, 0)); }
    void Click(TPoint p) { Editor.PinClick(p.X, p.Y); }
    int Wires() const { return Board.Canvas().ConnectionCount(); }
};

TEST(Wiring, TwoPinClicksMakeOneStraightWireFromFirstToSecond)
{
    TWiringRig rig;
    rig.Click(rig.A);
    rig.Click(rig.B);
    ASSERT_EQ(rig.Wires(), 1);
    const TdxFcConnection* wire = rig.Board.Canvas().Connections(0);
    EXPECT_EQ(wire->SourceObject(), rig.A.Pin(0));
    EXPECT_EQ(wire->TargetObject(), rig.B.Pin(0));
    EXPECT_EQ(wire->LineStyle(), TLineStyle::lsStraight);
    EXPECT_EQ(rig.Editor.PinClickCount(), 0);
}

TEST(Wiring, SecondWireBetweenTheSamePinsIsRefusedEitherWay)
{
    TWiringRig rig;
    rig.Click(rig.A);
    rig.Click(rig.B);
    rig.Click(rig.A);
    rig.Click(rig.B);
    rig.Click(rig.B);
    rig.Click(rig.A);
    EXPECT_EQ(rig.Wires(), 1);
}

TEST(Wiring, SamePinTwiceKeepsItChosen)
{
    TWiringRig rig;
    rig.Click(rig.A);
    rig.Click(rig.A);
    EXPECT_EQ(rig.Editor.PinClickCount(), 1);
    rig.Click(rig.B);
    EXPECT_EQ(rig.Wires(), 1);
}

TEST(Wiring, ClickOffAPinForgetsTheFirstPin)
{
    TWiringRig rig;
    rig.Click(rig.A);
    rig.Click(TPoint{30, 60}); // on LED0's body, not on a pin
    rig.Click(rig.B);
    EXPECT_EQ(rig.Wires(), 0);
    EXPECT_EQ(rig.Editor.FirstPinClicked(), rig.B.Pin(0));
}

// Hovering reads a pin without a canvas object; a wire makes one for each
// of its ends, which then moves and goes with its part.
TEST(Wiring, APinGetsACanvasObjectOnlyForAWire)
{
    TWiringRig rig;
    const TdxFlowChart& canvas = rig.Board.Canvas();
    const int32_t bodies = canvas.ObjectCount();
    EXPECT_NE(HintAtPoint(rig.Board, PinPoint(rig.A, 0).X, PinPoint(rig.A, 0).Y), "");
    EXPECT_EQ(canvas.ObjectCount(), bodies);
    rig.Click(rig.A);
    rig.Click(rig.B);
    EXPECT_EQ(canvas.ObjectCount(), bodies + 2);
    rig.Board.MovePartTo(rig.A.FBody, 300, 200);
    const TdxFcObject* pin = rig.A.MadePin(0);
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ((TPoint{pin->Left(), pin->Top()}), rig.A.PinPoint(0));
    rig.Board.DeletePart(&rig.A);
    EXPECT_EQ(canvas.ObjectCount(), bodies); // B's pin stays
}

// A click anywhere on what is drawn for a pin takes it: the grey marker, the
// microcontroller's pads, and the old 7 x 7 units around the point.
TEST(Wiring, PinIsHitOnItsMarkerItsPadAndNearItsPoint)
{
    TSimuBoard board;
    TSimuPart& led = Place(board, kLED0, 300, 0);
    TSimuPart& mcu = Place(board, kMCU);
    constexpr int kLeftPin = 3;   // PD2, left side
    constexpr int kRightPin = 24; // PC2, right side
    struct TCase {
        const char* Name;
        const TSimuPart& Part;
        int Pin;
        TPoint Offset;
        bool Hit;
    };
    const TCase cases[] = {
        {"marker's top-left", led, 0, {-5, -5}, true},
        {"marker's bottom-right", led, 0, {1, 1}, true},
        {"reach", led, 0, {3, 3}, true},
        {"beyond the reach", led, 0, {4, 0}, false},
        {"above the marker", led, 0, {0, -6}, false},
        {"left pad", mcu, kLeftPin, {10, -2}, true},
        {"left pad's end", mcu, kLeftPin, {15, 0}, true},
        {"left package", mcu, kLeftPin, {16, 0}, false},
        {"left of the marker", mcu, kLeftPin, {-6, 0}, false},
        {"right pad", mcu, kRightPin, {-10, -2}, true},
        {"right of the marker", mcu, kRightPin, {4, 0}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPoint p = PinPoint(c.Part, c.Pin);
        EXPECT_EQ(board.PinAtPoint(p.X + c.Offset.X, p.Y + c.Offset.Y), c.Hit ? c.Part.Port(c.Pin) : nullptr);
    }
}

TEST(Wiring, PinOfTheLaterPartWinsWhereTwoOverlap)
{
    TSimuBoard board;
    Place(board, kK0);
    TSimuPart& k1 = Place(board, kK1);
    EXPECT_EQ(board.PinAtPoint(10, 26), k1.Port(0));
}

TEST(Wiring, DeletingThePartOfAPendingFirstPinForgetsIt)
{
    TWiringRig rig;
    rig.Click(rig.A);
    rig.Board.DeletePart(&rig.B); // another part's going leaves the click
    EXPECT_EQ(rig.Editor.FirstPinClicked(), rig.A.Pin(0));
    rig.Board.DeletePart(&rig.A);
    EXPECT_EQ(rig.Editor.PinClickCount(), 0);
    EXPECT_EQ(rig.Editor.FirstPinClicked(), nullptr);
    TSimuPart& c = Place(rig.Board, kLED0);
    rig.Click(c);
    rig.Board.ClearCircuit();
    EXPECT_EQ(rig.Editor.FirstPinClicked(), nullptr);
}

TEST(Wiring, OutputsAndPinsOfOnePartMayBeJoined)
{
    TEditedBoard rig;
    TSimuPart& gate = Place(rig.Board, kNOT1);
    const TPoint in = PinPoint(gate, 0);
    const TPoint out = PinPoint(gate, 1);
    rig.Editor.PinClick(in.X, in.Y);
    rig.Editor.PinClick(out.X, out.Y);
    EXPECT_EQ(rig.Board.Canvas().ConnectionCount(), 1);
}

TEST(Actions, PushButtonsWriteTheirPinDirectly)
{
    TSimuBoard board;
    auto& s1 = static_cast<TSimuAnNiuSwitch&>(Place(board, kS1));
    auto& s2 = static_cast<TSimuAnNiuSwitch&>(Place(board, kS2, 100, 0));
    const int32_t s1Pressed[] = {0, 0, 1}; // press, press again, release
    const int32_t s2Pressed[] = {1, 1, 0};
    const auto step = [&](int i) {
        if (i < 2) {
            PressButton(s1);
            PressButton(s2);
        } else {
            ReleaseButton(s1);
            ReleaseButton(s2);
        }
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        step(i);
        EXPECT_EQ(s1.Port(0)->FLevel, s1Pressed[i]);
        EXPECT_EQ(s2.Port(0)->FLevel, s2Pressed[i]);
    }
}

TEST(Actions, MousePressOnAButtonUnderAWireDoesNothing)
{
    TEditedBoard rig;
    TSimuBoard& board = rig.Board;
    auto& s1 = static_cast<TSimuAnNiuSwitch&>(Place(board, kS1));
    TSimuPart& left = Place(board, kVCC, -100, 0);
    TSimuPart& right = Place(board, kGND, 200, 0);
    // A wire across the button at y = 38: supply pin (-82, 38) to ground pin moved there.
    board.MovePartTo(right.FBody, 175, 28);
    Wire(board, left, 0, right, 0);
    rig.Editor.MouseDown(30, 38);
    EXPECT_EQ(s1.FClosed, 0);
    rig.Editor.MouseDown(30, 100);
    EXPECT_EQ(s1.FClosed, 1);
    rig.Editor.MouseUp(30, 38); // release needs no wire test
    EXPECT_EQ(s1.FClosed, 0);
}

struct TKeyCase {
    int32_t X;
    int32_t Y;
    TKeyCell Key;
};

TEST(Actions, KeypadKeyBands)
{
    const TKeyCase cases[] = {
        {30, 4, {0, 0}},    {82, 29, {0, 0}},  {83, 30, {1, 1}},   {135, 56, {1, 2}},
        {136, 81, {2, 2}},  {188, 82, {3, 3}}, {240, 107, {3, 3}}, {29, 50, {-1, 1}},
        {241, 50, {-1, 1}}, {50, 3, {0, -1}},  {50, 108, {0, -1}},
    };
    TSimuBoard board;
    auto& keypad = static_cast<TSimuKeypad&>(Place(board, kKeypad, 10, 20));
    for (const TKeyCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        EXPECT_EQ(KeyAtPoint(keypad, {10 + c.X, 20 + c.Y}), c.Key);
    }
}

TEST(Actions, KeyReleasedOverAnotherKeyStaysPressed)
{
    TEditedBoard rig;
    auto& keypad = static_cast<TSimuKeypad&>(Place(rig.Board, kKeypad));
    rig.Editor.MouseDown(50, 10);
    EXPECT_EQ(keypad.Key(0, 0), 1);
    rig.Editor.MouseUp(100, 10);
    EXPECT_EQ(keypad.Key(0, 0), 1);
    rig.Editor.MouseUp(50, 10);
    EXPECT_EQ(keypad.Key(0, 0), 0);
}

TEST(Actions, ObjectClickFlipsToggleSwitchesAndSchedulesProbeWindows)
{
    TEditedBoard rig;
    TSchematicEditor& editor = rig.Editor;
    auto& toggle = static_cast<TSimuZhaDaoSwitch&>(Place(rig.Board, kK0));
    TSimuPart& scope = Place(rig.Board, kScope, 300, 0);
    EXPECT_EQ(editor.ChartObjectClick(toggle.FBody, 50, 10), TInstrument::None);
    EXPECT_EQ(toggle.FClosed, 1);
    EXPECT_EQ(editor.ChartObjectClick(scope.FBody, 350, 30), TInstrument::OScopes);
    EXPECT_EQ(editor.PendingInstrument(), TInstrument::OScopes);
    const TPoint pin = PinPoint(scope, 0);
    EXPECT_EQ(editor.ChartObjectClick(scope.FBody, pin.X, pin.Y), TInstrument::None);
    EXPECT_EQ(editor.ChartObjectClick(nullptr, 0, 0), TInstrument::None);
}

TEST(Actions, SliderSetsTheWiperValue)
{
    TSimuBoard board;
    auto& resistor = static_cast<TSimuResistance&>(Place(board, kResistor));
    SetSliderPosition(board.Canvas(), resistor, 0.5);
    EXPECT_DOUBLE_EQ(resistor.Port(0)->FValue, 0.5);
    board.Canvas().DragSliderTo(resistor.FSlider, 47, 44);
    UpdateWiperValue(resistor);
    EXPECT_DOUBLE_EQ(resistor.Port(0)->FValue, 1.0);
}

} // namespace
} // namespace kelto
