#include "grade/scratch_folder.h"

#include "grade/grade_messages.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdlib.h>

namespace kelto::grade {

namespace fs = std::filesystem;

std::optional<TScratchFolder> TScratchFolder::Make(std::string& error)
{
    std::error_code noTemporaryFolder;
    fs::path temporary = fs::temp_directory_path(noTemporaryFolder);
    if (noTemporaryFolder)
        temporary = "/tmp";
    std::error_code notAbsolute;
    fs::path pattern = fs::absolute(temporary / "keltosimu-grade.XXXXXX", notAbsolute);
    std::string path = notAbsolute ? (temporary / "keltosimu-grade.XXXXXX").string() : pattern.string();
    if (::mkdtemp(path.data()) == nullptr) {
        error = CannotMakeFolderMessage(std::strerror(errno));
        return std::nullopt;
    }
    return TScratchFolder(std::move(path));
}

TScratchFolder::TScratchFolder(TScratchFolder&& other) noexcept : FPath(std::move(other.FPath))
{
    other.FPath.clear();
}

TScratchFolder::~TScratchFolder()
{
    if (FPath.empty())
        return;
    std::error_code ignored;
    fs::remove_all(FPath, ignored);
}

} // namespace kelto::grade
