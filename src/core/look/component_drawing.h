// Every part type's drawing, one row per type: a part as a display list in
// body coordinates.
#pragma once

#include "core/circuit/port_info.h"
#include "core/look/display_list.h"

namespace kelto {
class TSimuPart;
}

namespace kelto::look {

using TDrawPart = void (*)(TDisplayList&, const TSimuPart&);

// The drawing of a type; a type of no drawing draws nothing.
TDrawPart PartDrawing(TOwnerType type);

// Appends the part's drawing to list.
void DrawPart(TDisplayList& list, const TSimuPart& part);

} // namespace kelto::look
