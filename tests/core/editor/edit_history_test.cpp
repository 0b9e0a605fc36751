// Every canvas edit made through the schematic editor, taken back and made
// again: the circuit file and the canvas's lists must read as before.
#include "core/board/board_file.h"
#include "core/board/edit_history.h"
#include "core/board/schematic_editor.h"

#include "board_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace kelto {
namespace {

using namespace kelto::testing;

class TAnsweringHost final : public IEditorHost {
public:
    void SetFrameClockEnabled(bool) override {}
    void RestartClickTimer() override {}
    void StopClickTimer() override {}
    TWireDialogAnswer ShowWireDialog(TLineStyle) override { return WireAnswer; }
    TModalResult ShowDeleteDialog(const std::string&) override { return TModalResult::mrNo; }
    void ShowInstrumentWindow(TInstrument) override {}
    void HideInstrumentWindow(TInstrument) override {}
    TWireDialogAnswer WireAnswer;
};

// The file plus what the file does not hold: canvas order, each object's
// connection lists, bend points and the palette slots.
// Pin objects are made as wires need them and keep no order of their own:
// a pin is named by part and pin, any other object by its place among those.
std::string Fingerprint(const TSimuBoard& board)
{
    const TdxFlowChart& canvas = board.Canvas();
    const auto name = [&](const TdxFcObject* object) {
        if (object->UserData != nullptr) {
            const TPinLocation at = board.LocatePin(object);
            return "p" + std::to_string(at.Part) + ":" + std::to_string(at.Pin);
        }
        int32_t n = 0;
        for (int32_t i = 0; canvas.Objects(i) != object; ++i)
            n += canvas.Objects(i)->UserData == nullptr;
        return "o" + std::to_string(n);
    };
    std::string text = WriteCircuitDocument(board);
    std::vector<std::string> lines;
    for (int32_t i = 0; i < canvas.ObjectCount(); ++i) {
        const TdxFcObject& o = *canvas.Objects(i);
        if (o.UserData != nullptr && o.Connections().empty())
            continue;
        std::string line = name(&o) + " " + std::to_string(o.Left()) + "," + std::to_string(o.Top()) + ":";
        for (const TdxFcConnection* c : o.Connections())
            line += std::to_string(canvas.IndexOfConnection(c)) + " ";
        for (const TdxFcObject* w : o.WiredObjects())
            line += "w" + name(w) + " ";
        lines.push_back(line + "\n");
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines)
        text += line;
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        const TdxFcConnection& c = *canvas.Connections(i);
        text += "c" + name(c.SourceObject()) + ">" + name(c.TargetObject()) + " s" +
                std::to_string(static_cast<int>(c.LineStyle()));
        for (const TPoint& p : c.BendPoints())
            text += " " + std::to_string(p.X) + "," + std::to_string(p.Y);
        text += "\n";
    }
    for (int32_t item = 1; item <= kPaletteItemCount; ++item)
        text += std::to_string(board.IndexOfPart(board.Slot(item))) + " ";
    return text;
}

// A toggle, a resistor (whose track is a connection of its own), an LED and
// the microcontroller, wired so the resistor's wires lie between others.
struct TLab {
    TLab()
    {
        Editor.Mouse().SetClientSize(2000, 2000);
        Editor.SetEditListener([this](TCanvasEdit edit) { Edits.push_back(std::move(edit)); });
        Toggle = &Place(Board, kK0);
        Resistor = &Place(Board, kResistor, 150, 200);
        Led = &Place(Board, kLED0, 300, 0);
        Mcu = &Place(Board, kMCU, 500, 200);
        Wire(Board, *Toggle, 1, *Led, 0);
        Wire(Board, *Resistor, 0, *Mcu, 0);
        Wire(Board, *Toggle, 0, *Mcu, 3);
        Bent = Wire(Board, *Mcu, 1, *Mcu, 2);
        Bent->SetBendPoints({{520, 230}, {560, 260}});
        Wire(Board, *Mcu, 5, *Resistor, 0);
        for (int32_t i = 0; i < Board.Canvas().ConnectionCount(); ++i)
            if (Board.Canvas().Connections(i)->SourceObject() == nullptr ||
                Board.Canvas().Connections(i)->TargetObject() == nullptr)
                throw std::logic_error("a test wire names a pin its part lacks");
    }
    void Drag(TPoint from, TPoint by)
    {
        Editor.Mouse().MouseDown(TMouseButton::mbLeft, 0, from.X, from.Y);
        Editor.Mouse().MouseMove(true, from.X + by.X, from.Y + by.Y);
        Editor.Mouse().MouseUp(TMouseButton::mbLeft, 0, from.X + by.X, from.Y + by.Y);
    }
    void Click(TPoint p) { Drag(p, {0, 0}); }
    void DoubleClickOn(TdxFcItem* item)
    {
        Board.Canvas().Select(item);
        Editor.OnDblClick();
    }

    TSimuBoard Board;
    TAnsweringHost Host;
    TSchematicEditor Editor{Board, Host};
    std::vector<TCanvasEdit> Edits;
    TSimuPart* Toggle = nullptr;
    TSimuPart* Resistor = nullptr;
    TSimuPart* Led = nullptr;
    TSimuPart* Mcu = nullptr;
    TdxFcConnection* Bent = nullptr;
};

struct TEditCase {
    const char* Name;
    std::function<void(TLab&)> Edit;
};

const std::vector<TEditCase>& EditCases()
{
    static const std::vector<TEditCase> cases = {
        {"place a part", [](TLab& lab) { lab.Editor.PlaceItem(kGND); }},
        {"drag a part",
         [](TLab& lab) {
             lab.Drag({330, 40}, {100, 50});
         }},
        {"drag the microcontroller with a bent wire between its pins",
         [](TLab& lab) {
             lab.Drag({600, 330}, {70, -40});
         }},
        {"drag the resistor with its track and slider",
         [](TLab& lab) {
             lab.Drag({lab.Resistor->FBody->Left() + 5, lab.Resistor->FBody->Top() + 5}, {-40, 60});
         }},
        {"wire two pins",
         [](TLab& lab) {
             lab.Click(PinPoint(*lab.Led, 0));
             lab.Click(PinPoint(*lab.Mcu, 7));
         }},
        {"change a wire's style",
         [](TLab& lab) {
             lab.Host.WireAnswer = {TModalResult::mrOk, TLineStyle::lsElbowVertical};
             lab.DoubleClickOn(lab.Board.Canvas().Connections(3));
         }},
        {"delete a wire",
         [](TLab& lab) {
             lab.Host.WireAnswer = {TModalResult::mrNo, std::nullopt};
             lab.DoubleClickOn(lab.Board.Canvas().Connections(2));
         }},
        {"delete a part with its wires", [](TLab& lab) { lab.DoubleClickOn(lab.Resistor->FBody); }},
        {"delete the microcontroller", [](TLab& lab) { lab.DoubleClickOn(lab.Mcu->FBody); }},
    };
    return cases;
}

TEST(EditHistory, EveryEditTakenBackRestoresTheFileAndCanvasExactly)
{
    for (const TEditCase& c : EditCases()) {
        SCOPED_TRACE(c.Name);
        TLab lab;
        const std::string before = Fingerprint(lab.Board);
        const std::string fileBefore = WriteCircuitDocument(lab.Board);
        c.Edit(lab);
        ASSERT_EQ(lab.Edits.size(), 1u);
        const std::string after = Fingerprint(lab.Board);
        const std::string fileAfter = WriteCircuitDocument(lab.Board);
        ASSERT_NE(fileAfter, fileBefore);
        UndoEdit(lab.Board, lab.Edits[0]);
        EXPECT_EQ(WriteCircuitDocument(lab.Board), fileBefore);
        EXPECT_EQ(Fingerprint(lab.Board), before);
        RedoEdit(lab.Board, lab.Edits[0]);
        EXPECT_EQ(WriteCircuitDocument(lab.Board), fileAfter);
        EXPECT_EQ(Fingerprint(lab.Board), after);
        UndoEdit(lab.Board, lab.Edits[0]);
        EXPECT_EQ(Fingerprint(lab.Board), before);
    }
}

TEST(EditHistory, AChainOfEditsUndoesBackToTheStartAndRedoesToTheEnd)
{
    TLab lab;
    std::vector<std::string> states{Fingerprint(lab.Board)};
    for (const TEditCase& c : EditCases()) {
        c.Edit(lab);
        states.push_back(Fingerprint(lab.Board));
    }
    ASSERT_EQ(lab.Edits.size(), EditCases().size());
    for (size_t i = lab.Edits.size(); i-- > 0;) {
        SCOPED_TRACE(EditCases()[i].Name);
        UndoEdit(lab.Board, lab.Edits[i]);
        EXPECT_EQ(Fingerprint(lab.Board), states[i]);
    }
    for (size_t i = 0; i < lab.Edits.size(); ++i) {
        SCOPED_TRACE(EditCases()[i].Name);
        RedoEdit(lab.Board, lab.Edits[i]);
        EXPECT_EQ(Fingerprint(lab.Board), states[i + 1]);
    }
}

// A move records no pin objects: one made later for a wire, and left when
// the wire is taken back, still goes back with its body.
TEST(EditHistory, TakingBackAMoveBringsAPinMadeSinceAlong)
{
    TLab lab;
    lab.Drag({600, 330}, {70, -40});
    lab.Click(PinPoint(*lab.Led, 0));
    lab.Click(PinPoint(*lab.Mcu, 7));
    ASSERT_EQ(lab.Edits.size(), 2u);
    UndoEdit(lab.Board, lab.Edits[1]);
    UndoEdit(lab.Board, lab.Edits[0]);
    const TdxFcObject* pin = lab.Mcu->MadePin(7);
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ((TPoint{pin->Left(), pin->Top()}), lab.Mcu->PinPoint(7));
    EXPECT_EQ(lab.Mcu->FBody->Left(), 500);
}

TEST(EditHistory, NothingIsRecordedForAClickOrADialogLeftAlone)
{
    TLab lab;
    lab.Click({330, 40});
    lab.Host.WireAnswer = {TModalResult::mrCancel, std::nullopt};
    lab.DoubleClickOn(lab.Board.Canvas().Connections(0));
    lab.Host.WireAnswer = {TModalResult::mrOk, TLineStyle::lsStraight}; // the style it has
    lab.DoubleClickOn(lab.Board.Canvas().Connections(0));
    lab.Editor.PlaceItem(kK0); // slot taken
    EXPECT_TRUE(lab.Edits.empty());
}

TEST(EditHistory, TakingBackADeletedMicrocontrollerGivesItItsSlotButNotTheEndedRun)
{
    TLab lab;
    lab.Board.SetEditorLines({"0 REM \"KELTOBASIC\"", "10 REM \"WAIT 1000\""});
    lab.Board.ButtonRUNClick();
    ASSERT_EQ(lab.Board.Basic().RunState(), TRunState::Running);
    lab.DoubleClickOn(lab.Mcu->FBody);
    EXPECT_EQ(lab.Board.Basic().RunState(), TRunState::Idle);
    UndoEdit(lab.Board, lab.Edits.at(0));
    EXPECT_EQ(lab.Board.Engine().Mcu(), lab.Board.Slot(kMcuItem));
    EXPECT_EQ(lab.Board.IndexOfPart(lab.Board.Slot(kMcuItem)), 3);
    EXPECT_EQ(lab.Board.Basic().RunState(), TRunState::Idle);
}

} // namespace
} // namespace kelto
