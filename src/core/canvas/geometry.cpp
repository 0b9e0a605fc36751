#include "core/canvas/geometry.h"

#include <algorithm>
#include <limits>

namespace kelto {

int32_t SaturatingAdd(int64_t a, int64_t b)
{
    const int64_t sum = a + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

double SegmentDistanceSquared(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = std::clamp(((px - ax) * dx + (py - ay) * dy) / lengthSquared, 0.0, 1.0);
    const double cx = ax + t * dx - px;
    const double cy = ay + t * dy - py;
    return cx * cx + cy * cy;
}

} // namespace kelto
