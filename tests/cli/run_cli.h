// Runs keltosimu-run as a child process and captures its exit status and output.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelto::testing {

struct TCliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

TCliResult RunCli(const std::vector<std::string>& args);
// With standard output sent elsewhere by a shell redirection ("> /dev/full",
// ">&-"); Out is then empty.
TCliResult RunCliWithOutput(const std::vector<std::string>& args, const std::string& redirection);
std::string ReadFileText(const std::filesystem::path& path);
// A fresh, empty folder for one test's files.
std::filesystem::path ScratchDir(const std::string& name);

} // namespace kelto::testing
