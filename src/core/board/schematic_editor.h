// The main window's handlers of the canvas's events: wiring pin after pin,
// switches, buttons, keypad and probes, dragging pausing the frame clock, and
// the double-click that edits a wire or deletes a part.
#pragma once

#include "core/board/board.h"
#include "core/board/edit_history.h"
#include "core/canvas/canvas_mouse.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace kelto {

enum class TInstrument : uint8_t { None = 0, OScopes = 1, Audioas = 2 };

enum class TModalResult : uint8_t { mrOk, mrCancel, mrNo };

struct TWireDialogAnswer {
    TModalResult Result = TModalResult::mrCancel;
    // The style of the checked radio button; none when none is checked.
    std::optional<TLineStyle> Style;
};

// What the handlers need from the window around them.
class IEditorHost {
public:
    virtual ~IEditorHost() = default;
    virtual void SetFrameClockEnabled(bool enabled) = 0;
    // ClickTimer disabled and enabled again, so its interval starts afresh.
    virtual void RestartClickTimer() = 0;
    virtual void StopClickTimer() = 0;
    // TFormXian, modal, with the radio button of the wire's style checked.
    virtual TWireDialogAnswer ShowWireDialog(TLineStyle current) = 0;
    // TFormShanChu, modal, naming the part by its palette caption (UTF-8):
    // mrNo means delete.
    virtual TModalResult ShowDeleteDialog(const std::string& partCaption) = 0;
    virtual void ShowInstrumentWindow(TInstrument instrument) = 0;
    virtual void HideInstrumentWindow(TInstrument instrument) = 0;
};

class TSchematicEditor final : public ICanvasMouseEvents {
public:
    TSchematicEditor(TSimuBoard& board, IEditorHost& host);
    ~TSchematicEditor() override;
    TSchematicEditor(const TSchematicEditor&) = delete;
    TSchematicEditor& operator=(const TSchematicEditor&) = delete;

    // The canvas's mouse machine, fed by the canvas widget.
    TCanvasMouse& Mouse() { return FMouse; }

    void OnMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
    void OnMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
    void OnObjectClick(TdxFcObject* item, int32_t x, int32_t y) override;
    void OnDragHandlerOn() override;
    void OnDragHandlerOff() override;
    void OnDblClick() override;

    void ClickTimerTimer();

    // A palette click: places the item's part; when its slot is taken,
    // selects the part there and says in the log that one is all there is.
    // The part placed or found, to be shown; nullptr for no item.
    TSimuPart* PlaceItem(int32_t item);
    // The Delete key: what a double-click does to the selection (the wire
    // dialog for a wire, the delete dialog for a part).
    void DeleteKeyPressed() { OnDblClick(); }
    // Hears every canvas edit made through this editor, for undo.
    void SetEditListener(std::function<void(TCanvasEdit)> listener) { FOnEdit = std::move(listener); }

    // Plain left-button press and release on parts, client pixels.
    void MouseDown(int32_t clientX, int32_t clientY);
    void MouseUp(int32_t clientX, int32_t clientY);
    // The click on an object; for a probe it names the window to open after
    // the double-click time, unless the pointer is on a pin.
    TInstrument ChartObjectClick(TdxFcObject* item, int32_t pointerClientX, int32_t pointerClientY);
    TInstrument PendingInstrument() const { return FPendingInstrument; }

    // Wiring: the step of a left-button release without modifiers.
    void PinClick(int32_t clientX, int32_t clientY);
    // Makes the wire FPinClicks[0] -> FPinClicks[1] unless they are already wired.
    TdxFcConnection* ConnectPins();
    int32_t PinClickCount() const { return FPinClickCount; }
    TdxFcObject* FirstPinClicked() const { return FPinClickCount > 0 ? FPinClicks[0] : nullptr; }
    // Escape: the first pin is forgotten.
    void AbandonWiring() { FPinClickCount = 0; }

private:
    void Edited(TCanvasEdit edit);
    void EditSelectedWire();
    void DeleteSelectedPart();
    void ForgetPinsOf(const TSimuPart& part);

    TSimuBoard& FBoard;
    IEditorHost& FHost;
    TCanvasMouse FMouse;
    std::function<void(TCanvasEdit)> FOnEdit;
    TCanvasGeometry FDragStart;
    std::array<TdxFcObject*, 2> FPinClicks{};
    int32_t FPinClickCount = 0;
    TInstrument FPendingInstrument = TInstrument::None;
};

} // namespace kelto
