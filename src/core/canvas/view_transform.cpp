#include "core/canvas/view_transform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kelto {

namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return -FloorDiv(-a, b);
}

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

size_t NearestStep(int32_t percent)
{
    size_t nearest = 0;
    for (size_t i = 1; i < kZoomSteps.size(); ++i)
        if (std::abs(int64_t{kZoomSteps[i]} - percent) < std::abs(int64_t{kZoomSteps[nearest]} - percent))
            nearest = i;
    return nearest;
}

} // namespace

int32_t ZoomStep(int32_t percent, int32_t steps)
{
    const int64_t at = static_cast<int64_t>(NearestStep(percent)) + steps;
    return kZoomSteps[static_cast<size_t>(std::clamp<int64_t>(at, 0, kZoomSteps.size() - 1))];
}

bool TViewTransform::ZoomAround(int32_t percent, TPoint pivot)
{
    const int32_t next = ZoomStep(percent, 0);
    if (next == FPercent)
        return false;
    const auto keep = [&](int32_t pixel, int32_t offset) {
        const double unit = (static_cast<double>(pixel) + offset) / FPercent;
        return Saturate(std::llround(unit * next - pixel));
    };
    FOffset = {keep(pivot.X, FOffset.X), keep(pivot.Y, FOffset.Y)};
    FPercent = next;
    return true;
}

// The pixel's centre decides, as it does for which pixels a filled shape takes.
TPoint TViewTransform::ToCanvas(TPoint pixel) const
{
    const auto unit = [this](int32_t p, int32_t offset) {
        return Saturate(FloorDiv((2 * (int64_t{p} + offset) + 1) * 100, 2 * int64_t{FPercent}));
    };
    return {unit(pixel.X, FOffset.X), unit(pixel.Y, FOffset.Y)};
}

TPoint TViewTransform::ClientScroll() const
{
    return {Saturate(FloorDiv(int64_t{FOffset.X} * 100, FPercent)),
            Saturate(FloorDiv(int64_t{FOffset.Y} * 100, FPercent))};
}

TPoint TViewTransform::ToClient(TPoint pixel) const
{
    const TPoint unit = ToCanvas(pixel);
    const TPoint scroll = ClientScroll();
    return {SaturatingAdd(unit.X, -int64_t{scroll.X}), SaturatingAdd(unit.Y, -int64_t{scroll.Y})};
}

TRect TViewTransform::ToContent(const TRect& units) const
{
    const auto low = [this](int32_t u) { return Saturate(FloorDiv(int64_t{u} * FPercent, 100)); };
    const auto high = [this](int32_t u) { return Saturate(CeilDiv(int64_t{u} * FPercent, 100)); };
    return {low(units.Left), low(units.Top), high(units.Right), high(units.Bottom)};
}

TRect TViewTransform::ToPixels(const TRect& units) const
{
    const TRect content = ToContent(units);
    const auto shift = [](int32_t v, int32_t offset) { return SaturatingAdd(v, -int64_t{offset}); };
    return {shift(content.Left, FOffset.X), shift(content.Top, FOffset.Y), shift(content.Right, FOffset.X),
            shift(content.Bottom, FOffset.Y)};
}

int32_t TViewTransform::UnitsNear(int32_t pixels) const
{
    return std::max<int32_t>(1, Saturate(std::llround(static_cast<double>(pixels) * 100 / FPercent)));
}

int32_t TViewTransform::PixelsCovering(int32_t units) const
{
    return Saturate(CeilDiv(int64_t{units} * FPercent, 100));
}

} // namespace kelto
