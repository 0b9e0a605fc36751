#include "core/sound/speech.h"
#include "platform/alsa_wave_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace kelto {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

class TProgramFolder {
public:
    TProgramFolder() : FPath(fs::temp_directory_path() / ("kelto_wave_" + std::to_string(::getpid())))
    {
        fs::create_directories(FPath / "WAV");
    }
    ~TProgramFolder()
    {
        std::error_code error;
        fs::remove_all(FPath, error);
    }
    // A 50 ms silent clip.
    void AddClip(const std::string& relative) const
    {
        const uint32_t dataSize = 2205;
        std::ofstream file(FPath / relative, std::ios::binary);
        const auto put32 = [&](uint32_t v) { file.write(reinterpret_cast<const char*>(&v), 4); };
        const auto put16 = [&](uint16_t v) { file.write(reinterpret_cast<const char*>(&v), 2); };
        file << "RIFF";
        put32(36 + dataSize);
        file << "WAVEfmt ";
        put32(16);
        put16(1);
        put16(1);
        put32(22050);
        put32(22050);
        put16(1);
        put16(8);
        file << "data";
        put32(dataSize);
        file << std::string(dataSize, '\x80');
    }
    TWaveFolders Folders() const { return {(FPath / "voice").string(), FPath.string()}; }
    const fs::path& Path() const { return FPath; }

private:
    fs::path FPath;
};

TEST(WavePlayer, SourcesNameFilesInTheVoiceAndProgramFolders)
{
    const TWaveFolders folders{"/opt/kelto/voice", "/opt/kelto"};
    const struct {
        const char* Source;
        const char* Path;
    } cases[] = {
        {"M_05WAV", "/opt/kelto/voice/M_05.wav"},   {"F_93WAV", "/opt/kelto/voice/F_93.wav"},
        {"BS_XZWAV", "/opt/kelto/voice/BS_XZ.wav"}, {"BS_5WAV", "/opt/kelto/voice/BS_5.wav"},
        {"WAV/305.WAV", "/opt/kelto/WAV/305.WAV"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Source);
        EXPECT_EQ(WaveSourcePath(c.Source, folders), c.Path);
    }
}

TEST(WavePlayer, FileClipsPlayOnlyWhenTheirFileIsBesideTheProgram)
{
    const TProgramFolder folder;
    folder.AddClip("WAV/305.WAV");
    fs::create_directories(folder.Path() / "WAV/307.WAV");
    TAlsaWavePlayer player(folder.Folders());
    EXPECT_TRUE(player.FileExists("WAV/305.WAV"));
    EXPECT_FALSE(player.FileExists("WAV/306.WAV"));
    EXPECT_FALSE(player.FileExists("WAV/307.WAV"));
    EXPECT_EQ(PlayVoiceClip(305, player), "WAV/305.WAV");
    EXPECT_EQ(PlayVoiceClip(306, player), "");
}

TEST(WavePlayer, NoClipEverHoldsTheCaller)
{
    const TProgramFolder folder;
    folder.AddClip("WAV/310.WAV");
    const TClock::time_point start = TClock::now();
    {
        TAlsaWavePlayer player(folder.Folders());
        // Heard or not, a 50 ms clip returns well within its stall allowance.
        player.PlaySync("WAV/310.WAV");
        player.PlaySync("M_05WAV");     // no voice folder here
        player.PlaySync("WAV/311.WAV"); // no such file
        for (int i = 0; i < 20; ++i)
            player.PlayAsync("WAV/310.WAV");
    }
    EXPECT_LT(TClock::now() - start, 2500ms);
}

} // namespace
} // namespace kelto
