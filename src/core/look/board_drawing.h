// The whole circuit as one display list, in chart units: the wires, the
// objects on the canvas and every part's drawing at its body.
#pragma once

#include "core/look/display_list.h"

#include <vector>

namespace kelto {
class TSimuBoard;
class TdxFcConnection;
} // namespace kelto

namespace kelto::look {

// Part drawings are not clipped to their bodies (plates start at -1, the
// keypad picture at -6, a turning motor's blades and long names reach
// further): a body is repainted, and erased, with this much around it.
inline constexpr int kDrawReach = 16;

// Every part and visible wire, grown by margin on each side; empty for an
// empty canvas.
TBox BoardExtent(const TSimuBoard& board, int margin);

// On white: the wires drawn behind, the objects, then the wires in front.
void DrawBoard(TDisplayList& list, const TSimuBoard& board, const TBox& extent);
// The same, left out what cannot reach into any of `areas`: the wires whose
// route lies outside them and the objects whose body, grown by kDrawReach,
// does.
void DrawBoardIn(TDisplayList& list, const TSimuBoard& board, const TBox& extent,
                 const std::vector<TBox>& areas);

// The circuit for a picture file: the drawing in colour or in the print
// style, and the part of the plane it covers.
struct TBoardPicture {
    TDisplayList List;
    TBox Extent;
};
TBoardPicture BoardPicture(const TSimuBoard& board, bool printStyle);

// A wire along its route: width 0 is one pixel at any scale (pictures), 1 a
// canvas unit, which a zoomed canvas view scales with the parts.
void DrawConnection(TDisplayList& list, const TdxFcConnection& connection, int width);

// While a wire is begun: the line from its first pin to the pointer.
void DrawWiringLine(TDisplayList& list, TPoint pin, TPoint pointer);

} // namespace kelto::look
