// A build without Qt writes SVG only.
#include "cli/run_picture.h"

#include "core/files/atomic_file.h"
#include "core/look/board_drawing.h"
#include "core/look/picture_format.h"
#include "core/look/svg_writer.h"

namespace kelto::cli {

std::optional<std::string> PictureRefusal(const std::string& path)
{
    if (look::PictureFormatOf(path) == look::TPictureFormat::Svg)
        return std::nullopt;
    return "--picture " + path + ": this build writes SVG pictures only (it was built without Qt)";
}

TFileResult WriteRunPicture(const std::string& path, const TSimuBoard& board)
{
    const look::TBoardPicture picture = look::BoardPicture(board, false);
    return WriteFileAtomically(path, look::SvgDocument(picture.List, picture.Extent));
}

} // namespace kelto::cli
