// The task a class is graded against: how to run each submission and what its
// state must show, read from a TOML file a teacher writes.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelto::grade {

using TJson = nlohmann::ordered_json;

// A part by its index in the circuit or by its palette caption.
struct TPartRef {
    std::optional<int64_t> Index;
    std::string Caption;
};

struct TExpectation {
    std::optional<TPartRef> Part; // none: the run itself
    std::string Field;            // a path such as "text", "text.0" or "variables.A"
    bool Contains = false;        // else: equals
    TJson Value;
    int64_t Tick = 0; // the state after this tick is checked
    int64_t Points = 1;
    std::string Hint;    // told to a student when it fails; empty: a sentence made from the check
    bool Hidden = false; // graded, never shown to a student
};

struct TTaskAction {
    int64_t Tick = 0;
    std::string Text; // as the runner's --at takes it
};

struct TTask {
    std::string Title;
    std::string Text; // the assignment a student reads
    int64_t Ticks = 0;
    // Runner options every run shares: dt, speed factor, and always a fixed
    // seed and clock so that runs of one submission agree with each other.
    std::vector<std::string> RunnerOptions;
    std::vector<TTaskAction> Actions;
    std::vector<TExpectation> Expectations;
};

// Used when the task leaves them out.
constexpr uint32_t kDefaultSeed = 1;
constexpr const char* kDefaultTime = "12:00:00";

// Nothing and a message naming the file and line when the task is unusable.
std::optional<TTask> ReadTaskFile(const std::string& path, std::string& error);
std::optional<TTask> ParseTask(std::string_view text, const std::string& path, std::string& error);

// Runner arguments for the run that ends after tick `ticks`, but its actions.
std::vector<std::string> RunnerArguments(const TTask& task, int64_t ticks);
// The actions file of that run, one a line: only the actions due by then,
// except that the full run keeps those after its last tick.
std::string RunnerActions(const TTask& task, int64_t ticks);

} // namespace kelto::grade
