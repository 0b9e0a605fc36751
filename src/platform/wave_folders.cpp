#include "platform/wave_folders.h"

#include <filesystem>
#include <string_view>

namespace kelto {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kResourceSuffix = "WAV";

} // namespace

TWaveFolders DefaultWaveFolders()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    const fs::path programFolder = error ? fs::current_path(error) : executable.parent_path();
    const fs::path besideProgram = programFolder / "voice";
    const bool haveBeside = fs::is_directory(besideProgram, error);
    return {haveBeside ? besideProgram.string() : std::string(KELTO_BUILT_VOICE_DIR), programFolder.string()};
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
