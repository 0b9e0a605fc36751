// The offline renderer behind --audio: its pieces only bound the memory, so
// every piece size gives the same samples, clips and notes included.
#include "platform/offline_sound.h"
#include "platform/wave_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace kelto {
namespace {

constexpr int32_t kRate = 44100;

int64_t At(double seconds)
{
    return static_cast<int64_t>(std::llround(seconds * 1e6));
}

// A 16-bit mono clip at another rate than the output, so it is resampled.
void WriteToneClip(const std::filesystem::path& path, double seconds, double hertz)
{
    constexpr int32_t kClipRate = 22050;
    std::vector<int16_t> samples(static_cast<size_t>(seconds * kClipRate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] =
            static_cast<int16_t>(12000 * std::sin(2 * M_PI * hertz * static_cast<double>(i) / kClipRate));
    std::string bytes = WaveHeader16(samples.size() * 2, 1, kClipRate);
    AppendSamples16(bytes, samples);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

TTimedSynthInput NoteOn(double seconds, uint8_t key)
{
    TTimedSynthInput input;
    input.Microseconds = At(seconds);
    input.Record.Event = 0x90u | uint32_t{key} << 8 | 100u << 16;
    return input;
}

std::vector<int16_t> Render(const TSoundScript& script, double seconds, const TWaveFolders& folders,
                            size_t pieceFrames)
{
    std::vector<int16_t> all;
    const auto missing = StreamSoundScript(
        script, At(seconds), folders,
        [&](std::span<const int16_t> piece) { all.insert(all.end(), piece.begin(), piece.end()); },
        pieceFrames);
    EXPECT_TRUE(missing.has_value());
    return all;
}

double Loudness(const std::vector<int16_t>& samples, double from, double to)
{
    double sum = 0.0;
    const auto first = static_cast<size_t>(from * kRate) * 2;
    const auto last = static_cast<size_t>(to * kRate) * 2;
    for (size_t i = first; i < last; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(last - first));
}

TEST(OfflineSound, EveryPieceSizeRendersTheSameSamples)
{
    const auto dir = std::filesystem::temp_directory_path() / "kelto_offline_sound";
    std::filesystem::remove_all(dir);
    WriteToneClip(dir / "program/WAV/1.WAV", 0.4, 440);
    WriteToneClip(dir / "voice/W_1.wav", 0.3, 660);
    const TWaveFolders folders{(dir / "voice").string(), (dir / "program").string()};

    // Notes, clips and words around the default piece's end (1.486 s) and
    // its second end (2.972 s); a clip cut by the next; a missing file.
    TSoundScript script;
    script.Synth = {NoteOn(0.2, 60), NoteOn(1.4861, 64), NoteOn(1.49, 67)};
    TTimedSynthInput off;
    off.Microseconds = At(2.0);
    off.Kind = TTimedSynthInput::TKind::NotesOff;
    script.Synth.push_back(off);
    script.Clips = {{At(1.3), "WAV/1.WAV"}, {At(1.5), "WAV/1.WAV"}, {At(2.6), "WAV/2.WAV"}};
    script.Sentences = {{At(2.8), {"W_1", "W_1", "W_1"}}};
    constexpr double kSeconds = 3.5;

    const std::vector<int16_t> whole = Render(script, kSeconds, folders, kSoundPieceFrames);
    ASSERT_EQ(whole.size(), RenderedFrames(At(kSeconds)) * 2);
    EXPECT_GT(Loudness(whole, 0.3, 1.2), 100.0) << "the first note";
    EXPECT_GT(Loudness(whole, 2.9, 3.4), 100.0) << "the sentence";
    EXPECT_LT(Loudness(whole, 2.05, 2.5), Loudness(whole, 1.6, 1.9)) << "notes off";
    for (const size_t piece : {size_t{1000}, size_t{4096}, size_t{63}, size_t{1}})
        EXPECT_EQ(Render(script, kSeconds, folders, piece), whole) << piece << " frames a piece";

    const auto missing = StreamSoundScript(script, At(kSeconds), folders, [](std::span<const int16_t>) {});
    EXPECT_EQ(missing, std::optional(std::vector<std::string>{"WAV/2.WAV"}));
}

} // namespace
} // namespace kelto
