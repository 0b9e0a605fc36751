#include "core/look/picture_format.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace kelto::look {

std::optional<TPictureFormat> PictureFormatOf(std::string_view path)
{
    const size_t dot = path.find_last_of("./");
    if (dot == std::string_view::npos || path[dot] != '.')
        return std::nullopt;
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "svg")
        return TPictureFormat::Svg;
    if (extension == "png")
        return TPictureFormat::Png;
    if (extension == "pdf")
        return TPictureFormat::Pdf;
    return std::nullopt;
}

} // namespace kelto::look
