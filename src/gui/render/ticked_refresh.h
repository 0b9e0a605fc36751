// Lets a window that follows the simulation refresh from the frame clock's
// own wake-ups, at most once per interval. A timer of its own would wake the
// program between ticks, and each such wake-up delays the next tick (about
// half a tick lost at a 1 ms pause). When ticks stop, a late timer still
// shows the last change.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace kelto::gui {

class TTickedRefresh {
public:
    // `refresh` is the owner's refresh, which calls Refreshed().
    explicit TTickedRefresh(std::function<void()> refresh);

    void SetInterval(int milliseconds) { FInterval = milliseconds; }
    // Something new to show: refreshes now when the interval has passed since
    // the last refresh, else soon.
    void Changed();
    // The owner has just refreshed, by this or on its own.
    void Refreshed();

private:
    std::function<void()> FRefresh;
    QElapsedTimer FSinceRefresh;
    QTimer FLate;
    int FInterval = 16;
};

} // namespace kelto::gui
