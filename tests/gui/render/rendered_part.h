// Renders one part into an image and reads pixels back in body coordinates.
#pragma once

#include "gui/render/draw_object.h"
#include "gui/render/render_kit.h"

#include "core/board/board.h"
#include "core/look/colours.h"

#include <QImage>
#include <QPainter>

namespace kelto::gui {

// The drawing colours, by their names.
using namespace look;

// One kit for the whole test binary, made once the application exists.
inline const TRenderKit& TestKit()
{
    static const TRenderKit kit;
    return kit;
}

class TRenderedPart {
public:
    // Room around the body for the drawings that reach outside it.
    static constexpr int kPad = 20;
    static constexpr QRgb kBackground = 0xFFFFFFFF;

    explicit TRenderedPart(const TSimuPart& part)
        : FImage(part.FWidth + 2 * kPad, part.FHeight + 2 * kPad, QImage::Format_ARGB32)
    {
        FImage.fill(kBackground);
        QPainter painter(&FImage);
        DrawPart(painter, TestKit(), part, QRect(kPad, kPad, part.FWidth, part.FHeight));
    }

    QRgb At(int x, int y) const { return FImage.pixel(kPad + x, kPad + y); }
    const QImage& Image() const { return FImage; }

    // Pixels of exactly this colour inside the body rectangle (x, y, w, h).
    int Count(QRgb colour, int x, int y, int w, int h) const
    {
        int count = 0;
        for (int py = y; py < y + h; ++py)
            for (int px = x; px < x + w; ++px)
                count += At(px, py) == colour ? 1 : 0;
        return count;
    }

private:
    QImage FImage;
};

// A part placed from its palette item on a board of its own.
struct TPlacedPart {
    explicit TPlacedPart(int item) : Part(Board.PlaceItem(item)) {}
    template <typename TPart> TPart& As() { return static_cast<TPart&>(*Part); }
    TSimuBoard Board;
    TSimuPart* Part;
};

} // namespace kelto::gui
