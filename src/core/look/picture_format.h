// Which picture a file name asks for, by its extension.
#pragma once

#include <optional>
#include <string_view>

namespace kelto::look {

enum class TPictureFormat { Svg, Png, Pdf };

// A picture file as the user asked for it.
struct TPictureChoice {
    TPictureFormat Format = TPictureFormat::Svg;
    int Scale = 1; // PNG pixels to a canvas pixel
    bool PrintStyle = false;
};

// Nothing for a name ending otherwise; the case of the extension does not matter.
std::optional<TPictureFormat> PictureFormatOf(std::string_view path);

} // namespace kelto::look
