// The palette for the page: {"groups": [{"name", "caption", "items": [{"item",
// "caption", "icon", "hint"}, ...]}, ...]}, groups and items in the window's
// order, each item's hint the window's tooltip.
#pragma once

#include <string>

namespace kelto::web {

std::string PaletteJson();

} // namespace kelto::web
