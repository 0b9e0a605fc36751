// The board: the aggregate the main window and the runner drive. It owns the
// canvas model, the placed parts with their slots, the simulation engine and
// the wiring state, and performs the user's actions on parts.
#pragma once

#include "core/basic/interpreter.h"
#include "core/board/palette.h"
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/instruments/scope_recorder.h"
#include "core/sim/sim_engine.h"

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace kelto {

struct TPartEntry {
    std::unique_ptr<TSimuPart> Part;
    TdxFcObject* Body = nullptr;
};

struct TPinLocation {
    int32_t Part = -1;
    int32_t Pin = -1;
    bool operator==(const TPinLocation&) const = default;
};

struct TKeyCell {
    int32_t Column = -1;
    int32_t Row = -1;
    bool operator==(const TKeyCell&) const = default;
};

enum class TInstrument : uint8_t { None = 0, OScopes = 1, Audioas = 2 };

class TSimuBoard {
public:
    TSimuBoard();
    ~TSimuBoard();
    TSimuBoard(const TSimuBoard&) = delete;
    TSimuBoard& operator=(const TSimuBoard&) = delete;

    TdxFlowChart& Canvas() { return FCanvas; }
    const TdxFlowChart& Canvas() const { return FCanvas; }
    TSimEngine& Engine() { return FEngine; }
    TBasicInterpreter& Basic() { return FBasic; }
    const TBasicInterpreter& Basic() const { return FBasic; }

    // Placed parts, in placement order.
    int32_t PartCount() const { return static_cast<int32_t>(FParts.size()); }
    TSimuPart* Part(int32_t index) const;
    int32_t IndexOfPart(const TSimuPart* part) const;
    TSimuPart* PartOfBody(const TdxFcObject* body) const;
    TSimuPart* Slot(int32_t item) const;
    int32_t SlotItemOf(const TSimuPart* part) const;

    // A palette click: nothing when the item's slot is taken.
    TSimuPart* PlaceItem(int32_t item);
    // Builds a part exactly as the item does, overwriting its slot (file loading).
    TSimuPart* CreateFromItem(const TPaletteItem& item);
    // Deleting the microcontroller ends the run, as the program's end does.
    void DeletePart(TSimuPart* part);
    // Removes every part, last first, and empties every slot; ends the run.
    void ClearCircuit();
    // Builds a part as the item does and puts it at `index` in the parts
    // list, taking the item's slot or leaving it to its holder (undo).
    TSimuPart* InsertPart(int32_t index, const TPaletteItem& item, bool takeSlot);

    // One simulation tick over the placed parts.
    void GLCadencer1Progress(double deltaTime, double newTime);

    // Wiring.
    TdxFcObject* PinNearPoint(const TSimuPart& part, TPoint chartPoint) const;
    TdxFcObject* PinAtPoint(int32_t clientX, int32_t clientY) const;
    // Makes the wire FPinClicks[0] -> FPinClicks[1] unless they are already wired.
    TdxFcConnection* ConnectPins();
    // The wiring step of a left-button release without modifiers.
    void PinClick(int32_t clientX, int32_t clientY);
    int32_t PinClickCount() const { return FPinClickCount; }
    TdxFcObject* FirstPinClicked() const { return FPinClickCount > 0 ? FPinClicks[0] : nullptr; }

    // Mouse actions on parts (left button, no modifiers), client pixels.
    void dxFlowChart1MouseDown(int32_t clientX, int32_t clientY);
    void dxFlowChart1MouseUp(int32_t clientX, int32_t clientY);
    // The click on an object; for a probe it names the window to open after
    // the double-click time, unless the pointer is on a pin.
    TInstrument ChartObjectClick(TdxFcObject* item, int32_t pointerClientX, int32_t pointerClientY);
    TKeyCell KeyAtPoint(int32_t clientX, int32_t clientY, const TSimuKeypad& keypad) const;
    TSimuPart* PartAtPoint(int32_t clientX, int32_t clientY) const;

    // The part-level effects of those actions.
    void PressButton(TSimuAnNiuSwitch& button);
    void ReleaseButton(TSimuAnNiuSwitch& button);
    void PressKey(TSimuKeypad& keypad, TKeyCell key);
    void ReleaseKey(TSimuKeypad& keypad, TKeyCell key);
    void FlipSwitch(TSimuZhaDaoSwitch& toggle);
    void SetSliderPosition(TSimuResistance& resistor, double fraction);
    static void UpdateWiperValue(TSimuResistance& resistor);

    // Pins as the simulation file names them.
    TPinLocation LocatePin(const TdxFcObject* object) const;
    TdxFcObject* PinByIndex(int32_t partIndex, int32_t pinIndex) const;
    // Moves a part so its body's top-left becomes (x, y), group members along.
    void MovePartTo(TdxFcObject* body, int32_t x, int32_t y);

    TInstrument FPendingInstrument = TInstrument::None;

    // The two oscilloscope windows' recordings; New, Open and deleting the
    // probes leave them alone.
    TScopeRecorder& OScopesRecorder() { return FOScopesRecorder; }
    const TScopeRecorder& OScopesRecorder() const { return FOScopesRecorder; }
    TScopeRecorder& AudioasRecorder() { return FAudioasRecorder; }
    const TScopeRecorder& AudioasRecorder() const { return FAudioasRecorder; }

    // Run control. The editor's lines (GBK bytes) are what the next Run
    // prepares; Run does nothing while no microcontroller is placed.
    void SetEditorLines(std::vector<std::string> gbkLines) { FEditorLines = std::move(gbkLines); }
    void ButtonRUNClick();
    void ButtonPAUSEClick() { FBasic.PauseRun(); }
    void ButtonCONTINUEClick() { FBasic.ContinueRun(); }
    void ButtonSTOPClick() { FBasic.RequestStop(); }
    void ApplicationEvents1Minimize() { FBasic.FMinimized = true; }
    void ApplicationEvents1Restore() { FBasic.FMinimized = false; }

private:
    static bool IsWire(const TdxFcConnection* connection);
    void RebuildTickList();
    void RefreshMcu();
    TSimuPart* Adopt(std::unique_ptr<TSimuPart> part, const TPaletteItem& item);
    void FreePart(int32_t index);

    TdxFlowChart FCanvas;
    TSimEngine FEngine;
    TBasicInterpreter FBasic{FEngine};
    std::vector<std::string> FEditorLines;
    std::vector<TPartEntry> FParts;
    std::array<TSimuPart*, kPaletteItemCount> FPartSlots{};
    std::vector<TSimuPart*> FTickParts;
    std::array<TdxFcObject*, 2> FPinClicks{};
    int32_t FPinClickCount = 0;
    std::vector<TdxFcObject*> FGroupMoveList;
    TScopeRecorder FOScopesRecorder{kMaxScopeChannels};
    TScopeRecorder FAudioasRecorder{1};
};

} // namespace kelto
