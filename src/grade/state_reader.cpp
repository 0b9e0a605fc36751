#include "grade/state_reader.h"

#include "grade/grade_messages.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace kelto::grade {

namespace {

std::string Head(const std::string& field)
{
    return field.substr(0, field.find('.'));
}

// Keys the expectations reach: the run's fields, and in each part its caption
// and the fields of its state that are checked.
class TStateFilter {
public:
    explicit TStateFilter(const TTask& task)
    {
        for (const TExpectation& expectation : task.Expectations)
            (expectation.Part ? FPartFields : FRunFields).insert(Head(expectation.Field));
        // Captions name the parts in the sentences of failed checks.
        FRunFields.insert("components");
    }

    // Depth counts the objects and lists around the key; the state's own object is depth 1.
    bool Keep(int depth, const std::string& key)
    {
        if (depth < static_cast<int>(FKeys.size()))
            FKeys[static_cast<size_t>(depth)] = key;
        const bool inPart = FKeys[1] == "components";
        if (depth == 1)
            return FRunFields.count(key) > 0;
        if (depth == 3 && inPart)
            return key == "item" || key == "state";
        if (depth == 4 && inPart && FKeys[3] == "state")
            return FPartFields.count(key) > 0;
        return true;
    }

private:
    std::set<std::string> FRunFields;
    std::set<std::string> FPartFields;
    std::array<std::string, 5> FKeys;
};

} // namespace

std::optional<std::string> ReadCheckedState(const std::string& path, const TTask& task, uintmax_t maxBytes,
                                            TJson& state)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || !file)
        return CannotReadStateMessage(error ? error.message() : std::string(std::strerror(errno)));
    if (size > maxBytes)
        return StateTooLargeMessage(maxBytes);
    TStateFilter filter(task);
    state = TJson::parse(
        file,
        [&filter](int depth, TJson::parse_event_t event, TJson& parsed) {
            return event != TJson::parse_event_t::key || filter.Keep(depth, parsed.get<std::string>());
        },
        false);
    if (state.is_discarded())
        return kStateNotJson;
    return std::nullopt;
}

} // namespace kelto::grade
