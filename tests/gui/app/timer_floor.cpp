// keltosimu-timer-floor [SECONDS]: what a Qt program that only wakes every
// millisecond costs on this machine, as the frame clock wakes (a precise
// single-shot timer restarted after each event, no kernel timer slack):
// prints its events per second and CPU share, the floor under the window's
// own figures.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    prctl(PR_SET_TIMERSLACK, 1UL);
    QTimer tick;
    tick.setSingleShot(true);
    tick.setTimerType(Qt::PreciseTimer);
    long events = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++events;
        tick.start(1);
    });
    // Measured after a second, so start-up does not count.
    QElapsedTimer clock;
    double cpuAtStart = 0.0;
    QTimer::singleShot(1000, [&] {
        events = 0;
        cpuAtStart = CpuSeconds();
        clock.start();
        tick.start(1);
    });
    QTimer::singleShot(1000 + seconds * 1000, [&] {
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        std::printf("timer floor: %.0f events/s, %.1f%% CPU, pause 1 ms\n",
                    static_cast<double>(events) / wall, 100.0 * (CpuSeconds() - cpuAtStart) / wall);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
