#include "grade/task_file.h"

#include "cli/run_options.h"
#include "core/files/atomic_file.h"
#include "core/numbers/number_text.h"
#include "core/replay/user_action.h"
#include "grade/grade_messages.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <set>

namespace kelto::grade {

namespace {

constexpr size_t kMaxTaskBytes = 1024 * 1024;

// A problem with the node at a line of the task file.
struct TTaskError {
    int64_t Line = 0;
    std::string Message;
};

TTaskError At(const toml::node& node, std::string message)
{
    return {static_cast<int64_t>(node.source().begin.line), std::move(message)};
}

// The runner decides what its options accept; the grader asks it up front so a
// bad task fails once instead of once per submission.
std::optional<cli::TRunOptions> RunnerAccepts(std::vector<std::string> args, std::string& error)
{
    args.push_back("circuit.dps");
    return cli::ParseRunOptions(args, error);
}

std::optional<TJson> JsonOf(const toml::node& node)
{
    switch (node.type()) {
    case toml::node_type::string: return TJson(*node.value<std::string>());
    case toml::node_type::integer: return TJson(*node.value<int64_t>());
    case toml::node_type::floating_point: return TJson(*node.value<double>());
    case toml::node_type::boolean: return TJson(*node.value<bool>());
    case toml::node_type::array: {
        TJson array = TJson::array();
        for (const toml::node& element : *node.as_array()) {
            auto value = JsonOf(element);
            if (!value)
                return std::nullopt;
            array.push_back(std::move(*value));
        }
        return array;
    }
    case toml::node_type::table: {
        TJson object = TJson::object();
        for (const auto& [key, value] : *node.as_table()) {
            auto converted = JsonOf(value);
            if (!converted)
                return std::nullopt;
            object[std::string(key.str())] = std::move(*converted);
        }
        return object;
    }
    default: return std::nullopt; // dates and times have no counterpart in the state
    }
}

std::optional<TTaskError> CheckKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                                    bool inExpect)
{
    for (const auto& [key, value] : table)
        if (std::find(known.begin(), known.end(), key.str()) == known.end())
            return At(value, UnknownKeyMessage(key.str(), inExpect));
    return std::nullopt;
}

std::optional<TTaskError> ReadText(const toml::table& table, std::string_view key, std::string& text)
{
    const toml::node* node = table.get(key);
    if (node == nullptr)
        return std::nullopt;
    if (!node->is_string())
        return At(*node, NotTextMessage(key));
    text = *node->value<std::string>();
    return std::nullopt;
}

// "text", "text.0", "variables.A": names and list positions, dot-separated.
bool ValidPath(const std::string& path)
{
    size_t start = 0;
    while (true) {
        const size_t dot = path.find('.', start);
        if (dot == start || start == path.size())
            return false;
        if (dot == std::string::npos)
            return true;
        start = dot + 1;
    }
}

std::optional<TTaskError> CheckRunField(const toml::node& node, const std::string& field)
{
    static const std::set<std::string> kWhole = {"log", "running", "line", "variables"};
    const std::string head = field.substr(0, field.find('.'));
    const std::string rest = head.size() < field.size() ? field.substr(head.size() + 1) : "";
    const bool variable = head == "variables" && rest.size() == 1 && rest[0] >= 'A' && rest[0] <= 'Z';
    const bool logLine = head == "log" && !rest.empty() && std::all_of(rest.begin(), rest.end(), ::isdigit);
    if (!kWhole.count(head) || (!rest.empty() && !variable && !logLine))
        return At(node, RunFieldMessage(field));
    return std::nullopt;
}

std::optional<TTaskError> ReadPart(const toml::node& node, TExpectation& expectation)
{
    TPartRef part;
    if (const auto index = node.value_exact<int64_t>()) {
        part.Index = *index;
    } else if (const auto caption = node.value_exact<std::string>(); caption && !caption->empty()) {
        part.Caption = *caption;
        int64_t index = 0;
        const auto [end, problem] =
            std::from_chars(caption->data(), caption->data() + caption->size(), index);
        if (problem == std::errc() && end == caption->data() + caption->size())
            part.Index = index;
    } else {
        return At(node, kPartWanted);
    }
    if (part.Index && *part.Index < 0)
        return At(node, kPartIndexNegative);
    expectation.Part = std::move(part);
    return std::nullopt;
}

std::optional<TTaskError> ReadExpectation(const toml::table& table, int64_t ticks, TExpectation& expectation)
{
    if (auto error =
            CheckKeys(table, {"part", "field", "equals", "contains", "tick", "points", "hint", "hidden"},
                      true))
        return error;
    if (const toml::node* part = table.get("part"))
        if (auto error = ReadPart(*part, expectation))
            return error;
    const toml::node* field = table.get("field");
    if (field == nullptr)
        return At(table, kFieldMissing);
    const auto fieldText = field->value_exact<std::string>();
    if (!fieldText || !ValidPath(*fieldText))
        return At(*field, kFieldWanted);
    expectation.Field = *fieldText;
    if (!expectation.Part)
        if (auto error = CheckRunField(*field, expectation.Field))
            return error;

    const toml::node* equals = table.get("equals");
    const toml::node* contains = table.get("contains");
    if ((equals == nullptr) == (contains == nullptr))
        return At(table, kEqualsOrContains);
    const toml::node& wanted = equals != nullptr ? *equals : *contains;
    auto value = JsonOf(wanted);
    if (!value)
        return At(wanted, kNoDates);
    if (contains != nullptr && (value->is_array() || value->is_object()))
        return At(wanted, kContainsOneValue);
    expectation.Contains = contains != nullptr;
    expectation.Value = std::move(*value);

    expectation.Tick = ticks;
    if (const toml::node* tick = table.get("tick")) {
        const auto value = tick->value_exact<int64_t>();
        if (!value || *value < 0 || *value > ticks)
            return At(*tick, TickWantedMessage(ticks));
        expectation.Tick = *value;
    }
    if (const toml::node* points = table.get("points")) {
        const auto value = points->value_exact<int64_t>();
        if (!value || *value < 0 || *value > 1000000)
            return At(*points, kPointsWanted);
        expectation.Points = *value;
    }
    if (auto error = ReadText(table, "hint", expectation.Hint))
        return error;
    if (const toml::node* hidden = table.get("hidden")) {
        if (!hidden->is_boolean())
            return At(*hidden, kHiddenWanted);
        expectation.Hidden = *hidden->value<bool>();
    }
    return std::nullopt;
}

// A runner option the task may set, the key it has in the task and its text.
std::optional<TTaskError> ReadRunnerOption(const toml::table& root, std::string_view key, const char* option,
                                           std::optional<std::string> fallback, TTask& task)
{
    const toml::node* node = root.get(key);
    std::optional<std::string> text = fallback;
    if (node != nullptr) {
        if (const auto integer = node->value_exact<int64_t>())
            text = std::to_string(*integer);
        else if (const auto number = node->value_exact<double>())
            text = ShortestText(*number);
        else if (const auto string = node->value_exact<std::string>())
            text = *string;
        else if (const auto time = node->value_exact<toml::time>()) {
            char clock[16];
            std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", time->hour, time->minute, time->second);
            text = clock;
        } else
            return At(*node, WrongKindMessage(key));
    }
    if (!text)
        return std::nullopt;
    std::string error;
    if (!RunnerAccepts({option, *text}, error))
        return At(node != nullptr ? *node : static_cast<const toml::node&>(root),
                  std::string(key) + ": " + error);
    task.RunnerOptions.push_back(option);
    task.RunnerOptions.push_back(*text);
    return std::nullopt;
}

std::optional<TTaskError> ReadActions(const toml::node& node, TTask& task)
{
    const toml::array* actions = node.as_array();
    if (actions == nullptr)
        return At(node, kActionsWanted);
    for (const toml::node& action : *actions) {
        const auto text = action.value_exact<std::string>();
        std::string error;
        // Runs read their actions one a line.
        const bool oneLine = text && text->find_first_of("\r\n") == std::string::npos;
        const auto accepted = oneLine ? RunnerAccepts({"--at", *text}, error) : std::nullopt;
        if (!accepted)
            return At(action, ActionWantedMessage(text ? "'" + *text + "'" : std::string()));
        // Refused here, or every submission would fail on it.
        if (const std::optional<std::string> problem =
                ActionFormProblem(accepted->Actions.back().Action))
            return At(action, *problem);
        task.Actions.push_back({accepted->Actions.back().Tick, *text});
    }
    return std::nullopt;
}

std::optional<TTaskError> ReadTask(const toml::table& root, TTask& task)
{
    if (auto error = CheckKeys(
            root, {"title", "text", "ticks", "dt", "time", "seed", "speed_factor", "actions", "expect"}, false))
        return error;
    if (auto error = ReadText(root, "title", task.Title))
        return error;
    if (auto error = ReadText(root, "text", task.Text))
        return error;
    const toml::node* ticks = root.get("ticks");
    if (ticks == nullptr)
        return TTaskError{1, kTicksMissing};
    const auto tickCount = ticks->value_exact<int64_t>();
    if (!tickCount || *tickCount < 0)
        return At(*ticks, kTicksWanted);
    task.Ticks = *tickCount;

    if (auto error = ReadRunnerOption(root, "dt", "--dt", std::nullopt, task))
        return error;
    if (auto error = ReadRunnerOption(root, "speed_factor", "--speed-factor", std::nullopt, task))
        return error;
    if (auto error = ReadRunnerOption(root, "seed", "--seed", std::to_string(kDefaultSeed), task))
        return error;
    if (auto error = ReadRunnerOption(root, "time", "--time", kDefaultTime, task))
        return error;
    if (const toml::node* actions = root.get("actions"))
        if (auto error = ReadActions(*actions, task))
            return error;

    const toml::node* expect = root.get("expect");
    const toml::array* expectations = expect != nullptr ? expect->as_array() : nullptr;
    if (expectations == nullptr || expectations->empty() || !expectations->is_array_of_tables())
        return At(expect != nullptr ? *expect : static_cast<const toml::node&>(root),
                  kExpectMissing);
    for (const toml::node& table : *expectations) {
        TExpectation expectation;
        if (auto error = ReadExpectation(*table.as_table(), task.Ticks, expectation)) {
            error->Message = InExpectMessage(task.Expectations.size() + 1, error->Message);
            return error;
        }
        task.Expectations.push_back(std::move(expectation));
    }
    return std::nullopt;
}

} // namespace

std::optional<TTask> ParseTask(std::string_view text, const std::string& path, std::string& error)
{
    TTask task;
    std::optional<TTaskError> problem;
    try {
        problem = ReadTask(toml::parse(text, path), task);
    } catch (const toml::parse_error& parseError) {
        problem = TTaskError{static_cast<int64_t>(parseError.source().begin.line),
                             TomlErrorMessage(parseError.description())};
    }
    if (problem) {
        error = path + ":" + std::to_string(problem->Line) + ": " + problem->Message;
        return std::nullopt;
    }
    return task;
}

std::optional<TTask> ReadTaskFile(const std::string& path, std::string& error)
{
    std::string text;
    if (const TFileResult read = ReadWholeFile(path, text, kMaxTaskBytes); !read.Ok) {
        error = CannotReadMessage(path, read.Message);
        return std::nullopt;
    }
    return ParseTask(text, path, error);
}

std::vector<std::string> RunnerArguments(const TTask& task, int64_t ticks)
{
    std::vector<std::string> args = {"--ticks", std::to_string(ticks)};
    args.insert(args.end(), task.RunnerOptions.begin(), task.RunnerOptions.end());
    return args;
}

std::string RunnerActions(const TTask& task, int64_t ticks)
{
    std::string lines;
    for (const TTaskAction& action : task.Actions)
        if (action.Tick <= ticks || ticks == task.Ticks)
            lines += action.Text + "\n";
    return lines;
}

} // namespace kelto::grade
