// The SVG surface: a display list as an SVG document, in vectors, with real
// text and the part pictures embedded.
#pragma once

#include "core/look/display_list.h"

#include <string>

namespace kelto::look {

// The part of the list's plane inside view, at 1 unit to the pixel.
std::string SvgDocument(const TDisplayList& list, const TBox& view);

} // namespace kelto::look
