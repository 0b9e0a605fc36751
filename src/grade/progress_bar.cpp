#include "grade/progress_bar.h"

#include "grade/grade_messages.h"

#include <cstdio>

namespace kelto::grade {

namespace {

constexpr size_t kBarWidth = 30;

} // namespace

std::string ProgressBarText(size_t done, size_t total)
{
    const size_t filled = total == 0 ? kBarWidth : done * kBarWidth / total;
    return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
           GradedCount(done, total);
}

TProgressBar::TProgressBar(size_t total, bool enabled) : FTotal(total), FEnabled(enabled)
{
    if (FEnabled)
        std::fprintf(stderr, "\r%s", ProgressBarText(0, FTotal).c_str());
}

void TProgressBar::Advance()
{
    std::lock_guard<std::mutex> hold(FLock);
    ++FDone;
    if (FEnabled)
        std::fprintf(stderr, "\r%s", ProgressBarText(FDone, FTotal).c_str());
}

void TProgressBar::Hide()
{
    std::lock_guard<std::mutex> hold(FLock);
    if (FEnabled)
        std::fputs("\r\033[K", stderr);
    FEnabled = false;
}

} // namespace kelto::grade
