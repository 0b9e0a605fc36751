// Press, move and release on the canvas, turned into selection, drags and
// the canvas's events.
#include "core/canvas/canvas_mouse.h"

#include <algorithm>
#include <cstdlib>

namespace kelto {

namespace {

int64_t Distance(TPoint a, TPoint b)
{
    return std::llabs(int64_t{a.X} - b.X) + std::llabs(int64_t{a.Y} - b.Y);
}

bool Has(uint32_t flags, THitFlag flag)
{
    return (flags & flag) != 0;
}

} // namespace

TCanvasMouse::TCanvasMouse(TdxFlowChart& canvas, ICanvasMouseEvents& events)
    : FCanvas(canvas), FEvents(events)
{
}

void TCanvasMouse::SetClientSize(int32_t width, int32_t height)
{
    FClientWidth = std::max(width, 0);
    FClientHeight = std::max(height, 0);
}

TPoint TCanvasMouse::ClampToClient(int32_t x, int32_t y) const
{
    return {std::clamp(x, 0, std::max(FClientWidth - 1, 0)),
            std::clamp(y, 0, std::max(FClientHeight - 1, 0))};
}

TPoint TCanvasMouse::DragOffset() const
{
    if (FMode != TMode::MoveDrag)
        return {};
    const TPoint from = FCanvas.ClientToChart(FPressPoint.X, FPressPoint.Y);
    const TPoint to = FCanvas.ClientToChart(FPointer.X, FPointer.Y);
    return {SaturatingAdd(to.X, -int64_t{from.X}), SaturatingAdd(to.Y, -int64_t{from.Y})};
}

// Only one item is ever selected, so toggling a selected item off is
// clearing the selection.
void TCanvasMouse::SelectOnPress(const THitResult& hit, TShiftState shift)
{
    if (Has(hit.Flags, OnObjectFlag) && hit.Object->Selected())
        return;
    TdxFcItem* item = nullptr;
    if (Has(hit.Flags, OnWireFlag))
        item = hit.Connection;
    else if (Has(hit.Flags, OnObjectFlag))
        item = hit.Object;
    if (item == nullptr)
        return;
    if (item->Selected() && (shift & ssShift) != 0)
        FCanvas.ClearSelection();
    else
        FCanvas.Select(item);
}

void TCanvasMouse::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (button == TMouseButton::mbLeft && (shift & (ssAlt | ssCtrl)) == 0) {
        FPressPoint = {x, y};
        FPointer = FPressPoint;
        FPressHit = FCanvas.HitTest(x, y);
        FMode = TMode::Pressed;
        SelectOnPress(FPressHit, shift);
        if (Has(FPressHit.Flags, OnSliderFlag) && FPressHit.Object != nullptr) {
            FMode = TMode::SliderDrag;
            return;
        }
    }
    FEvents.OnMouseDown(button, shift, x, y);
}

void TCanvasMouse::DoubleClick(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (button == TMouseButton::mbLeft)
        FEvents.OnDblClick();
    MouseDown(button, static_cast<TShiftState>(shift | ssDouble), x, y);
}

void TCanvasMouse::MouseMove(bool leftHeld, int32_t x, int32_t y)
{
    if (!leftHeld)
        return;
    switch (FMode) {
    case TMode::Pressed:
        if (Has(FPressHit.Flags, OnObjectFlag) && Distance(FPressPoint, {x, y}) > FDragThreshold) {
            FPointer = ClampToClient(x, y);
            BeginMoveDrag();
        }
        return;
    case TMode::MoveDrag: FPointer = ClampToClient(x, y); return;
    case TMode::SliderDrag: {
        const TPoint p = FCanvas.ClientToChart(x, y);
        FCanvas.DragSliderTo(FPressHit.Object, p.X, p.Y);
        return;
    }
    case TMode::None: return;
    }
}

void TCanvasMouse::BeginMoveDrag()
{
    FMode = TMode::MoveDrag;
    FEvents.OnDragHandlerOn();
    CollectDragObjects();
}

void TCanvasMouse::AddWithGroup(TdxFcObject* object)
{
    if (std::find(FDragObjects.begin(), FDragObjects.end(), object) != FDragObjects.end())
        return;
    FDragObjects.push_back(object);
    for (TdxFcObject* member : object->GroupMembers())
        AddWithGroup(member);
}

void TCanvasMouse::CollectDragObjects()
{
    FDragObjects.clear();
    for (int32_t i = 0; i < FCanvas.ObjectCount(); ++i)
        if (TdxFcObject* object = FCanvas.Objects(i); object->Selected())
            AddWithGroup(object);
}

void TCanvasMouse::EndMoveDrag()
{
    const TPoint offset = DragOffset();
    FCanvas.MoveObjects(FDragObjects, offset.X, offset.Y);
    FDragObjects.clear();
    FEvents.OnDragHandlerOff();
}

void TCanvasMouse::ForgetObject(const TdxFcObject* object)
{
    std::erase(FDragObjects, object);
    if (FPressHit.Object != object)
        return;
    FPressHit = {};
    if (FMode != TMode::MoveDrag)
        FMode = TMode::None;
}

void TCanvasMouse::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (button == TMouseButton::mbLeft) {
        if (FMode == TMode::MoveDrag) {
            FPointer = ClampToClient(x, y);
            EndMoveDrag();
        } else if (FMode == TMode::Pressed) {
            const THitResult hit = FCanvas.HitTest(x, y);
            if (Distance(FPressPoint, {x, y}) <= FDragThreshold && hit == FPressHit &&
                Has(hit.Flags, OnObjectFlag))
                FEvents.OnObjectClick(hit.Object, x, y);
        }
        FMode = TMode::None;
        FPressHit = {};
    }
    FEvents.OnMouseUp(button, shift, x, y);
}

} // namespace kelto
