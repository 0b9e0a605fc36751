#include "platform/wave_file.h"

#include <gtest/gtest.h>

#include <string>

namespace kelto {
namespace {

void Put32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void Put16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void PutTag(std::vector<uint8_t>& bytes, const char* tag)
{
    bytes.insert(bytes.end(), tag, tag + 4);
}

std::vector<uint8_t> FormatChunk(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits)
{
    std::vector<uint8_t> chunk;
    PutTag(chunk, "fmt ");
    Put32(chunk, 16);
    Put16(chunk, format);
    Put16(chunk, channels);
    Put32(chunk, rate);
    Put32(chunk, rate * channels * bits / 8);
    Put16(chunk, static_cast<uint16_t>(channels * bits / 8));
    Put16(chunk, bits);
    return chunk;
}

std::vector<uint8_t> DataChunk(size_t size, uint32_t declared)
{
    std::vector<uint8_t> chunk;
    PutTag(chunk, "data");
    Put32(chunk, declared);
    for (size_t i = 0; i < size; ++i)
        chunk.push_back(static_cast<uint8_t>(i));
    return chunk;
}

std::vector<uint8_t> Wave(const std::vector<std::vector<uint8_t>>& chunks)
{
    std::vector<uint8_t> bytes;
    PutTag(bytes, "RIFF");
    Put32(bytes, 0);
    PutTag(bytes, "WAVE");
    for (const std::vector<uint8_t>& chunk : chunks)
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    return bytes;
}

TEST(WaveFile, ReadsTheFormatsOfTheClips)
{
    const struct {
        uint16_t Channels;
        uint32_t Rate;
        uint16_t Bits;
    } formats[] = {{1, 22050, 16}, {2, 44100, 16}, {1, 22050, 8}, {1, 16000, 16}};
    for (const auto& f : formats) {
        SCOPED_TRACE(std::to_string(f.Channels) + " x " + std::to_string(f.Bits) + " @ " +
                     std::to_string(f.Rate));
        const size_t frameSize = f.Channels * f.Bits / 8;
        const std::optional<TWaveClip> clip = ParseWave(
            Wave({FormatChunk(1, f.Channels, f.Rate, f.Bits), DataChunk(100 * frameSize, 100 * frameSize)}));
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->Channels, f.Channels);
        EXPECT_EQ(clip->SampleRate, static_cast<int32_t>(f.Rate));
        EXPECT_EQ(clip->BitsPerSample, f.Bits);
        EXPECT_EQ(clip->FrameCount(), 100u);
        EXPECT_DOUBLE_EQ(clip->Seconds(), 100.0 / f.Rate);
    }
}

TEST(WaveFile, SkipsOtherChunksAndKeepsWholeFramesOfShortData)
{
    std::vector<uint8_t> list;
    PutTag(list, "LIST");
    Put32(list, 3);
    list.insert(list.end(), {1, 2, 3, 0}); // odd size, padded
    std::optional<TWaveClip> clip = ParseWave(Wave({list, FormatChunk(1, 2, 44100, 16), DataChunk(41, 41)}));
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->Samples.size(), 40u);
    EXPECT_EQ(clip->Samples[39], 39);

    // A streamed file declares more data than it has.
    clip = ParseWave(Wave({FormatChunk(1, 1, 22050, 16), DataChunk(30, 0x7FFFFFFF)}));
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->FrameCount(), 15u);
}

TEST(WaveFile, RejectsWhatItCannotPlay)
{
    const std::vector<uint8_t> good = Wave({FormatChunk(1, 1, 22050, 16), DataChunk(8, 8)});
    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    std::vector<uint8_t> notWave = good;
    notWave[8] = 'X';
    std::vector<uint8_t> shortFormat = Wave({FormatChunk(1, 1, 22050, 16), DataChunk(8, 8)});
    shortFormat[16] = 12;
    std::vector<uint8_t> hugeChunk;
    PutTag(hugeChunk, "LIST");
    Put32(hugeChunk, 0xFFFFFFFF);
    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 11)},
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"float samples", Wave({FormatChunk(3, 1, 22050, 32), DataChunk(8, 8)})},
        {"24-bit", Wave({FormatChunk(1, 1, 22050, 24), DataChunk(9, 9)})},
        {"three channels", Wave({FormatChunk(1, 3, 22050, 16), DataChunk(12, 12)})},
        {"no rate", Wave({FormatChunk(1, 1, 0, 16), DataChunk(8, 8)})},
        {"data before format", Wave({DataChunk(8, 8), FormatChunk(1, 1, 22050, 16)})},
        {"no data", Wave({FormatChunk(1, 1, 22050, 16)})},
        {"format cut short", shortFormat},
        {"huge chunk", Wave({FormatChunk(1, 1, 22050, 16), hugeChunk, DataChunk(8, 8)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(ParseWave(c.Bytes));
    }
    EXPECT_TRUE(ParseWave(good));
    EXPECT_FALSE(LoadWaveFile("/nonexistent/clip.wav"));
}

} // namespace
} // namespace kelto
