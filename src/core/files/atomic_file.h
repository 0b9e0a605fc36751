// Whole-file reads with a size limit, and writes that never leave a
// half-written file: a temporary file beside the target, flushed, renamed.
#pragma once

#include "core/files/file_result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelto {

TFileResult ReadWholeFile(const std::string& path, std::string& contents, size_t maxBytes);
TFileResult WriteFileAtomically(const std::string& path, std::string_view contents);

} // namespace kelto
