// Part behaviours end to end through keltosimu-run, driven by supplies,
// ground, buttons and the resistor's slider.
#include "devices_state.h"
#include "run_cli.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::filesystem::path kDevices = std::filesystem::path(KELTO_TEST_DATA_DIR) / "devices";

struct TStateCase {
    const char* Name;
    std::vector<std::string> Args;
    const char* Circuit;
    int Component;
    std::vector<std::string> Fragments;
};

TEST(DevicesRunner, PartsReportTheirBehaviourInTheState)
{
    const TStateCase cases[] = {
        {"motor between supply and ground turns down at the speed factor",
         {"--ticks", "50", "--dt", "0.01", "--speed-factor", "100"},
         "motor_supply.dps",
         2,
         {R"("state":{"angle":-50,"duty":1,"direction":0})"}},
        {"voltmeter on the wiper",
         {"--ticks", "2", "--at", "1:slider:0:0.25"},
         "voltmeter_wiper.dps",
         1,
         {R"("state":{"reading":"1.25000"})"}},
        {"an E pulse from the push button runs the instruction on the data pins",
         {"--ticks", "5", "--at", "3:press:2"},
         "lcd_button.dps",
         0,
         {R"("address":0,"displayOn":1,"twoLine":0,"eightBit":1,"shift":0,"cursorOn":1,"blinkOn":1)",
          R"("text":["                ",""])"}},
        {"without the pulse the display stays off",
         {"--ticks", "5"},
         "lcd_button.dps",
         0,
         {R"("displayOn":0)", R"("cells":[0,0,0,0,0,)"}},
    };
    for (const TStateCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> args = c.Args;
        args.insert(args.end(), {"--state", "-", (kDevices / c.Circuit).string()});
        const TCliResult run = RunCli(args);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        const std::string component = ComponentJson(run.Out, c.Component);
        for (const std::string& fragment : c.Fragments)
            EXPECT_NE(component.find(fragment), std::string::npos) << fragment << "\n"
                                                                   << component.substr(0, 400);
    }
}

} // namespace
} // namespace kelto
