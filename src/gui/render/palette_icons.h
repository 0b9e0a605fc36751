// The palette's icons (ImageList1), 38 x 38 pixels, drawn from our own
// vector files named in each type's look; items of one kind share an icon
// (TPaletteItem::Icon).
#pragma once

#include "core/board/palette.h"

#include <QImage>

#include <algorithm>
#include <array>

namespace kelto::gui {

// One more than the highest icon a palette item shows.
constexpr int kPaletteIconCount = [] {
    int count = 0;
    for (const TPaletteItem& item : PaletteItems())
        count = std::max(count, item.Icon + 1);
    return count;
}();
constexpr int kPaletteIconSize = 38;

// The icon at index 0 .. kPaletteIconCount - 1 on a transparent ground; a null image for any
// other index or a missing file.
QImage PaletteIcon(int index);

// All of them, in index order, as the palette's image list.
std::array<QImage, kPaletteIconCount> ImageList1();

} // namespace kelto::gui
