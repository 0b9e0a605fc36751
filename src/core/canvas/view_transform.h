// The canvas view's own scale, for a classroom projector or a small screen:
// the zoom steps and the mapping between view pixels and canvas units. Only
// the view is scaled; the canvas, its files and its behaviour stay in units.
#pragma once

#include "core/canvas/geometry.h"

#include <array>
#include <cstdint>

namespace kelto {

inline constexpr std::array<int32_t, 9> kZoomSteps{50, 67, 80, 100, 125, 150, 200, 300, 400};
inline constexpr int32_t kActualSize = 100;

// The step `steps` away from the one nearest `percent` (+1 larger, -1
// smaller), held at the first and last.
int32_t ZoomStep(int32_t percent, int32_t steps);

class TViewTransform {
public:
    int32_t Percent() const { return FPercent; }
    double Scale() const { return FPercent / 100.0; }
    // Where the view is scrolled to, in pixels of the scaled canvas: canvas
    // unit 0 shows at minus this.
    TPoint Offset() const { return FOffset; }
    void ScrollTo(TPoint offset) { FOffset = offset; }
    // The nearest step, scrolled so that view pixel `pivot` shows the same
    // canvas point as before (within half a pixel). False if nothing changed.
    bool ZoomAround(int32_t percent, TPoint pivot);

    // The canvas unit under the centre of a view pixel.
    TPoint ToCanvas(TPoint pixel) const;
    // The same in the canvas model's client units (its own scroll taken off),
    // as its mouse handling and hit tests take them.
    TPoint ToClient(TPoint pixel) const;
    // The canvas model's own scroll that goes with this one.
    TPoint ClientScroll() const;
    // The view pixels a rectangle of units covers (right and bottom exclusive).
    TRect ToPixels(const TRect& units) const;
    // The same in pixels of the whole scaled canvas, as scroll ranges count.
    TRect ToContent(const TRect& units) const;
    // How many pixels cover a distance of this many units.
    int32_t PixelsCovering(int32_t units) const;
    // The nearest whole number of units to a distance of this many pixels, at least 1.
    int32_t UnitsNear(int32_t pixels) const;

private:
    int32_t FPercent = kActualSize;
    TPoint FOffset;
};

} // namespace kelto
