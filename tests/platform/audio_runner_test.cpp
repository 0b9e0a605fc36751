// keltosimu-run --audio: the run's sound rendered to a wave file, checked by
// listening to the samples (pitch, loudness, length).
#include "../cli/run_cli.h"
#include "platform/wave_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::filesystem::path kData = KELTO_TEST_DATA_DIR;

struct TWave {
    TWaveClip Clip;
    double Sample(size_t frame) const // the left channel
    {
        const size_t at = frame * static_cast<size_t>(Clip.FrameSize());
        return static_cast<int16_t>(Clip.Samples[at] | Clip.Samples[at + 1] << 8);
    }
    size_t FrameAt(double seconds) const { return static_cast<size_t>(seconds * Clip.SampleRate); }
};

// The fundamental of a 40 ms window by normalised autocorrelation: the
// shortest lag that repeats the window almost exactly, so an octave below
// (which repeats it too) is not taken.
double PitchAt(const TWave& wave, double seconds)
{
    const size_t start = wave.FrameAt(seconds);
    const size_t length = wave.FrameAt(0.04);
    const auto correlation = [&](size_t lag) {
        double sum = 0.0, a = 0.0, b = 0.0;
        for (size_t i = 0; i < length; ++i) {
            const double x = wave.Sample(start + i), y = wave.Sample(start + i + lag);
            sum += x * y, a += x * x, b += y * y;
        }
        return a > 0.0 && b > 0.0 ? sum / std::sqrt(a * b) : 0.0;
    };
    for (size_t lag = wave.FrameAt(1.0 / 1000); lag < wave.FrameAt(1.0 / 60); ++lag)
        if (correlation(lag) > 0.9 && correlation(lag) >= correlation(lag + 1))
            return wave.Clip.SampleRate / static_cast<double>(lag);
    return 0.0;
}

double Loudness(const TWave& wave, double from, double to)
{
    double sum = 0.0;
    for (size_t i = wave.FrameAt(from); i < wave.FrameAt(to); ++i)
        sum += wave.Sample(i) * wave.Sample(i);
    return std::sqrt(sum / static_cast<double>(wave.FrameAt(to) - wave.FrameAt(from)));
}

TWave RunWithAudio(const std::string& name, const std::string& program, std::vector<std::string> args)
{
    const auto dir = ScratchDir(name);
    std::ofstream(dir / "program.txt", std::ios::binary) << "0 REM \"KELTOBASIC\"\r\n" << program;
    args.insert(args.end(), {"--audio", (dir / "run.wav").string(),
                             (kData / "programs" / "mcu_only.dps").string(), (dir / "program.txt").string()});
    const TCliResult run = RunCli(args);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    std::optional<TWaveClip> clip = LoadWaveFile((dir / "run.wav").string());
    EXPECT_TRUE(clip.has_value());
    return {clip.value_or(TWaveClip{})};
}

TEST(AudioRunner, PlaySoundsItsNotesAtTheirPitchAndTime)
{
    const TWave wave = RunWithAudio("audio_play", "10 REM \"PLAY 1438\"\r\n", {"--ticks", "1500"});
    ASSERT_EQ(wave.Clip.SampleRate, 44100);
    ASSERT_EQ(wave.Clip.BitsPerSample, 16);
    // As long as the run: 1500 ticks of a millisecond.
    EXPECT_EQ(wave.Clip.FrameCount(), 66150u);
    // This dialect's C4 and E4 are MIDI keys 48 and 52; the second note
    // starts half a second in (a quarter, then a quarter's rest).
    EXPECT_NEAR(PitchAt(wave, 0.1), 130.81, 2.0);
    EXPECT_NEAR(PitchAt(wave, 0.3), 130.81, 2.0);
    EXPECT_NEAR(PitchAt(wave, 0.55), 164.81, 2.5);
    EXPECT_NEAR(PitchAt(wave, 0.7), 164.81, 2.5);
    double onset = 0.0;
    for (double t = 0.3; t < 0.8 && onset == 0.0; t += 0.005)
        if (std::abs(PitchAt(wave, t) - 164.81) < 2.5)
            onset = t;
    EXPECT_NEAR(onset, 0.5, 0.03);
}

TEST(AudioRunner, SilentRunIsSilentAndAsLongAsTheRun)
{
    const TWave wave =
        RunWithAudio("audio_silent", "10 REM \"PRINT 1\"\r\n", {"--ticks", "20", "--dt", "0.01"});
    EXPECT_EQ(wave.Clip.FrameCount(), 8820u);
    EXPECT_EQ(Loudness(wave, 0.0, 0.2), 0.0);
}

#ifdef KELTO_VOICE_CLIPS_BUILT
TEST(AudioRunner, VoiceClipsAndTheSpokenClockAreMixedInWhenTheyStart)
{
    const TWave voice =
        RunWithAudio("audio_voice", "10 REM \"WAIT 300\"\r\n20 REM \"VOICEX 5\"\r\n", {"--ticks", "1500"});
    EXPECT_LT(Loudness(voice, 0.0, 0.29), 1.0);
    EXPECT_GT(Loudness(voice, 0.3, 1.0), 300.0);
    const TWave clock =
        RunWithAudio("audio_clock", "10 REM \"CLOCK\"\r\n", {"--ticks", "1500", "--time", "10:05:00"});
    EXPECT_GT(Loudness(clock, 0.0, 1.0), 300.0);
}
#endif

TEST(AudioRunner, StandardOutputIsRefused)
{
    const TCliResult run = RunCli({"--audio", "-", (kData / "programs" / "mcu_only.dps").string()});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Err.find("--audio"), std::string::npos) << run.Err;
}

} // namespace
} // namespace kelto
