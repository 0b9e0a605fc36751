// Recordings written and read back, and the texts a recording must refuse.
#include "core/replay/recording_text.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

TRunRecording FullRecording()
{
    TRunRecording recording;
    recording.MadeBy = "keltosimu 0.1.0";
    recording.Circuit = "<KELTOSIMU>\xE9\xFF\r\n</KELTOSIMU>\n"; // Latin-1 bytes and line ends
    recording.ProgramLines = {"第1课", "0 REM \"KELTOBASIC\"", "", "10 REM \"PLAY 1438\"\r"};
    recording.RunAtStart = true;
    recording.SpeedFactor = 200.5;
    recording.Seed = 4294967295u;
    recording.DeltaTimes.AppendRun(0.001, 40);
    recording.DeltaTimes.Append(0.0010473219);
    recording.Actions = {{0, "run"}, {5, "press:3"}, {5, "keydown:1:2:3"}};
    recording.ClockReadings.AppendRun({23, 59, 59}, 3);
    recording.ClockReadings.Append({0, 0, 0});
    for (int i = 0; i < 40; ++i) // more runs than one line holds
        recording.TunesPlaying.Append(i % 2 == 0);
    recording.ClockAnnouncing.AppendRun(false, 7);
    recording.ClipFilesFound.Append(false);
    return recording;
}

TEST(RecordingText, EveryFieldReadsBackAsWritten)
{
    const TRunRecording recording = FullRecording();
    std::string error;
    const std::optional<TRunRecording> read = ReadRecording(WriteRecording(recording), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(*read, recording);
    EXPECT_EQ(read->Ticks(), 41);
    // FNV-1a 64, as the format says, so other programs can check a recording.
    EXPECT_EQ(RecordingChecksumLine("a"), "checksum af63dc4c8601ec8c\n");
}

TEST(RecordingText, TakesAProgramOfAsManyLinesAsAProgramFileMayHave)
{
    TRunRecording recording;
    recording.ProgramLines.assign(65536, "10 REM \"END\"");
    std::string error;
    const std::optional<TRunRecording> read = ReadRecording(WriteRecording(recording), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->ProgramLines.size(), 65536u);
}

// A text with its checksum made right, so the parser itself has to refuse.
std::string Sealed(std::string body)
{
    return body + RecordingChecksumLine(body);
}

TEST(RecordingText, RefusesWhatIsNotAWholeRecordingOfThisFormat)
{
    const std::string head = "KeltoSimu recording\nformat 1\n";
    const std::string written = WriteRecording(FullRecording());
    const struct {
        std::string Text;
        std::string Error;
    } cases[] = {
        {"", "not a KeltoSimu recording"},
        {Sealed("KeltoSimu recording\nformat 2\n"), "line 2: the recording has format 2; this program reads format 1"},
        {Sealed("KeltoSimu recording\n"), "line 2: the recording's format line is missing"},
        {head, "line 3: the recording ends early (no checksum line)"},
        {written.substr(0, written.size() - 1), "ends early"},
        {written + "x\n", "text after the checksum"},
        {std::string(written).replace(written.find("0.001*40"), 8, "0.001*41"), "checksum does not match"},
        {Sealed(head + "circuit 40\n<K/>\n"), "line 3: the circuit is cut short"},
        {Sealed(head + "circuit 3\n<K/>\n"), "line 3: the circuit is cut short"},
        {Sealed(head + "circuit 2\n\xE4\xB8\n"), "the circuit holds a character a circuit file cannot"},
        {head + "program 3\na\n", "line 4: the program is cut short"},
        {Sealed(head + "program 65537\n"), "at most 65536"},
        {Sealed(head + "action 5 run\naction 4 stop\n"), "line 4: actions must come in the order of their ticks"},
        {Sealed(head + "action -1 run\n"), "action wants TICK ACTION"},
        {Sealed(head + "action 5\n"), "action wants TICK ACTION"},
        {Sealed(head + "dt 0.001*0\n"), "dt wants"},
        {Sealed(head + "dt 3601*1\n"), "dt wants"},
        {Sealed(head + "dt 0.001*9223372036854775807 0.001*1\n"), "dt wants"},
        {Sealed(head + "clock 24:00:00*1\n"), "clock wants"},
        {Sealed(head + "tune-playing 2*1\n"), "tune-playing wants"},
        {Sealed(head + "run-at-start yes\n"), "run-at-start wants 0 or 1"},
        {Sealed(head + "seed -1\n"), "seed wants"},
        {Sealed(head + "speed-factor 1e7\n"), "speed-factor wants"},
        {Sealed(head + "colour red\n"), "line 3: unknown line 'colour'"},
        {Sealed(head + "circuit 5\na\nb\nc\ncolour red\n"), "line 7: unknown line 'colour'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        std::string error;
        EXPECT_FALSE(ReadRecording(c.Text, error));
        EXPECT_NE(error.find(c.Error), std::string::npos) << error;
    }
}

} // namespace
} // namespace kelto
