// A build with Qt writes PNG and PDF through the painter surface, without a
// screen; SVG still comes straight from the display lists.
#include "cli/run_picture.h"

#include "gui/render/picture_file.h"

#include "core/files/atomic_file.h"
#include "core/look/board_drawing.h"
#include "core/look/picture_format.h"
#include "core/look/svg_writer.h"

#include <QGuiApplication>

#include <memory>

namespace kelto::cli {

std::optional<std::string> PictureRefusal(const std::string&)
{
    return std::nullopt;
}

TFileResult WriteRunPicture(const std::string& path, const TSimuBoard& board)
{
    const look::TBoardPicture picture = look::BoardPicture(board, false);
    const look::TPictureFormat format = look::PictureFormatOf(path).value_or(look::TPictureFormat::Svg);
    if (format == look::TPictureFormat::Svg)
        return WriteFileAtomically(path, look::SvgDocument(picture.List, picture.Extent));
    // Fonts and pictures need an application; the runner has no screen.
    std::unique_ptr<QGuiApplication> application;
    if (QGuiApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "keltosimu-run";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    gui::InstallFontSubstitutions();
    const gui::TRenderKit kit(false);
    const QByteArray bytes = gui::PictureBytes(kit, picture, format, 1);
    return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

} // namespace kelto::cli
