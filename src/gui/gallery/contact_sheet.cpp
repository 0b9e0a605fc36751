#include "gui/gallery/contact_sheet.h"

#include "gui/render/draw_object.h"
#include "gui/render/palette_icons.h"

#include "core/board/board.h"
#include "core/circuit/catalogue.h"

#include <QPainter>

#include <algorithm>

namespace kelto::gui {

namespace {

// Room for the drawings that reach outside the body (plates, the keypad picture, labels).
constexpr int kMargin = 14;
constexpr int kCaptionHeight = 18;
constexpr int kGap = 12;
const QColor kBackground(0xF4, 0xF4, 0xF4);

QFont CaptionFont(bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(bold);
    return font;
}

QImage BlankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kBackground);
    return image;
}

} // namespace

QImage RenderPartState(const TRenderKit& kit, const TGalleryPart& part, const TGalleryState& state,
                       QString& className)
{
    TSimuBoard board;
    TSimuPart* placed = board.PlaceItem(state.Item != 0 ? state.Item : part.Item);
    if (placed == nullptr)
        return {};
    if (state.Apply != nullptr)
        state.Apply(*placed);
    className = QString::fromUtf8(ClassInfo(placed->FOwnerType).ClassName);
    const QRect body(kMargin, kMargin, placed->FWidth, placed->FHeight);
    QImage image = BlankImage(placed->FWidth + 2 * kMargin, placed->FHeight + 2 * kMargin + kCaptionHeight);
    QPainter painter(&image);
    painter.fillRect(body.adjusted(-kMargin, -kMargin, kMargin, kMargin), Qt::white);
    DrawPart(painter, kit, *placed, body);
    painter.setFont(CaptionFont(false));
    painter.setPen(Qt::darkGray);
    painter.drawText(QRect(0, image.height() - kCaptionHeight, image.width(), kCaptionHeight),
                     Qt::AlignCenter,
                     QString::fromUtf8(state.Caption.data(), static_cast<qsizetype>(state.Caption.size())));
    return image;
}

QImage JoinStates(const QString& title, const std::vector<QImage>& states)
{
    int width = kGap;
    int height = 0;
    for (const QImage& state : states) {
        width += state.width() + kGap;
        height = std::max(height, state.height());
    }
    QImage image = BlankImage(std::max(width, 200), height + kCaptionHeight + kGap);
    QPainter painter(&image);
    painter.setFont(CaptionFont(true));
    painter.setPen(Qt::black);
    painter.drawText(QPoint(kGap, 14), title);
    int x = kGap;
    for (const QImage& state : states) {
        painter.drawImage(x, kCaptionHeight, state);
        x += state.width() + kGap;
    }
    return image;
}

QImage RenderIconStrip()
{
    constexpr int cell = kPaletteIconSize + 10;
    QImage image = BlankImage(kPaletteIconCount * cell + kGap, kPaletteIconSize + 2 * kCaptionHeight + kGap);
    QPainter painter(&image);
    painter.setFont(CaptionFont(true));
    painter.setPen(Qt::black);
    painter.drawText(QPoint(kGap, 14),
                     QStringLiteral("ImageList1 (palette icons 0..%1)").arg(kPaletteIconCount - 1));
    painter.setFont(CaptionFont(false));
    for (int i = 0; i < kPaletteIconCount; ++i) {
        const int x = kGap + i * cell;
        painter.fillRect(x - 1, kCaptionHeight - 1, kPaletteIconSize + 2, kPaletteIconSize + 2, Qt::white);
        painter.drawImage(x, kCaptionHeight, PaletteIcon(i));
        painter.drawText(QRect(x, kCaptionHeight + kPaletteIconSize, kPaletteIconSize, kCaptionHeight),
                         Qt::AlignCenter, QString::number(i));
    }
    return image;
}

QImage ComposeContactSheet(const std::vector<QImage>& images, int maxWidth)
{
    // Shelf packing in the given order: a new row when the next image does not fit.
    std::vector<QPoint> origins;
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    int width = 0;
    for (const QImage& image : images) {
        if (x > 0 && x + image.width() > maxWidth) {
            x = 0;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        origins.emplace_back(x, y);
        x += image.width() + kGap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, image.height());
    }
    QImage sheet = BlankImage(std::max(width, 1), std::max(y + rowHeight, 1));
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    for (size_t i = 0; i < images.size(); ++i)
        painter.drawImage(origins[i], images[i]);
    return sheet;
}

} // namespace kelto::gui
