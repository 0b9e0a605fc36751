// Under node the program is the script, not the node binary /proc/self/exe
// names: its folder is the one emscripten loaded it from.
#include "cli/executable_folder.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

namespace kelto::cli {

namespace {

// clang-format off
EM_JS(char*, ScriptFolderText, (), {
    return allocateUTF8(require("path").resolve(__dirname));
});
// clang-format on

} // namespace

std::string ExecutableFolder()
{
    const std::unique_ptr<char, decltype(&std::free)> folder(ScriptFolderText(), &std::free);
    return folder.get();
}

} // namespace kelto::cli
