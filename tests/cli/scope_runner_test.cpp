// The oscilloscope windows' buttons and recordings end to end through
// keltosimu-run: the --at scope actions, the state's "scopes" and --vcd.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::filesystem::path kScopes = std::filesystem::path(KELTO_TEST_DATA_DIR) / "scopes";

// The object "key":{...} of one window in the state; its texts hold no braces.
std::string ScopeJson(const std::string& state, const std::string& key)
{
    const std::string start = "\"" + key + "\":{";
    size_t at = state.find(start);
    if (at == std::string::npos)
        return {};
    at += start.size() - 1;
    int depth = 0;
    for (size_t i = at; i < state.size(); ++i) {
        depth += state[i] == '{' ? 1 : state[i] == '}' ? -1 : 0;
        if (depth == 0)
            return state.substr(at, i + 1 - at);
    }
    return {};
}

// A recorded value; nothing for a null point.
using TSample = std::optional<double>;

// The "samples" of one window's object in the state, channel by channel.
std::vector<std::vector<TSample>> StateSamples(const std::string& scope)
{
    std::vector<std::vector<TSample>> channels;
    std::istringstream in(scope.substr(scope.find("\"samples\":[") + 11));
    for (char c = 0; in >> c && c != ']';) {
        if (c != '[')
            continue;
        channels.emplace_back();
        while (in && in.peek() != ']') {
            if (in.peek() == 'n') {
                in.ignore(4);
                channels.back().push_back(std::nullopt);
            } else {
                double value = 0;
                in >> value;
                channels.back().push_back(value);
            }
            if (in.peek() == ',')
                in.ignore();
        }
        in.ignore();
    }
    return channels;
}

// A value change dump read back: the timescale and every variable's changes
// by its full name ("scope.A").
struct TVcd {
    std::string Timescale;
    std::map<std::string, std::vector<std::pair<uint64_t, std::string>>> Changes;

    // The value held at `time`; empty before the first change.
    std::string ValueAt(const std::string& name, uint64_t time) const
    {
        std::string value;
        if (const auto found = Changes.find(name); found != Changes.end())
            for (const auto& [at, text] : found->second)
                if (at <= time)
                    value = text;
        return value;
    }
};

TVcd ReadVcd(const std::string& text)
{
    TVcd vcd;
    std::map<std::string, std::string> names;
    std::string scope;
    uint64_t time = 0;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        if (word == "$comment")
            while (in >> word && word != "$end") {
            }
        else if (word == "$timescale") {
            std::string number, unit;
            in >> number >> unit;
            vcd.Timescale = number + " " + unit;
        } else if (word == "$scope")
            in >> word >> scope;
        else if (word == "$var") {
            std::string type, size, id, name;
            in >> type >> size >> id >> name;
            names[id] = scope + "." + name;
        } else if (word[0] == '#')
            time = std::stoull(word.substr(1));
        else if (word[0] == 'r') {
            std::string id;
            in >> id;
            vcd.Changes[names.at(id)].push_back({time, word.substr(1)});
        } else if (names.count(word.substr(1)) != 0)
            vcd.Changes[names[word.substr(1)]].push_back({time, word.substr(0, 1)});
    }
    return vcd;
}

struct TScopeCase {
    const char* Name;
    std::vector<std::string> Args;
    const char* Window;
    std::string Expected;
};

TEST(ScopeRunner, ButtonsAndRecordingsShowInTheState)
{
    const std::string levels = (kScopes / "levels.dps").string();
    const std::string probe = (kScopes / "probe_supply.dps").string();
    const std::string hundredOnes = [] {
        std::string ones = "1";
        for (int i = 1; i < 100; ++i)
            ones += ",1";
        return ones;
    }();
    const TScopeCase cases[] = {
        {"without Run nothing is recorded and Clear is disabled",
         {"--ticks", "5", "--at", "2:scope:clear", "--at", "3:scope:stop", levels},
         "scope",
         R"({"sampling":false,"axisMinimum":0,"axisMaximum":100,"samples":[[],[],[],[],[],[],[],[]]})"},
        {"supply, ground, open channel and the wiper following the slider",
         {"--ticks", "4", "--at", "1:scope:run", "--at", "3:slider:3:0.25", levels},
         "scope",
         R"({"sampling":true,"axisMinimum":0,"axisMaximum":100,"samples":[[1,1,1,1],[0,0,0,0],)"
         R"([null,null,null,null],[null,null,null,null],[0,0,0.25,0.25],[null,null,null,null],)"
         R"([null,null,null,null],[null,null,null,null]]})"},
        {"one motor PWM output is its duty, PWM against a level is null",
         {"--ticks", "4", "--at", "1:scope:run", (kScopes / "motor_pwm.dps").string(),
          (kScopes / "motor_pwm.txt").string()},
         "scope",
         R"("samples":[[null,1,1,1],[null,null,null,null],)"},
        {"the page turns after the hundredth sample",
         {"--ticks", "100", "--at", "1:scope1:run", probe},
         "scope1",
         R"({"sampling":true,"axisMinimum":100,"axisMaximum":200,"samples":[[)" + hundredOnes + "]]}"},
        {"the 101st sample starts the new page",
         {"--ticks", "101", "--at", "1:scope1:run", probe},
         "scope1",
         R"({"sampling":true,"axisMinimum":100,"axisMaximum":200,"samples":[[)" + hundredOnes + ",1]]}"},
        {"stop, clear and run start again at sample zero",
         {"--ticks", "20", "--at", "1:scope1:run", "--at", "6:scope1:stop", "--at", "8:scope1:clear", "--at",
          "18:scope1:run", probe},
         "scope1",
         R"({"sampling":true,"axisMinimum":0,"axisMaximum":100,"samples":[[1,1,1]]})"},
        {"stop then run leaves no gap",
         {"--ticks", "20", "--at", "1:scope1:run", "--at", "6:scope1:stop", "--at", "18:scope1:run", probe},
         "scope1",
         R"({"sampling":true,"axisMinimum":0,"axisMaximum":100,"samples":[[1,1,1,1,1,1,1,1]]})"},
        {"the windows record independently",
         {"--ticks", "3", "--at", "1:scope1:run", probe},
         "scope",
         R"({"sampling":false,"axisMinimum":0,"axisMaximum":100,"samples":[[],[],[],[],[],[],[],[]]})"},
    };
    for (const TScopeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> args = {"--state", "-"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TCliResult run = RunCli(args);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        const std::string scope = ScopeJson(run.Out, c.Window);
        EXPECT_NE(scope.find(c.Expected), std::string::npos) << c.Expected << "\n" << scope.substr(0, 600);
    }
}

// Sample i of each window lies at i x --dt (here 25 units of 100 us) with the
// value the state holds; its level wire is 1 from 0.5 on, x at a null point.
TEST(ScopeRunner, TheValueChangeDumpHoldsEverySampleAtItsTime)
{
    const auto dir = ScratchDir("scope_vcd");
    const TCliResult run =
        RunCli({"--ticks", "6", "--dt", "0.0025", "--at", "1:scope:run", "--at", "3:scope1:run", "--at",
                "4:slider:3:0.25", "--state", (dir / "state.json").string(), "--vcd",
                (dir / "scopes.vcd").string(), (kScopes / "both_probes.dps").string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const TVcd vcd = ReadVcd(ReadFileText(dir / "scopes.vcd"));
    EXPECT_EQ(vcd.Timescale, "100 us");
    const std::string state = ReadFileText(dir / "state.json");
    size_t checked = 0;
    for (const std::string window : {"scope", "scope1"}) {
        const std::vector<std::vector<TSample>> channels = StateSamples(ScopeJson(state, window));
        for (size_t c = 0; c < channels.size(); ++c) {
            const std::string name = window + "." + static_cast<char>('A' + c);
            for (size_t i = 0; i < channels[c].size(); ++i, ++checked) {
                SCOPED_TRACE(name + " sample " + std::to_string(i));
                const std::string value = vcd.ValueAt(name, i * 25);
                const std::string level = vcd.ValueAt(name + "_level", i * 25);
                if (const TSample& expected = channels[c][i]) {
                    EXPECT_EQ(std::stod(value), *expected);
                    EXPECT_EQ(level, *expected >= 0.5 ? "1" : "0");
                } else {
                    EXPECT_EQ(value, "nan");
                    EXPECT_EQ(level, "x");
                }
            }
        }
    }
    EXPECT_EQ(checked, 8u * 6 + 4);
    // The shorter recording has ended by the longer one's fifth sample.
    EXPECT_EQ(vcd.ValueAt("scope1.A", 4 * 25), "nan");
    EXPECT_EQ(vcd.ValueAt("scope1.A", 3 * 25), "0.25");
}

TEST(ScopeRunner, UnknownScopeActionsAreRefused)
{
    for (const char* action : {"1:scope:pause", "1:scope2:run", "1:scope1", "1:scope:run:0"}) {
        SCOPED_TRACE(action);
        const TCliResult run = RunCli({"--at", action, (kScopes / "levels.dps").string()});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_NE(run.Err.find("action"), std::string::npos) << run.Err;
    }
}

} // namespace
} // namespace kelto
