#include "core/sound/virtual_devices.h"
#include "platform/clock_speaker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <sstream>
#include <thread>

namespace kelto {
namespace {

using namespace std::chrono_literals;

// Takes a while over each word, as a real clip would.
class TSlowWords final : public IWavePlayer {
public:
    explicit TSlowWords(std::chrono::milliseconds perWord) : FPerWord(perWord) {}
    void PlayAsync(const std::string&) override {}
    void PlaySync(const std::string& source) override
    {
        std::this_thread::sleep_for(FPerWord);
        std::lock_guard lock(FLock);
        FWords += (FWords.empty() ? "" : " ") + source;
    }
    bool FileExists(const std::string&) const override { return false; }
    std::string Words()
    {
        std::lock_guard lock(FLock);
        return FWords;
    }

private:
    std::chrono::milliseconds FPerWord;
    std::mutex FLock;
    std::string FWords;
};

bool WaitUntilQuiet(const TClockSpeaker& speaker)
{
    for (int i = 0; i < 500 && speaker.ClockRunning(); ++i)
        std::this_thread::sleep_for(2ms);
    return !speaker.ClockRunning();
}

std::string Sources(const std::string& words)
{
    std::istringstream in(words);
    std::string word;
    std::string sources;
    while (in >> word)
        sources += (sources.empty() ? "BS_" : " BS_") + word + "WAV";
    return sources;
}

TEST(ClockSpeaker, SaysTheTimeWordByWord)
{
    const struct {
        TLocalTime Time;
        const char* Words;
    } cases[] = {
        {{14, 5, 0}, "XZ XIAWU LIANG DIAN 0 5 FEN"},     {{10, 30, 0}, "XZ SHANGWU SHI DIAN 3 SHI FEN"},
        {{12, 0, 0}, "XZ XIAWU SHI 2 DIAN ZHENG"},       {{0, 15, 0}, "XZ SHANGWU 0 DIAN SHI 5 FEN"},
        {{9, 10, 0}, "XZ SHANGWU 9 DIAN SHI FEN"},       {{23, 59, 0}, "XZ XIAWU SHI 1 DIAN 5 SHI 9 FEN"},
        {{2, 20, 0}, "XZ SHANGWU LIANG DIAN 2 SHI FEN"}, {{0, 0, 0}, "XZ SHANGWU 0 DIAN ZHENG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Words);
        TSlowWords player(0ms);
        const TFixedClock clock(c.Time);
        TClockSpeaker speaker(player, clock);
        speaker.StartClock();
        ASSERT_TRUE(WaitUntilQuiet(speaker));
        EXPECT_EQ(player.Words(), Sources(c.Words));
    }
}

TEST(ClockSpeaker, OneAnnouncementAtATime)
{
    TSlowWords player(10ms);
    const TFixedClock clock({12, 0, 0});
    TClockSpeaker speaker(player, clock);
    EXPECT_FALSE(speaker.ClockRunning());
    speaker.StartClock();
    speaker.StartClock();
    EXPECT_TRUE(speaker.ClockRunning());
    ASSERT_TRUE(WaitUntilQuiet(speaker));
    EXPECT_EQ(player.Words(), Sources("XZ XIAWU SHI 2 DIAN ZHENG"));

    // Once finished, the clock can speak again.
    speaker.StartClock();
    ASSERT_TRUE(WaitUntilQuiet(speaker));
    EXPECT_EQ(player.Words(), Sources("XZ XIAWU SHI 2 DIAN ZHENG XZ XIAWU SHI 2 DIAN ZHENG"));
}

TEST(ClockSpeaker, DestroyingTheSpeakerLetsTheSentenceFinish)
{
    TSlowWords player(5ms);
    const TFixedClock clock({23, 59, 0});
    {
        TClockSpeaker speaker(player, clock);
        speaker.StartClock();
    }
    EXPECT_EQ(player.Words(), Sources("XZ XIAWU SHI 1 DIAN 5 SHI 9 FEN"));
}

} // namespace
} // namespace kelto
