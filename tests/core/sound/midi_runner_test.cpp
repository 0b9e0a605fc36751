// keltosimu-run plays tunes and speaks the clock in simulated time: a PLAY or
// CLOCK wait lasts as many ticks of --dt as the sound, and --midi writes
// the tunes down.
#include "../../cli/run_cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

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

struct TMidiEvent {
    double Milliseconds = 0;
    uint8_t Status = 0;
    uint8_t Data1 = 0;
    uint8_t Data2 = 0;
};

uint32_t BigEndian(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | static_cast<uint8_t>(bytes.at(at + static_cast<size_t>(i)));
    return value;
}

// The channel messages of a format 0 file, with running status, timed by
// its tempo; nothing when the header or the track is not as the format says.
std::optional<std::vector<TMidiEvent>> ReadMidiFile(const std::string& bytes)
{
    if (bytes.substr(0, 4) != "MThd" || BigEndian(bytes, 4, 4) != 6 || BigEndian(bytes, 8, 2) != 0 ||
        BigEndian(bytes, 10, 2) != 1 || bytes.substr(14, 4) != "MTrk" ||
        18 + BigEndian(bytes, 18, 4) + 4 != bytes.size())
        return std::nullopt;
    const double division = BigEndian(bytes, 12, 2);
    double microsecondsPerTick = 500000 / division;
    double now = 0;
    uint8_t status = 0;
    std::vector<TMidiEvent> events;
    for (size_t at = 22; at < bytes.size();) {
        uint32_t delta = 0;
        uint8_t byte = 0;
        do {
            byte = static_cast<uint8_t>(bytes.at(at++));
            delta = delta << 7 | (byte & 0x7F);
        } while ((byte & 0x80) != 0);
        now += delta * microsecondsPerTick / 1000;
        if (static_cast<uint8_t>(bytes.at(at)) == 0xFF) {
            const uint8_t type = static_cast<uint8_t>(bytes.at(at + 1));
            const size_t length = static_cast<uint8_t>(bytes.at(at + 2));
            if (type == 0x51)
                microsecondsPerTick = BigEndian(bytes, at + 3, 3) / division;
            if (type == 0x2F)
                return at + 3 == bytes.size() ? std::optional(events) : std::nullopt;
            at += 3 + length;
            continue;
        }
        if ((static_cast<uint8_t>(bytes.at(at)) & 0x80) != 0)
            status = static_cast<uint8_t>(bytes.at(at++));
        TMidiEvent event{now, status, static_cast<uint8_t>(bytes.at(at++))};
        if ((status & 0xE0) != 0xC0)
            event.Data2 = static_cast<uint8_t>(bytes.at(at++));
        events.push_back(event);
    }
    return std::nullopt;
}

// The tune starts in the tick of its PLAY; its notes keep the stream's
// timing: C4 for 480 ms, then E4 for 960 ms, on the piano, at full velocity.
TEST(SoundRunner, TheMidiFileHoldsPlaysNotesAtTheirTimes)
{
    const auto dir = ScratchDir("sound_midi");
    const auto program = dir / "program.txt";
    std::ofstream(program, std::ios::binary)
        << "0 REM \"KELTOBASIC\"\r\n10 REM \"A = 1\"\r\n20 REM \"A = 2\"\r\n30 REM \"PLAY 1438\"\r\n";
    const TCliResult run =
        RunCli({"--ticks", "300", "--dt", "0.01", "--events", (dir / "events.jsonl").string(), "--midi",
                (dir / "tune.mid").string(), kCircuit, program.string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const double start = (TickOf(ReadFileText(dir / "events.jsonl"), "play") - 1) * 10.0;
    EXPECT_EQ(start, 20.0);
    const std::optional<std::vector<TMidiEvent>> events = ReadMidiFile(ReadFileText(dir / "tune.mid"));
    ASSERT_TRUE(events);
    std::vector<std::string> notes;
    std::optional<int> instrument;
    for (const TMidiEvent& event : *events) {
        if (event.Status == 0xC0 && notes.empty())
            instrument = event.Data1;
        if ((event.Status & 0xE0) == 0x80)
            notes.push_back(std::to_string(event.Milliseconds - start) + " " + std::to_string(event.Data1) +
                            " " + std::to_string(event.Status == 0x90 ? event.Data2 : 0));
    }
    EXPECT_EQ(instrument, 0);
    EXPECT_EQ(notes, (std::vector<std::string>{"0.000000 48 127", "480.000000 48 0", "480.000000 52 127",
                                               "1440.000000 52 0"}));
}

} // namespace
} // namespace kelto
