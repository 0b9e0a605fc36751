#include "run_cli.h"

#include <fstream>
#include <sys/wait.h>

namespace kelto::testing {

namespace {

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string ReadFileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The node runner's suite runs the same tests beside the native one: each
// suite has folders of its own.
#ifndef KELTO_SCRATCH_PREFIX
#define KELTO_SCRATCH_PREFIX "kelto_cli_"
#endif

std::filesystem::path ScratchDir(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / (KELTO_SCRATCH_PREFIX + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

TCliResult RunCli(const std::vector<std::string>& args)
{
    return RunCliWithOutput(args, "");
}

TCliResult RunCliWithOutput(const std::vector<std::string>& args, const std::string& redirection)
{
    const auto dir = ScratchDir("capture_" + std::to_string(::getpid()));
    std::string command = Quote(KELTO_RUNNER_PATH);
    for (const std::string& arg : args)
        command += " " + Quote(arg);
    const std::string out = redirection.empty() ? " >" + Quote((dir / "out").string()) : " " + redirection;
    command += out + " 2>" + Quote((dir / "err").string()) + " </dev/null";
    const int status = std::system(command.c_str());
    TCliResult result;
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.Out = ReadFileText(dir / "out");
    result.Err = ReadFileText(dir / "err");
    std::filesystem::remove_all(dir);
    return result;
}

} // namespace kelto::testing
