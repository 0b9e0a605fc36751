#include "core/board/palette.h"

#include <algorithm>

namespace kelto {

namespace {

// Item N owns slot N - 1, so the numbers must be 1 .. count, each once.
consteval bool ItemsNumberedOnce()
{
    std::array<bool, kPaletteItemCount> seen{};
    for (const TPaletteItem& entry : kPaletteItems) {
        if (entry.Item < 1 || entry.Item > kPaletteItemCount || seen[entry.Item - 1])
            return false;
        seen[entry.Item - 1] = true;
    }
    return true;
}
static_assert(ItemsNumberedOnce(), "palette items must be numbered 1 .. kPaletteItemCount, each once");

consteval bool EveryTypeHasAnItem()
{
    for (int type = 0; type < kOwnerTypeCount; ++type)
        if (std::none_of(kPaletteItems.begin(), kPaletteItems.end(),
                         [type](const TPaletteItem& entry) { return entry.Type == type; }))
            return false;
    return true;
}
static_assert(EveryTypeHasAnItem(), "every part type needs a palette item");

constexpr std::array<TPaletteGroup, 4> kGroups{{
    {"dxNavBar1Group1", "输入元件"},
    {"dxNavBar1Group2", "输出元件"},
    {"dxNavBar1Group4", "逻辑电路"},
    {"dxNavBar1Group3", "其它元件"},
}};

} // namespace

const std::array<TPaletteGroup, 4>& PaletteGroups()
{
    return kGroups;
}

const TPaletteItem* PaletteItem(int32_t item)
{
    for (const TPaletteItem& entry : kPaletteItems)
        if (entry.Item == item)
            return &entry;
    return nullptr;
}

const TPaletteItem* PaletteItemForFile(int32_t fileType, int32_t model)
{
    for (const TPaletteItem& entry : kPaletteItems)
        if (entry.FileType == fileType && entry.Model == model)
            return &entry;
    return nullptr;
}

const TPaletteItem* PaletteItemForPart(TOwnerType type, std::string_view name)
{
    for (const TPaletteItem& entry : kPaletteItems)
        if (entry.Type == type && entry.Name == name)
            return &entry;
    return nullptr;
}

} // namespace kelto
