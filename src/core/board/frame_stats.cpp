#include "core/board/frame_stats.h"

#include <sys/resource.h>

#include <cstdio>

namespace kelto {

void TFrameStats::Start(TFrameClocks now)
{
    FSince = now;
    FTicks = 0;
    FRepaints = 0;
}

TFrameRates TFrameStats::Take(TFrameClocks now)
{
    const double wall = now.WallSeconds - FSince.WallSeconds;
    TFrameRates rates;
    if (wall > 0.0) {
        rates.TicksPerSecond = static_cast<double>(FTicks) / wall;
        rates.RepaintsPerSecond = static_cast<double>(FRepaints) / wall;
        rates.CpuPercent = 100.0 * (now.CpuSeconds - FSince.CpuSeconds) / wall;
    }
    Start(now);
    return rates;
}

std::string FormatFrameRates(const TFrameRates& rates, int framePauseMilliseconds)
{
    char line[160];
    std::snprintf(line, sizeof line, "%.0f ticks/s, %.1f repaints/s, %.1f%% CPU, frame pause %d ms",
                  rates.TicksPerSecond, rates.RepaintsPerSecond, rates.CpuPercent, framePauseMilliseconds);
    return line;
}

double ProcessCpuSeconds()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0.0;
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace kelto
