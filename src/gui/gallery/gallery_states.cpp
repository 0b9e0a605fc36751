#include "gui/gallery/gallery_states.h"

#include "core/board/palette.h"

#include <algorithm>

namespace kelto::gui {

std::vector<TGalleryPart> GalleryParts()
{
    std::vector<TGalleryPart> parts;
    for (int type = 0; type < kOwnerTypeCount; ++type) {
        const auto& items = PaletteItems();
        const auto first = std::find_if(items.begin(), items.end(),
                                        [type](const TPaletteItem& item) { return item.Type == type; });
        const auto states = PartLook(static_cast<TOwnerType>(type)).Gallery;
        TGalleryPart part{first->Item, {states.begin(), states.end()}};
        if (part.States.empty())
            part.States.push_back({"placed"});
        parts.push_back(std::move(part));
    }
    return parts;
}

} // namespace kelto::gui
