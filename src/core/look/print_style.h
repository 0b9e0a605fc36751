// The black-and-white print style of a drawing: ink lines and text, white or
// light grey fills with ink outlines, so nothing prints as a black blob and
// lit elements stay apart from unlit ones.
#pragma once

#include "core/look/display_list.h"

namespace kelto::look {

TDisplayList ForPrint(const TDisplayList& list);

} // namespace kelto::look
