// The part pictures' SVG texts, compiled in from resources/pictures.
#pragma once

#include <string_view>
#include <vector>

namespace kelto::look {

struct TPictureSource {
    std::string_view Name; // the file name without ".svg"
    std::string_view Svg;
};

const std::vector<TPictureSource>& PictureSources();

} // namespace kelto::look
