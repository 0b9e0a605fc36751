// The Qt side of each part type, one row per type (type_looks.cpp): the
// palette icons of its items and the states the gallery shows.
#pragma once

#include "core/circuit/port_info.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kelto::gui {

// An icon of the palette's image list and its file under resources/icons/
// (without ".svg"). Items of one type share an icon unless they differ.
struct TIconFile {
    int32_t Index = -1;
    std::string_view File;
};

struct TGalleryState {
    std::string_view Caption;
    // Puts a freshly placed part into the state; nullptr shows it as placed.
    void (*Apply)(TSimuPart&) = nullptr;
    // The palette item to place; 0 for the type's first item.
    int32_t Item = 0;
};

struct TPartLook {
    // One icon per look the type's palette items have (the normally closed
    // button has its own); unused entries have no file.
    std::array<TIconFile, 2> Icons{};
    // Empty: the gallery shows the part as placed.
    std::span<const TGalleryState> Gallery;
};

const TPartLook& PartLook(TOwnerType type);

// The file of icon `index` of the palette's image list; empty for an index
// no type lists.
std::string_view IconFile(int32_t index);

} // namespace kelto::gui
