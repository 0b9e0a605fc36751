// Putting a part back at its old place in the parts list, for undo.
#include "core/board/board.h"

#include <algorithm>

namespace kelto {

TSimuPart* TSimuBoard::InsertPart(int32_t index, const TPaletteItem& item, bool takeSlot)
{
    TSimuPart* holder = Slot(item.Item);
    TSimuPart* part = CreateFromItem(item);
    if (!takeSlot)
        FPartSlots[static_cast<size_t>(item.Item - 1)] = holder;
    const auto to = FParts.begin() + std::clamp<int32_t>(index, 0, PartCount() - 1);
    std::rotate(to, FParts.end() - 1, FParts.end());
    RebuildTickList();
    RefreshMcu();
    return part;
}

} // namespace kelto
