// The palette's 32 icons (ImageList1), 38 x 38 pixels, drawn from our own
// vector files; items of one kind share an icon (TPaletteItem::Icon).
#pragma once

#include <QImage>

#include <array>

namespace kelto::gui {

constexpr int kPaletteIconCount = 32;
constexpr int kPaletteIconSize = 38;

// The icon at index 0 .. 31 on a transparent ground; a null image for any
// other index or a missing file.
QImage PaletteIcon(int index);

// All 32, in index order, as the palette's image list.
std::array<QImage, kPaletteIconCount> ImageList1();

} // namespace kelto::gui
