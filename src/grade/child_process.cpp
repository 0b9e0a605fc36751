#include "grade/child_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
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

} // namespace

TChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, std::chrono::steady_clock::time_point deadline,
                       bool (*stopped)())
{
    TChildOutcome outcome;
    int pipe[2];
    // Close-on-exec, so children started by other workers meanwhile do not
    // hold this pipe open.
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        outcome.Status = errno;
        return outcome;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addchdir_np(&files, folder.c_str());
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, pipe[1], 2);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int started = ::posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    ::close(pipe[1]);
    if (started != 0) {
        ::close(pipe[0]);
        outcome.Status = started;
        return outcome;
    }

    int status = 0;
    const bool ended = CollectErrors(pipe[0], outcome.Errors, deadline, stopped) &&
                       AwaitExit(pid, status, deadline, stopped);
    ::close(pipe[0]);
    if (!ended) {
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
