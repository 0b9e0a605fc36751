// Which picture a file name asks for, by its extension.
#pragma once

#include <optional>
#include <string_view>

namespace kelto::look {

enum class TPictureFormat { Svg, Png, Pdf };

// Nothing for a name ending otherwise; the case of the extension does not matter.
std::optional<TPictureFormat> PictureFormatOf(std::string_view path);

} // namespace kelto::look
