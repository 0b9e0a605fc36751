// An oscilloscope plot as the bytes of a picture file: what the widget
// shows, as PNG (at a whole-number scale), SVG or a fitted A4 PDF page, all
// from the plot's display list.
#pragma once

#include "core/look/picture_format.h"

#include <QByteArray>

namespace kelto::gui {

class TScopePlot;

QByteArray PlotPictureBytes(const TScopePlot& plot, const look::TPictureChoice& choice);

} // namespace kelto::gui
