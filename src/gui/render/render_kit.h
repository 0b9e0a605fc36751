// What part drawing keeps from start to exit: the twelve part pictures
// (FPartPictures), their hard-edged rasters, and the six part fonts.
#pragma once

#include "gui/render/dot_field.h"

#include "core/look/faces.h"
#include "core/look/pictures.h"

#include <QFont>
#include <QImage>

#include <array>
#include <memory>
#include <vector>

class QSvgRenderer;

namespace kelto::gui {

using TPictureSlot = look::TPicture;
inline constexpr int kPartPictureCount = look::kPictureCount;
using TPartFont = look::TFace;

// Maps the part typeface and its aliases onto the installed Song face. Call
// once at start, before the first TRenderKit.
void InstallFontSubstitutions();

// A rasterised picture and where its top-left pixel goes, in body coordinates.
struct TAliasedPicture {
    QPoint Origin;
    QImage Image;
};

class TRenderKit {
public:
    // Loads the pictures; needs a QGuiApplication. Without preparedDots the
    // matrices draw every dot on every paint.
    explicit TRenderKit(bool preparedDots = true);
    ~TRenderKit();
    TRenderKit(const TRenderKit&) = delete;
    TRenderKit& operator=(const TRenderKit&) = delete;

    // False when a picture resource is missing or unreadable (it then draws nothing).
    bool PicturesLoaded() const;
    QSvgRenderer& Picture(TPictureSlot slot) const { return *FPartPictures[slot]; }
    // The picture stretched into dest and turned clockwise by degrees about
    // centre, rasterised without smoothing: each pixel is either the picture's
    // colour, opaque, or transparent. Kept until the same slot and dest are
    // asked for at another angle.
    TAliasedPicture AliasedPicture(TPictureSlot slot, const QRect& dest, double degrees = 0,
                                   QPointF centre = {}) const;
    const QFont& Font(TPartFont font) const { return FFonts[static_cast<int>(font)]; }
    // Text is placed by its top-left point, so each font's ascent is kept with it.
    int Ascent(TPartFont font) const { return FAscents[static_cast<int>(font)]; }
    int LineHeight(TPartFont font) const { return FLineHeights[static_cast<int>(font)]; }
    // The displays' kept dot images, or nullptr.
    TDotFields* DotFields() const { return FPreparedDots ? &FDotFields : nullptr; }

    std::array<std::unique_ptr<QSvgRenderer>, kPartPictureCount> FPartPictures;

private:
    struct TRasterisedPicture {
        TPictureSlot Slot;
        QRect Dest;
        double Degrees;
        QPointF Centre;
        TAliasedPicture Picture;
    };
    std::array<std::vector<QRgb>, kPartPictureCount> FPictureColours;
    mutable std::vector<TRasterisedPicture> FRasterised;
    std::array<QFont, static_cast<int>(TPartFont::Count)> FFonts;
    std::array<int, static_cast<int>(TPartFont::Count)> FAscents{};
    std::array<int, static_cast<int>(TPartFont::Count)> FLineHeights{};
    bool FPreparedDots;
    mutable TDotFields FDotFields;
};

} // namespace kelto::gui
