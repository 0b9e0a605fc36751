// The engine on the page has no program folder: numbered clips are never
// found, as the page's own player finds none (web_sound.h).
#include "cli/executable_folder.h"

namespace kelto::cli {

std::string ExecutableFolder()
{
    return {};
}

} // namespace kelto::cli
