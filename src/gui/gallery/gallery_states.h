// The parts the gallery shows: every type, placed from its first palette
// item, in the states its look lists (type_looks.cpp).
#pragma once

#include "gui/render/type_looks.h"

#include <vector>

namespace kelto::gui {

struct TGalleryPart {
    int32_t Item; // the palette item that places it unless a state names another
    std::vector<TGalleryState> States;
};

// In part type order.
std::vector<TGalleryPart> GalleryParts();

} // namespace kelto::gui
