#include "grade/submission_files.h"

#include "grade/grade_messages.h"

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

// Why the runner must not be handed this entry, or nothing. Links inside the
// folder are fine; one leading out could hand in another student's work or a
// file the teacher's account may read.
std::optional<std::string> EntryProblem(const fs::path& entry, const fs::path& realFolder)
{
    std::error_code problem;
    const fs::path real = fs::canonical(entry, problem);
    const std::string name = entry.filename().string();
    if (problem)
        return name + ": " + problem.message();
    const auto [folderEnd, ignored] =
        std::mismatch(realFolder.begin(), realFolder.end(), real.begin(), real.end());
    if (folderEnd != realFolder.end())
        return LinkLeavesFolderMessage(name);
    if (!fs::is_regular_file(real, problem))
        return NotRegularFileMessage(name);
    return std::nullopt;
}

} // namespace

std::optional<TSubmissionFiles> FindSubmissionFiles(const std::string& folder, std::string& error)
{
    std::error_code problem;
    const fs::path realFolder = fs::canonical(folder, problem);
    if (problem || !fs::is_directory(realFolder, problem)) {
        error = kNotAFolder;
        return std::nullopt;
    }
    std::vector<fs::path> circuits;
    std::vector<fs::path> programs;
    fs::directory_iterator entries(folder, problem);
    for (; !problem && entries != fs::directory_iterator(); entries.increment(problem)) {
        const fs::path& path = entries->path();
        const std::string name = path.filename().string();
        const std::string extension = Lowered(path.extension().string());
        if (name.empty() || name[0] == '.' || (extension != ".dps" && extension != ".txt"))
            continue;
        if (const std::optional<std::string> refused = EntryProblem(path, realFolder)) {
            error = *refused;
            return std::nullopt;
        }
        if (extension == ".dps")
            circuits.push_back(path);
        else if (extension == ".txt")
            programs.push_back(path);
    }
    if (problem) {
        error = CannotListFolderMessage(problem.message());
        return std::nullopt;
    }
    std::sort(circuits.begin(), circuits.end());
    std::sort(programs.begin(), programs.end());
    if (circuits.size() != 1) {
        error = circuits.empty() ? kNoCircuitFile
                                 : SeveralFilesMessage(circuits.size(), kCircuitFiles, NameList(circuits));
        return std::nullopt;
    }
    if (programs.size() > 1) {
        error = SeveralFilesMessage(programs.size(), kProgramFiles, NameList(programs));
        return std::nullopt;
    }
    TSubmissionFiles files;
    files.Folder = realFolder.string();
    // "./" keeps a name that starts with a dash from reading as an option.
    files.Circuit = "./" + circuits[0].filename().string();
    if (!programs.empty())
        files.Program = "./" + programs[0].filename().string();
    return files;
}

} // namespace kelto::grade
