#include "gui/app/frame_stats_printer.h"

#include <cstdio>

namespace kelto::gui {

namespace {

constexpr int kPeriodMilliseconds = 5000;

} // namespace

TFrameStatsPrinter::TFrameStatsPrinter(std::function<int()> framePause, QObject* parent)
    : QObject(parent), FFramePause(std::move(framePause))
{
    if (qgetenv("KELTOSIMU_STATS") != "1")
        return;
    FWall.start();
    FStats.Start(Now());
    connect(&FTimer, &QTimer::timeout, this, &TFrameStatsPrinter::Print);
    FTimer.start(kPeriodMilliseconds);
}

TFrameClocks TFrameStatsPrinter::Now() const
{
    return {static_cast<double>(FWall.nsecsElapsed()) / 1e9, ProcessCpuSeconds()};
}

void TFrameStatsPrinter::Print()
{
    const std::string line = FormatFrameRates(FStats.Take(Now()), FFramePause());
    std::fprintf(stderr, "keltosimu: %s\n", line.c_str());
}

} // namespace kelto::gui
