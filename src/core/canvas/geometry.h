// Points and rectangles in chart units or client pixels, and the small
// geometric helpers the canvas model and its hit tests share.
#pragma once

#include <cstdint>

namespace kelto {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Right and Bottom are exclusive, like a pixel rectangle of Width x Height.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// Adds in 64 bits and saturates, so hostile coordinates never overflow.
int32_t SaturatingAdd(int64_t a, int64_t b);

// Squared distance from p to the segment a-b, in double precision.
double SegmentDistanceSquared(double px, double py, double ax, double ay, double bx, double by);

} // namespace kelto
