#include "grade/expectation_check.h"

#include <charconv>

namespace kelto::grade {

namespace {

std::string PartName(const TPartRef& part)
{
    return part.Caption.empty() ? std::to_string(*part.Index) : part.Caption;
}

// The component a caption names, or else the one at that index.
const TJson* FindPart(const TPartRef& part, const TJson& state, std::string& problem)
{
    const auto components = state.find("components");
    if (components == state.end() || !components->is_array()) {
        problem = "the state lists no parts";
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
            problem = std::to_string(matches) + " parts are called " + part.Caption;
            return nullptr;
        }
        if (found != nullptr)
            return found;
    }
    if (part.Index && *part.Index < static_cast<int64_t>(components->size()))
        return &(*components)[static_cast<size_t>(*part.Index)];
    problem = "no part " + PartName(part);
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
            result.Problem = "no field " + expectation.Field;
        return result;
    }
    result.Got = *value;
    result.Ok = expectation.Contains ? Holds(*value, expectation.Value) : *value == expectation.Value;
    return result;
}

} // namespace kelto::grade
