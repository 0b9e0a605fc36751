// Runs a program as a child process with a deadline, so a submission that
// crashes or never ends cannot take the grader down with it.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kelto::grade {

struct TChildOutcome {
    enum class TEnd { Exited, Signalled, TimedOut, Stopped, NotStarted };
    TEnd End = TEnd::NotStarted;
    int Status = 0;     // the exit status, the signal, or the errno of a failed start
    std::string Errors; // what the child wrote to standard error (the first 64 KiB)
};

// Runs in `folder`; standard input and output are /dev/null. The child is killed when the
// deadline passes or `stopped()` says so.
TChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, std::chrono::steady_clock::time_point deadline,
                       bool (*stopped)());

} // namespace kelto::grade
