// The line a long run keeps up to date on standard error while that is a
// terminal, so a teacher sees how far a big batch has got.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace kelto::cli {

// "tick 2500 of 10000 (25%)".
std::string ProgressText(int64_t done, int64_t total);

class TProgressLine {
public:
    // Shows nothing unless `enabled` (standard error is a terminal).
    TProgressLine(int64_t total, bool enabled);
    // Draws the line once the run has taken a second, then a few times a second.
    void Update(int64_t done);
    // Clears the line so other output starts at the left edge.
    void Hide();

private:
    using TClock = std::chrono::steady_clock;
    int64_t FTotal;
    bool FEnabled;
    bool FVisible = false;
    TClock::time_point FNextDraw;
};

} // namespace kelto::cli
