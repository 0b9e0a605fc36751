#include "grade/submission_files.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace kelto::grade {

namespace {

namespace fs = std::filesystem;

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

std::string NameList(const std::vector<fs::path>& paths)
{
    std::string names;
    for (const fs::path& path : paths)
        names += (names.empty() ? "" : ", ") + path.filename().string();
    return names;
}

} // namespace

std::optional<TSubmissionFiles> FindSubmissionFiles(const std::string& folder, std::string& error)
{
    std::error_code problem;
    if (!fs::is_directory(folder, problem)) {
        error = "not a folder";
        return std::nullopt;
    }
    std::vector<fs::path> circuits;
    std::vector<fs::path> programs;
    fs::directory_iterator entries(folder, problem);
    for (; !problem && entries != fs::directory_iterator(); entries.increment(problem)) {
        const fs::path& path = entries->path();
        const std::string name = path.filename().string();
        std::error_code typeProblem;
        if (name.empty() || name[0] == '.' || !fs::is_regular_file(path, typeProblem))
            continue;
        const std::string extension = Lowered(path.extension().string());
        if (extension == ".dps")
            circuits.push_back(path);
        else if (extension == ".txt")
            programs.push_back(path);
    }
    if (problem) {
        error = "cannot list the folder: " + problem.message();
        return std::nullopt;
    }
    std::sort(circuits.begin(), circuits.end());
    std::sort(programs.begin(), programs.end());
    if (circuits.size() != 1) {
        error = circuits.empty()
                    ? "no .dps circuit file"
                    : std::to_string(circuits.size()) + " .dps circuit files: " + NameList(circuits);
        return std::nullopt;
    }
    if (programs.size() > 1) {
        error = std::to_string(programs.size()) + " .txt program files: " + NameList(programs);
        return std::nullopt;
    }
    TSubmissionFiles files;
    files.Folder = fs::absolute(folder).string();
    // "./" keeps a name that starts with a dash from reading as an option.
    files.Circuit = "./" + circuits[0].filename().string();
    if (!programs.empty())
        files.Program = "./" + programs[0].filename().string();
    return files;
}

} // namespace kelto::grade
