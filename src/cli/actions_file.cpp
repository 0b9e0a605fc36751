#include "cli/actions_file.h"

#include "core/files/atomic_file.h"

namespace kelto::cli {

namespace {

constexpr size_t kMaxActionsBytes = 64 * 1024 * 1024;

} // namespace

std::optional<std::string> ReadActionsFile(const std::string& path, std::vector<TScheduledAction>& actions)
{
    std::string text;
    if (const TFileResult read = ReadWholeFile(path, text, kMaxActionsBytes); !read.Ok)
        return "cannot read " + path + ": " + read.Message;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        TScheduledAction action;
        if (!ParseScheduledAction(line, action))
            return path + ":" + std::to_string(lineNumber) +
                   ": wants T:ACTION, for example 5:click:0, not '" + line + "'";
        actions.push_back(std::move(action));
    }
    return std::nullopt;
}

} // namespace kelto::cli
