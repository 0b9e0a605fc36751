// keltosimu-gallery OUTDIR: draws every part in its interesting states into
// one PNG per part, the palette icons, and one contact sheet, without a screen.
#include "gui/gallery/contact_sheet.h"
#include "gui/gallery/gallery_states.h"
#include "gui/render/render_kit.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

using namespace kelto::gui;

namespace {

bool Save(const QImage& image, const QDir& dir, const QString& fileName)
{
    const QString path = dir.filePath(fileName);
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "keltosimu-gallery: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: keltosimu-gallery OUTDIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "keltosimu-gallery: cannot create %s\n", argv[1]);
        return 2;
    }
    InstallFontSubstitutions();
    const TRenderKit kit;
    if (!kit.PicturesLoaded())
        std::fprintf(stderr, "keltosimu-gallery: some part pictures are missing\n");

    bool written = true;
    std::vector<QImage> sheetImages;
    for (const TGalleryPart& part : GalleryParts()) {
        std::vector<QImage> states;
        QString className;
        for (const TGalleryState& state : part.States)
            states.push_back(RenderPartState(kit, part, state, className));
        const QImage joined = JoinStates(className, states);
        written = Save(joined, dir, className + QStringLiteral(".png")) && written;
        sheetImages.push_back(joined);
    }
    const QImage icons = RenderIconStrip();
    written = Save(icons, dir, QStringLiteral("palette_icons.png")) && written;
    sheetImages.push_back(icons);
    written =
        Save(ComposeContactSheet(sheetImages, 1700), dir, QStringLiteral("contact_sheet.png")) && written;
    return written && kit.PicturesLoaded() ? 0 : 1;
}
