// The voice clips and clock words the build speaks from resources/voice.
#include "core/sound/speech.h"
#include "core/sound/virtual_devices.h"
#include "platform/wave_file.h"
#include "platform/wave_folders.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

TEST(VoiceClips, EveryClipAndClockWordIsSpokenMonoAt22050Hz)
{
#ifndef KELTO_VOICE_CLIPS_BUILT
    GTEST_SKIP() << "built without espeak-ng or sox: no voice clips";
#endif
    const TWaveFolders folders{KELTO_VOICE_DIR, ""};
    const TVirtualWavePlayer noFiles;
    std::vector<std::string> sources;
    for (int32_t clip = 0; clip <= 193; ++clip) {
        const std::string source = VoiceClipSource(clip, noFiles);
        if (!source.empty())
            sources.push_back(source);
    }
    for (const char* word : {"XZ", "SHANGWU", "XIAWU", "SHI", "LIANG", "DIAN", "ZHENG", "FEN", "0", "1", "2",
                             "3", "4", "5", "6", "7", "8", "9"})
        sources.push_back(ClockWordSource(word));
    ASSERT_EQ(sources.size(), 188u + 18u);
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        const std::optional<TWaveClip> clip = LoadWaveFile(WaveSourcePath(source, folders));
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->Channels, 1);
        EXPECT_EQ(clip->SampleRate, 22050);
        EXPECT_EQ(clip->BitsPerSample, 16);
        EXPECT_GT(clip->Seconds(), 0.1);
        EXPECT_LT(clip->Seconds(), 5.0);
    }
}

} // namespace
} // namespace kelto
