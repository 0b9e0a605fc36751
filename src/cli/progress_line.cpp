#include "cli/progress_line.h"

#include <unistd.h>

namespace kelto::cli {

namespace {

constexpr auto kFirstDraw = std::chrono::seconds(1);
constexpr auto kRedraw = std::chrono::milliseconds(200);
// Reading the clock every tick would cost more than a small circuit's tick.
constexpr int64_t kTicksBetweenClockReads = 64;

void WriteToTerminal(const std::string& text)
{
    // Best effort: a progress line that cannot be shown is not worth failing for.
    if (::write(STDERR_FILENO, text.data(), text.size()) < 0)
        return;
}

} // namespace

std::string ProgressText(int64_t done, int64_t total)
{
    const int64_t percent =
        total > 0 ? static_cast<int64_t>(static_cast<double>(done) * 100.0 / static_cast<double>(total))
                  : 100;
    return "tick " + std::to_string(done) + " of " + std::to_string(total) + " (" + std::to_string(percent) +
           "%)";
}

TProgressLine::TProgressLine(int64_t total, bool enabled)
    : FTotal(total), FEnabled(enabled), FNextDraw(TClock::now() + kFirstDraw)
{
}

void TProgressLine::Update(int64_t done)
{
    if (!FEnabled || done % kTicksBetweenClockReads != 0)
        return;
    const TClock::time_point now = TClock::now();
    if (now < FNextDraw)
        return;
    FNextDraw = now + kRedraw;
    WriteToTerminal("\r" + ProgressText(done, FTotal) + "\033[K");
    FVisible = true;
}

void TProgressLine::Hide()
{
    if (!FVisible)
        return;
    WriteToTerminal("\r\033[K");
    FVisible = false;
}

} // namespace kelto::cli
