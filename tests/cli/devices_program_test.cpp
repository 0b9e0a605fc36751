// Programs and parts together through keltosimu-run: a port write reaches a
// display one tick later, and scanning programs build steady pictures.
#include "devices_state.h"
#include "run_cli.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::filesystem::path kDevices = std::filesystem::path(KELTO_TEST_DATA_DIR) / "devices";

std::string RunState(const std::string& ticks, const char* circuit, const char* program)
{
    const TCliResult run = RunCli(
        {"--ticks", ticks, "--state", "-", (kDevices / circuit).string(), (kDevices / program).string()});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    return run.Out;
}

TEST(DevicesProgram, PortWriteLightsTheLedInTheFollowingTick)
{
    // Tick 1 sets the direction, tick 2 writes PORTB and commits it, tick 3
    // is the first in which the LED can read it.
    const std::string afterWrite = RunState("2", "mcu_led.dps", "led_portb.txt");
    EXPECT_NE(ComponentJson(afterWrite, 0).find(R"({"kind":3,"level":1,"value":0})"), std::string::npos);
    EXPECT_NE(ComponentJson(afterWrite, 1).find(R"("state":{"lit":0})"), std::string::npos);
    const std::string nextTick = RunState("3", "mcu_led.dps", "led_portb.txt");
    EXPECT_NE(ComponentJson(nextTick, 1).find(R"("state":{"lit":1})"), std::string::npos);
}

TEST(DevicesProgram, SegmentScanShowsOneDigitPatternPerSelect)
{
    const std::string state = RunState("200", "mcu_segments.dps", "segment_scan.txt");
    // "1" (B, C) on the first digit and "2" (A, B, D, E, G) on the second.
    EXPECT_NE(ComponentJson(state, 1).find(R"("segments":[0,1,1,0,0,0,0,0,1,1,0,1,1,0,1,0])"),
              std::string::npos)
        << ComponentJson(state, 1);
}

TEST(DevicesProgram, MatrixScanKeepsEachRowsPattern)
{
    const std::string state = RunState("200", "mcu_matrix.dps", "matrix_scan.txt");
    std::string dots = R"("dots":[1,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0)";
    for (int i = 32; i < 256; ++i)
        dots += ",0";
    EXPECT_NE(ComponentJson(state, 1).find(dots + "]"), std::string::npos) << ComponentJson(state, 1);
}

TEST(DevicesProgram, ProgramInitialisesTheLcdAndWritesText)
{
    const std::string lcd = ComponentJson(RunState("200", "mcu_lcd.dps", "lcd_hello.txt"), 1);
    EXPECT_NE(lcd.find(R"("displayOn":1,"twoLine":1,"eightBit":1)"), std::string::npos) << lcd.substr(0, 300);
    EXPECT_NE(lcd.find(R"("text":["HI              ","                "])"), std::string::npos);
}

} // namespace
} // namespace kelto
