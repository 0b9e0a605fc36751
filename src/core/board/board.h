// The board: the circuit the main window and the runner drive. It owns the
// canvas model, the placed parts with their slots, the simulation engine, the
// interpreter and the oscilloscope recorders.
#pragma once

#include "core/basic/interpreter.h"
#include "core/board/palette.h"
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/files/circuit_description.h"
#include "core/instruments/scope_recorder.h"
#include "core/sim/sim_engine.h"

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kelto {

struct TBoardSnapshot;

struct TPartEntry {
    std::unique_ptr<TSimuPart> Part;
    TdxFcObject* Body = nullptr;
};

class TSimuBoard {
public:
    TSimuBoard();
    ~TSimuBoard();
    TSimuBoard(const TSimuBoard&) = delete;
    TSimuBoard& operator=(const TSimuBoard&) = delete;

    TdxFlowChart& Canvas() { return FCanvas; }
    const TdxFlowChart& Canvas() const { return FCanvas; }
    // The engine's net reads keep caches, so reading a pin needs it mutable.
    TSimEngine& Engine() { return FEngine; }
    const TSimEngine& Engine() const { return FEngine; }
    // The interpreter's state, to look at; it changes through the operations below.
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
    // Hears each part just before it goes (deleted or cleared away).
    void SetPartRemovedListener(std::function<void(const TSimuPart&)> listener)
    {
        FOnPartRemoved = std::move(listener);
    }

    // One simulation tick over the placed parts.
    void RunTick(double deltaTime, double newTime);
    // Degrees per second of a motor at full duty (the speed test sets it).
    void SetMotorSpeedFactor(double factor) { FEngine.FMotorSpeedFactor = factor; }
    double MotorSpeedFactor() const { return FEngine.FMotorSpeedFactor; }

    // What lies under a point: a pin within reach (the latest part's first),
    // the part whose body is hit. Client pixels except where named.
    TSimuPortInfo* PinNearPoint(const TSimuPart& part, TPoint chartPoint) const;
    TSimuPortInfo* PinAtPoint(int32_t clientX, int32_t clientY) const;
    TSimuPart* PartAtPoint(int32_t clientX, int32_t clientY) const;

    // Pins as the simulation file names them; PinByIndex makes the pin's
    // object when it has none.
    TPinLocation LocatePin(const TdxFcObject* object) const;
    TdxFcObject* PinByIndex(int32_t partIndex, int32_t pinIndex) const;
    // Moves a part so its body's top-left becomes (x, y), group members along.
    void MovePartTo(TdxFcObject* body, int32_t x, int32_t y);

    // The circuit as a simulation file holds it, and the circuit rebuilt
    // from such a description in place of the present one.
    TCircuitDescription Describe() const;
    void Build(const TCircuitDescription& circuit);

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
    // While paused, one statement; from idle, Run paused before the first
    // statement and then that one, so a program that would end at once can
    // be followed line by line.
    void ButtonStepClick();
    void ApplicationEvents1Minimize() { FBasic.FMinimized = true; }
    void ApplicationEvents1Restore() { FBasic.FMinimized = false; }
    bool Minimized() const { return FBasic.FMinimized; }

    // Where the program's sound goes, who hears its log lines and sound
    // requests (the window, the runner), and emptying its log.
    void SetSoundDevices(const TSoundDevices& devices) { FBasic.SetSoundDevices(devices); }
    void SetLogListeners(std::function<void(std::string_view line)> onLine, std::function<void()> onCleared)
    {
        FBasic.SetLogListeners(std::move(onLine), std::move(onCleared));
    }
    void SetSoundListener(std::function<void(const TSoundRequest&)> onRequest)
    {
        FBasic.SetSoundListener(std::move(onRequest));
    }
    void ClearLog() { FBasic.ClearLog(); }
    // A line in the log from the window's own commands, not the program.
    void LogLine(std::string_view text) { FBasic.LogLine(text); }
    // Called before a tick, so that Basic().LastStep() afterwards tells what
    // that tick ran (the runner's trace).
    void ForgetLastStep() { FBasic.ForgetLastStep(); }

    // Everything the run's future depends on (core/board/board_snapshot.h);
    // what did not change since `earlier`, a snapshot of this board, is shared.
    TBoardSnapshot TakeSnapshot(const TBoardSnapshot* earlier = nullptr) const;
    // Puts a snapshot back between two ticks; false, changing nothing, when
    // the board's parts are not those it was taken from.
    bool RestoreSnapshot(const TBoardSnapshot& snapshot);

protected:
    // The interpreter itself, for tests that set its state directly.
    TBasicInterpreter& Interpreter() { return FBasic; }

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
    std::function<void(const TSimuPart&)> FOnPartRemoved;
    TScopeRecorder FOScopesRecorder{kMaxScopeChannels};
    TScopeRecorder FAudioasRecorder{1};
};

} // namespace kelto
