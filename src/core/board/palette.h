// The palette's 46 items as data: group, caption, class, given name, file
// type and model, icon. Each item owns one part slot.
#pragma once

#include "core/circuit/port_info.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kelto {

struct TPaletteItem {
    int32_t Item;                 // N of dxNavBar1ItemN; its slot is Item - 1
    int32_t Group;                // 1..4, as numbered by the group names
    std::string_view Caption;
    TOwnerType Type;
    std::string_view Name;        // FName of the placed component
    int32_t FileType;
    int32_t Model;                // 0 for single-instance kinds
    int32_t Icon;
    bool NormallyClosed;
};

constexpr int kPaletteItemCount = 46;
constexpr int kMcuItem = 14;
constexpr int kOScopesItem = 24;
constexpr int kAudioasItem = 26;

struct TPaletteGroup {
    std::string_view Name;
    std::string_view Caption;
};

// Items in display order, group by group.
const std::array<TPaletteItem, kPaletteItemCount>& PaletteItems();
const std::array<TPaletteGroup, 4>& PaletteGroups();
// The item with this number (1..46), or nullptr.
const TPaletteItem* PaletteItem(int32_t item);
// The item a file record names: its type code and, for multi-instance kinds, its model.
const TPaletteItem* PaletteItemForFile(int32_t fileType, int32_t model);
// The item a placed part came from: its class and the name the item gave it
// tell items apart even where two parts of a loaded file share one slot.
const TPaletteItem* PaletteItemForPart(TOwnerType type, std::string_view name);
// The caption item 26 shows after start-up replaced its layout caption.
constexpr std::string_view kAudioasCaption = "单通道示波器";

} // namespace kelto
