// What the window's canvas draws over the circuit, for the page: the marks
// on the selected parts' corners and wires' route points, and the dotted
// outlines of the parts being dragged, as {"marks": [[x, y], ...],
// "outlines": [[left, top, right, bottom], ...]} in canvas pixels, inclusive.
#pragma once

#include "core/board/board.h"
#include "core/canvas/canvas_mouse.h"

#include <string>

namespace kelto::web {

std::string CanvasOverlayJson(const TdxFlowChart& canvas, const TCanvasMouse& mouse);

} // namespace kelto::web
