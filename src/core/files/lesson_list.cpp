#include "core/files/lesson_list.h"

#include "core/files/program_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kelto {

namespace {

namespace fs = std::filesystem;

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && !error;
}

} // namespace

// Numbered lines are statements; anything else before them is a comment.
std::string LessonTitle(const std::string& programPath)
{
    std::vector<std::string> lines;
    if (LoadProgramFile(programPath, lines).Ok && !lines.empty()) {
        const std::string first = Trimmed(lines.front());
        if (!first.empty() && (first[0] < '0' || first[0] > '9'))
            return first;
    }
    return fs::path(programPath).stem().string();
}

std::vector<TLesson> ListLessons(const std::string& folder)
{
    std::vector<TLesson> lessons;
    if (folder.empty())
        return lessons;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path circuit = entry->path();
        if (circuit.extension() != ".dps" || !IsRegularFile(circuit))
            continue;
        fs::path program = circuit;
        program.replace_extension(".txt");
        if (!IsRegularFile(program))
            continue;
        lessons.push_back({LessonTitle(program.string()), circuit.string(), program.string()});
    }
    std::sort(lessons.begin(), lessons.end(),
              [](const TLesson& a, const TLesson& b) { return a.CircuitPath < b.CircuitPath; });
    return lessons;
}

} // namespace kelto
