// --picture: the board as it stands after the last tick, as SVG from the
// display lists, or as PNG or PDF where the build has the Qt surface.
#pragma once

#include "core/files/file_result.h"

#include <optional>
#include <string>

namespace kelto {
class TSimuBoard;
}

namespace kelto::cli {

// Why this build cannot write the picture the file name asks for; nothing when it can.
std::optional<std::string> PictureRefusal(const std::string& path);

// Draws and writes the file in one piece.
TFileResult WriteRunPicture(const std::string& path, const TSimuBoard& board);

} // namespace kelto::cli
