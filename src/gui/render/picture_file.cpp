#include "gui/render/picture_file.h"

#include "gui/render/painter_surface.h"

#include "core/look/svg_writer.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace kelto::gui {

namespace {

// Drawn as on the canvas: aliased, the extent's top-left at the origin.
void DrawInto(QPainter& painter, const TRenderKit& kit, const look::TDisplayList& list,
              const look::TBox& extent)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(-extent.X, -extent.Y);
    Replay(painter, kit, list);
}

constexpr int kPdfResolution = 300;
constexpr double kPdfMarginMm = 10;

} // namespace

double FitOnA4(QPdfWriter& pdf, int width, int height)
{
    pdf.setResolution(kPdfResolution);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(width > height ? QPageLayout::Landscape : QPageLayout::Portrait);
    pdf.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                       QPageLayout::Millimeter);
    return std::min(static_cast<double>(pdf.width()) / std::max(width, 1),
                    static_cast<double>(pdf.height()) / std::max(height, 1));
}

QByteArray PngBytes(const TRenderKit& kit, const look::TDisplayList& list, const look::TBox& extent,
                    int scale)
{
    QImage image(extent.W * scale, extent.H * scale, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        DrawInto(painter, kit, list, extent);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray PdfBytes(const TRenderKit& kit, const look::TDisplayList& list, const look::TBox& extent)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        const double fit = FitOnA4(pdf, extent.W, extent.H);
        QPainter painter(&pdf);
        painter.scale(fit, fit);
        DrawInto(painter, kit, list, extent);
    }
    return bytes;
}

QByteArray PictureBytes(const TRenderKit& kit, const look::TBoardPicture& picture,
                        look::TPictureFormat format, int scale)
{
    switch (format) {
    case look::TPictureFormat::Png: return PngBytes(kit, picture.List, picture.Extent, scale);
    case look::TPictureFormat::Pdf: return PdfBytes(kit, picture.List, picture.Extent);
    case look::TPictureFormat::Svg: break;
    }
    return QByteArray::fromStdString(look::SvgDocument(picture.List, picture.Extent));
}

} // namespace kelto::gui
