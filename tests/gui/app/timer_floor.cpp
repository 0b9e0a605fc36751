// keltosimu-timer-floor [SECONDS]: the window's frame clock alone, pausing
// 1 ms after each event that does nothing: prints its events per second and
// CPU share, the floor under the window's own figures on this machine.
#include "core/board/frame_stats.h"
#include "gui/app/gl_cadencer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace kelto;
using namespace kelto::gui;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    TGLCadencer cadencer;
    cadencer.SetSleepLength(1);
    TFrameStats stats;
    cadencer.SetOnProgress([&stats](double, double) { stats.CountTick(); });
    QElapsedTimer wall;
    wall.start();
    const auto now = [&wall] {
        return TFrameClocks{static_cast<double>(wall.nsecsElapsed()) / 1e9, ProcessCpuSeconds()};
    };
    // Measured after a second, so start-up does not count.
    QTimer::singleShot(1000, [&] {
        stats.Start(now());
        cadencer.SetEnabled(true);
    });
    QTimer::singleShot(1000 + seconds * 1000, [&] {
        std::printf("timer floor: %s\n", FormatFrameRates(stats.Take(now()), cadencer.SleepLength()).c_str());
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
