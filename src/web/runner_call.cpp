// The page has no processes: a grading's run is a call of the runner's main
// here, in the module's own file system, its standard output dropped and its
// standard error kept, as a child's would be. The tab is the student's own,
// so no memory cap and no deadline: a run ends when its ticks are done.
#include "cli/runner_main.h"
#include "grade/runner_start.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace kelto::grade {

namespace {

constexpr size_t kMaxErrorBytes = 64 * 1024;

// Standard output to /dev/null and standard error to `errors` while it
// lives, then back.
class TRedirectedStreams {
public:
    explicit TRedirectedStreams(int errors) : FOutput(::dup(STDOUT_FILENO)), FErrors(::dup(STDERR_FILENO))
    {
        Flush();
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(errors, STDERR_FILENO);
        ::close(null);
    }
    ~TRedirectedStreams()
    {
        Flush();
        ::dup2(FOutput, STDOUT_FILENO);
        ::dup2(FErrors, STDERR_FILENO);
        ::close(FOutput);
        ::close(FErrors);
    }

private:
    static void Flush()
    {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
    }

    int FOutput;
    int FErrors;
};

std::string ReadErrors(int fd)
{
    std::string errors(kMaxErrorBytes, '\0');
    const ssize_t got = ::pread(fd, errors.data(), errors.size(), 0);
    errors.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return errors;
}

} // namespace

TChildOutcome StartRunner(const std::string&, const std::vector<std::string>& args, const std::string& folder,
                          const TChildLimits&, std::chrono::steady_clock::time_point, bool (*stopped)())
{
    TChildOutcome outcome;
    if (stopped()) {
        outcome.End = TChildOutcome::TEnd::Stopped;
        return outcome;
    }
    char errorsPath[] = "/tmp/keltosimu-run.XXXXXX";
    char here[PATH_MAX];
    const int errors = ::mkstemp(errorsPath);
    if (errors < 0 || ::getcwd(here, sizeof here) == nullptr || ::chdir(folder.c_str()) != 0) {
        outcome.Status = errno;
        if (errors >= 0)
            ::close(errors);
        ::unlink(errorsPath);
        return outcome;
    }
    {
        const TRedirectedStreams redirected(errors);
        outcome.Status = cli::RunnerMain(args);
    }
    outcome.End = TChildOutcome::TEnd::Exited;
    outcome.Errors = ReadErrors(errors);
    ::close(errors);
    ::unlink(errorsPath);
    ::chdir(here);
    return outcome;
}

} // namespace kelto::grade
