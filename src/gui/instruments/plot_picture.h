// An oscilloscope plot as the bytes of a picture file: what the widget
// shows, as PNG (at a whole-number scale), SVG or a fitted A4 PDF page.
#pragma once

#include "core/look/picture_format.h"

#include <QByteArray>

class QWidget;

namespace kelto::gui {

QByteArray PlotPictureBytes(QWidget& plot, const look::TPictureChoice& choice);

} // namespace kelto::gui
