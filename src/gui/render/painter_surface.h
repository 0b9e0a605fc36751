// The QPainter surface: replays a display list in the painter's coordinates,
// aliased, with the kit's fonts, hard-edged pictures and kept dot images.
#pragma once

#include "gui/render/render_kit.h"

#include "core/look/display_list.h"

#include <QPainter>

namespace kelto::gui {

void Replay(QPainter& painter, const TRenderKit& kit, const look::TDisplayList& list);

} // namespace kelto::gui
