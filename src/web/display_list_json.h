// A display list as JSON for the page to replay on an HTML canvas: an array
// of operations in order, each an object whose "op" names its kind and whose
// keys are the fields of that operation.
#pragma once

#include "core/look/display_list.h"

#include <string>

namespace kelto::web {

std::string DisplayListJson(const look::TDisplayList& list);

// {"extent": [x, y, w, h], "list": [...]}: a drawing and the plane it covers.
std::string DrawingJson(const look::TDisplayList& list, const look::TBox& extent);

// What a surface needs besides the lists: {"faces": [...], "pictures": [...]},
// each face's pixel size, weight, letter spacing, ascent, line height and
// families, and the picture files' names by picture number.
std::string LookJson();

} // namespace kelto::web
