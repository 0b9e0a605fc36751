#include "cli/executable_folder.h"

#include <filesystem>

namespace kelto::cli {

std::string ExecutableFolder()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

} // namespace kelto::cli
