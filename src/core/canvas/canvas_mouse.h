// The canvas's own mouse handling: selection on press, the click / drag
// threshold, move drags of the selection with its groups, slider drags, and
// the order in which the canvas raises its mouse events.
#pragma once

#include "core/canvas/flow_chart.h"

#include <cstdint>
#include <vector>

namespace kelto {

enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : uint8_t {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssDouble = 1u << 3,
};
using TShiftState = uint8_t;

// What the canvas raises; the main window's handlers. Coordinates are client pixels.
class ICanvasMouseEvents {
public:
    virtual ~ICanvasMouseEvents() = default;
    virtual void OnMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) = 0;
    virtual void OnMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) = 0;
    // The pointer is at (x, y) when the click is reported.
    virtual void OnObjectClick(TdxFcObject* item, int32_t x, int32_t y) = 0;
    virtual void OnDragHandlerOn() = 0;
    virtual void OnDragHandlerOff() = 0;
    virtual void OnDblClick() = 0;
};

class TCanvasMouse {
public:
    // A release within this many pixels (|dx| + |dy|) of the press is a click.
    static constexpr int32_t kDragThreshold = 4;

    TCanvasMouse(TdxFlowChart& canvas, ICanvasMouseEvents& events);

    // The client area a dragging pointer is kept inside.
    void SetClientSize(int32_t width, int32_t height);
    // The click / drag threshold in client units: a zoomed view keeps it at
    // kDragThreshold screen pixels.
    void SetDragThreshold(int32_t units) { FDragThreshold = units; }

    void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    void MouseMove(bool leftHeld, int32_t x, int32_t y);
    void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    // The second press of a double-click: OnDblClick, then an ordinary press.
    void DoubleClick(TMouseButton button, TShiftState shift, int32_t x, int32_t y);

    // An object about to be deleted while the button may be down: the press
    // forgets it and a drag goes on without it.
    void ForgetObject(const TdxFcObject* object);

    bool Dragging() const { return FMode == TMode::MoveDrag; }
    bool SliderDragging() const { return FMode == TMode::SliderDrag; }
    // The objects a move drag carries and how far the pointer has taken them.
    const std::vector<TdxFcObject*>& DragObjects() const { return FDragObjects; }
    TPoint DragOffset() const;

private:
    enum class TMode : uint8_t { None, Pressed, MoveDrag, SliderDrag };

    void SelectOnPress(const THitResult& hit, TShiftState shift);
    void BeginMoveDrag();
    void CollectDragObjects();
    void AddWithGroup(TdxFcObject* object);
    void EndMoveDrag();
    TPoint ClampToClient(int32_t x, int32_t y) const;

    TdxFlowChart& FCanvas;
    ICanvasMouseEvents& FEvents;
    TMode FMode = TMode::None;
    THitResult FPressHit;
    TPoint FPressPoint;
    TPoint FPointer;
    int32_t FClientWidth = 0;
    int32_t FClientHeight = 0;
    int32_t FDragThreshold = kDragThreshold;
    std::vector<TdxFcObject*> FDragObjects;
};

} // namespace kelto
