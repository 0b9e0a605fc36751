// The oscilloscope windows' buttons and recordings end to end through
// keltosimu-run: the --at scope actions and the state's "scopes".
#include "run_cli.h"

#include <gtest/gtest.h>

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
