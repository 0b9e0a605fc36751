// With KELTOSIMU_STATS=1 in the environment the window prints its ticks and
// repaints per second and its CPU share to stderr every five seconds.
#pragma once

#include "core/board/frame_stats.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace kelto::gui {

class TFrameStatsPrinter final : public QObject {
    Q_OBJECT
public:
    // framePause: the frame clock's pause now, for the printed line.
    explicit TFrameStatsPrinter(std::function<int()> framePause, QObject* parent = nullptr);

    void CountTick() { FStats.CountTick(); }
    void CountRepaint() { FStats.CountRepaint(); }

private:
    TFrameClocks Now() const;
    void Print();

    TFrameStats FStats;
    QElapsedTimer FWall;
    QTimer FTimer;
    std::function<int()> FFramePause;
};

} // namespace kelto::gui
