// keltosimu-run plays tunes and speaks the clock in simulated time: a PLAY or
// CLOCK wait lasts as many ticks of --dt as the sound.
#include "../../cli/run_cli.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::string kCircuit = std::string(KELTO_TEST_DATA_DIR) + "/programs/mcu_only.dps";

// The tick at which the runner wrote the event named `event`, or -1.
int TickOf(const std::string& events, const std::string& event)
{
    const std::string marker = ",\"event\":\"" + event + "\"";
    const size_t at = events.find(marker);
    const size_t tick = events.rfind("{\"tick\":", at);
    if (at == std::string::npos || tick == std::string::npos)
        return -1;
    return std::stoi(events.substr(tick + 8, at - tick - 8));
}

std::string EventsOf(const std::string& name, const std::string& statement,
                     const std::vector<std::string>& extra)
{
    const auto dir = ScratchDir(name);
    const auto program = dir / "program.txt";
    std::ofstream(program, std::ios::binary)
        << "0 REM \"KELTOBASIC\"\r\n10 REM \"" << statement << "\"\r\n20 REM \"VOICEX 5\"\r\n";
    std::vector<std::string> args = {"--events", (dir / "events.jsonl").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(kCircuit);
    args.push_back(program.string());
    const TCliResult run = RunCli(args);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    return ReadFileText(dir / "events.jsonl");
}

TEST(SoundRunner, APlayWaitLastsTheTune)
{
    // "PLAY 1438" is C4 for 48 and E4 for 96 stream ticks of 10 ms: 1.44 s.
    // The wait sees the tune end one tick later; the next line runs after that.
    const struct {
        const char* Dt;
        int VoiceTick;
    } cases[] = {{"0.001", 1442}, {"0.002", 722}, {"0.1", 17}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dt);
        const std::string events = EventsOf("sound_play", "PLAY 1438", {"--ticks", "2000", "--dt", c.Dt});
        EXPECT_EQ(TickOf(events, "play"), 1);
        EXPECT_EQ(TickOf(events, "voice"), c.VoiceTick) << events;
    }
}

TEST(SoundRunner, AClockWaitLastsItsWords)
{
    // 12:00 is six words.
    const std::string events =
        EventsOf("sound_clock", "CLOCK", {"--ticks", "4000", "--time", "12:00:00", "--dt", "0.001"});
    EXPECT_EQ(TickOf(events, "clock"), 1);
    EXPECT_EQ(TickOf(events, "voice"), 1 + 6 * 600 + 1);
}

} // namespace
} // namespace kelto
