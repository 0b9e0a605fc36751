// How often a screen shows a new frame: windows that change faster than that
// paint at most once per interval.
#pragma once

#include <QScreen>

#include <algorithm>
#include <cmath>

namespace kelto::gui {

// Whole milliseconds, rounded up; 60 frames a second when the screen does
// not say.
inline int RefreshIntervalMilliseconds(const QScreen* screen)
{
    constexpr double kFallbackRefreshRate = 60.0;
    const double rate =
        screen != nullptr && screen->refreshRate() > 0 ? screen->refreshRate() : kFallbackRefreshRate;
    return std::max(1, static_cast<int>(std::ceil(1000.0 / rate)));
}

} // namespace kelto::gui
