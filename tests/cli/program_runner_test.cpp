// keltosimu-run with a program: Run before tick 1, the run buttons as --at
// actions, the message log on stdout, events, traces and the program state.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::filesystem::path kPrograms = std::filesystem::path(KELTO_TEST_DATA_DIR) / "programs";

std::string Data(const char* name)
{
    return (kPrograms / name).string();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The trace line of one tick, or "" when there is none.
std::string TraceOfTick(const std::string& trace, int tick)
{
    const std::string prefix = "{\"tick\":" + std::to_string(tick) + ",";
    for (const std::string& line : Lines(trace))
        if (line.rfind(prefix, 0) == 0)
            return line;
    return "";
}

bool Contains(const std::string& text, const std::string& fragment)
{
    return text.find(fragment) != std::string::npos;
}

TEST(ProgramRunner, TheExampleProgramPrintsEightInTick107AndEndsInTick109)
{
    const auto dir = ScratchDir("program_example");
    const auto trace = dir / "trace.jsonl";
    const TCliResult run =
        RunCli({"--ticks", "120", "--trace", trace.string(), "--state", (dir / "state.json").string(),
                Data("mcu_led.dps"), Data("port_counter.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, "开始\n> 8 <\n结束\n");
    const std::string lines = ReadFileText(trace);
    EXPECT_EQ(Lines(lines).size(), 120u);
    EXPECT_EQ(TraceOfTick(lines, 4), R"({"tick":4,"step":"statement","line":40,"log":[],"pins":[]})");
    EXPECT_EQ(TraceOfTick(lines, 5), R"({"tick":5,"step":"wait","wait":0,"left":9,"log":[],"pins":[]})");
    EXPECT_EQ(TraceOfTick(lines, 15), R"({"tick":15,"step":"statement","line":50,"log":[],"pins":[]})");
    // The second pass writes 1 to port B: PB0 (pin 13) goes high.
    EXPECT_EQ(
        TraceOfTick(lines, 16),
        R"({"tick":16,"step":"statement","line":30,"log":[],"pins":[{"part":0,"pin":13,"kind":3,"level":1,"value":0}]})");
    EXPECT_EQ(TraceOfTick(lines, 107),
              R"({"tick":107,"step":"statement","line":60,"log":["> 8 <"],"pins":[]})");
    EXPECT_EQ(TraceOfTick(lines, 108), R"({"tick":108,"step":"statement","line":70,"log":[],"pins":[]})");
    EXPECT_TRUE(Contains(TraceOfTick(lines, 109), R"("step":"end","log":["结束"])"));
    EXPECT_EQ(TraceOfTick(lines, 110), R"({"tick":110,"step":"none","log":[],"pins":[]})");

    const std::string state = ReadFileText(dir / "state.json");
    EXPECT_TRUE(Contains(state, R"({"ticks":120,"running":false,"log":["开始","> 8 <","结束"],"line":0,)"));
    EXPECT_TRUE(Contains(state, R"("H":0,"I":8,"J":0,)"));
}

TEST(ProgramRunner, TheTypicalRequestLightsTheLedInTheThirdTick)
{
    const TCliResult run =
        RunCli({"--ticks", "3", "--trace", "-", Data("mcu_led.dps"), Data("typical_request.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Contains(
        TraceOfTick(run.Out, 1),
        R"("step":"statement","line":10,"log":["开始"],"pins":[{"part":0,"pin":13,"kind":3,"level":0,)"));
    EXPECT_TRUE(Contains(TraceOfTick(run.Out, 2),
                         R"("line":20,"log":[],"pins":[{"part":0,"pin":13,"kind":3,"level":1,)"));
    // The end of the run drives the four motor pins (PD4..PD7 are pins 5, 10, 11, 12) low.
    EXPECT_EQ(
        TraceOfTick(run.Out, 3),
        R"({"tick":3,"step":"end","log":["结束"],"pins":[{"part":0,"pin":5,"kind":3,"level":0,"value":0},)"
        R"({"part":0,"pin":10,"kind":3,"level":0,"value":0},{"part":0,"pin":11,"kind":3,"level":0,"value":0},)"
        R"({"part":0,"pin":12,"kind":3,"level":0,"value":0}]})");

    const TCliResult state =
        RunCli({"--ticks", "3", "--state", "-", Data("mcu_led.dps"), Data("typical_request.txt")});
    EXPECT_TRUE(Contains(state.Out, R"("class":"TSimuLEDB")"));
    EXPECT_TRUE(Contains(state.Out, R"("state":{"lit":1})"));
}

TEST(ProgramRunner, PrintAppearsFourTicksAfterWait3)
{
    const TCliResult run =
        RunCli({"--ticks", "8", "--trace", "-", Data("mcu_only.dps"), Data("wait_print.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Contains(TraceOfTick(run.Out, 2), R"("step":"statement","line":20,)"));
    for (int tick = 3; tick <= 5; ++tick)
        EXPECT_TRUE(Contains(TraceOfTick(run.Out, tick), R"("step":"wait","wait":0,)")) << tick;
    EXPECT_TRUE(Contains(TraceOfTick(run.Out, 6), R"("line":30,"log":["> 1 <"])"));
}

TEST(ProgramRunner, RunButtonsAsActions)
{
    struct TCase {
        const char* Name;
        std::vector<std::string> Args;
        std::string StateFragment;
        std::string Out;
    };
    // FDX at tick 1, FOR at tick 2, then NEXT I makes I one higher every tick.
    const TCase cases[] = {
        {"runs from tick 1", {"--ticks", "10"}, R"("running":true,"log":["开始"],"line":21,)", "开始\n"},
        {"no run", {"--ticks", "10", "--no-run"}, R"("running":false,"log":[],"line":0,)", ""},
        {"run later", {"--ticks", "10", "--no-run", "--at", "6:run"}, R"("I":4,)", "开始\n"},
        {"pause freezes", {"--ticks", "30", "--at", "11:pause"}, R"("I":9,)", "开始\n"},
        {"continue resumes",
         {"--ticks", "30", "--at", "11:pause", "--at", "21:continue"},
         R"("I":19,)",
         "开始\n"},
        {"stop is disabled while paused",
         {"--ticks", "30", "--at", "11:pause", "--at", "12:stop"},
         R"("running":true,)",
         "开始\n"},
        {"stop ends at the next tick",
         {"--ticks", "30", "--at", "11:stop"},
         R"("running":false,)",
         "开始\n结束\n"},
        {"run is disabled while running", {"--ticks", "10", "--at", "5:run"}, R"("I":9,)", "开始\n"},
        {"step while paused runs one statement",
         {"--ticks", "30", "--at", "11:pause", "--at", "15:step"},
         R"("I":10,)",
         "开始\n"},
        {"step from idle starts a paused run",
         {"--ticks", "10", "--no-run", "--at", "3:step", "--at", "5:step"},
         R"("running":true,"log":["开始"],"line":21,"variables":{"A":0,"B":0,"C":0,"D":0,"E":0,"F":0,"G":0,"H":0,"I":1,)",
         "开始\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> args{"--state", "-"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        args.push_back(Data("mcu_led.dps"));
        args.push_back(Data("count_forever.txt"));
        const TCliResult run = RunCli(args);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_TRUE(Contains(run.Out, c.StateFragment)) << run.Out.substr(0, 300);
        EXPECT_EQ(run.Out.substr(0, run.Out.find('{')), c.Out);
    }
}

TEST(ProgramRunner, StopDrivesTheMotorPinsLow)
{
    const TCliResult run = RunCli(
        {"--ticks", "6", "--at", "5:stop", "--trace", "-", Data("mcu_led.dps"), Data("count_forever.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Contains(TraceOfTick(run.Out, 1), R"({"part":0,"pin":10,"kind":3,"level":1,"value":0})"));
    EXPECT_TRUE(Contains(TraceOfTick(run.Out, 5),
                         R"("step":"end","log":["结束"],"pins":[{"part":0,"pin":10,"kind":3,"level":0,)"));
}

TEST(ProgramRunner, SoundRequestsBecomeEvents)
{
    // How long a tune or the clock keeps the program waiting is the sound
    // devices' business; the events before the first wait have fixed ticks.
    const auto dir = ScratchDir("program_events");
    const TCliResult run =
        RunCli({"--ticks", "30000", "--time", "14:05:09", "--events", (dir / "events.jsonl").string(),
                Data("mcu_only.dps"), Data("sounds.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const std::vector<std::string> events = Lines(ReadFileText(dir / "events.jsonl"));
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0], R"({"tick":1,"event":"voice","clip":5,"source":"M_05WAV"})");
    EXPECT_EQ(events[1], R"({"tick":2,"event":"voice","clip":105,"source":"F_05WAV"})");
    EXPECT_EQ(events[2], R"({"tick":4,"event":"play","text":"C4;48,48;E4;96"})");
    const auto withoutTick = [](const std::string& event) { return event.substr(event.find(",\"event\"")); };
    EXPECT_EQ(withoutTick(events[3]), R"(,"event":"play","text":"E4;48,48;G4;96"})");
    EXPECT_EQ(withoutTick(events[4]),
              R"(,"event":"clock","words":["XZ","XIAWU","LIANG","DIAN","0","5","FEN"]})");
    EXPECT_EQ(run.Out, "开始\n> 1405 <\n> 9 <\n结束\n");
}

TEST(ProgramRunner, ASeedMakesRandomReproducible)
{
    const auto printed = [](const std::string& seed) {
        return RunCli({"--ticks", "5", "--seed", seed, Data("mcu_only.dps"), Data("random.txt")}).Out;
    };
    const std::string first = printed("42");
    EXPECT_EQ(Lines(first).size(), 5u);
    EXPECT_EQ(printed("42"), first);
    EXPECT_NE(printed("43"), first);
}

TEST(ProgramRunner, ProgramFilesAreGbkWithAnyLineEnd)
{
    const TCliResult run = RunCli({"--ticks", "5", Data("mcu_only.dps"), Data("chinese_cr.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, "开始\n> 42 <\n> 14 <\n结束\n");
}

TEST(ProgramRunner, Utf8ProgramFilesRunAsTheirGbkForm)
{
    // 中 is two bytes in GBK: the jump target starts right after it. Read as
    // GBK, the UTF-8 form's three bytes would push the target out of place.
    const std::string lines[] = {"0 REM \"KELTOBASIC\"\r\n", "10 REM \"GO", "30\"\r\n20 REM \"PRINT 2\"\r\n",
                                 "30 REM \"PRINT 3\"\r\n"};
    const auto dir = ScratchDir("program_utf8");
    const std::pair<const char*, std::string> files[] = {
        {"gbk.txt", lines[0] + lines[1] + "\xD6\xD0" + lines[2] + lines[3]},
        {"utf8.txt", lines[0] + lines[1] + "中" + lines[2] + lines[3]},
        {"bom.txt", "\xEF\xBB\xBF" + lines[0] + lines[1] + "中" + lines[2] + lines[3]},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        std::ofstream(dir / name, std::ios::binary) << bytes;
        const TCliResult run = RunCli({"--ticks", "6", Data("mcu_only.dps"), (dir / name).string()});
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_EQ(run.Out, "开始\n> 3 <\n结束\n");
    }
}

TEST(ProgramRunner, NothingRunsWithoutAMicrocontroller)
{
    const TCliResult run =
        RunCli({"--ticks", "5", "--state", "-", Data("no_mcu.dps"), Data("typical_request.txt")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out.rfind(R"({"ticks":5,"running":false,"log":[],"line":0,)", 0), 0u);
}

TEST(ProgramRunner, BadProgramInputIsRefused)
{
    const std::vector<std::string> cases[] = {
        {Data("mcu_only.dps"), Data("missing.txt")},
        {"--time", "25:00:00", Data("mcu_only.dps"), Data("wait_print.txt")},
        {"--time", "1:2:3", Data("mcu_only.dps")},
        {"--seed", "-1", Data("mcu_only.dps")},
        {"--at", "3:runn", Data("mcu_only.dps")},
        {Data("mcu_only.dps"), Data("wait_print.txt"), "third"},
        {"--events", "/nonexistent/dir/e.jsonl", Data("mcu_only.dps")},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const TCliResult run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(Lines(run.Err).empty(), false);
        EXPECT_EQ(run.Out, "");
    }
}

} // namespace
} // namespace kelto
