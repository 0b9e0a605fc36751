#include "core/sound/speech.h"
#include "recording_sound.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using Words = std::vector<std::string>;

TEST(SpokenClock, WordsFollowTheMandarinTimeOrder)
{
    const std::pair<TLocalTime, Words> cases[] = {
        {{14, 5, 0}, {"XZ", "XIAWU", "LIANG", "DIAN", "0", "5", "FEN"}},
        {{10, 30, 0}, {"XZ", "SHANGWU", "SHI", "DIAN", "3", "SHI", "FEN"}},
        {{12, 0, 0}, {"XZ", "XIAWU", "SHI", "2", "DIAN", "ZHENG"}},
        {{0, 15, 0}, {"XZ", "SHANGWU", "0", "DIAN", "SHI", "5", "FEN"}},
        {{9, 10, 0}, {"XZ", "SHANGWU", "9", "DIAN", "SHI", "FEN"}},
        {{23, 59, 0}, {"XZ", "XIAWU", "SHI", "1", "DIAN", "5", "SHI", "9", "FEN"}},
        {{2, 20, 0}, {"XZ", "SHANGWU", "LIANG", "DIAN", "2", "SHI", "FEN"}},
        {{0, 0, 0}, {"XZ", "SHANGWU", "0", "DIAN", "ZHENG"}},
        {{22, 2, 0}, {"XZ", "XIAWU", "SHI", "DIAN", "0", "2", "FEN"}}, // 22 becomes 10 o'clock
        {{11, 12, 0}, {"XZ", "SHANGWU", "SHI", "1", "DIAN", "SHI", "2", "FEN"}},
        {{13, 40, 0}, {"XZ", "XIAWU", "1", "DIAN", "4", "SHI", "FEN"}},
    };
    for (const auto& [time, words] : cases) {
        SCOPED_TRACE(std::to_string(time.Hour) + ":" + std::to_string(time.Minute));
        EXPECT_EQ(ClockWordsAt(time), words);
    }
}

TEST(SpokenClock, ClockWordsAreWaveResources)
{
    EXPECT_EQ(ClockWordSource("XZ"), "BS_XZWAV");
    EXPECT_EQ(ClockWordSource("5"), "BS_5WAV");
}

TEST(VoiceClips, NumbersNameMaleFemaleOrFileClips)
{
    testing::TRecordingWavePlayer player;
    player.FExistingFiles = {"WAV/305.WAV"};
    const std::pair<int32_t, std::string> cases[] = {
        {0, "M_00WAV"},   {5, "M_05WAV"},       {93, "M_93WAV"},  {94, ""},  {99, ""},
        {100, "F_00WAV"}, {105, "F_05WAV"},     {193, "F_93WAV"}, {194, ""}, {299, ""},
        {300, ""},        {305, "WAV/305.WAV"}, {393, ""},        {394, ""}, {-1, ""},
    };
    for (const auto& [clip, source] : cases) {
        SCOPED_TRACE(clip);
        EXPECT_EQ(VoiceClipSource(clip, player), source);
    }
}

TEST(VoiceClips, PlayingStartsOnlyClipsThatExist)
{
    testing::TRecordingWavePlayer player;
    EXPECT_EQ(PlayVoiceClip(7, player), "M_07WAV");
    EXPECT_EQ(PlayVoiceClip(305, player), "");
    EXPECT_EQ(PlayVoiceClip(200, player), "");
    EXPECT_EQ(player.FAsync, (std::vector<std::string>{"M_07WAV"}));
}

} // namespace
} // namespace kelto
