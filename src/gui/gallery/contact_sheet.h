// Pictures of the gallery: one part in one state, one part in all its
// states, the palette icons, and the contact sheet of everything.
#pragma once

#include "gui/gallery/gallery_states.h"

#include <QImage>
#include <QString>

#include <vector>

namespace kelto::gui {

class TRenderKit;

// The part placed from its item and put into the state, drawn with a margin
// around its body and the state's caption below. className receives the class shown.
QImage RenderPartState(const TRenderKit& kit, const TGalleryPart& part, const TGalleryState& state,
                       QString& className);
// Images side by side under a title.
QImage JoinStates(const QString& title, const std::vector<QImage>& states);
// The palette icons in a row, each with its index.
QImage RenderIconStrip();
// Everything in rows no wider than maxWidth.
QImage ComposeContactSheet(const std::vector<QImage>& images, int maxWidth);

} // namespace kelto::gui
