// Which voice folder a program uses: its own, an installed tree's, or the build's.
#include "platform/wave_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace kelto {
namespace {

namespace fs = std::filesystem;

TEST(WaveFolders, ProgramFindsItsOwnThenTheInstalledThenTheBuiltVoiceFolder)
{
    const fs::path root = fs::temp_directory_path() / ("kelto_folders_" + std::to_string(::getpid()));
    const fs::path bin = root / "bin";
    const fs::path beside = bin / "voice";
    const fs::path installed = root / "share/keltosimu/voice";
    const struct {
        const char* Name;
        std::vector<fs::path> Existing;
        std::string Voice;
    } cases[] = {
        {"beside the program wins", {beside, installed}, beside.string()},
        {"installed tree", {installed}, installed.string()},
        {"nothing installed", {}, KELTO_VOICE_DIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(root);
        fs::create_directories(bin);
        for (const fs::path& folder : c.Existing)
            fs::create_directories(folder);
        const TWaveFolders folders = WaveFoldersFor(bin.string());
        EXPECT_EQ(folders.Voice, c.Voice);
        EXPECT_EQ(folders.Program, bin.string());
    }
    fs::remove_all(root);
}

} // namespace
} // namespace kelto
