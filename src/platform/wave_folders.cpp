#include "platform/wave_folders.h"

#include <filesystem>
#include <string_view>

namespace kelto {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kResourceSuffix = "WAV";

} // namespace

TWaveFolders WaveFoldersFor(const std::string& programFolder)
{
    const fs::path program(programFolder);
    // Beside the program first (a developer's copy), then an installed tree's
    // share folder seen from its bin folder, then the build's own output.
    for (const fs::path& voice : {program / "voice", program / KELTO_INSTALLED_DATA_DIR / "voice"}) {
        std::error_code error;
        if (fs::is_directory(voice, error))
            return {voice.lexically_normal().string(), programFolder};
    }
    return {std::string(KELTO_BUILT_VOICE_DIR), programFolder};
}

TWaveFolders DefaultWaveFolders()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    const fs::path programFolder = error ? fs::current_path(error) : executable.parent_path();
    return WaveFoldersFor(programFolder.string());
}

std::string WaveSourcePath(const std::string& source, const TWaveFolders& folders)
{
    if (source.find('/') != std::string::npos)
        return (fs::path(folders.Program) / source).string();
    std::string_view name(source);
    if (name.ends_with(kResourceSuffix))
        name.remove_suffix(kResourceSuffix.size());
    return (fs::path(folders.Voice) / (std::string(name) + ".wav")).string();
}

} // namespace kelto
