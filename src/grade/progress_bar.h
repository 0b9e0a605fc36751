// The bar on standard error that shows how many submissions are graded, while
// standard error is a terminal.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>

namespace kelto::grade {

// "[##########..........] 15/30".
std::string ProgressBarText(size_t done, size_t total);

class TProgressBar {
public:
    TProgressBar(size_t total, bool enabled);
    // Called by any worker when it finishes a submission.
    void Advance();
    // Clears the bar so the table starts at the left edge.
    void Hide();

private:
    std::mutex FLock;
    size_t FDone = 0;
    size_t FTotal;
    bool FEnabled;
};

} // namespace kelto::grade
