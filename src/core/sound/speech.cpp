#include "core/sound/speech.h"

#include <cstdio>

namespace kelto {

namespace {

std::string Format(const char* format, int32_t number)
{
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

class TFixedTime final : public ILocalClock {
public:
    explicit TFixedTime(TLocalTime time) : FTime(time) {}
    TLocalTime Now() const override { return FTime; }

private:
    TLocalTime FTime;
};

} // namespace

std::string VoiceClipSource(int32_t clip, const IWavePlayer& player)
{
    if (clip >= 0 && clip <= 93)
        return Format("M_%.2dWAV", clip);
    if (clip >= 100 && clip <= 193)
        return Format("F_%.2dWAV", clip - 100);
    if (clip >= 300 && clip <= 393) {
        std::string path = Format("WAV/%d.WAV", clip);
        return player.FileExists(path) ? path : std::string();
    }
    return {};
}

std::string PlayVoiceClip(int32_t clip, IWavePlayer& player)
{
    std::string source = VoiceClipSource(clip, player);
    if (!source.empty())
        player.PlayAsync(source);
    return source;
}

std::string ClockWordSource(std::string_view word)
{
    return "BS_" + std::string(word) + "WAV";
}

void SpeakTime(const ILocalClock& clock, const std::function<void(std::string_view word)>& say)
{
    static constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    const auto sayDigit = [&](int32_t digit) {
        if (digit >= 0 && digit <= 9)
            say(kDigits[digit]);
    };
    say("XZ");
    const TLocalTime now = clock.Now();
    int32_t h = now.Hour;
    const int32_t m = now.Minute;
    if (h > 11) {
        if (h != 12)
            h -= 12;
        say("XIAWU");
    } else {
        say("SHANGWU");
    }
    if (h > 9)
        say("SHI");
    if (h == 2)
        say("LIANG");
    else if (h < 10)
        sayDigit(h);
    else if (h != 10)
        sayDigit(h - 10);
    say("DIAN");
    if (m == 0) {
        say("ZHENG");
        return;
    }
    const int32_t tens = m / 10;
    if (tens != 1)
        sayDigit(tens);
    if (m > 9)
        say("SHI");
    if (m - 10 * tens != 0)
        sayDigit(m - 10 * tens);
    say("FEN");
}

std::vector<std::string> ClockWordsAt(TLocalTime time)
{
    std::vector<std::string> words;
    SpeakTime(TFixedTime(time), [&](std::string_view word) { words.emplace_back(word); });
    return words;
}

} // namespace kelto
