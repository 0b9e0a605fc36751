#include "grade/child_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelto::grade {

namespace {

constexpr size_t kMaxErrorBytes = 64 * 1024;
// How often a waiting worker looks at the deadline and whether grading was interrupted.
constexpr std::chrono::milliseconds kSlice(50);

int SliceMilliseconds(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp(left, std::chrono::milliseconds(0), kSlice).count());
}

bool Expired(std::chrono::steady_clock::time_point deadline, bool (*stopped)())
{
    return stopped() || std::chrono::steady_clock::now() >= deadline;
}

// Reads standard error until the child closes it or time is up; false on time up.
bool CollectErrors(int fd, std::string& errors, std::chrono::steady_clock::time_point deadline,
                   bool (*stopped)())
{
    char buffer[4096];
    while (!Expired(deadline, stopped)) {
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, SliceMilliseconds(deadline)) <= 0)
            continue;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
            return true;
        if (got > 0 && errors.size() < kMaxErrorBytes)
            errors.append(buffer, std::min(static_cast<size_t>(got), kMaxErrorBytes - errors.size()));
    }
    return false;
}

// A child may close standard error before it ends.
bool AwaitExit(pid_t pid, int& status, std::chrono::steady_clock::time_point deadline, bool (*stopped)())
{
    while (!Expired(deadline, stopped)) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// Between fork and exec only system calls: other workers' threads may hold locks.
[[noreturn]] void StartInChild(const char* program, char* const* argv, const char* folder, int errorFd,
                               const TChildLimits& limits, pid_t grader)
{
    // Killed with the grader, even by SIGKILL, so no run outlives it without a deadline.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != grader)
        ::_exit(127);
    ::setpgid(0, 0);
    for (const auto& [resource, bytes] :
         {std::pair{RLIMIT_AS, limits.MemoryBytes}, std::pair{RLIMIT_FSIZE, limits.FileBytes}})
        if (bytes > 0) {
            const rlimit cap{bytes, bytes};
            if (::setrlimit(resource, &cap) != 0)
                ::_exit(127);
        }
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(errorFd, 2) < 0 ||
        ::chdir(folder) != 0)
        ::_exit(127);
    ::execve(program, argv, environ);
    ::_exit(127);
}

} // namespace

bool RanOutOfMemory(const TChildOutcome& outcome)
{
    return outcome.End == TChildOutcome::TEnd::Signalled && outcome.Status == SIGABRT &&
           outcome.Errors.find("std::bad_alloc") != std::string::npos;
}

TChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, const TChildLimits& limits,
                       std::chrono::steady_clock::time_point deadline, bool (*stopped)())
{
    TChildOutcome outcome;
    if (::access(program.c_str(), X_OK) != 0) {
        outcome.Status = errno;
        return outcome;
    }
    int pipe[2];
    // Close-on-exec, so children started by other workers meanwhile do not
    // hold this pipe open.
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        outcome.Status = errno;
        return outcome;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t grader = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0)
        StartInChild(program.c_str(), argv.data(), folder.c_str(), pipe[1], limits, grader);
    const int forkError = errno;
    ::close(pipe[1]);
    if (pid < 0) {
        ::close(pipe[0]);
        outcome.Status = forkError;
        return outcome;
    }

    int status = 0;
    const bool ended = CollectErrors(pipe[0], outcome.Errors, deadline, stopped) &&
                       AwaitExit(pid, status, deadline, stopped);
    ::close(pipe[0]);
    if (!ended) {
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        outcome.End = stopped() ? TChildOutcome::TEnd::Stopped : TChildOutcome::TEnd::TimedOut;
        return outcome;
    }
    if (WIFSIGNALED(status)) {
        outcome.End = TChildOutcome::TEnd::Signalled;
        outcome.Status = WTERMSIG(status);
    } else {
        outcome.End = TChildOutcome::TEnd::Exited;
        outcome.Status = WEXITSTATUS(status);
    }
    return outcome;
}

} // namespace kelto::grade
