#include "core/look/board_drawing.h"

#include "core/board/board.h"
#include "core/canvas/flow_chart.h"
#include "core/look/colours.h"
#include "core/look/component_drawing.h"
#include "core/look/print_style.h"
#include "core/look/shapes.h"

#include <algorithm>
#include <climits>

namespace kelto::look {

namespace {

// The raised edge of a plain rectangle object (the resistor's slider).
constexpr TArgb kEdgeLight = 0xFFFFFFFF;
constexpr TArgb kEdgeShadow = 0xFF808080;

// Room around the circuit for the drawings that reach outside their bodies.
constexpr int kPictureMargin = 20;
constexpr TBox kEmptyPicture{0, 0, 2 * kPictureMargin, 2 * kPictureMargin};

// Part bodies and the resistors' sliders; the welcome banner is no part of it.
bool InCircuit(const TSimuBoard& board, const TdxFcObject& object)
{
    if (!object.Visible())
        return false;
    if (board.PartOfBody(&object) != nullptr)
        return true;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (const TSimuPart* part = board.Part(i);
            part->FOwnerType == otResistance && static_cast<const TSimuResistance*>(part)->FSlider == &object)
            return true;
    return false;
}

void DrawConnections(TDisplayList& list, const TdxFlowChart& canvas, bool drawnBehind)
{
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        const TdxFcConnection& connection = *canvas.Connections(i);
        if (connection.Visible() && connection.DrawnBehind() == drawnBehind)
            DrawConnection(list, connection, 0);
    }
}

void DrawObject(TDisplayList& list, const TSimuBoard& board, const TdxFcObject& object)
{
    const TRect r = object.Bounds();
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    if (object.ShapeKind() == 1) {
        FillRect(list, r.Left, r.Top, w, h, object.Color);
        if (object.RaisedEdge) {
            Polyline(list, {{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}}, kEdgeLight);
            Polyline(list, {{r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}, {r.Right - 1, r.Top}},
                     kEdgeShadow);
        }
    }
    if (const TSimuPart* part = board.PartOfBody(&object)) {
        list.Operations.emplace_back(TOrigin{{r.Left, r.Top}});
        DrawPart(list, *part);
        list.Operations.emplace_back(TOrigin{{0, 0}});
    }
}

} // namespace

TBox BoardExtent(const TSimuBoard& board, int margin)
{
    const TdxFlowChart& canvas = board.Canvas();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    const auto take = [&](int x0, int y0, int x1, int y1) {
        left = std::min(left, x0);
        top = std::min(top, y0);
        right = std::max(right, x1);
        bottom = std::max(bottom, y1);
    };
    for (int32_t i = 0; i < canvas.ObjectCount(); ++i) {
        const TdxFcObject& object = *canvas.Objects(i);
        if (InCircuit(board, object)) {
            const TRect r = object.Bounds();
            take(r.Left, r.Top, r.Right, r.Bottom);
        }
    }
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i)
        if (canvas.Connections(i)->Visible())
            for (const TPoint p : canvas.Connections(i)->RoutePoints())
                take(p.X, p.Y, p.X + 1, p.Y + 1);
    if (left > right)
        return {};
    return {left - margin, top - margin, right - left + 2 * margin, bottom - top + 2 * margin};
}

void DrawBoard(TDisplayList& list, const TSimuBoard& board, const TBox& extent)
{
    const TdxFlowChart& canvas = board.Canvas();
    FillRect(list, extent.X, extent.Y, extent.W, extent.H, ClrWhite);
    DrawConnections(list, canvas, true);
    for (int32_t i = 0; i < canvas.ObjectCount(); ++i) {
        const TdxFcObject& object = *canvas.Objects(i);
        if (InCircuit(board, object))
            DrawObject(list, board, object);
    }
    DrawConnections(list, canvas, false);
}

TBoardPicture BoardPicture(const TSimuBoard& board, bool printStyle)
{
    TBoardPicture picture;
    picture.Extent = BoardExtent(board, kPictureMargin);
    if (picture.Extent.W <= 0 || picture.Extent.H <= 0)
        picture.Extent = kEmptyPicture;
    DrawBoard(picture.List, board, picture.Extent);
    if (printStyle)
        picture.List = ForPrint(picture.List);
    return picture;
}

void DrawConnection(TDisplayList& list, const TdxFcConnection& connection, int width)
{
    std::vector<TPoint> route = connection.RoutePoints();
    if (route.size() >= 2)
        list.Operations.emplace_back(TPolyline{std::move(route), ClrInk, width});
}

void DrawWiringLine(TDisplayList& list, TPoint pin, TPoint pointer)
{
    list.Operations.emplace_back(TLine{pin, pointer, ClrWiring});
}

} // namespace kelto::look
