#include "grade/expectation_check.h"

#include "grade/grade_messages.h"

#include <charconv>

namespace kelto::grade {

namespace {

std::string PartName(const TPartRef& part)
{
    return part.Caption.empty() ? PartByIndex(*part.Index) : part.Caption;
}

// The component a caption names, or else the one at that index.
const TJson* FindPart(const TPartRef& part, const TJson& state, std::string& problem)
{
    const auto components = state.find("components");
    if (components == state.end() || !components->is_array()) {
        problem = kNoParts;
        return nullptr;
    }
    if (!part.Caption.empty()) {
        const TJson* found = nullptr;
        int matches = 0;
        for (const TJson& component : *components) {
            const auto item = component.find("item");
            if (item != component.end() && *item == part.Caption) {
                found = &component;
                ++matches;
            }
        }
        if (matches > 1) {
            problem = SeveralPartsMessage(matches, part.Caption);
            return nullptr;
        }
        if (found != nullptr)
            return found;
    }
    if (part.Index && *part.Index < static_cast<int64_t>(components->size()))
        return &(*components)[static_cast<size_t>(*part.Index)];
    problem = NoPartMessage(PartName(part));
    return nullptr;
}

const TJson* FollowPath(const TJson* node, const std::string& path)
{
    size_t start = 0;
    while (node != nullptr && start <= path.size()) {
        const size_t dot = std::min(path.find('.', start), path.size());
        const std::string step = path.substr(start, dot - start);
        start = dot + 1;
        if (node->is_object()) {
            const auto next = node->find(step);
            node = next == node->end() ? nullptr : &*next;
        } else if (node->is_array()) {
            size_t index = 0;
            const auto [end, problem] = std::from_chars(step.data(), step.data() + step.size(), index);
            const bool valid =
                problem == std::errc() && end == step.data() + step.size() && index < node->size();
            node = valid ? &(*node)[index] : nullptr;
        } else {
            node = nullptr;
        }
    }
    return node;
}

// A text in a text, a value in a list; a text in a list of lines matches a line
// that holds it, so "HELLO" is found on a display line padded with spaces.
bool Holds(const TJson& got, const TJson& wanted)
{
    if (got.is_string())
        return wanted.is_string() && got.get_ref<const std::string&>().find(
                                         wanted.get_ref<const std::string&>()) != std::string::npos;
    if (!got.is_array())
        return false;
    for (const TJson& element : got)
        if (element == wanted || (element.is_string() && Holds(element, wanted)))
            return true;
    return false;
}

// A display line is padded with spaces to its width; the student typed only the
// text before them.
TJson WithoutPadding(const TJson& value)
{
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }
    if (!value.is_array())
        return value;
    TJson lines = TJson::array();
    for (const TJson& element : value)
        lines.push_back(WithoutPadding(element));
    return lines;
}

} // namespace

TCheckResult CheckExpectation(const TExpectation& expectation, const TJson& state)
{
    TCheckResult result;
    const TJson* root = &state;
    if (expectation.Part) {
        const TJson* part = FindPart(*expectation.Part, state, result.Problem);
        root = part != nullptr ? FollowPath(part, "state") : nullptr;
    }
    const TJson* value = root != nullptr ? FollowPath(root, expectation.Field) : nullptr;
    if (value == nullptr) {
        if (result.Problem.empty())
            result.Problem = NoFieldMessage(expectation.Field);
        return result;
    }
    result.Got = *value;
    if (expectation.Contains)
        result.Ok = Holds(*value, expectation.Value);
    else
        result.Ok = ComparedValue(expectation, *value) == ComparedValue(expectation, expectation.Value);
    return result;
}

TJson ComparedValue(const TExpectation& expectation, const TJson& value)
{
    const bool displayText =
        expectation.Part && expectation.Field.substr(0, expectation.Field.find('.')) == "text";
    return displayText ? WithoutPadding(value) : value;
}

std::vector<std::string> PartCaptions(const TJson& state)
{
    std::vector<std::string> captions;
    const auto components = state.find("components");
    if (components == state.end() || !components->is_array())
        return captions;
    for (const TJson& component : *components) {
        const auto item = component.find("item");
        captions.push_back(item != component.end() && item->is_string() ? item->get<std::string>() : "");
    }
    return captions;
}

} // namespace kelto::grade
