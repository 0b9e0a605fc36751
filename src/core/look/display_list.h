// A drawing as data: the few operations the part, wire, canvas and plot
// drawings use, in body coordinates, for any surface to replay in order.
#pragma once

#include "core/canvas/geometry.h"
#include "core/look/faces.h"
#include "core/look/pictures.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kelto::look {

// 32-bit ARGB (AARRGGBB).
using TArgb = uint32_t;

struct TPointF {
    double X = 0;
    double Y = 0;
    bool operator==(const TPointF&) const = default;
};

// Outlines run along X, X + W, Y and Y + H; fills cover W x H pixels.
struct TBox {
    int X = 0;
    int Y = 0;
    int W = 0;
    int H = 0;
    bool operator==(const TBox&) const = default;
};

// A square cap reaches exactly to the end pixel of a 1-pixel line; wider
// pens end flat at their end points.
enum class TCap : uint8_t { Square, Flat };

struct TLine {
    TPoint From;
    TPoint To;
    TArgb Colour = 0;
    int Width = 1;
    TCap Cap = TCap::Square;
};

// Width 0: the thinnest line the surface draws, whatever its scale.
struct TPolyline {
    std::vector<TPoint> Points;
    TArgb Colour = 0;
    int Width = 1;
};

struct TRectOutline {
    TBox Box;
    TArgb Colour = 0;
};

struct TRectFill {
    TBox Box;
    TArgb Colour = 0;
};

struct TEllipseOutline {
    TBox Box;
    TArgb Colour = 0;
};

// Row by row, the pixels whose centres lie in the ellipse inscribed in Box.
struct TDiscFill {
    TBox Box;
    TArgb Colour = 0;
};

struct TPolygon {
    std::vector<TPoint> Points;
    TArgb Colour = 0;
    bool Filled = false;
};

// Cubic pieces from Start: each piece takes three points (two controls, the end).
struct TCurve {
    TPointF Start;
    std::vector<TPointF> Pieces;
    TArgb Colour = 0;
};

// Placed by its top-left point; a vertical run goes downwards, its glyphs
// turned a quarter clockwise, its column's left edge at TopLeft.X.
struct TText {
    TPoint TopLeft;
    std::string Utf8;
    TFace Face = TFace::Label;
    TArgb Colour = 0;
    bool Vertical = false;
};

// Stretched into Box, turned clockwise by Degrees about Centre, hard-edged.
struct TPictureRun {
    TPicture Picture = kPictureMotor;
    TBox Box;
    double Degrees = 0;
    TPointF Centre;
};

// Cells of Columns x Rows, Pitch apart, the first at Origin; after every
// Group cells across (down) comes an extra gap of GroupGap pixels.
struct TDotLayout {
    TPoint Origin;
    TPoint Pitch;
    int Columns = 0;
    int Rows = 0;
    TArgb Face = 0;
    TPoint Group{1, 1};
    TPoint GroupGap{0, 0};
    bool operator==(const TDotLayout&) const = default;
    // Where cell (column, row) starts, from Origin.
    TPoint CellAt(int column, int row) const
    {
        return {column * Pitch.X + column / Group.X * GroupGap.X, row * Pitch.Y + row / Group.Y * GroupGap.Y};
    }
};

struct TDisplayList;

// A display's dots, row by row, each cell drawn on the face colour by the
// cell drawing of its state (from the cell's top-left corner); a state with
// no drawing leaves the bare face. Owner names the display, so a surface may
// keep its dots between paints.
struct TDotField {
    const void* Owner = nullptr;
    TDotLayout Layout;
    std::vector<uint8_t> States;
    std::vector<TDisplayList> Cells;
};

// The operations after it are drawn with their origin at At, in the
// coordinates the list started with.
struct TOrigin {
    TPoint At;
};

using TOperation = std::variant<TLine, TPolyline, TRectOutline, TRectFill, TEllipseOutline, TDiscFill,
                                TPolygon, TCurve, TText, TPictureRun, TDotField, TOrigin>;

struct TDisplayList {
    std::vector<TOperation> Operations;
};

} // namespace kelto::look
