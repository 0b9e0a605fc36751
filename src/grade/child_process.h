// Runs a program as a child process with a deadline and a memory cap, so a
// submission that crashes, never ends or eats memory cannot take the grader
// (or the machine) down with it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace kelto::grade {

struct TChildOutcome {
    enum class TEnd { Exited, Signalled, TimedOut, Stopped, NotStarted };
    TEnd End = TEnd::NotStarted;
    int Status = 0;     // the exit status, the signal, or the errno of a failed start
    std::string Errors; // what the child wrote to standard error (the first 64 KiB)
};

struct TChildLimits {
    uint64_t MemoryBytes = 0; // address space; 0: no cap
    uint64_t FileBytes = 0;   // largest file it may write; 0: no cap
};

// Runs in `folder`; standard input and output are /dev/null. The child is killed when the
// deadline passes, `stopped()` says so, or the grader itself dies.
TChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, const TChildLimits& limits,
                       std::chrono::steady_clock::time_point deadline, bool (*stopped)());

// Whether the child ended because it could not get more memory under its cap.
bool RanOutOfMemory(const TChildOutcome& outcome);

} // namespace kelto::grade
