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

void DrawRoute(TDisplayList& list, std::vector<TPoint> route, int width)
{
    if (route.size() >= 2)
        list.Operations.emplace_back(TPolyline{std::move(route), ClrInk, width});
}

// Whether the rectangle [left, right) x [top, bottom) meets any of the areas;
// no areas stand for the whole plane.
bool MeetsAny(const std::vector<TBox>* areas, int left, int top, int right, int bottom)
{
    if (areas == nullptr)
        return true;
    return std::any_of(areas->begin(), areas->end(), [&](const TBox& a) {
        return left < a.X + a.W && right > a.X && top < a.Y + a.H && bottom > a.Y;
    });
}

void DrawConnections(TDisplayList& list, const TdxFlowChart& canvas, bool drawnBehind,
                     const std::vector<TBox>* areas)
{
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        const TdxFcConnection& connection = *canvas.Connections(i);
        if (!connection.Visible() || connection.DrawnBehind() != drawnBehind)
            continue;
        std::vector<TPoint> route = connection.RoutePoints();
        if (route.empty())
            continue;
        const auto [left, right] =
            std::minmax_element(route.begin(), route.end(), [](TPoint a, TPoint b) { return a.X < b.X; });
        const auto [top, bottom] =
            std::minmax_element(route.begin(), route.end(), [](TPoint a, TPoint b) { return a.Y < b.Y; });
        if (MeetsAny(areas, left->X - 1, top->Y - 1, right->X + 2, bottom->Y + 2))
            DrawRoute(list, std::move(route), 0);
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

void DrawBoardWhere(TDisplayList& list, const TSimuBoard& board, const TBox& extent,
                    const std::vector<TBox>* areas)
{
    const TdxFlowChart& canvas = board.Canvas();
    FillRect(list, extent.X, extent.Y, extent.W, extent.H, ClrWhite);
    DrawConnections(list, canvas, true, areas);
    for (int32_t i = 0; i < canvas.ObjectCount(); ++i) {
        const TdxFcObject& object = *canvas.Objects(i);
        const TRect r = object.Bounds();
        if (InCircuit(board, object) && MeetsAny(areas, r.Left - kDrawReach, r.Top - kDrawReach,
                                                 r.Right + kDrawReach, r.Bottom + kDrawReach))
            DrawObject(list, board, object);
    }
    DrawConnections(list, canvas, false, areas);
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
    DrawBoardWhere(list, board, extent, nullptr);
}

void DrawBoardIn(TDisplayList& list, const TSimuBoard& board, const TBox& extent,
                 const std::vector<TBox>& areas)
{
    DrawBoardWhere(list, board, extent, &areas);
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
    DrawRoute(list, connection.RoutePoints(), width);
}

void DrawWiringLine(TDisplayList& list, TPoint pin, TPoint pointer)
{
    list.Operations.emplace_back(TLine{pin, pointer, ClrWiring});
}

} // namespace kelto::look
