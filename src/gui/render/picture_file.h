// A display list as the bytes of a picture file, drawn by the painter
// surface: PNG at a whole-number scale, or PDF on one A4 page, fitted.
#pragma once

#include "gui/render/render_kit.h"

#include "core/look/board_drawing.h"
#include "core/look/display_list.h"
#include "core/look/picture_format.h"

#include <QByteArray>

class QPdfWriter;

namespace kelto::gui {

QByteArray PngBytes(const TRenderKit& kit, const look::TDisplayList& list, const look::TBox& extent,
                    int scale);
QByteArray PdfBytes(const TRenderKit& kit, const look::TDisplayList& list, const look::TBox& extent);
// Sets the writer up for one A4 page, turned sideways for a wide picture,
// and returns the scale that fits width x height on it.
double FitOnA4(QPdfWriter& pdf, int width, int height);
// In the chosen format; SVG straight from the list.
QByteArray PictureBytes(const TRenderKit& kit, const look::TBoardPicture& picture,
                        look::TPictureFormat format, int scale);

} // namespace kelto::gui
