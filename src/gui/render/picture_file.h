// A display list as the bytes of a picture file, drawn by the painter
// surface: PNG at a whole-number scale, or PDF on one A4 page, fitted.
#pragma once

#include "gui/render/render_kit.h"

#include "core/look/display_list.h"

#include <QByteArray>

namespace kelto::gui {

QByteArray PngBytes(const TRenderKit& kit, const look::TDisplayList& list, const look::TBox& extent,
                    int scale);
QByteArray PdfBytes(const TRenderKit& kit, const look::TDisplayList& list, const look::TBox& extent);

} // namespace kelto::gui
