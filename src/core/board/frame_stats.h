// The window's account of its own speed: ticks and repaints per second and
// the share of one core the process used, over a period.
#pragma once

#include <cstdint>
#include <string>

namespace kelto {

struct TFrameRates {
    double TicksPerSecond = 0.0;
    double RepaintsPerSecond = 0.0;
    // User plus system time over wall time, in percent of one core.
    double CpuPercent = 0.0;
};

// A point in time on two clocks: the wall and the process's CPU time.
struct TFrameClocks {
    double WallSeconds = 0.0;
    double CpuSeconds = 0.0;
};

class TFrameStats {
public:
    void Start(TFrameClocks now);
    void CountTick() { ++FTicks; }
    void CountRepaint() { ++FRepaints; }
    // The rates since Start or the previous Take; counting starts again at now.
    TFrameRates Take(TFrameClocks now);

private:
    TFrameClocks FSince;
    int64_t FTicks = 0;
    int64_t FRepaints = 0;
};

// "N ticks/s, N repaints/s, N% CPU, frame pause N ms", one line.
std::string FormatFrameRates(const TFrameRates& rates, int framePauseMilliseconds);

// User plus system CPU seconds this process has used so far.
double ProcessCpuSeconds();

} // namespace kelto
